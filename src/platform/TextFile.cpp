#include "TextFile.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace jigsaw::text {

namespace {

// Qt's "Shift_JIS" is ICU's Microsoft variant, that is code page 932 with its NEC and IBM
// extensions: ～ is 0x8160, － is 0x817C and ① is 0x8740.
constexpr const char *kCodec = "Shift_JIS";

// Characters a Japanese keyboard or a pasted text may produce that code page 932 lacks, each
// with the code page 932 character that looks the same on a Japanese system.
constexpr std::array<std::pair<char16_t, char16_t>, 10> kLookAlikes{{
    {u'\u301C', u'\uFF5E'}, // WAVE DASH -> FULLWIDTH TILDE
    {u'\u2212', u'\uFF0D'}, // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS
    {u'\u2016', u'\u2225'}, // DOUBLE VERTICAL LINE -> PARALLEL TO
    {u'\u2014', u'\u2015'}, // EM DASH -> HORIZONTAL BAR
    {u'\u00A2', u'\uFFE0'}, // CENT SIGN -> FULLWIDTH CENT SIGN
    {u'\u00A3', u'\uFFE1'}, // POUND SIGN -> FULLWIDTH POUND SIGN
    {u'\u00AC', u'\uFFE2'}, // NOT SIGN -> FULLWIDTH NOT SIGN
    {u'\u00A5', u'\uFFE5'}, // YEN SIGN -> FULLWIDTH YEN SIGN
    {u'\u203E', u'\uFFE3'}, // OVERLINE -> FULLWIDTH MACRON
    {u'\u00A6', u'\uFFE4'}, // BROKEN BAR -> FULLWIDTH BROKEN BAR
}};

} // namespace

QString withShiftJisLookAlikes(const QString &text)
{
    QString result = text;
    for (QChar &c : result) {
        for (const auto &[from, to] : kLookAlikes) {
            if (c.unicode() == from) {
                c = QChar(to);
                break;
            }
        }
    }
    return result;
}

std::optional<QByteArray> encodeShiftJis(const QString &text)
{
    QStringEncoder encoder(kCodec);
    if (!encoder.isValid())
        return std::nullopt;
    const QString shown = withShiftJisLookAlikes(text);
    QByteArray bytes = encoder.encode(shown);
    // The encoder may put a substitute byte in, and says so for most characters but not for
    // all (half a surrogate pair passes without an error): what is stored must read back as
    // the text itself.
    if (encoder.hasError() || decodeShiftJis(bytes) != shown)
        return std::nullopt;
    return bytes;
}

QString decodeShiftJis(const QByteArray &bytes)
{
    QStringDecoder decoder(kCodec, QStringDecoder::Flag::Stateless);
    return decoder.decode(bytes);
}

BytesResult readBytes(const QString &path, qint64 maxBytes)
{
    BytesResult result;
    const QByteArray name = QFile::encodeName(path);
    // Opened without waiting: opening a FIFO for reading would block until a writer came.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        result.status = errno == ENOENT || errno == ENOTDIR ? ReadStatus::Missing
                                                            : ReadStatus::Failed;
        return result;
    }
    struct stat info{};
    if (::fstat(fd, &info) != 0) {
        ::close(fd);
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        result.status = ReadStatus::NotAFile;
        return result;
    }
    if (info.st_size > maxBytes) {
        ::close(fd);
        result.status = ReadStatus::TooLarge;
        return result;
    }

    // The size is only a hint: the file may shrink or grow while it is read, and what lies
    // beyond maxBytes is never read.
    result.bytes.resize(static_cast<qsizetype>(info.st_size));
    qsizetype got = 0;
    bool failed = false;
    while (true) {
        if (got == result.bytes.size()) {
            if (got >= maxBytes)
                break;
            result.bytes.resize(std::min<qsizetype>(got + 4096, maxBytes));
        }
        const ssize_t n = ::read(fd, result.bytes.data() + got,
                                 static_cast<std::size_t>(result.bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            failed = true;
            break;
        }
        if (n == 0)
            break;
        got += n;
    }
    ::close(fd);
    if (failed) {
        result.bytes.clear();
        return result;
    }
    result.bytes.truncate(got);
    result.status = ReadStatus::Ok;
    return result;
}

namespace {

template <typename Lines, typename Text>
Lines linesOf(const Text &text)
{
    Lines lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto c = text.at(i);
        if (c != '\r' && c != '\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == '\r' && i + 1 < text.size() && text.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

} // namespace

QList<QByteArray> splitLines(const QByteArray &bytes)
{
    return linesOf<QList<QByteArray>>(bytes);
}

QStringList splitLines(const QString &text)
{
    return linesOf<QStringList>(text);
}

ReadResult readLines(const QString &path, qint64 maxBytes)
{
    ReadResult result;
    const BytesResult file = readBytes(path, maxBytes);
    result.status = file.status;
    if (file.status != ReadStatus::Ok)
        return result;
    const QList<QByteArray> lines = splitLines(file.bytes);
    result.lines.reserve(lines.size());
    for (const QByteArray &line : lines)
        result.lines.append(decodeShiftJis(line));
    return result;
}

std::optional<QByteArray> encodeLines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        if (line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n')))
            return std::nullopt;
        const std::optional<QByteArray> encoded = encodeShiftJis(line);
        if (!encoded)
            return std::nullopt;
        bytes += *encoded;
        bytes += "\r\n";
    }
    return bytes;
}

files::WriteStatus writeLinesAtomically(const QString &path, const QStringList &lines)
{
    // Everything is encoded first, so a line that cannot be stored fails before the disk is
    // touched.
    const std::optional<QByteArray> bytes = encodeLines(lines);
    if (!bytes)
        return files::WriteStatus::NotStorable;
    return files::replaceFile(path, *bytes);
}

} // namespace jigsaw::text
