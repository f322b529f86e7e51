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

const QString kNoPlayerName = QStringLiteral("プレーヤー名が入力されていません。");
const QString kRecordSaved = QStringLiteral("この記録を保存しました。");
const QString kPictureAdded =
    QStringLiteral("なお、使用した画像を起動時に表示できるように設定しました。");
const QString kOfferRanking = QStringLiteral("\rこの記録の順位を確認しますか？");

// Why a record was not stored, told in the panel while it keeps asking for the name.
const QString kNameNotStorable =
    QStringLiteral("この名前では記録を保存できません。\r別のプレーヤー名を入力してください。");
const QString kNotRecorded = QStringLiteral("記録を保存できませんでした。\r");
const QString kPictureNameNotStorable =
    QStringLiteral("画像のファイル名に記録できない文字があります。");
const QString kPictureNameTooLong = QStringLiteral("画像のファイル名が長すぎます。");
const QString kRecordFolderUnusable =
    QStringLiteral("記録のフォルダ「datasave」に書き込めません。");
const QString kRecordNotAFile =
    QStringLiteral("記録ファイルと同じ名前のフォルダやリンクがあります。");
const QString kRecordFileTooLarge = QStringLiteral("記録ファイルが大きすぎて読み込めません。");
const QString kRecordFileUnreadable = QStringLiteral("記録ファイルを読み込めません。");
const QString kRecordFileBusy = QStringLiteral(
    "ほかのジグソーパズルが記録ファイルを使っています。もう一度ＯＫをクリックしてください。");
const QString kRecordNotWritten =
    QStringLiteral("ディスクの空きを確かめて、もう一度ＯＫをクリックしてください。");

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
        return QCoreApplication::translate(
            "BoardForm", "記録を保存できませんでした。\r記録ファイルと同じ名前で、"
                         "通常のファイルではないもの（特殊ファイル）があります。");
    case recordfile::AddStatus::NotStorable:
        return kNotRecorded + kPictureNameNotStorable;
    case recordfile::AddStatus::NameTooLong:
        return kNotRecorded + kPictureNameTooLong;
    case recordfile::AddStatus::FolderUnusable:
        return kNotRecorded + kRecordFolderUnusable;
    case recordfile::AddStatus::NotAFile:
        return kNotRecorded + kRecordNotAFile;
    case recordfile::AddStatus::TooLarge:
        return kNotRecorded + kRecordFileTooLarge;
    case recordfile::AddStatus::Unreadable:
        return kNotRecorded + kRecordFileUnreadable;
    case recordfile::AddStatus::Busy:
        return kNotRecorded + kRecordFileBusy;
    default:
        return kNotRecorded + kRecordNotWritten;
    }
}

// Why the outside picture could not join the library; no record is stored then, since a record
// belongs to the picture that bears its name.
QString copyFailureText(library::AddStatus status)
{
    switch (status) {
    case library::AddStatus::NoPicture:
        return QCoreApplication::translate(
            "BoardForm", "記録を保存できませんでした。\r使用した画像ファイルを読み込めないため、"
                         "画像フォルダにコピーできません。");
    case library::AddStatus::FolderUnusable:
        return QCoreApplication::translate(
            "BoardForm", "記録を保存できませんでした。\r画像フォルダ「gazou」に書き込めません。");
    case library::AddStatus::Busy:
        return QCoreApplication::translate(
            "BoardForm", "記録を保存できませんでした。\rほかのジグソーパズルが画像フォルダを"
                         "使っています。もう一度ＯＫをクリックしてください。");
    default:
        return QCoreApplication::translate(
            "BoardForm", "記録を保存できませんでした。\r使用した画像を画像フォルダにコピーできません。"
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
        return kNameNotStorable;
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
        m_ui.Label5->setCaption(kNoPlayerName);
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
        m_ui.Label5->setCaption(kRecordSaved + kPictureAdded + kOfferRanking);
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
    m_ui.Label5->setCaption(kRecordSaved + kOfferRanking);
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
