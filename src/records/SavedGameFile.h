#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace jigsaw {

// One saved game as its file holds it: the eleven header values and the board position of
// every piece.
struct SavedGame
{
    // Header lines 1 to 11 (index 0 unused). Value 1 is the picture's full path, taken whole;
    // the others are trimmed of the spaces around them. Value 2 is a number or the time limit
    // as the player typed it; values 3 to 11 are numbers.
    std::array<QString, 12> values{};
    // Left and Top on the board of piece i, as 16-bit whole numbers.
    std::vector<std::int16_t> left;
    std::vector<std::int16_t> top;

    int pieceCount() const { return static_cast<int>(left.size()); }
};

// The values a game in progress is saved from, as they stand at the moment of saving.
struct GameToSave
{
    QString picturePath;
    QString timeLimit; // line 2 as written: a number line, or the limit as the player typed it
    std::int16_t placementSound = 0;
    double elapsedSec = 0;
    double elapsedMin = 0;
    double remainingTotalSec = 0;
    float timeBarStep = 0;
    double remainingSec = 0;
    double remainingMin = 0;
    double pieceCount = 0;
    double gridSide = 0;
    // Left and Top on the board of piece i, in pixels.
    std::vector<float> left;
    std::vector<float> top;
};

// The saved-game file: where it lives, which names the save folder offers, and its lines. The
// only code that knows the layout of the file.
namespace savedgame {

// Header lines, numbered from 1 as in the file.
enum Line : int {
    PicturePath = 1,
    TimeLimit = 2,
    PlacementSound = 3,
    ElapsedSec = 4,
    ElapsedMin = 5,
    RemainingTotalSec = 6,
    TimeBarStep = 7,
    RemainingSec = 8,
    RemainingMin = 9,
    PieceCount = 10,
    GridSide = 11,
};
inline constexpr int kHeaderLines = 11;
inline constexpr int kMaxPieces = 100;
inline constexpr int kMaxGridSide = 10;

// The file of the saved game with this name in the save folder.
QString filePath(const QString &saveFolder, const QString &name);

// The saved-game names among a folder's entries: every entry that ends exactly in ".txt"
// (lower case only), without those four characters, in the entries' order.
QStringList namesFromEntries(const QStringList &entries);
// The saved-game names of the save folder, in listing order.
QStringList listNames(const QString &saveFolder);

// The settings a resumed game takes from header values 2 to 11 as read: the time limit, the
// placement cue, the clock and the grid. Every value is numeric as num::readNumeric judges it
// (the limit as the player typed it included). No value when one of them is not, the cue
// setting overflows 16 bits, a clock value lies beyond what the clocks hold (kClockMinutes
// minutes, kClockSeconds seconds, either way), the bar's step beyond single precision, or the
// piece count is not a whole number from 1 to 100 or the grid side one from 1 to 10. A piece
// count other than the grid's square is played as it is.
struct Settings
{
    double gameTimeLimit = 0;
    std::int16_t placementSound = 0;
    double elapsedSec = 0;
    double elapsedMin = 0;
    double remainingTotalSec = 0;
    float timeBarStep = 0;
    double remainingSec = 0;
    double remainingMin = 0;
    double pieceCount = 0;
    double gridSide = 0;
};
std::optional<Settings> settingsOf(const std::array<QString, 12> &values);

// Reads a saved game from the file's lines. No value when the lines end before the last
// piece, a piece line has no "&" or a position is not numeric or overflows 16 bits, or the
// settings are not what settingsOf accepts.
std::optional<SavedGame> parse(const QStringList &lines);

enum class ReadStatus {
    Ok,
    Missing,    // the file or its folder does not exist
    TooLarge,   // far larger than any saved game: never read
    Unreadable, // it exists but cannot be read
    Refused,    // it does not read as a saved game the game can hold
};

// The largest saved-game file read: eleven short lines, a path and 100 piece lines take a few
// kilobytes.
inline constexpr qint64 kLargestFile = 1024 * 1024;

struct ReadResult
{
    ReadStatus status = ReadStatus::Unreadable;
    SavedGame game;
};

// Reads the Shift_JIS file at path: only an ordinary file of at most kLargestFile bytes.
ReadResult readFile(const QString &path);

// Whether a save name can name a listed file inside the save folder and nowhere else: not
// empty, not starting with "." (the listing leaves such hidden files out, and "." and ".."
// are folders), and without "/", "\" or control characters.
bool isUsableName(const QString &name);

// The file's lines for a game, in the order of the file.
QStringList lines(const GameToSave &game);

enum class WriteStatus {
    Ok,
    UnusableName,   // the name would leave the save folder or cannot name a listed file
    NameTooLong,    // the file name would be longer than the file system takes
    NotStorable,    // a value (the picture's path) has a character Shift_JIS cannot store
    FolderUnusable, // the save folder cannot be made or written
    NotAFile,       // a folder, link or special file has the name; never written through
    Failed,         // writing failed: a full disk or an I/O error; an older file is untouched
};

// Writes the game under the name into the save folder, making the folder when it is missing.
// The file is replaced whole or not at all.
WriteStatus writeFile(const QString &saveFolder, const QString &name, const GameToSave &game);

} // namespace savedgame

} // namespace jigsaw
