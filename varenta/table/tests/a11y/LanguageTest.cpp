// The table in the user's language: German where the locale asks for it,
// the program's own English texts otherwise, and a German translation that
// leaves no text of the code out.
#include "TableFixture.h"

#include "varenta/net/session/NetworkPlayTexts.h"
#include "varenta/net/session/NetworkSession.h"
#include "varenta/net/socket/SocketErrors.h"
#include "varenta/table/CustomizeDialog.h"
#include "varenta/table/HelpWindow.h"
#include "varenta/table/ShownReasonQuery.h"
#include "varenta/table/TableAccessible.h"
#include "varenta/table/TableTextConversion.h"
#include "varenta/table/TableTranslation.h"
#include "varenta/table/tests/FakeAddressQuery.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextBrowser>
#include <QXmlStreamReader>

#include <algorithm>
#include <map>
#include <string>
#include <utility>

namespace varenta::testing {
namespace {

class LanguageTest : public TableFixture {
protected:
    ~LanguageTest() override { InstallTranslation(QLocale::c()); }

    // The window's menu titles and the Customize dialog's caption and tabs.
    QStringList Shown() {
        QStringList shown;
        for (QAction* menu : window->menuBar()->actions()) {
            shown << menu->text();
        }
        shown << window->Action("New1")->text() << window->Action("New1")->statusTip();
        window->Dialogs().modal = [&shown](QDialog& dialog) {
            auto& customize = dynamic_cast<CustomizeDialog&>(dialog);
            shown << customize.windowTitle();
            auto* tabs = customize.findChild<QTabWidget*>("pcCustomize");
            for (int i = 0; i < tabs->count(); ++i) {
                shown << tabs->tabText(i);
            }
        };
        window->Action("Customize1")->trigger();
        return shown;
    }

    // The title of the help's first page, as a help window opened now reads it.
    QString HelpTitle() {
        HelpWindow help(QString(CARDGAMES_SOURCE_DIR) + "/resources/varenta/help");
        auto* browser = help.findChild<QTextBrowser*>();
        browser->setSource(QUrl("index.html"));
        return browser->documentTitle();
    }

    // An error on the status line: a discard before the draw.
    QString RefusedDiscard() {
        PlayersTurn();
        SetHand({5, 6, 7});
        Click(HandCard(0), Qt::RightButton);
        return Line();
    }
};

TEST_F(LanguageTest, GermanLocaleShowsGermanMenusDialogsAndStatusLine) {
    EXPECT_EQ(InstallTranslation(QLocale("de_DE")), "de");
    EXPECT_EQ(ShownLanguage(), "de");
    Open();
    EXPECT_EQ(Shown(), QStringList({"&Spiel", "&Optionen", "&Netzwerk", "&Hilfe", "&Neu",
                                    "Ein neues Varenta-Spiel beginnen", "Varenta anpassen",
                                    "Bildschirm", "Spieler", "Spielstärke", "Allgemein"}));
    EXPECT_EQ(RefusedDiscard(), "Vor dem Ziehen können Sie nicht abwerfen; ziehen Sie zuerst "
                                "eine Karte vom Stapel oder vom Ablagestapel");
    EXPECT_EQ(HelpTitle(), "Varenta-Hilfe");
}

TEST_F(LanguageTest, EnglishAndUntranslatedLocalesKeepTheProgramsOwnTexts) {
    for (const char* locale : {"C", "en_US", "en_GB", "fr_FR"}) {
        EXPECT_EQ(InstallTranslation(QLocale(locale)), "") << locale;
    }
    Open();
    EXPECT_EQ(Shown(), QStringList({"&Game", "&Options", "&Network", "&Help", "&New",
                                    "Start a new Varenta game", "Customize Varenta", "Screen",
                                    "Players", "Level", "General"}));
    EXPECT_EQ(RefusedDiscard(), "You cannot discard before drawing; please draw first by "
                                "clicking on the stock or the discard pile");
    EXPECT_EQ(HelpTitle(), "Varenta Help");
    // A German table switched back speaks English again.
    InstallTranslation(QLocale("de_DE"));
    InstallTranslation(QLocale::c());
    EXPECT_EQ(ShownText("It's Hans's turn to draw first."), "It's Hans's turn to draw first.");
}

TEST_F(LanguageTest, EngineTextsBuiltAroundNamesAreTranslatedPieceByPiece) {
    InstallTranslation(QLocale("de_DE"));
    const std::pair<const char*, const char*> cases[] = {
        {"It's your turn to draw first.", "Sie ziehen zuerst."},
        {"It's Hans's turn to draw first.", "Zuerst zieht Hans."},
        {"It's 's turn to draw first.", "Zuerst zieht ."},
        {"Hans passes the discard.", "Hans verzichtet auf das Abwerfen."},
        {"Congratulations Ute! You crushed the computer.",
         "Herzlichen Glückwunsch, Ute! Haushoher Sieg gegen Computer."},
        {"Too bad, Ute, Hans beat you.", "Schade, Ute, Hans hat Sie geschlagen."},
        {"your first meld must be at least 90 points (currently 50 points)",
         "Ihre erste Auslage muss mindestens 90 Punkte zählen (bisher 50 Punkte)"},
        {"Connection to Hans lost. The network game will now terminate.",
         "Die Verbindung zu Hans ist abgebrochen. Das Netzwerkspiel wird jetzt beendet."},
        {"The relay at relay.example:3478 refused the user name or password.",
         "Das Relais bei relay.example:3478 hat den Benutzernamen oder das Passwort abgelehnt."},
        {"The connection to the relay at r.example:3478 was lost.",
         "Die Verbindung zum Relais bei r.example:3478 ist abgebrochen."},
        // A name alone is never looked up, a fixed text alone is.
        {"Hans", "Hans"},
        {"Player", "Spieler"},
        {"", ""},
    };
    for (const auto& [english, german] : cases) {
        EXPECT_EQ(ShownText(english).toStdString(), german) << english;
    }
}

// The network code's reasons inside the messages shown around them: joined
// by the session or the relay in English, filled by the connection into a
// hint already in the user's language, or handed to the connect dialog by
// its address query. Wholly German in a German locale, unchanged otherwise.
TEST_F(LanguageTest, NetworkReasonsReadInTheUsersLanguageWhereverTheyAreShown) {
    using Show = QString (*)(const std::string&);
    const Show alone = [](const std::string& text) { return ShownText(text); };
    const Show portHint = [](const std::string& reason) {
        return ShownText(Tr(texts::kPortLost).arg(31415).arg(Q(reason)));
    };
    const Show dialog = [](const std::string& reason) {
        auto query = std::make_unique<FakeAddressQuery>();
        query->problem = reason;
        return QString::fromStdString(ShownReasonQuery::Wrap(std::move(query))->Problem());
    };
    struct Case {
        Show show;
        std::string reason;
        const char* english; // as shown in English; none: the reason itself
        const char* german;
    };
    const Case cases[] = {
        // A socket error, after the session's line and in the relay's parentheses.
        {alone, std::string(texts::kSocketProblem) + "\n" + std::string(SocketErrorText(10061)),
         nullptr,
         "Bei der TCP/IP-Verbindung ist folgendes Problem aufgetreten: \nVerbindung abgelehnt"},
        {alone, "The relay at r.example:3478 cannot be reached (Connection timed out)", nullptr,
         "Das Relais bei r.example:3478 ist nicht erreichbar (Zeitüberschreitung bei der "
         "Verbindung)"},
        // The relay's own reasons; the server's words stay its own.
        {alone,
         "The relay at r.example:3478 refused to relay (error 486: Allocation Quota Reached)",
         nullptr,
         "Das Relais bei r.example:3478 verweigert die Weiterleitung (Fehler 486: Allocation Quota "
         "Reached)"},
        {alone,
         "A partner's connection through the relay at r.example:3478 could not be taken (the "
         "answer "
         "is not signed)",
         nullptr,
         "Die Verbindung eines Partners über das Relais bei r.example:3478 konnte nicht übernommen "
         "werden (die Antwort ist nicht signiert)"},
        {alone, "The relay at r.example:3478 sent an answer that cannot be read (no lifetime)",
         nullptr,
         "Das Relais bei r.example:3478 hat eine unlesbare Antwort geschickt (keine Lebensdauer)"},
        // A relay over TLS whose certificate is refused; the TLS library's words stay its own.
        {alone,
         "The relay at r.example:5349 cannot be reached (the server's certificate is not trusted: "
         "The certificate issuer is unknown.)",
         nullptr,
         "Das Relais bei r.example:5349 ist nicht erreichbar (dem Zertifikat des Servers wird "
         "nicht "
         "vertraut: The certificate issuer is unknown.)"},
        // A read problem of the relay's message.
        {alone,
         "The relay at r.example:3478 sent an answer that cannot be read (a wrong fingerprint)",
         nullptr,
         "Das Relais bei r.example:3478 hat eine unlesbare Antwort geschickt (ein falscher "
         "Fingerabdruck)"},
        // The router's, the longest reason that fits, and one with a number inside.
        {portHint, "no UPnP router answered over IPv6",
         "The router no longer keeps port 31415 open: no UPnP router answered over IPv6.",
         "Der Router hält Port 31415 nicht mehr offen: kein UPnP-Router hat über IPv6 "
         "geantwortet."},
        {portHint, "the NAT-PMP router offered port 4000 instead",
         "The router no longer keeps port 31415 open: the NAT-PMP router offered port 4000 "
         "instead.",
         "Der Router hält Port 31415 nicht mehr offen: der NAT-PMP-Router hat stattdessen Port "
         "4000 "
         "angeboten."},
        {portHint, "the UPnP router refused (error 718 ConflictInMappingEntry)",
         "The router no longer keeps port 31415 open: the UPnP router refused (error 718 "
         "ConflictInMappingEntry).",
         "Der Router hält Port 31415 nicht mehr offen: der UPnP-Router hat abgelehnt (Fehler 718 "
         "ConflictInMappingEntry)."},
        // The STUN query's and the identification server's, as the connect dialog gets them.
        {dialog, "the STUN server refused the request (error 401)", nullptr,
         "der STUN-Server hat die Anfrage abgelehnt (Fehler 401)"},
        {dialog, "the STUN server's name is unknown", nullptr,
         "der Name des STUN-Servers ist unbekannt"},
        {dialog, "no answer within 30 s", nullptr, "keine Antwort innerhalb von 30 s"},
        {dialog, "", nullptr, ""},
    };
    for (const bool german : {false, true}) {
        InstallTranslation(german ? QLocale("de_DE") : QLocale::c());
        for (const Case& c : cases) {
            const std::string english = c.english != nullptr ? c.english : c.reason;
            EXPECT_EQ(c.show(c.reason).toStdString(), german ? c.german : english) << c.reason;
        }
    }
    EXPECT_EQ(ShownReasonQuery::Wrap(nullptr), nullptr) << "no query stays none";
}

// What the screen reader reads of the cards speaks the language too; the
// English names stay as they were.
TEST_F(LanguageTest, TheCardsAreReadInTheUsersLanguage) {
    const std::pair<int, std::pair<const char*, const char*>> cases[] = {
        {Code(kHeart, kQueen), {"queen of hearts", "Herz-Dame"}},
        {Code(kSpade, kAce), {"ace of spades", "Pik-Ass"}},
        {Code(kClub, kTen), {"ten of clubs", "Kreuz-Zehn"}},
        {kJoker, {"joker", "Joker"}},
    };
    for (const bool german : {false, true}) {
        InstallTranslation(german ? QLocale("de_DE") : QLocale::c());
        for (const auto& [code, names] : cases) {
            EXPECT_EQ(CardName(code).toStdString(), german ? names.second : names.first);
        }
    }
}

// ---- the translation files ----------------------------------------------------------

struct TsEntry {
    QString translation;
    bool finished = false;
};
using TsFile = std::map<std::pair<QString, QString>, TsEntry>; // (context, source)

// A source or translation text; lupdate writes a carriage return as <byte>.
QString ReadText(QXmlStreamReader& xml) {
    const QString element = xml.name().toString();
    QString text;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isCharacters()) {
            text += xml.text();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("byte")) {
            text += QChar(xml.attributes().value("value").toString().mid(1).toInt(nullptr, 16));
        } else if (xml.isEndElement() && xml.name() == element) {
            break;
        }
    }
    return text;
}

TsFile ReadTs(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QXmlStreamReader xml(&file);
    TsFile entries;
    QString context;
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = ReadText(xml);
        } else if (xml.name() == QLatin1String("translation")) {
            TsEntry& entry = entries[{context, source}];
            entry.finished = xml.attributes().value("type").isEmpty();
            entry.translation = ReadText(xml);
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return entries;
}

// What a text must keep in any language: its placeholders, the "|" of a
// stored hint and an access key where it has one.
QString Shape(const QString& text) {
    QStringList marks;
    static const QRegularExpression placeholder(QStringLiteral("%\\d"));
    for (const auto& match : placeholder.globalMatch(text)) {
        marks << match.captured();
    }
    std::sort(marks.begin(), marks.end());
    QString accel = text;
    accel.replace(QLatin1String("&&"), QString());
    marks << QString::number(text.count('|')) << QString::number(accel.contains('&'));
    return marks.join(',');
}

TEST(TranslationFileTest, GermanTranslatesEveryTextTheCodeMarksAndKeepsItsShape) {
    const QString source = QStringLiteral(CARDGAMES_SOURCE_DIR);
    const TsFile german = ReadTs(source + "/resources/varenta/translations/varenta_de.ts");
    // The code as it is now, read by the same tool with the same options.
    QTemporaryDir dir;
    const QString fresh = dir.filePath("fresh.ts");
    QProcess lupdate;
    lupdate.start(QStringLiteral(CARDGAMES_LUPDATE),
                  {"-silent", "-no-obsolete", "-locations", "none", "-extensions", "h,cpp",
                   "-tr-function-alias", "QT_TRANSLATE_NOOP+=VARENTA_TEXT",
                   source + "/varenta/engine", source + "/varenta/store", source + "/varenta/net",
                   source + "/varenta/table", "-ts", fresh});
    ASSERT_TRUE(lupdate.waitForFinished(120000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();
    const TsFile code = ReadTs(fresh);
    EXPECT_GT(code.size(), 400U);
    for (const auto& [key, unused] : code) {
        const auto found = german.find(key);
        ASSERT_NE(found, german.end()) << "no German for: " << key.second.toStdString();
        const TsEntry& entry = found->second;
        EXPECT_TRUE(entry.finished) << key.second.toStdString();
        EXPECT_FALSE(entry.translation.isEmpty()) << key.second.toStdString();
        EXPECT_EQ(Shape(entry.translation), Shape(key.second)) << key.second.toStdString();
        // A piece joined with a name or a number keeps the space between them.
        EXPECT_TRUE(!key.second.startsWith(' ') || entry.translation.startsWith(' '))
            << key.second.toStdString();
        EXPECT_TRUE(!key.second.endsWith(' ') || entry.translation.endsWith(' '))
            << key.second.toStdString();
    }
    EXPECT_EQ(german.size(), code.size()) << "the German file keeps texts the code lost";
    // Every help page has its German page, with the same anchors to jump to.
    const QDir help(source + "/resources/varenta/help");
    static const QRegularExpression anchor(QStringLiteral("<a name=\"[^\"]+\">"));
    const auto anchors = [](const QString& path) {
        QFile page(path);
        EXPECT_TRUE(page.open(QIODevice::ReadOnly)) << path.toStdString();
        QStringList found;
        for (const auto& match : anchor.globalMatch(QString::fromUtf8(page.readAll()))) {
            found << match.captured();
        }
        return found;
    };
    const QStringList pages = help.entryList({"*.html"}, QDir::Files);
    EXPECT_EQ(pages.size(), 8);
    for (const QString& page : pages) {
        EXPECT_EQ(anchors(help.filePath("de/" + page)), anchors(help.filePath(page)))
            << page.toStdString();
    }
}

} // namespace
} // namespace varenta::testing
