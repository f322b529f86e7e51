#pragma once

#include <QImage>
#include <QMainWindow>
#include <QString>

#include <array>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

namespace jigsaw {

class ColorButton;
class GameSession;
class StretchImage;

// The rows of the ranking table.
inline constexpr int kRankingRows = 10;

// The controls of the records form, named as in its design.
struct RecordsControls
{
    StretchImage *Image1 = nullptr;
    QFrame *Frame1 = nullptr;
    QLabel *Label1 = nullptr; // "ピース枚数選択"
    QLabel *Label2 = nullptr; // "枚"
    QLabel *Label3 = nullptr; // "画像名"
    QLabel *Label4 = nullptr; // the picture's file name
    QComboBox *Combo1 = nullptr; // piece counts with records
    QComboBox *Combo2 = nullptr; // hidden: the records in ranking order
    ColorButton *Command1 = nullptr; // 順位表示
    QPushButton *Command2 = nullptr; // 元の画面に戻る
    QLabel *Label8 = nullptr;  // column headings
    QLabel *Label9 = nullptr;
    QLabel *Label10 = nullptr;
    std::array<QLabel *, kRankingRows> RankNumbers{}; // Label11 to Label20
    std::array<QLabel *, kRankingRows> Label5{};      // time of rank index + 1
    std::array<QLabel *, kRankingRows> Label6{};      // player
    std::array<QLabel *, kRankingRows> Label7{};      // date
    std::array<QLabel *, 2> StatusPanels{};           // status bar panels 1 and 2
};

// The records form 記録: the ten best times of one picture and piece count, with the player
// names and dates, and the record file put back in ranking order once shown.
class RecordsForm : public QMainWindow
{
    Q_OBJECT

public:
    explicit RecordsForm(GameSession &game, QWidget *parent = nullptr);

    const RecordsControls &ui() const { return m_ui; }

    // The form's outer height as set, in twips.
    int formHeightTwips() const { return m_formHeightTwips; }

    // Status bar panels 1 and 2.
    QString panelText(int panel) const;
    void setPanelText(int panel, const QString &text);

    // Selects a piece count in Combo1 as the player would pick it.
    void choosePieceCount(const QString &pieceCountText);

    // Looks up the records made with the selected picture: fills Combo1 with the piece counts
    // that have a record file, choosing the first, and tells whether there were any.
    void LookUpPictureRecords();
    // The picture the records are of.
    void showPicture(const QImage &picture);

    // Shows the form, not modal, in front; a form not yet shown opens centred over the form it
    // was opened from, wholly on the screen.
    void open(const QWidget *over);

    void FormLoad();
    void Combo1_Click();
    void Command1_Click(); // 順位表示
    void Command2_Click(); // 元の画面に戻る

signals:
    // The selected picture's records were looked up; found tells whether it has any.
    void pictureRecordsLookedUp(bool found);
    // 元の画面に戻る: the player goes back to the selection form.
    void backToSelection();

private:
    void createControls();
    void createChoice();
    void createTable();
    void createStatusBar();
    void connectControls();

    void setFormHeightTwips(int twips);

    GameSession &m_game;
    RecordsControls m_ui;
    QWidget *m_client = nullptr;
    int m_formHeightTwips = 0;
};

} // namespace jigsaw
