#pragma once

#include "board/BoardControls.h"
#include "board/UniformRandom.h"
#include "platform/FormInstance.h"
#include "platform/PendingPicture.h"

#include <QImage>
#include <QPointF>
#include <QMainWindow>

#include <functional>
#include <optional>
#include <vector>

class QMenu;
class QTimer;

namespace jigsaw {

namespace savedgame {
struct Settings;
}

struct BoardViewInput;

namespace geom {
class Zoom;
}

namespace picture {
class ScaledPicture;
}

class GameSession;
class RecordsForm;
class WindowReturn;
struct BoardFields;
struct GameState;

// The puzzle-board form ジグソーパズル: its controls as designed, its activation and the Start
// that turns the launched picture into a game. Inside the form everything is measured in
// pixels at single precision (read and written through geom::); the form's own client area is
// ui().Form, and the status bar lies inside it along its bottom edge.
class BoardForm : public QMainWindow
{
    Q_OBJECT

public:
    // The records form is where the player sees the ranking after a completed game.
    BoardForm(GameSession &game, FormInstance<RecordsForm> &records, QWidget *parent = nullptr);
    ~BoardForm() override;

    const BoardControls &ui() const { return m_ui; }

    // The inner size of the form in pixels: the area below the menu bar, status bar included.
    float scaleWidth();
    float scaleHeight();

    // The launched game's picture at its natural size, perhaps still being decoded. The board
    // shows it until Start has cut it; the pieces and the completed-picture view show parts of
    // this one image, each its rows as they become final.
    void setGamePicture(picture::PendingPicture picture);
    // The whole picture, waiting until every row is final.
    const QImage &gamePicture();

    // GO's part on the board: the form sized to the screen and its view to the picture, the
    // launched game's settings (a new game's, or the resumed saved game's) and the board shown
    // with the whole picture.
    void LayOutLaunchedGame(picture::PendingPicture picture,
                            const std::optional<savedgame::Settings> &saved);

    // The scale the view shows the board and the box's pieces at. What the game computes, and
    // what it stores, stays in picture pixels whatever the scale.
    double zoomScale() const;
    // Shows the board at a scale; the place of the board at anchor, in the view's pixels, stays
    // under it.
    void setZoom(double scale, QPointF anchor);

    // Puts a fixed source of uniform numbers in [0, 1) in place of the clock-seeded one.
    void setRandomSource(std::function<double()> source);

    // Start's set-up procedures, in the order Start calls them.
    void LayoutBoardPieces();
    void LayoutPieceBox();
    void PlaceBoxAtHome();
    void ShuffleBoxSlots();
    void CutPicture();
    void DrawBoardGrid();

public slots:
    // Runs whenever the form becomes the active window.
    void Form_Activate();
    // The menu スタート.
    void Start_Click();
    // The menu 保存.
    void Save_Click();

    void HScroll1_Change();
    void VScroll2_Change();

    void Timer1_Timer(); // elapsed time
    void Timer2_Timer(); // remaining time
    void Timer3_Timer(); // question panel slides in
    void Timer4_Timer(); // question panel slides out
    void Timer5_Timer(); // background music
    // Stops the background music and lets its file go.
    void StopMusic();

    // The question panel: OK, NO and a choice picked in its input box, dispatched on PanelMode.
    void Command1_Click();
    void Command3_Click();
    void Combo1_Click();

    // Leaving the board: the menu 終了 asks first, 新しい画像を選択する closes the board.
    void Quit_Click();
    void NewPicture_Click();
    // The settings: the game-time limit, its cancelling, the placement cue, the piece count
    // (index into kPieceCountChoices).
    void SetGameTime_Click();
    void CancelGameTime_Click();
    void PlacementSound_Click();
    void PieceCount_Click(int index);
    // 表示倍率: the scale that fits the screen, or one of kZoomSteps (index into it).
    void ZoomFit_Click();
    void ZoomStep_Click(int index);
    // Ctrl++ and Ctrl+-: the next step in or out.
    void ZoomIn_Key();
    void ZoomOut_Key();
    // The view scrolls on while a piece is held at its edge.
    void DragScroll_Timer();
    // The bare board's hints and right press, and the completed-picture view.
    void Picture2_MouseDown(int button, int shift, double x, double y);
    void Picture2_MouseMove(int button, int shift, double x, double y);
    void ShowCompleted_Click(); // 完成画像を表示
    void Picture3_MouseDown(int button, int shift, double x, double y);

public:
    // What a question shows besides its message and the OK button.
    enum PanelPart { NoParts = 0, InputBox = 1, UnitLabel = 2, NoButton = 4 };
    Q_DECLARE_FLAGS(PanelParts, PanelPart)

    // Asks a question on the panel: sets the mode, shows the parts the question needs, brings
    // the panel to the front, sounds the notice cue and slides the panel in.
    void AskQuestion(double mode, const QString &message, PanelParts parts);
    // Slides the panel out; PanelMode returns to 0 when it has left the board.
    void SlideOutPanel();

    // Play: the pieces on the board, the piece box with its popup, and completion.
    void Picture1_MouseDown(int index, int button, int shift, double x, double y);
    void Picture1_MouseMove(int index, int button, int shift, double x, double y);
    void Picture1_MouseUp(int index, int button, int shift, double x, double y);
    void Picture1_DblClick(int index);
    void Form_MouseMove(int button, int shift, double x, double y);
    void Picture5_MouseDown(int button, int shift, double x, double y);
    void Picture5_MouseMove(int button, int shift, double x, double y);
    void Picture6_MouseDown(int index, int button, int shift, double x, double y);
    void Picture6_MouseMove(int index, int button, int shift, double x, double y);
    void Picture6_DblClick(int index);
    void Picture7_MouseMove(int button, int shift, double x, double y);
    void Picture8_MouseDown(int button, int shift, double x, double y);
    void Picture8_MouseMove(int button, int shift, double x, double y);
    void Picture8_MouseUp(int button, int shift, double x, double y);
    void VScroll1_Change();
    void mnuPieceBox_Click();   // ピースボックス
    void mnuHideBox_Click();    // ピースボックスを表示しない
    // Refreshes the popup 右クリック and pops it up at the mouse, only while a game is in play.
    void ShowBoardPopup();
    // The same, popped up where the keyboard's focus is.
    void ShowBoardPopupAt(const QPoint &globalPos);

    // Keyboard play: each key runs the reaction of the mouse action it stands for.
    void Picture1_KeyDown(int index, int key, int shift);
    void Picture6_KeyDown(int index, int key, int shift);
    // The focus to the piece box (its first slot that holds a piece, or the one it had) or to
    // the board (the piece it had, or the first piece on the board); with reveal, the box or
    // the view scrolls to it.
    void FocusBox(bool reveal = true);
    void FocusBoard(bool reveal = true);
    void CheckCompletion();
    // Whether the board control of piece i lies within the tolerances of its place.
    bool PieceInPlace(int index);
    // Empties the pictures of the game's board and box pieces.
    void ClearPiecePictures();
    // Unchecks all piece-count items and hides every box piece.
    void ClearPieceCountChoice();

signals:
    // The popup 右クリック has just been popped up.
    void popupRequested();
    // A game was saved: the saved games are not what they were.
    void savedGamesChanged();
    // The board has closed and the program goes on: the player picks a picture again.
    void closed();

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Building the form from its design
    void createMenus();
    void createBoardView();
    void createPieceBox();
    void createQuestionPanel();
    void createTimePanel();
    void createProgressFrame();
    void createCompletedView();
    void createStatusBar();
    void createTimers();
    void connectHandlers();
    void connectPieceHandlers();
    void connectBoxHandlers();
    void connectMenuHandlers();
    void connectKeyHandlers();
    void createZoomMenu(QMenu *settings);
    void connectZoomHandlers();

    // Lays out the client area for the form's current size, visible or not.
    void layoutClientArea();
    // Brings a control lying on the form to the front of the others, but behind the status
    // bar, which nothing covers or shows through.
    void bringToFront(QWidget *control);

    // The board view and its zoom
    // Sizes the view to the board as shown and sets up its scroll bars, scrolled to the top-left
    // or kept where they were.
    void fitViewToBoard(bool keepScroll);
    // The form's room for the view, for a board of this size as shown.
    BoardViewInput viewRoom(float boardWidth, float boardHeight);
    // The scroll bars' ranges and steps for the view as it is sized; the board placed by them.
    void setViewScrolling(bool keepScroll);
    // The largest scale, at most 1, at which the board and the piece box fit side by side.
    double fittedScale();
    // With 画面に合わせる chosen, the scale follows what fits.
    void refitZoom();
    void stepZoom(bool in, QPointF anchor);
    // Where a zoom by key or menu is anchored: the piece with the focus, else the mouse over
    // the view, else the view's middle.
    QPointF zoomAnchor() const;
    // The menu's check, the status bar's scale, the scaled copy of the picture.
    void showZoom();
    void makeScaledPicture();
    // The box's panel holds its strip as shown and its scroll bar beside it.
    void sizeBoxPanel();
    bool boxAtHome();
    // A piece dragged at the view's edge scrolls the view.
    void followDragToViewEdge(int index, QPointF mouseInView);

    // Keyboard play
    std::vector<int> slotsInBoxOrder() const; // the slots holding a piece, top to bottom
    std::vector<int> piecesOnBoard() const;   // the pieces shown on the board, by number
    void focusSlot(int index, bool reveal = true);
    void focusPiece(int index, bool reveal = true);
    void showSlot(int index);   // scrolls the box's strip to the slot
    void showPiece(int index);  // scrolls the board view to the piece
    void movePieceByKey(int index, double dx, double dy, int shift);
    // How far the piece moves to the next cell of the grid across or down.
    std::optional<double> pieceToNextCell(int index, bool across, bool forward) const;
    void dropPieceByKey(int index);
    void describePiece(int index);
    // Back to the piece or the box the player was at, when a question has left the board.
    void returnFocusToPlay();

    // Adds steps to the set-up progress bar.
    void advanceProgress(int steps);
    // Shows the game picture, or the part of it within cell, in a box.
    void showGamePicture(PictureBox *box, const QRect &cell = QRect());

    // The clock's start: the time bar of a new game, or the time panel of a resumed one.
    void SetUpTimeBar();
    void RestoreTimePanel();
    // Puts the time panel below the board view, shortening the view first if allowed and
    // needed.
    void PlaceTimePanel(bool mayShortenView);
    // The game time has run out: the clocks stop and the pieces can no longer be moved.
    void TimeRanOut();

    // The reactions of the panel's modes, each with the concern it belongs to.
    void QuitProgram();        // mode 1, OK
    void TimeLimitOk();        // mode 3
    void TimeLimitNo();
    void TimeLimitChoice();
    void SaveNameOk();         // mode 4
    void SaveNameChoice();
    void OverwriteOk();        // mode 5
    void RecordNameOk();       // modes 6 and 7
    void ShowRankingOk();      // mode 8
    // Saving and recording: each reports in the panel when it cannot write its file.
    bool WriteSavedGame();
    void SaveRecord();
    bool WriteRecordFile();

    GameState &state();
    BoardFields &fields();

    GameSession &m_game;
    FormInstance<RecordsForm> &m_records;
    BoardControls m_ui;
    picture::PendingPicture m_picture;
    UniformRandom m_random;
    WindowReturn *m_return = nullptr;
    // A piece moved by the keys is held as a drag is, until Enter or the focus drops it.
    int m_keyDragPiece = -1;
    QPointF m_keyGrab;
    int m_lastSlot = -1;
    int m_lastPiece = -1;
    geom::Zoom *m_zoom = nullptr;
    // 画面に合わせる is chosen: the scale follows the screen, the picture and the piece count.
    bool m_zoomFits = true;
    picture::ScaledPicture *m_scaledPicture = nullptr;
    QTimer *m_scaledPictureWait = nullptr;
    double m_wheelTurn = 0; // notches of Ctrl and the wheel not yet stepped
    int m_edgeDragPiece = -1;
    QPointF m_edgeDragAt; // the mouse in the view's pixels
};

Q_DECLARE_OPERATORS_FOR_FLAGS(BoardForm::PanelParts)

} // namespace jigsaw
