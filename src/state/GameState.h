#pragma once

#include "state/TimeLimit.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

namespace jigsaw {

// The state of the run and of the one game that can be in progress, shared by every form.
// Handlers read and write it directly; it lives as long as the run and is never written to
// disk as such (saved games and records store selected fields).
struct GameState
{
    // Program folder and picture choice
    QString AppDir;        // without a trailing separator
    QString PictureDir;    // folder of the pictures offered, without a trailing separator
    QString ImageFileName; // file name of the selected picture
    QString ImageFilePath; // full path of the selected picture
    QString BrowseDir;     // folder being browsed; ends in a separator once listed
    QString DriveRoot;     // root of the chosen volume, ending in a separator
    double ExitAnswer = 0;

    // Picture browser
    double PictureCount = 0;
    double PageIndex = 0;
    std::int16_t PageCount = 0;
    QString ListEntry;
    std::array<QString, 201> PictureNames{}; // entries 1..200 are used
    std::optional<int> SelectedThumb;        // empty when nothing is selected

    // Launch and play
    double LaunchMode = 0; // 1 = new game from a picture, 2 = resumed saved game
    // The game on the board as GO launched it. Browsing the selection form afterwards changes
    // LaunchMode, but not what the game in play is: only a game GO resumed is resumed, and it
    // is offered for saving and deleted on completion under the name it was resumed from.
    double BoardLaunchMode = 0;
    QString ResumedGameName;
    double BoardActivated = 0;
    double InPlay = 0;
    std::int16_t TimeIsUp = 0;

    // Game clock and limit
    double ElapsedSec = 0;
    double ElapsedMin = 0;
    double RemainingTotalSec = 0;
    double RemainingMin = 0;
    double RemainingSec = 0;
    float TimeBarStep = 0;
    TimeLimit GameTimeLimit;

    // Settings and questions
    std::int16_t PlacementSound = 0;
    double PanelMode = 0;
    double PieceCount = 0;
    double GridSide = 0;

    // Saved game being resumed: the eleven header values as read (index 0 unused) and the
    // saved board positions of each piece.
    std::array<QString, 12> SavedValues{};
    std::array<std::int16_t, 101> SavedLeft{};
    std::array<std::int16_t, 101> SavedTop{};
    QString SaveListEntry;
    // The name of the saved game whose values these are, while it is chosen in the
    // saved-game list; empty when no saved game is chosen.
    QString ChosenSavedGame;

    // Records
    double RecordCount = 0;
    QStringList RecordLines;
    QString PlayerName;
    std::int16_t LibraryPictureCount = 0;
};

} // namespace jigsaw
