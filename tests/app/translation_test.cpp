#include "DesktopTestSupport.h"

#include "platform/AppSetup.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {

struct Message
{
    QString context;
    QString source;
    QString translation;
    QString type; // "unfinished", "vanished", "obsolete" or empty when finished
};

// The text of the element the reader stands on; Qt Linguist writes a carriage return as
// <byte value="xd"/>, the character's code in hexadecimal after an x.
QString elementText(QXmlStreamReader &reader)
{
    QString text;
    const QString element = reader.name().toString();
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isCharacters())
            text += reader.text();
        else if (reader.isStartElement() && reader.name() == QLatin1String("byte"))
            text += QChar(
                reader.attributes().value(QLatin1String("value")).mid(1).toUInt(nullptr, 16));
        else if (reader.isEndElement() && reader.name() == element)
            break;
    }
    return text;
}

QList<Message> readTs(const QString &path)
{
    QList<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader reader(&file);
    QString context;
    Message message;
    while (reader.readNextStartElement() || !reader.atEnd()) {
        if (!reader.isStartElement())
            continue;
        if (reader.name() == QLatin1String("name")) {
            context = reader.readElementText();
        } else if (reader.name() == QLatin1String("message")) {
            message = Message{context, {}, {}, {}};
        } else if (reader.name() == QLatin1String("source")) {
            message.source = elementText(reader);
        } else if (reader.name() == QLatin1String("translation")) {
            message.type = reader.attributes().value(QLatin1String("type")).toString();
            message.translation = elementText(reader);
            messages.append(message);
        }
    }
    return messages;
}

QSet<QString> keys(const QList<Message> &messages)
{
    QSet<QString> found;
    for (const Message &m : messages)
        found.insert(m.context + QLatin1String(" | ") + m.source);
    return found;
}

// The arguments a text takes, %1 to %9, as a sorted list.
QStringList arguments(const QString &text)
{
    QStringList found;
    const QRegularExpression argument(QStringLiteral("%[1-9]"));
    for (auto it = argument.globalMatch(text); it.hasNext();)
        found.append(it.next().captured());
    found.sort();
    found.removeDuplicates();
    return found;
}

} // namespace

// The translation beside the sources holds every text the sources give Qt to translate (none
// added without it, none left over), each finished in English with the same arguments and
// lines, and the game carries exactly that translation.
TEST(EnglishTranslation, HoldsEveryTextOfTheSourcesFinishedInEnglish)
{
    const QList<Message> shipped = readTs(QStringLiteral(JIGSAW_TS_FILE));
    ASSERT_GT(shipped.size(), 100);

    QTemporaryDir scratch;
    const QString gathered = scratch.filePath(QStringLiteral("gathered.ts"));
    QProcess lupdate;
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    lupdate.start(QStringLiteral(JIGSAW_LUPDATE),
                  {QStringLiteral("-locations"), QStringLiteral("none"),
                   QStringLiteral(JIGSAW_SOURCE_DIR), QStringLiteral("-ts"), gathered});
    ASSERT_TRUE(lupdate.waitForFinished(120000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAll().toStdString();
    const QSet<QString> inSources = keys(readTs(gathered));
    const QSet<QString> inTranslation = keys(shipped);
    for (const QString &key : inSources - inTranslation)
        ADD_FAILURE() << "not in the translation: " << key.toStdString();
    for (const QString &key : inTranslation - inSources)
        ADD_FAILURE() << "no longer in the sources: " << key.toStdString();

    QTranslator built;
    ASSERT_TRUE(built.load(QStringLiteral(":/i18n/jigsaw_en.qm")));
    for (const Message &m : shipped) {
        const std::string what = m.context.toStdString() + " | " + m.source.toStdString();
        EXPECT_TRUE(m.type.isEmpty()) << what << " is " << m.type.toStdString();
        EXPECT_FALSE(m.translation.trimmed().isEmpty()) << what;
        EXPECT_TRUE(isFreeOfJapanese(m.translation))
            << what << " -> " << m.translation.toStdString();
        EXPECT_EQ(arguments(m.translation), arguments(m.source)) << what;
        EXPECT_EQ(m.translation.count(QLatin1Char('\r')), m.source.count(QLatin1Char('\r')))
            << what;
        EXPECT_EQ(built.translate(m.context.toUtf8().constData(), m.source.toUtf8().constData()),
                  m.translation)
            << what;
    }
}

// The desktop's first language decides; LANGUAGE, as the desktop's list, comes first.
TEST(GameLanguage, JapaneseOnlyWhenTheDesktopsFirstLanguageIsJapanese)
{
    using jigsaw::app::Language;
    using jigsaw::app::languageFor;
    EXPECT_EQ(languageFor({QStringLiteral("ja_JP.UTF-8")}), Language::Japanese);
    EXPECT_EQ(languageFor({QStringLiteral("ja-JP"), QStringLiteral("en-US")}), Language::Japanese);
    EXPECT_EQ(languageFor({QStringLiteral("ja")}), Language::Japanese);
    EXPECT_EQ(languageFor({QStringLiteral("en-GB"), QStringLiteral("ja-JP")}), Language::English);
    EXPECT_EQ(languageFor({QStringLiteral("de_DE.UTF-8")}), Language::English);
    EXPECT_EQ(languageFor({QStringLiteral("jam")}), Language::English);
    EXPECT_EQ(languageFor({QStringLiteral("C")}), Language::English);
    EXPECT_EQ(languageFor({}), Language::English);

    const QByteArray old = qgetenv("LANGUAGE");
    qputenv("LANGUAGE", "ja:en");
    EXPECT_EQ(jigsaw::app::desktopLanguage(), Language::Japanese);
    qputenv("LANGUAGE", "en");
    EXPECT_EQ(jigsaw::app::desktopLanguage(), Language::English);
    qputenv("LANGUAGE", "fr:ja");
    EXPECT_EQ(jigsaw::app::desktopLanguage(), Language::English);
    qputenv("LANGUAGE", old);
}
