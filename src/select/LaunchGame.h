#pragma once

namespace jigsaw {

class Game;

// GO: hands the selected picture to the puzzle board and shows it, for a new or a resumed game.
void LaunchGame(Game &game);

} // namespace jigsaw
