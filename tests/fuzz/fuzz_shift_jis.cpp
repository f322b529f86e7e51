// The Shift_JIS text reader and writer: whatever bytes a file holds decode without harm, and
// every text the game stores reads back as the text the player sees.

#include "FuzzSupport.h"

#include "platform/TextFile.h"

using namespace jigsaw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);

    // Bytes from a file: split into lines, decoded, and stored again where they can be.
    QStringList lines;
    for (const QByteArray &line : text::splitLines(bytes)) {
        FUZZ_CHECK(!line.contains('\r') && !line.contains('\n'));
        lines.append(text::decodeShiftJis(line));
    }
    if (const std::optional<QByteArray> stored = text::encodeLines(lines)) {
        QStringList back;
        for (const QByteArray &line : text::splitLines(*stored))
            back.append(text::decodeShiftJis(line));
        FUZZ_CHECK(back == lines);
    }

    // A text as a player types it: stored, it reads back as its look-alike form.
    const QString typed(reinterpret_cast<const QChar *>(data), static_cast<qsizetype>(size / 2));
    if (const std::optional<QByteArray> stored = text::encodeShiftJis(typed))
        FUZZ_CHECK(text::decodeShiftJis(*stored) == text::withShiftJisLookAlikes(typed));
    return 0;
}
