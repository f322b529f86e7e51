#include "board/BoardForm.h"

#include "board/CaptionLabel.h"
#include "platform/ChoiceComboBox.h"
#include "platform/Files.h"
#include "platform/Numbers.h"
#include "platform/TextFile.h"
#include "records/RecordFile.h"
#include "records/RecordsForm.h"
#include "state/GameSession.h"

#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QPushButton>

#include <cmath>

namespace jigsaw {

namespace {

const QString kNoPlayerName = QStringLiteral("プレーヤー名が入力されていません。");
const QString kRecordSaved = QStringLiteral("この記録を保存しました。");
const QString kPictureAdded =
    QStringLiteral("なお、使用した画像を起動時に表示できるように設定しました。");
const QString kPictureNotAdded =
    QStringLiteral("ただし、使用した画像を画像フォルダにコピーできませんでした。");
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
    if (s.PanelMode == 6) {
        // The picture joins the library under its new name, so that it can be chosen again.
        const QString library = m_game.folders().addedPicturesFolder();
        const bool added = files::makeFolder(library)
            && files::copyFile(s.ImageFilePath, library + QLatin1Char('/') + s.ImageFileName,
                               files::Overwrite::Yes);
        if (!WriteRecordFile())
            return;
        m_ui.Label5->setCaption(kRecordSaved + (added ? kPictureAdded : kPictureNotAdded)
                             + kOfferRanking);
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
    const auto seconds = static_cast<long long>(std::llround(s.ElapsedMin * 60 + s.ElapsedSec));
    const QString line = recordfile::makeLine(QDate::currentDate(), s.ImageFileName,
                                              s.PieceCount, seconds, s.PlayerName);
    if (!isStorableName(s.PlayerName)) {
        m_ui.Label5->setCaption(kNameNotStorable);
        m_game.PlayClickSound();
        return false;
    }
    const recordfile::AddStatus added =
        recordfile::addRecord(m_game.folders().recordFolder(), s.ImageFileName,
                              s.PieceCount, line);
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
