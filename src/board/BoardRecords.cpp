#include "board/BoardForm.h"

#include "board/CaptionLabel.h"
#include "board/PlayRules.h"
#include "platform/BusyCursor.h"
#include "platform/ChoiceComboBox.h"
#include "platform/Files.h"
#include "platform/Numbers.h"
#include "platform/TextFile.h"
#include "records/LibraryPicture.h"
#include "records/RecordFile.h"
#include "records/RecordsForm.h"
#include "state/GameSession.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QLabel>
#include <QPushButton>

#include <cmath>
#include <optional>

namespace jigsaw {

namespace {

constexpr char kNoPlayerName[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "プレーヤー名が入力されていません。");
constexpr char kRecordSaved[] = QT_TRANSLATE_NOOP(
    "jigsaw::BoardForm", "この記録を保存しました。\rこの記録の順位を確認しますか？");
constexpr char kRecordSavedPictureAdded[] = QT_TRANSLATE_NOOP(
    "jigsaw::BoardForm", "この記録を保存しました。なお、使用した画像を起動時に表示できるように"
                         "設定しました。\rこの記録の順位を確認しますか？");

// Why a record was not stored, told in the panel while it keeps asking for the name.
constexpr char kNameNotStorable[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "この名前では記録を保存できません。\r別のプレーヤー名を入力してください。");
// The reason goes on the line below.
constexpr char kNotRecorded[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "記録を保存できませんでした。\r%1");
constexpr char kPictureNameNotStorable[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "画像のファイル名に記録できない文字があります。");
constexpr char kPictureNameTooLong[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "画像のファイル名が長すぎます。");
constexpr char kRecordFolderUnusable[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "記録のフォルダ「datasave」に書き込めません。");
constexpr char kRecordNotAFile[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "記録ファイルと同じ名前のフォルダやリンクがあります。");
constexpr char kRecordFileTooLarge[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "記録ファイルが大きすぎて読み込めません。");
constexpr char kRecordFileUnreadable[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "記録ファイルを読み込めません。");
constexpr char kRecordFileBusy[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "ほかのジグソーパズルが記録ファイルを使っています。もう一度ＯＫをクリックしてください。");
constexpr char kRecordNotWritten[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "ディスクの空きを確かめて、もう一度ＯＫをクリックしてください。");

// A player name that a record line can hold: Shift_JIS text on one line.
bool isStorableName(const QString &name)
{
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control)
            return false;
    }
    return text::encodeShiftJis(name).has_value();
}

QString failureText(recordfile::AddStatus status)
{
    switch (status) {
    case recordfile::AddStatus::SpecialFile:
        return BoardForm::tr("記録を保存できませんでした。\r記録ファイルと同じ名前で、"
                             "通常のファイルではないもの（特殊ファイル）があります。");
    case recordfile::AddStatus::NotStorable:
        return BoardForm::tr(kNotRecorded).arg(BoardForm::tr(kPictureNameNotStorable));
    case recordfile::AddStatus::NameTooLong:
        return BoardForm::tr(kNotRecorded).arg(BoardForm::tr(kPictureNameTooLong));
    case recordfile::AddStatus::FolderUnusable:
        return BoardForm::tr(kNotRecorded).arg(BoardForm::tr(kRecordFolderUnusable));
    case recordfile::AddStatus::NotAFile:
        return BoardForm::tr(kNotRecorded).arg(BoardForm::tr(kRecordNotAFile));
    case recordfile::AddStatus::TooLarge:
        return BoardForm::tr(kNotRecorded).arg(BoardForm::tr(kRecordFileTooLarge));
    case recordfile::AddStatus::Unreadable:
        return BoardForm::tr(kNotRecorded).arg(BoardForm::tr(kRecordFileUnreadable));
    case recordfile::AddStatus::Busy:
        return BoardForm::tr(kNotRecorded).arg(BoardForm::tr(kRecordFileBusy));
    default:
        return BoardForm::tr(kNotRecorded).arg(BoardForm::tr(kRecordNotWritten));
    }
}

// Why the outside picture could not join the library; no record is stored then, since a record
// belongs to the picture that bears its name.
QString copyFailureText(library::AddStatus status)
{
    switch (status) {
    case library::AddStatus::NoPicture:
        return BoardForm::tr("記録を保存できませんでした。\r使用した画像ファイルを読み込めないため、"
                             "画像フォルダにコピーできません。");
    case library::AddStatus::FolderUnusable:
        return BoardForm::tr("記録を保存できませんでした。\r画像フォルダ「gazou」に書き込めません。");
    case library::AddStatus::Busy:
        return BoardForm::tr("記録を保存できませんでした。\rほかのジグソーパズルが画像フォルダを"
                             "使っています。もう一度ＯＫをクリックしてください。");
    default:
        return BoardForm::tr("記録を保存できませんでした。\r使用した画像を画像フォルダにコピーできません。"
                             "ディスクの空きを確かめて、もう一度ＯＫをクリックしてください。");
    }
}

QString recordLine(const GameState &s)
{
    const auto seconds = static_cast<long long>(std::llround(s.ElapsedMin * 60 + s.ElapsedSec));
    return recordfile::makeLine(QDate::currentDate(), s.ImageFileName, s.PieceCount, seconds,
                                s.PlayerName);
}

// Why the game's record cannot be stored, found without touching a file; none when it can.
std::optional<QString> recordRefusal(const GameState &s)
{
    if (!isStorableName(s.PlayerName))
        return BoardForm::tr(kNameNotStorable);
    const recordfile::AddStatus status =
        recordfile::checkRecord(s.ImageFileName, s.PieceCount, recordLine(s));
    if (status != recordfile::AddStatus::Ok)
        return failureText(status);
    return std::nullopt;
}

} // namespace

void BoardForm::RecordNameOk()
{
    const QString name = m_ui.Combo1->currentText();
    if (name.isEmpty()) {
        m_ui.Label5->setCaption(tr(kNoPlayerName));
        m_game.PlayClickSound();
    } else {
        state().PlayerName = name;
        SaveRecord();
    }
    StopMusic();
}

void BoardForm::SaveRecord()
{
    GameState &s = state();
    // Another copy of the game may keep the files a moment.
    const BusyCursor busy;
    if (s.PanelMode == 6) {
        // Whatever would keep the record out is told before the picture joins the library.
        if (const std::optional<QString> refusal = recordRefusal(s)) {
            m_ui.Label5->setCaption(*refusal);
            m_game.PlayClickSound();
            return;
        }
        // The picture joins the library first, so that it can be chosen again; its record is
        // stored only under the name it was stored under.
        const library::Added added = library::addPicture(m_game.folders(), s.ImageFilePath,
                                                         s.ImageFileName, nextLibraryName);
        if (added.status != library::AddStatus::Ok) {
            m_ui.Label5->setCaption(copyFailureText(added.status));
            m_game.PlayClickSound();
            return;
        }
        s.ImageFileName = added.name;
        // Should the record fail now, the next OK stores the record alone.
        s.PanelMode = 7;
        if (!WriteRecordFile())
            return;
        m_ui.Label5->setCaption(tr(kRecordSavedPictureAdded));
        m_ui.Combo1->hide();
        m_ui.Command3->show();
        m_ui.Label7->hide();
    } else if (s.PanelMode == 7) {
        WriteRecordFile();
    }
}

bool BoardForm::WriteRecordFile()
{
    GameState &s = state();
    if (const std::optional<QString> refusal = recordRefusal(s)) {
        m_ui.Label5->setCaption(*refusal);
        m_game.PlayClickSound();
        return false;
    }
    const recordfile::AddStatus added =
        recordfile::addRecord(m_game.folders().recordFolder(), s.ImageFileName,
                              s.PieceCount, recordLine(s));
    if (added != recordfile::AddStatus::Ok) {
        m_ui.Label5->setCaption(failureText(added));
        m_game.PlayClickSound();
        return false;
    }
    for (QString &record : s.RecordLines)
        record.clear();

    m_ui.Combo1->hide();
    m_ui.Command3->show();
    m_ui.Label5->setCaption(tr(kRecordSaved));
    m_game.PlayClickSound();
    s.PanelMode = 8;
    return true;
}

void BoardForm::ShowRankingOk()
{
    RecordsForm *records = m_records.get();
    records->LookUpPictureRecords();
    records->choosePieceCount(num::numberText(state().PieceCount));
    records->open(this);
    SlideOutPanel();
}

} // namespace jigsaw
