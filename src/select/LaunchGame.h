#pragma once

#include "platform/FormInstance.h"

class QWidget;

namespace jigsaw {

class BoardForm;
class GameSession;

// GO: hands the selected picture to the puzzle board and shows it, for a new or a resumed game.
// A picture refused is told in a message over messageParent.
void LaunchGame(GameSession &game, FormInstance<BoardForm> &board, QWidget *messageParent);

} // namespace jigsaw
