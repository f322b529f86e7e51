#include "select/SelectForm.h"

#include "state/Game.h"

namespace jigsaw {

SelectForm::SelectForm(Game &game, QWidget *parent)
    : QMainWindow(parent)
    , m_game(game)
{
    setObjectName(QStringLiteral("frmSelect"));
    setWindowTitle(QStringLiteral("画像選択"));
}

} // namespace jigsaw
