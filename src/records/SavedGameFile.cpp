#include "records/SavedGameFile.h"

#include "platform/Files.h"
#include "platform/Numbers.h"
#include "platform/TextFile.h"
#include "state/TimeLimit.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace jigsaw::savedgame {

namespace {

const QString kExtension = QStringLiteral(".txt");
constexpr QChar kPieceSeparator = QLatin1Char('&');

// A whole number within [low, high].
std::optional<int> wholeInRange(double value, int low, int high)
{
    if (value != std::floor(value) || value < low || value > high)
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<std::int16_t> readInt16(QStringView text)
{
    const std::optional<double> value = num::readNumeric(text);
    if (!value)
        return std::nullopt;
    return num::toInt16(*value);
}

} // namespace

QString filePath(const QString &saveFolder, const QString &name)
{
    return saveFolder + QLatin1Char('/') + name + kExtension;
}

QStringList namesFromEntries(const QStringList &entries)
{
    QStringList names;
    for (const QString &entry : entries) {
        if (entry.endsWith(kExtension, Qt::CaseSensitive))
            names.append(entry.chopped(kExtension.size()));
    }
    return names;
}

QStringList listNames(const QString &saveFolder)
{
    return namesFromEntries(files::listFiles(saveFolder));
}

std::optional<SavedGame> parse(const QStringList &lines)
{
    if (lines.size() < kHeaderLines)
        return std::nullopt;

    SavedGame game;
    game.values[PicturePath] = lines[PicturePath - 1];
    for (int line = TimeLimit; line <= kHeaderLines; ++line)
        game.values[line] = lines[line - 1].trimmed();
    const std::optional<Settings> settings = settingsOf(game.values);
    if (!settings)
        return std::nullopt;
    const int pieces = static_cast<int>(settings->pieceCount);
    if (lines.size() < kHeaderLines + pieces)
        return std::nullopt;

    game.left.reserve(static_cast<std::size_t>(pieces));
    game.top.reserve(static_cast<std::size_t>(pieces));
    for (int i = 0; i < pieces; ++i) {
        const QString &line = lines[kHeaderLines + i];
        const qsizetype separator = line.indexOf(kPieceSeparator);
        if (separator < 0)
            return std::nullopt;
        const std::optional<std::int16_t> left = readInt16(QStringView(line).left(separator));
        const std::optional<std::int16_t> top = readInt16(QStringView(line).mid(separator + 1));
        if (!left || !top)
            return std::nullopt;
        game.left.push_back(*left);
        game.top.push_back(*top);
    }
    return game;
}

ReadResult readFile(const QString &path)
{
    const text::ReadResult read = text::readLines(path, kLargestFile);
    switch (read.status) {
    case text::ReadStatus::Ok:
        break;
    case text::ReadStatus::Missing:
        return {ReadStatus::Missing, {}};
    case text::ReadStatus::TooLarge:
        return {ReadStatus::TooLarge, {}};
    default:
        return {ReadStatus::Unreadable, {}};
    }
    std::optional<SavedGame> game = parse(read.lines);
    if (!game)
        return {ReadStatus::Refused, {}};
    return {ReadStatus::Ok, std::move(*game)};
}

bool isUsableName(const QString &name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')))
        return false;
    for (const QChar c : name) {
        const bool separator = c == QLatin1Char('/') || c == QLatin1Char('\\');
        if (separator || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

QStringList lines(const GameToSave &game)
{
    QStringList result{
        game.picturePath,
        game.timeLimit,
        num::numberLine(game.placementSound),
        num::numberLine(game.elapsedSec),
        num::numberLine(game.elapsedMin),
        num::numberLine(game.remainingTotalSec),
        num::singleLine(game.timeBarStep),
        num::numberLine(game.remainingSec),
        num::numberLine(game.remainingMin),
        num::numberLine(game.pieceCount),
        num::numberLine(game.gridSide),
    };
    const std::size_t pieces = std::min(game.left.size(), game.top.size());
    for (std::size_t i = 0; i < pieces; ++i)
        result.append(num::singleText(game.left[i]) + kPieceSeparator
                      + num::singleText(game.top[i]));
    return result;
}

WriteStatus writeFile(const QString &saveFolder, const QString &name, const GameToSave &game)
{
    if (!isUsableName(name))
        return WriteStatus::UnusableName;
    if (!files::nameFits(name + kExtension))
        return WriteStatus::NameTooLong;
    const QStringList content = lines(game);
    for (const QString &line : content) {
        if (!text::encodeShiftJis(line))
            return WriteStatus::NotStorable;
    }
    if (!files::makeFolder(saveFolder))
        return WriteStatus::FolderUnusable;
    switch (text::writeLinesAtomically(filePath(saveFolder, name), content)) {
    case files::WriteStatus::Ok:
        return WriteStatus::Ok;
    case files::WriteStatus::NotStorable:
        return WriteStatus::NotStorable;
    case files::WriteStatus::NotAFile:
        return WriteStatus::NotAFile;
    case files::WriteStatus::CannotCreate:
        return WriteStatus::FolderUnusable;
    case files::WriteStatus::Failed:
        break;
    }
    return WriteStatus::Failed;
}

std::optional<Settings> settingsOf(const std::array<QString, 12> &values)
{
    std::array<double, 12> number{};
    for (int line = TimeLimit; line <= GridSide; ++line) {
        const std::optional<double> value = num::readNumeric(values[std::size_t(line)]);
        if (!value)
            return std::nullopt;
        number[std::size_t(line)] = *value;
    }
    const std::optional<std::int16_t> sound = num::toInt16(number[PlacementSound]);
    if (!sound)
        return std::nullopt;

    // Any value the clocks can hold is played as it is, a limit below 0 or a fraction of a
    // second included; only magnitudes past them are refused.
    const auto within = [&number](int line, double bound) {
        return std::fabs(number[std::size_t(line)]) <= bound;
    };
    if (!within(TimeLimit, kClockMinutes) || !within(ElapsedMin, kClockMinutes)
        || !within(RemainingMin, kClockMinutes) || !within(ElapsedSec, kClockSeconds)
        || !within(RemainingTotalSec, kClockSeconds) || !within(RemainingSec, kClockSeconds)
        || !within(TimeBarStep, std::numeric_limits<float>::max()))
        return std::nullopt;

    // One piece control and one line for each piece, whatever the grid.
    const std::optional<int> pieces = wholeInRange(number[PieceCount], 1, kMaxPieces);
    const std::optional<int> side = wholeInRange(number[GridSide], 1, kMaxGridSide);
    if (!pieces || !side)
        return std::nullopt;

    return Settings{number[TimeLimit],         *sound,
                    number[ElapsedSec],        number[ElapsedMin],
                    number[RemainingTotalSec], num::toSingle(number[TimeBarStep]),
                    number[RemainingSec],      number[RemainingMin],
                    number[PieceCount],        number[GridSide]};
}

} // namespace jigsaw::savedgame
