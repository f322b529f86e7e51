#pragma once

// The system clipboard, which the board empties when it becomes active and when a game starts.
namespace jigsaw::clipboard {

// Empties the clipboard.
void clearClipboard();

} // namespace jigsaw::clipboard
