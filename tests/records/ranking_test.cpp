#include "platform/QtPrinting.h"
#include "records/Ranking.h"

#include <gtest/gtest.h>

using namespace jigsaw;

namespace {

ranking::Item item(const QString &timeText, const QString &name,
                   const QString &date = QStringLiteral("2024/03/09"))
{
    return ranking::itemOf(date + QStringLiteral("+sea.jpg%16\\") + timeText + QLatin1Char('*')
                           + name);
}

QStringList namesInOrder(std::vector<ranking::Item> items)
{
    ranking::sortItems(items);
    QStringList names;
    for (const ranking::Item &i : items)
        names.append(i.name);
    return names;
}

} // namespace

TEST(Ranking, TimesShowAtAnyLengthAndDamagedTimesAreKeptAsTheyWere)
{
    EXPECT_EQ(ranking::clockText(0), QStringLiteral("00時間00分00秒"));
    EXPECT_EQ(ranking::clockText(32768), QStringLiteral("09時間06分08秒"));
    EXPECT_EQ(ranking::clockText(360000 + 59), QStringLiteral("100時間00分59秒"));
    EXPECT_EQ(ranking::listText(item(QStringLiteral("754"), QStringLiteral("B"))),
              QStringLiteral("00754B2024/03/09"));

    const ranking::Item damaged = item(QStringLiteral("12:34"), QStringLiteral("X"));
    EXPECT_FALSE(damaged.seconds.has_value());
    EXPECT_EQ(ranking::fileTime(damaged), QStringLiteral("12:34"));
    EXPECT_EQ(ranking::shownTime(damaged), QStringLiteral("12:34"));
}

TEST(Ranking, EqualTimesGoByNameAndDateIgnoringCaseAndDamagedTimesLast)
{
    // "bob" sorts between "Amy" and "Cat", and before "BOB" of a later day.
    EXPECT_EQ(namesInOrder({item(QStringLiteral("5"), QStringLiteral("Cat")),
                            item(QStringLiteral("5"), QStringLiteral("BOB"),
                                 QStringLiteral("2024/05/01")),
                            item(QStringLiteral("5"), QStringLiteral("bob"),
                                 QStringLiteral("2024/04/01")),
                            item(QStringLiteral("5"), QStringLiteral("Amy"))}),
              QStringList({QStringLiteral("Amy"), QStringLiteral("bob"), QStringLiteral("BOB"),
                           QStringLiteral("Cat")}));

    EXPECT_EQ(namesInOrder({item(QStringLiteral("100000"), QStringLiteral("long")),
                            item(QStringLiteral("x"), QStringLiteral("damaged")),
                            item(QStringLiteral("2"), QStringLiteral("quick"))}),
              QStringList({QStringLiteral("quick"), QStringLiteral("long"),
                           QStringLiteral("damaged")}));
}
