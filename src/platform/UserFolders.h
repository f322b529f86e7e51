#pragma once

#include <QString>

// Per-user folders outside the program folder.
namespace jigsaw::folders {

// The player's own folder for the game's data, where the background music is copied at
// start-up and played from: the XDG data folder + "/jigsaw-puzzle" (normally
// ~/.local/share/jigsaw-puzzle). Created when missing; the empty text when it cannot be made.
QString musicFolder();

} // namespace jigsaw::folders
