#include "records/RecordLookUp.h"

#include "platform/Files.h"
#include "records/RecordFile.h"
#include "records/RecordsForm.h"
#include "select/SelectControls.h"
#include "select/SelectForm.h"
#include "state/Game.h"

#include <QComboBox>
#include <QLabel>

namespace jigsaw {

void LookUpPictureRecords(Game &game)
{
    GameState &s = game.state();
    RecordsForm *records = game.frmRecords();
    SelectForm *select = game.frmSelect();
    const RecordsControls &ui = records->ui();

    const QStringList names = files::listFiles(game.folders().recordFolder());
    ui.Combo1->clear();
    ui.Combo1->addItems(recordfile::pieceCountsFor(names, s.ImageFileName));
    if (ui.Combo1->count() == 0) {
        if (select) {
            select->command6()->hide();
            select->setStatusText(QStringLiteral("よろしければＧＯボタンをクリックしてください"));
        }
        return;
    }

    ui.Combo1->setCurrentIndex(0);
    ui.Label4->setText(s.ImageFileName);
    ui.Image1->setAccessibleName(s.ImageFileName);
    if (select) {
        select->command6()->show();
        if (s.SelectedThumb)
            ui.Image1->setPicture(select->image1(*s.SelectedThumb)->picture());
        select->setStatusText(
            QStringLiteral("過去の記録ボタンをクリックすると、順位表が表示されます。"));
    }
}

} // namespace jigsaw
