#pragma once

#include "board/BoardControls.h"
#include "board/UniformRandom.h"

#include <QImage>
#include <QMainWindow>

#include <functional>

namespace jigsaw {

class Game;
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
    explicit BoardForm(Game &game, QWidget *parent = nullptr);

    const BoardControls &ui() const { return m_ui; }

    // The inner size of the form in pixels: the area below the menu bar, status bar included.
    float scaleWidth();
    float scaleHeight();

    // The launched game's picture at its natural size. The board shows it until Start has cut
    // it; the form keeps this one reference for the completed-picture view.
    void setGamePicture(const QImage &picture);
    const QImage &gamePicture() const { return m_gamePicture; }

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

    void HScroll1_Change();
    void VScroll2_Change();

    void Timer1_Timer(); // elapsed time
    void Timer2_Timer(); // remaining time
    void Timer3_Timer(); // question panel slides in
    void Timer4_Timer(); // question panel slides out
    void Timer5_Timer(); // background music

    // The question panel: OK, NO and a choice picked in its input box, dispatched on PanelMode.
    void Command1_Click();
    void Command3_Click();
    void Combo1_Click();

public:
    // What a question shows besides its message and the OK button.
    enum PanelPart { NoParts = 0, InputBox = 1, UnitLabel = 2, NoButton = 4 };
    Q_DECLARE_FLAGS(PanelParts, PanelPart)

    // Asks a question on the panel: sets the mode, shows the parts the question needs, brings
    // the panel to the front, sounds the notice cue and slides the panel in.
    void AskQuestion(double mode, const QString &message, PanelParts parts);
    // Slides the panel out; PanelMode returns to 0 when it has left the board.
    void SlideOutPanel();

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

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

    // Lays out the client area for the form's current size, visible or not.
    void layoutClientArea();

    // Adds steps to the set-up progress bar.
    void advanceProgress(int steps);

    // The clock's start: the time bar of a new game, or the time panel of a resumed one.
    void SetUpTimeBar();
    void RestoreTimePanel();

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

    GameState &state();
    BoardFields &fields();

    Game &m_game;
    BoardControls m_ui;
    QImage m_gamePicture;
    UniformRandom m_random;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(BoardForm::PanelParts)

} // namespace jigsaw
