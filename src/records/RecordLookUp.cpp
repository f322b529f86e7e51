#include "records/RecordLookUp.h"

#include "select/SelectControls.h"
#include "select/SelectForm.h"
#include "state/Game.h"

namespace jigsaw {

void LookUpPictureRecords(Game &game)
{
    SelectForm *form = game.frmSelect();
    if (!form)
        return;
    form->command6()->hide();
    form->setStatusText(QStringLiteral("よろしければＧＯボタンをクリックしてください"));
}

} // namespace jigsaw
