#include "select/SelectForm.h"

#include "platform/Drives.h"
#include "platform/MessageBox.h"
#include "select/DriveList.h"
#include "select/FolderList.h"
#include "select/PictureListing.h"
#include "select/SelectControls.h"
#include "state/GameSession.h"

namespace jigsaw {

void SelectForm::Drive1_Change()
{
    GameState &s = m_game.state();
    const QString root = m_Drive1->currentRoot();
    const QString previousRoot = s.DriveRoot;
    const QString before = m_Dir1->path();
    s.DriveRoot = browse::withTrailingSlash(root);
    if (!drives::isVolumeReady(root) || !m_Dir1->openDrive(s.DriveRoot)) {
        s.DriveRoot = previousRoot;
        m_Drive1->showRoot(m_Dir1->rootPath());
        msg::showNotice(this, tr("ディスクが準備されていません。"));
        return;
    }
    // Browsing starts at the root even when the folder list already stood there.
    if (m_Dir1->path() == before)
        Dir1_Change();
    m_Command4->setEnabled(false);
}

void SelectForm::Dir1_Change()
{
    GameState &s = m_game.state();
    s.BrowseDir = m_Dir1->path();
    ClearThumbnails();
    m_Label7->setText(s.BrowseDir);
    ListPictures();
    if (m_game.selectFields().FolderHasPictures == 1)
        m_game.PlayNoticeSound();
    m_Command4->setEnabled(s.DriveRoot != s.BrowseDir);
}

void SelectForm::Command4_Click()
{
    GameState &s = m_game.state();
    const QString shown = m_Label7->text();
    if (shown != s.DriveRoot) {
        const QString above = browse::folderAbove(shown, s.BrowseDir.size());
        m_Label7->setText(above);
        s.BrowseDir = above;
        m_Dir1->setPath(above);
    } else {
        m_Command4->setEnabled(false);
    }
    ClearThumbnails();
    ListPictures();
}

} // namespace jigsaw
