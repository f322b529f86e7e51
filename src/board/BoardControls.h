#pragma once

#include <array>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QTimer;

namespace jigsaw {

class CaptionLabel;
class ChoiceComboBox;
class PictureBox;
class StatusPanels;

// The number of piece controls of each kind on the board form.
inline constexpr int kPieceControls = 100;

// One item of the piece-count menu: its pieces and pieces per side.
struct PieceCountChoice
{
    int count;
    int side;
};

inline constexpr std::array<PieceCountChoice, 7> kPieceCountChoices{{
    {16, 4}, {25, 5}, {36, 6}, {49, 7}, {64, 8}, {81, 9}, {100, 10}}};

// The controls and menu items of the puzzle-board form, named as in its design. Each object
// also carries that name as its object name ("Picture1(3)" for an element of a control array).
struct BoardControls
{
    // The form's client area, on which every direct control of the form lies.
    PictureBox *Form = nullptr;

    // Board view, board and completed-picture view
    PictureBox *Picture9 = nullptr;
    PictureBox *Picture2 = nullptr;
    PictureBox *Picture3 = nullptr;
    QScrollBar *HScroll1 = nullptr;
    QScrollBar *VScroll2 = nullptr;
    std::array<PictureBox *, kPieceControls> Picture1{};

    // Piece box
    PictureBox *Picture8 = nullptr;
    PictureBox *Picture7 = nullptr;
    PictureBox *Picture5 = nullptr;
    QScrollBar *VScroll1 = nullptr;
    std::array<PictureBox *, kPieceControls> Picture6{};
    QComboBox *Combo2 = nullptr;

    // Question panel
    PictureBox *Picture4 = nullptr;
    CaptionLabel *Label5 = nullptr;
    ChoiceComboBox *Combo1 = nullptr;
    QLabel *Label7 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command3 = nullptr;

    // Time panel
    QFrame *Frame1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;

    // Set-up progress frame
    QFrame *Frame2 = nullptr;
    QLabel *Label8 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;

    StatusPanels *StatusBar1 = nullptr;

    QTimer *Timer1 = nullptr; // elapsed time
    QTimer *Timer2 = nullptr; // remaining time
    QTimer *Timer3 = nullptr; // question panel slides in
    QTimer *Timer4 = nullptr; // question panel slides out
    QTimer *Timer5 = nullptr; // background music
    QTimer *DragScroll = nullptr; // scrolls the view while a piece is dragged at its edge

    // Menu bar: スタート, 設定 (ピース数 with its seven items, ゲーム時間を設定,
    // ゲーム時間の設定をキャンセルする, 配置が正しいときに音で知らせる, 表示倍率), 保存,
    // 新しい画像を選択する, 終了
    QAction *mnuStart = nullptr;
    QAction *mnuSettings = nullptr;
    QAction *mnuPieceCount = nullptr;
    std::array<QAction *, kPieceCountChoices.size()> mnuPieceCounts{}; // in the order of the table
    QAction *mnuSetGameTime = nullptr;
    QAction *mnuCancelGameTime = nullptr;
    QAction *mnuPlacementSound = nullptr;
    // 表示倍率: 画面に合わせる, then 25%, 50%, 100% and 200%
    QAction *mnuZoom = nullptr;
    QAction *mnuZoomFit = nullptr;
    std::array<QAction *, 4> mnuZoomSteps{}; // in the order of kZoomSteps
    QAction *mnuSave = nullptr;
    QAction *mnuNewPicture = nullptr;
    QAction *mnuQuit = nullptr;

    // The popup menu 右クリック, never shown in the menu bar
    QMenu *PopupMenu = nullptr;
    QAction *mnuShowCompleted = nullptr;
    QAction *mnuPieceBox = nullptr;
    QAction *mnuHideBox = nullptr;
};

} // namespace jigsaw
