#include "board/BoardForm.h"

#include "state/Game.h"

namespace jigsaw {

BoardForm::BoardForm(Game &game, QWidget *parent)
    : QMainWindow(parent)
    , m_game(game)
{
    setObjectName(QStringLiteral("frmBoard"));
    setWindowTitle(QStringLiteral("ジグソーパズル"));
}

} // namespace jigsaw
