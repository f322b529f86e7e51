#include "platform/QtPrinting.h"
#include "records/SavedGameFile.h"
#include "support/TempAppDir.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace jigsaw;

namespace {

// A 16-piece game with a typed time limit, a fractional bar step and a fractional piece.
GameToSave sixteenPieceGame()
{
    GameToSave game;
    game.picturePath = QStringLiteral("/home/player/写真/富士山.jpg");
    game.timeLimit = QStringLiteral("45");
    game.placementSound = 1;
    game.elapsedSec = 12;
    game.elapsedMin = 3;
    game.remainingTotalSec = 2508;
    game.timeBarStep = 0.75f;
    game.remainingSec = 48;
    game.remainingMin = 41;
    game.pieceCount = 16;
    game.gridSide = 4;
    for (int i = 0; i < 16; ++i) {
        game.left.push_back(static_cast<float>(1230 + i));
        game.top.push_back(static_cast<float>(450 - 10 * i));
    }
    game.left[1] = 480.0f / 7.0f; // 68.571426...
    game.top[2] = -3;
    return game;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(SavedGameWriter, SixteenPiecesAreTwentySevenLinesByteForByte)
{
    // Written out by hand: Shift_JIS path, the typed limit without spaces, number lines with a
    // space on each side, pieces as Left&Top without spaces, CR LF after every line.
    const QByteArray expected =
        "/home/player/\x8e\xca\x90\x5e/\x95\x78\x8e\x6d\x8e\x52.jpg\r\n"
        "45\r\n"
        " 1 \r\n"
        " 12 \r\n"
        " 3 \r\n"
        " 2508 \r\n"
        " .75 \r\n"
        " 48 \r\n"
        " 41 \r\n"
        " 16 \r\n"
        " 4 \r\n"
        "1230&450\r\n"
        "68.57143&440\r\n"
        "1232&-3\r\n"
        "1233&420\r\n"
        "1234&410\r\n"
        "1235&400\r\n"
        "1236&390\r\n"
        "1237&380\r\n"
        "1238&370\r\n"
        "1239&360\r\n"
        "1240&350\r\n"
        "1241&340\r\n"
        "1242&330\r\n"
        "1243&320\r\n"
        "1244&310\r\n"
        "1245&300\r\n";

    TempAppDir app(TempAppDir::Contents{.library = false, .waves = false, .saveDir = true,
                                        .recordDir = false});
    ASSERT_EQ(savedgame::writeFile(app.path(), QStringLiteral("続き"), sixteenPieceGame()),
              savedgame::WriteStatus::Ok);
    const QByteArray written = readAll(app.filePath(QStringLiteral("save/続き.txt")));
    EXPECT_EQ(written, expected);
    EXPECT_EQ(written.count("\r\n"), 27);

    // What the reader makes of it: the path whole, the pieces rounded halves to even.
    const savedgame::ReadResult read =
        savedgame::readFile(app.filePath(QStringLiteral("save/続き.txt")));
    ASSERT_EQ(read.status, savedgame::ReadStatus::Ok);
    EXPECT_EQ(read.game.values[savedgame::PicturePath], sixteenPieceGame().picturePath);
    EXPECT_EQ(read.game.values[savedgame::TimeLimit], QStringLiteral("45"));
    EXPECT_EQ(read.game.left[1], 69);
    EXPECT_EQ(read.game.top[2], -3);

    // A limit that came as a number is written as a number line.
    GameToSave numbered = sixteenPieceGame();
    numbered.timeLimit = QStringLiteral(" 45 ");
    EXPECT_EQ(savedgame::lines(numbered).at(1), QStringLiteral(" 45 "));
}

TEST(SavedGameWriter, NamesThatWouldLeaveTheSaveFolderAreRefused)
{
    for (const QString &name : {QStringLiteral("../x"), QStringLiteral("a/b"),
                                QStringLiteral("..\\x"), QStringLiteral("."), QStringLiteral(".."),
                                QStringLiteral("tab\there"), QStringLiteral("bell\x07"),
                                QString()}) {
        EXPECT_FALSE(savedgame::isUsableName(name)) << name.toStdString();
    }
    for (const QString &name : {QStringLiteral("続き"), QStringLiteral("..."),
                                QStringLiteral(".hidden"), QStringLiteral("a.b"),
                                QStringLiteral("ゲーム 2"), QStringLiteral("x*?<>|")}) {
        EXPECT_TRUE(savedgame::isUsableName(name)) << name.toStdString();
    }

    // The writer refuses them itself, whoever calls it.
    TempAppDir app(TempAppDir::Contents{.library = false, .waves = false, .saveDir = true,
                                        .recordDir = false});
    EXPECT_EQ(savedgame::writeFile(app.path(), QStringLiteral("../x"), sixteenPieceGame()),
              savedgame::WriteStatus::UnusableName);
    EXPECT_FALSE(QFile::exists(app.filePath(QStringLiteral("x.txt"))));
}
