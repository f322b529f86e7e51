#pragma once

#include "platform/FormInstance.h"

#include <QMainWindow>
#include <QString>

#include <array>

class QAction;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;
class QWindow;

namespace jigsaw {

namespace picture {
class ThumbnailLoader;
}

class BoardForm;
class ChoiceComboBox;
class ColorButton;
class DriveList;
class FolderList;
class GameSession;
class MarkerShape;
class PathLabel;
class RecordsForm;
class StretchImage;
class WindowReturn;

// The start-up form 画像選択: its start-up, its three views (picture library, folder browser,
// saved-game list), the thumbnail pages, the blinking show-pictures button and the way out.
class SelectForm : public QMainWindow
{
    Q_OBJECT

public:
    // GO launches the game on the board; the records button opens the records form.
    SelectForm(GameSession &game, FormInstance<BoardForm> &board,
               FormInstance<RecordsForm> &records, QWidget *parent = nullptr);

    // Start-up: finds the program folder, checks for saved games, puts the music file in
    // place, sizes the form and opens the picture library.
    void FormLoad();

    // The views chosen by the menus.
    void ShowLibraryView();    // サンプルを表示
    void ShowFolderView();     // ファイルから読み込む
    void ShowSavedGameView();  // ゲームの続き
    void AskToExit();          // 終了

    // The picture browser.
    void ClearThumbnails();
    void ListPictures();
    void ShowPicturePage();
    void OpenPictureLibrary();

    // Reactions to the controls.
    void Timer1_Timer();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Image1_Click(int index);
    void Drive1_Change();
    void Dir1_Change();
    void Combo1_Click(int index); // a saved game picked in the list

    // Reactions to what the player did on the other forms, passed on by the game.
    // A game was saved: it can be resumed in this run, not only after the next start.
    void offerSavedGames();
    // The board has closed: this form comes to the front with GO focused and the saved-game
    // list emptied (its activation brings the library back).
    void takeOverFromBoard();
    // The selected picture's records were looked up: the records button and its hint, with
    // the thumbnail passed to the records form, when there are any; the GO hint when not.
    void showPictureRecords(bool found);
    // The player went back from the records form: no thumbnail stays marked, and the records
    // button goes.
    void backFromRecords();

    // Status bar panel 1.
    QString statusText() const;
    void setStatusText(const QString &text);

    // The form's outer width and height as designed, in twips.
    int formWidthTwips() const { return m_formWidthTwips; }
    int formHeightTwips() const { return m_formHeightTwips; }

    // The records button, and the thumbnails with their markers.
    ColorButton *command6() const { return m_Command6; }
    StretchImage *image1(int index) const { return m_Image1.at(static_cast<std::size_t>(index)); }
    MarkerShape *shape1(int index) const { return m_Shape1.at(static_cast<std::size_t>(index)); }

    void setVisible(bool visible) override;

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    static constexpr int kThumbs = 6;

    void createMenus();
    void createControls();
    void createStatusBar();
    void connectControls();

    void setFormWidthTwips(int twips);
    void setFormHeightTwips(int twips);
    void stopBlinking();
    // The keyboard on the page of thumbnails: the arrows move between them, Tab leaves them.
    void moveThumbnailFocus(int from, int key);
    void leaveThumbnails(bool forward);
    void ListSavedGames();
    // Shows a picture in a thumbnail: at once when it is kept from before, else when a worker
    // has made it. A form out of sight reads its kept ones as it is shown (setVisible).
    void showThumbnail(int index, const QString &path);
    void readThumbnail(int index, const QString &path);
    void thumbnailReady(int ticket, const QImage &thumbnail);

    GameSession &m_game;
    FormInstance<BoardForm> &m_board;
    FormInstance<RecordsForm> &m_records;
    int m_formWidthTwips = 0;
    int m_formHeightTwips = 0;
    WindowReturn *m_return = nullptr;

    QAction *m_menuLoad = nullptr;     // 画像の読込
    QAction *m_menuFromFile = nullptr; // ファイルから読み込む
    QAction *m_menuSample = nullptr;   // サンプルを表示
    QAction *m_menuContinue = nullptr; // ゲームの続き
    QAction *m_menuExit = nullptr;     // 終了

    QWidget *m_client = nullptr;
    QGroupBox *m_Frame1 = nullptr;
    QGroupBox *m_Frame2 = nullptr;
    QGroupBox *m_Frame3 = nullptr;
    QLabel *m_Label1 = nullptr;
    QLabel *m_Label2 = nullptr;
    QLabel *m_Label3 = nullptr;
    QLabel *m_Label4 = nullptr;
    QLabel *m_Label5 = nullptr;
    QLabel *m_Label6 = nullptr;
    PathLabel *m_Label7 = nullptr;
    QLabel *m_Label8 = nullptr;
    ColorButton *m_Command1 = nullptr;
    QPushButton *m_Command2 = nullptr;
    QPushButton *m_Command3 = nullptr;
    ColorButton *m_Command4 = nullptr;
    ColorButton *m_Command5 = nullptr;
    ColorButton *m_Command6 = nullptr;
    std::array<StretchImage *, kThumbs> m_Image1{};
    std::array<MarkerShape *, kThumbs> m_Shape1{};
    DriveList *m_Drive1 = nullptr;
    FolderList *m_Dir1 = nullptr;
    ChoiceComboBox *m_Combo1 = nullptr;
    QLabel *m_statusPanel1 = nullptr;
    QTimer *m_Timer1 = nullptr;
    picture::ThumbnailLoader *m_thumbnails = nullptr;
    // The request each thumbnail waits for; 0 for none.
    std::array<int, kThumbs> m_thumbnailTickets{};
    // The pictures of a page listed while the form was out of sight, whose thumbnails are read
    // as it is shown.
    std::array<QString, kThumbs> m_unreadThumbnails{};
};

} // namespace jigsaw
