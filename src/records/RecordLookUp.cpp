#include "records/RecordsForm.h"

#include "platform/Files.h"
#include "platform/StretchImage.h"
#include "records/RecordFile.h"
#include "state/GameSession.h"

#include <QComboBox>
#include <QLabel>

namespace jigsaw {

void RecordsForm::LookUpPictureRecords()
{
    const GameState &s = m_game.state();
    const QStringList names = files::listFiles(m_game.folders().recordFolder());
    m_ui.Combo1->clear();
    m_ui.Combo1->addItems(recordfile::pieceCountsFor(names, s.ImageFileName));
    if (m_ui.Combo1->count() == 0) {
        emit pictureRecordsLookedUp(false);
        return;
    }

    m_ui.Combo1->setCurrentIndex(0);
    m_ui.Label4->setText(s.ImageFileName);
    m_ui.Image1->setAccessibleName(s.ImageFileName);
    emit pictureRecordsLookedUp(true);
}

void RecordsForm::showPicture(const QImage &picture)
{
    m_ui.Image1->setPicture(picture);
}

} // namespace jigsaw
