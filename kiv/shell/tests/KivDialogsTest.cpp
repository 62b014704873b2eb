#include "kiv/shell/KivDialogs.h"
#include "kiv/shell/KivHelpWindow.h"
#include "kiv/shell/KivSetupDialogs.h"
#include "kiv/shell/KivSound.h"
#include "kiv/shell/KivStrings.h"
#include "kiv/shell/tests/ShellFakes.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace kiv {
namespace {

template <typename T> T* Control(QWidget& dialog, int id) {
    T* control = dialog.findChild<T*>(ControlName(id));
    EXPECT_NE(control, nullptr) << id;
    return control;
}

TEST(KivSettingsSheet, ChecksRunInOrderAndTheFirstFailureKeepsTheFirstPage) {
    EXPECT_EQ((std::array{ValidateEinstellungen(50, 9, 100), ValidateEinstellungen(100000, 5, 400),
                          ValidateEinstellungen(100, 2, 100), ValidateEinstellungen(99999, 6, 199),
                          ValidateEinstellungen(100, 3, 10000), ValidateEinstellungen(100, 3, 200),
                          ValidateEinstellungen(99999, 6, 9999)}),
              (std::array{85, 85, 86, 87, 87, 0, 0}));

    FakePrompter prompter;
    KivSettingsSheet sheet(1000, SheetValues{}, prompter, nullptr);
    sheet.show();
    Control<QLineEdit>(sheet, 1020)->setText("50");
    Control<QLineEdit>(sheet, 1022)->setText("9");
    sheet.Pages()->setCurrentIndex(KivSettingsSheet::kRegelPage);
    EXPECT_EQ(sheet.Pages()->currentIndex(), KivSettingsSheet::kEinstellPage);
    sheet.accept();
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(prompter.informed, QStringList({LoadText(1085), LoadText(1085)}));

    Control<QLineEdit>(sheet, 1020)->setText("300");
    sheet.accept();
    EXPECT_EQ(prompter.informed.last(), LoadText(1086));
    Control<QLineEdit>(sheet, 1022)->setText("4");
    Control<QLineEdit>(sheet, 1052)->setText("abc");
    sheet.accept();
    EXPECT_EQ(prompter.informed.last(), LoadText(1087));
    EXPECT_EQ(sheet.result(), QDialog::Rejected);
    Control<QLineEdit>(sheet, 1052)->setText("250");
    sheet.accept();
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(prompter.informed.size(), 4);
}

TEST(KivSettingsSheet, AStoredValueTooLongForTheFieldIsShownWholeAndRefused) {
    FakePrompter prompter;
    SheetValues in;
    in.pointsToWin = 123456;
    KivSettingsSheet sheet(1000, in, prompter, nullptr);
    sheet.show();
    EXPECT_EQ(Control<QLineEdit>(sheet, 1020)->text(), "123456");
    EXPECT_EQ(Control<QLineEdit>(sheet, 1052)->maxLength(), 5); // typing stays at five
    sheet.accept();
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(prompter.informed, QStringList{LoadText(1085)});
}

TEST(KivSettingsSheet, ValuesComeBackAsEditedAndAnOddSpeedIsKept) {
    FakePrompter prompter;
    SheetValues in;
    in.cardSpeed = 25; // none of the three radios stands for it
    in.midiFile = "tanz.mid";
    KivSettingsSheet sheet(1000, in, prompter, nullptr);
    EXPECT_EQ(sheet.Values(), in);
    for (int id : {1016, 1017, 1018}) {
        EXPECT_FALSE(Control<QRadioButton>(sheet, id)->isChecked());
    }
    Control<QRadioButton>(sheet, 1016)->setChecked(true);
    Control<QCheckBox>(sheet, 1024)->setChecked(true);
    Control<QCheckBox>(sheet, 1034)->setChecked(true);
    Control<QCheckBox>(sheet, 1036)->setChecked(false);
    Control<QLineEdit>(sheet, 1037)->setText("/tmp/x.mid");
    SheetValues expected = in;
    expected.cardSpeed = 10;
    expected.ruleLayAfterDraw = expected.ruleEndOnFirstOut = true;
    expected.musicOn = false;
    expected.midiFile = "/tmp/x.mid";
    EXPECT_EQ(sheet.Values(), expected);

    SheetValues fast;
    KivSettingsSheet second(5000, fast, prompter, nullptr);
    EXPECT_TRUE(Control<QRadioButton>(second, 1018)->isChecked());
    EXPECT_EQ(second.windowTitle(), "Regeln und Einstellungen");
    EXPECT_EQ(second.findChild<QPushButton*>("cancelButton")->text(), "&Cancel");
    EXPECT_EQ(Control<QPushButton>(second, 1107)->text(), "&Browse");
}

TEST(KivSettingsSheet, EachPageSetsItsHelpKeywordAndClosingClearsIt) {
    FakePrompter prompter;
    QStringList helpCalls;
    KivSettingsSheet sheet(1000, SheetValues{}, prompter,
                           [&](const QString& keyword) { helpCalls.append(keyword); });
    sheet.show();
    EXPECT_EQ(sheet.HelpKeyword(), QString::fromUtf8(kHelpSettings));
    sheet.Pages()->setCurrentIndex(KivSettingsSheet::kRegelPage);
    EXPECT_EQ(sheet.HelpKeyword(), "Spielregeln einstellen");
    sheet.Pages()->setCurrentIndex(KivSettingsSheet::kSoundPage);
    EXPECT_EQ(sheet.HelpKeyword(), "Sound einstellen");
    QTest::mouseClick(Control<QPushButton>(sheet, 1090), Qt::LeftButton);
    EXPECT_EQ(helpCalls, QStringList{"Sound einstellen"});
    sheet.reject();
    EXPECT_EQ(sheet.HelpKeyword(), QString());

    // "Wahl" opens the file dialog; cancelling it leaves the edit alone.
    QString title;
    prompter.onDialog = [&](QDialog& dialog) {
        title = dialog.windowTitle();
        return QDialog::Rejected;
    };
    QTest::mouseClick(Control<QPushButton>(sheet, 1107), Qt::LeftButton);
    EXPECT_EQ(title, QString::fromUtf8("Datei wählen"));
    EXPECT_EQ(sheet.Values().midiFile, QString());
}

TEST(KivPlayersDialog, RefusesASeatZeroAloneAndKeepsSeatZeroHuman) {
    FakePrompter prompter;
    std::array<SeatSetup, 4> seats = KivSettings{}.seats;
    QStringList helpCalls;
    PlayersDialog dialog(1000, seats, prompter, [&](const QString& k) { helpCalls.append(k); });
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Mitspieler festlegen");
    EXPECT_EQ(Control<QLineEdit>(dialog, 1013)->text(), "Peter");
    EXPECT_EQ(Control<QLineEdit>(dialog, 1014)->text(), "Tina");
    EXPECT_EQ(dialog.findChild<QCheckBox*>(ControlName(1018))->text(), "Spielt mit");

    for (int id : {1018, 1016, 1021}) {
        Control<QCheckBox>(dialog, id)->setChecked(false);
    }
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(prompter.informed.size(), 1);
    EXPECT_EQ(prompter.informed[0], LoadText(1082));

    Control<QCheckBox>(dialog, 1021)->setChecked(true);  // seat 3 plays
    Control<QCheckBox>(dialog, 1022)->setChecked(false); // ... as a human
    Control<QLineEdit>(dialog, 1014)->setText("Ute");
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    const auto out = dialog.Seats();
    EXPECT_EQ(out[0], (SeatSetup{"Peter", true, false}));
    EXPECT_FALSE(out[1].plays);
    EXPECT_EQ(out[2], (SeatSetup{"Ute", false, true}));
    EXPECT_EQ(out[3], (SeatSetup{"Linda", true, false}));
    // A name pasted to the edge of the field keeps no half character.
    Control<QLineEdit>(dialog, 1014)
        ->setText(QString(18, 'u') + QString::fromUtf8("\xF0\x9F\x98\x80"));
    EXPECT_EQ(dialog.Seats()[2].name, QString(18, 'u'));

    QTest::mouseClick(Control<QPushButton>(dialog, 1090), Qt::LeftButton);
    EXPECT_EQ(helpCalls, QStringList{"Mitspieler bestimmen"});
}

TEST(KivSmallDialogs, JackDialogStartsOnKaroAndMapsTheRadiosToSuitCodes) {
    JackSuitDialog dialog(1000);
    EXPECT_EQ(dialog.windowTitle(), "Bube ausgelegt");
    EXPECT_EQ(dialog.ChosenSuit(), 1);
    const std::pair<int, int> radios[] = {{1006, 2}, {1007, 1}, {1008, 3}, {1009, 4}};
    for (const auto& [id, suit] : radios) {
        Control<QRadioButton>(dialog, id)->setChecked(true);
        EXPECT_EQ(dialog.ChosenSuit(), suit) << id;
    }
    EXPECT_EQ(Control<QRadioButton>(dialog, 1006)->text(), "Herz");
}

TEST(KivSmallDialogs, DeckDialogChoosesByButtonAndDefaultsToTheFirstBack) { // closed: back 1
    CardBackDialog closed(1000);
    closed.reject();
    EXPECT_EQ(closed.Choice(), 1);
    CardBackDialog dialog(1000);
    dialog.show();
    QTest::mouseClick(Control<QPushButton>(dialog, 1045), Qt::LeftButton);
    EXPECT_EQ(dialog.Choice(), 3);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(KivSmallDialogs, ResultsAndRankingShowNamesAndPointsInTheActiveLanguage) {
    const FourPlaces places = {{{"Tina", 250}, {"Frank", 250}, {"Peter", 120}, {"Linda", 0}}};
    RoundResultsDialog results(5000, places);
    EXPECT_EQ(results.findChild<QLabel*>("winnerName")->text(), "Tina");
    EXPECT_EQ(results.findChild<QLabel*>("winnerScore")->text(), "with 250 points");
    EXPECT_EQ(results.findChild<QLabel*>("placeName2")->text(), "Frank");
    EXPECT_EQ(results.findChild<QLabel*>("placeScore4")->text(), "0");

    RankingDialog ranking(1000, places);
    EXPECT_EQ(ranking.windowTitle(), "Rangliste");
    EXPECT_EQ(ranking.findChild<QLabel*>("rankName1")->text(), "Tina");
    EXPECT_EQ(ranking.findChild<QLabel*>("rankPoints3")->text(), "120");

    AboutDialog info(5000, "1.00", "January 1996");
    EXPECT_EQ(info.windowTitle(), "About Kiv Kiv");
    EXPECT_TRUE(info.findChild<QLabel*>("versionText")->text().contains("January 1996"));
    // The licence, in the text block's language.
    for (const auto& [base, words] :
         {std::pair{5000, "GNU General Public License, version 3 or later"},
          std::pair{1000, "GNU General Public License, Version 3 oder"}}) {
        AboutDialog about(base, "1.00", "January 1996");
        EXPECT_TRUE(about.findChild<QLabel*>("licenceText")->text().contains(words)) << base;
    }
}

TEST(KivHelpWindow, KeywordsLeadToTheirAnchorsAndUnknownOnesToTheContents) {
    EXPECT_EQ(HelpTarget("Mitspieler bestimmen"), "einstellungen.html#mitspieler");
    EXPECT_EQ(HelpTarget(QString::fromUtf8("Einstellungen verändern")),
              "einstellungen.html#einstellungen");
    EXPECT_EQ(HelpTarget("Spielregeln einstellen"), "einstellungen.html#regeln");
    EXPECT_EQ(HelpTarget("Sound einstellen"), "einstellungen.html#sound");
    EXPECT_EQ(HelpTarget(""), "index.html");
    EXPECT_EQ(HelpTarget("Unsinn"), "index.html");

    KivHelpWindow help(1000, HelpFolder());
    ASSERT_TRUE(help.ShowKeyword("Sound einstellen"));
    EXPECT_EQ(help.CurrentSource().fileName(), "einstellungen.html");
    EXPECT_EQ(help.CurrentSource().fragment(), "sound");
    help.close();

    KivHelpWindow missing(1000, "/nonexistent/help");
    EXPECT_FALSE(missing.ShowKeyword(""));
}

// The second block's help is in its own language, the German block's in
// German; both handbooks are whole: every link leads to a page and an anchor
// that exist, and each explains every rule and switch in a section of its own.
TEST(KivHelpWindow, EachBlockHasAWholeHandbookInItsLanguage) {
    const struct {
        int base;
        const char* folder;
        const char* title;
    } cases[] = {{1000, "", "Kiv Kiv – Spielregeln"}, {5000, "/en", "Kiv Kiv – the rules"}};
    const QStringList sections = {"karten", "geben",      "zug",    "sieben", "acht",
                                  "bube",   "erstekarte", "stapel", "punkte", "spielende"};
    const QRegularExpression link(QStringLiteral("href=\"([^\"#]*)#?([^\"]*)\""));
    for (const auto& c : cases) {
        const QString folder = HelpFolder() + QString::fromLatin1(c.folder);
        EXPECT_EQ(HelpFolderFor(c.base, HelpFolder()), folder);
        KivHelpWindow help(c.base, HelpFolder());
        ASSERT_TRUE(help.ShowKeyword("Spielregeln einstellen"));
        EXPECT_EQ(help.CurrentSource().toLocalFile(), folder + "/einstellungen.html");
        help.close();

        auto read = [&folder](const QString& page) {
            QFile file(folder + '/' + page);
            return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
        };
        const QString rules = read("spielregeln.html");
        EXPECT_TRUE(rules.contains(QString::fromUtf8(c.title))) << c.base;
        for (const QString& section : sections) {
            EXPECT_TRUE(rules.contains("name=\"" + section + "\""))
                << c.base << " " << section.toStdString();
        }
        for (const QString page : {"index.html", "spielregeln.html", "einstellungen.html"}) {
            const QString text = read(page);
            ASSERT_FALSE(text.isEmpty()) << c.base << " " << page.toStdString();
            for (auto m = link.globalMatch(text); m.hasNext();) {
                const auto match = m.next();
                const QString target = match.captured(1).isEmpty() ? page : match.captured(1);
                const QString anchor = match.captured(2);
                const QString linked = read(target);
                EXPECT_FALSE(linked.isEmpty())
                    << page.toStdString() << " -> " << target.toStdString();
                if (!anchor.isEmpty()) {
                    EXPECT_TRUE(linked.contains("name=\"" + anchor + "\""))
                        << page.toStdString() << " -> " << target.toStdString() << "#"
                        << anchor.toStdString();
                }
            }
        }
    }
    // Without the second language's pages the German ones are shown.
    EXPECT_EQ(HelpFolderFor(5000, "/nonexistent/help"), "/nonexistent/help");
}

// The help window speaks the language of the pages it shows, and Escape
// closes it wherever the focus is.
TEST(KivHelpWindow, ItsTitleAndButtonsFollowThePagesAndEscapeClosesIt) {
    const struct {
        int base;
        QString helpFolder;
        QStringList texts; // title, then the buttons
    } cases[] = {
        {1000,
         HelpFolder(),
         {"Kiv Kiv Hilfe", "Inhalt", QString::fromUtf8("Zurück"), QString::fromUtf8("Schließen")}},
        {5000, HelpFolder(), {"Kiv Kiv Help", "Contents", "Back", "Close"}},
    };
    for (const auto& c : cases) {
        KivHelpWindow help(c.base, c.helpFolder);
        ASSERT_TRUE(help.ShowKeyword(""));
        QStringList texts{help.windowTitle()};
        for (QPushButton* button : help.findChildren<QPushButton*>()) {
            texts.append(button->text());
        }
        EXPECT_EQ(texts, c.texts) << c.base;
        for (QWidget* focus : QList<QWidget*>{&help, help.findChild<QTextBrowser*>(),
                                              help.findChildren<QPushButton*>().value(1)}) {
            ASSERT_TRUE(help.ShowKeyword(""));
            ASSERT_NE(focus, nullptr);
            QTest::keyClick(focus, Qt::Key_Escape);
            EXPECT_FALSE(help.isVisible()) << c.base;
        }
    }
}

// The German pages name cards as one word with the article of the card
// (der Pik-König, die Herz-Dame, den Karo-Buben, das Ass).
TEST(KivHelpWindow, GermanPagesNameTheCardsRightly) {
    const QString ranks = QStringLiteral("(Sieben|Acht|Neun|Zehn|Buben?|Dame|König|Ass?)");
    const QString suits = QStringLiteral("(Karo|Herz|Pik|Kreuz)");
    const struct {
        QString pattern;
        const char* what;
    } slips[] = {
        {"\\b" + suits + "\\s+" + ranks + "\\b", "suit and rank apart"},
        {"\\b(die|eine)\\s+" + suits + "-(König|Bube|Buben)\\b", "a feminine article for a man"},
        {QStringLiteral("\\bAs\\b"), "the old spelling of Ass"},
    };
    for (const QString page : {"index.html", "spielregeln.html", "einstellungen.html"}) {
        QFile file(HelpFolder() + '/' + page);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
        QString text = QString::fromUtf8(file.readAll());
        text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
        for (const auto& slip : slips) {
            const auto match = QRegularExpression(slip.pattern).match(text);
            EXPECT_FALSE(match.hasMatch()) << page.toStdString() << ": " << slip.what << ": "
                                           << match.captured(0).toStdString();
        }
    }
}

} // namespace
} // namespace kiv
