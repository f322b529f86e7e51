#include "select/SelectForm.h"

#include "platform/Files.h"
#include "platform/Numbers.h"
#include "platform/ThumbnailLoader.h"
#include "records/RecordsForm.h"
#include "select/LaunchGame.h"
#include "select/PictureListing.h"
#include "select/SelectControls.h"
#include "state/GameSession.h"

#include <QGroupBox>
#include <QLabel>
#include <QTimer>

#include <optional>
#include <utility>

namespace jigsaw {

namespace {

constexpr int kNarrowTwips = 5760;

constexpr char kClickHint[] =
    QT_TRANSLATE_NOOP("jigsaw::SelectForm", "画像をクリックして選択してください");
constexpr char kNothingShown[] =
    QT_TRANSLATE_NOOP("jigsaw::SelectForm", "画像が表示されていません");
constexpr char kGoHint[] =
    QT_TRANSLATE_NOOP("jigsaw::SelectForm", "よろしければＧＯボタンをクリックしてください");
const QString kLibraryPrefix = QStringLiteral("ジグソー画像");

std::size_t slot(int index)
{
    return static_cast<std::size_t>(index);
}

} // namespace

void SelectForm::ClearThumbnails()
{
    for (int i = 0; i < kThumbs; ++i) {
        m_Image1[slot(i)]->clearPicture();
        m_Image1[slot(i)]->setName(QString());
        m_Shape1[slot(i)]->hide();
    }
    m_thumbnails->cancelAll();
    m_thumbnailTickets.fill(0);
    m_unreadThumbnails.fill(QString());
    m_Command1->setEnabled(false);
    m_game.state().ChosenSavedGame.clear();
}

void SelectForm::ListPictures()
{
    GameState &s = m_game.state();
    ClearThumbnails();
    s.PictureCount = 0;
    for (int k = 1; k <= browse::kMaxPictures; ++k)
        s.PictureNames[slot(k)].clear();
    s.SelectedThumb.reset();
    s.PageIndex = 0;
    s.PageCount = 0;
    m_Command3->hide();
    m_Command2->hide();
    if (s.BrowseDir.isEmpty())
        return;

    s.BrowseDir = browse::withTrailingSlash(s.BrowseDir);
    const QStringList names = browse::pictureNames(m_game.folders().listFiles(s.BrowseDir));
    for (const QString &name : names) {
        s.PictureCount += 1;
        s.PictureNames[slot(static_cast<int>(s.PictureCount))] = name;
    }
    s.ListEntry.clear();

    SelectFields &f = m_game.selectFields();
    if (s.PictureCount == 0) {
        m_Label1->setText(QStringLiteral("0"));
        m_Command5->setEnabled(false);
        stopBlinking();
        f.FolderHasPictures = 0;
    } else {
        m_Label1->setText(num::numberText(s.PictureCount));
        m_Command5->setEnabled(true);
        // The blinking draws the eye to the button; out of view it would only keep the game
        // awake.
        if (m_Frame2->isVisibleTo(this))
            m_Timer1->start();
        else
            stopBlinking();
        s.PageCount = browse::pageCountFor(static_cast<int>(s.PictureCount));
        f.FolderHasPictures = 1;
    }
    m_Label3->hide();
    m_Label4->hide();
    m_Label5->hide();
    setStatusText(tr(kNothingShown));
}

void SelectForm::ShowPicturePage()
{
    GameState &s = m_game.state();
    ClearThumbnails();
    m_Label5->show();
    m_Label4->show();
    m_Label3->show();
    m_Label5->setText(num::numberText(s.PictureCount));
    setStatusText(tr(kClickHint));
    for (int i = 0; i < kThumbs; ++i) {
        const int k = static_cast<int>(s.PageIndex) * kThumbs + i + 1;
        if (k > browse::kMaxPictures || s.PictureNames[slot(k)].isEmpty())
            continue;
        const QString &name = s.PictureNames[slot(k)];
        // A picture that cannot be decoded leaves its slot empty but still selectable.
        showThumbnail(i, m_game.folders().filePath(s.BrowseDir, name));
        m_Image1[slot(i)]->setName(name);
        m_Label3->setText(num::numberText(k));
    }
    // The keyboard starts on the page's first picture, unless the player is elsewhere.
    StretchImage *first = m_Image1.front();
    if (first->focusPolicy() != Qt::NoFocus && !focusWidget())
        first->setFocus(Qt::OtherFocusReason);
}

void SelectForm::showThumbnail(int index, const QString &path)
{
    if (!isVisible()) {
        m_unreadThumbnails[slot(index)] = path;
        return;
    }
    readThumbnail(index, path);
}

void SelectForm::setVisible(bool visible)
{
    QMainWindow::setVisible(visible);
    if (!visible)
        return;
    // The page the form opens on has its kept thumbnails read while the window manager maps
    // the window, rather than before the window is asked for: nothing is painted before this
    // returns, so the first paint shows them all the same.
    for (int i = 0; i < kThumbs; ++i) {
        if (!m_unreadThumbnails[slot(i)].isEmpty())
            readThumbnail(i, std::exchange(m_unreadThumbnails[slot(i)], QString()));
    }
}

void SelectForm::readThumbnail(int index, const QString &path)
{
    StretchImage *image = m_Image1[slot(index)];
    if (const std::optional<QImage> kept = m_thumbnails->kept(path, image->size()))
        image->setPicture(*kept);
    else
        m_thumbnailTickets[slot(index)] = m_thumbnails->request(path, image->size());
}

void SelectForm::thumbnailReady(int ticket, const QImage &thumbnail)
{
    for (int i = 0; i < kThumbs; ++i) {
        if (m_thumbnailTickets[slot(i)] == ticket) {
            m_thumbnailTickets[slot(i)] = 0;
            m_Image1[slot(i)]->setPicture(thumbnail);
        }
    }
}

void SelectForm::OpenPictureLibrary()
{
    GameState &s = m_game.state();
    s.PageIndex = 0;
    s.PageCount = 0;
    s.PictureCount = 0;
    setFormWidthTwips(kNarrowTwips);
    s.BrowseDir = m_game.folders().libraryFolder();
    ListPictures();
    if (s.PageCount > 1)
        m_Command2->show();
    s.PictureDir = s.BrowseDir.chopped(1);
    ShowPicturePage();
}

void SelectForm::Command1_Click()
{
    LaunchGame(m_game, m_board, this);
}

void SelectForm::Command2_Click()
{
    GameState &s = m_game.state();
    s.PageIndex += 1;
    if (s.PageIndex + 1 == s.PageCount)
        m_Command2->hide();
    ShowPicturePage();
    m_Command3->show();
}

void SelectForm::Command3_Click()
{
    GameState &s = m_game.state();
    s.PageIndex -= 1;
    if (s.PageIndex == 0)
        m_Command3->hide();
    m_Command2->show();
    ShowPicturePage();
}

void SelectForm::Command5_Click()
{
    GameState &s = m_game.state();
    if (s.PageCount > 1)
        m_Command2->show();
    s.PictureDir = s.BrowseDir.chopped(1);
    ShowPicturePage();
    stopBlinking();
}

void SelectForm::Image1_Click(int index)
{
    GameState &s = m_game.state();
    s.SelectedThumb = index;
    for (MarkerShape *marker : m_Shape1)
        marker->hide();
    const QString name = m_Image1[slot(index)]->toolTip();
    if (name.isEmpty()) {
        // An empty slot: nothing stays selected.
        s.SelectedThumb.reset();
        m_Command1->setEnabled(false);
        return;
    }
    s.ImageFileName = name;
    m_Shape1[slot(index)]->show();
    m_Command1->setEnabled(true);
    m_game.PlayClickSound();
    if (s.ImageFileName.startsWith(kLibraryPrefix))
        m_records.get()->LookUpPictureRecords();
    else
        setStatusText(tr(kGoHint));
}

void SelectForm::showPictureRecords(bool found)
{
    if (!found) {
        m_Command6->hide();
        setStatusText(tr(kGoHint));
        return;
    }
    m_Command6->show();
    const GameState &s = m_game.state();
    if (s.SelectedThumb)
        m_records.get()->showPicture(m_Image1[slot(*s.SelectedThumb)]->picture());
    setStatusText(tr("過去の記録ボタンをクリックすると、順位表が表示されます。"));
}

} // namespace jigsaw
