#pragma once

namespace jigsaw {
class Game;
}

namespace jigsaw::bench {

// A photo too large for 16-bit positions, played in this process: at full size the view
// reaches its far corner, the box gives each of 100 pieces a slot of its own, and at the scale
// that fits the screen every piece dragged onto its place completes the game. Says
//   giant width=<w> height=<h> reached=0|1 slots=<distinct> completed=0|1
// and returns the exit status.
int checkGiantPhoto(Game &game);

} // namespace jigsaw::bench
