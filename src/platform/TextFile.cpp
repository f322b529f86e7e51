#include "TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <array>
#include <utility>

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
    QByteArray bytes = encoder.encode(withShiftJisLookAlikes(text));
    if (encoder.hasError())
        return std::nullopt; // the encoder put a substitute byte in: never store that
    return bytes;
}

QString decodeShiftJis(const QByteArray &bytes)
{
    QStringDecoder decoder(kCodec);
    return decoder.decode(bytes);
}

ReadResult readLines(const QString &path)
{
    ReadResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = QFileInfo::exists(path) ? ReadStatus::Failed : ReadStatus::Missing;
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return result;

    const QString text = decodeShiftJis(bytes);
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        result.lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        result.lines.append(text.mid(start));
    result.status = ReadStatus::Ok;
    return result;
}

bool writeLinesAtomically(const QString &path, const QStringList &lines)
{
    // Encode everything first, so an unencodable line fails before the disk is touched. A line
    // break inside a line would shift every later line of the format, so it fails too.
    QByteArray bytes;
    for (const QString &line : lines) {
        if (line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n')))
            return false;
        const std::optional<QByteArray> encoded = encodeShiftJis(line);
        if (!encoded)
            return false;
        bytes += *encoded;
        bytes += "\r\n";
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace jigsaw::text
