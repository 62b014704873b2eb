#include "kiv/shell/KivStrings.h"

#include "kiv/shell/KivQtTexts.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <map>

namespace kiv {
namespace {

// The texts the game quotes, at their German offsets.
const std::map<int, const char*>& QuotedGerman() {
    static const std::map<int, const char*> texts = {
        {1, "&Spiel"},
        {2, "&Neu"},
        {3, "Nächster &Spieler"},
        {4, "&Beenden"},
        {5, "&Einstellungen"},
        {6, "&Spieler festlegen"},
        {7, "Spiel&regeln und Einstellungen"},
        {8, "Sprache &festlegen"},
        {9, "&Deckblatt wählen"},
        {10, "&Hintergrundfarbe wählen"},
        {12, "&Rangliste"},
        {13, "Rangliste &anzeigen"},
        {14, "Rangliste &löschen"},
        {15, "&Ansicht"},
        {16, "&Symbolleiste"},
        {17, "S&tatusleiste"},
        {18, "&Hilfe"},
        {19, "&Bedienung und Spielregeln"},
        {22, "Inf&o über Kiv Kiv..."},
        {24, "Nächste zu legende Farbe"},
        {25, "Herz"},
        {26, "Karo"},
        {27, "Kreuz"},
        {28, "Pik"},
        {30, "Bitte wählen Sie eines der folgenden Deckblätter."},
        {36, "Rangliste"},
        {37, "Der absolut beste Kiv-Spieler aller Zeiten ist:"},
        {38, "Auch nicht schlecht spielt"},
        {39, "Und da war noch"},
        {40, "Platz 4 wird belegt von"},
        {41, "Punkte:"},
        {42, "Regeln und Einstellungen"},
        {44, "Punkte zum Sieg:"},
        {45, "Karten pro Spieler:"},
        {46, "Karten animieren"},
        {47, "Zeit Rechnerzug:"},
        {49, "Nach dem Ziehen einer Karte darf noch eine abgelegt werden"},
        {50, "Auf eine Acht darf man noch eine Acht legen"},
        {51, "Einen Buben darf man immer legen (außer bei Sieben und Acht)"},
        {52, "Auf einen Buben als erste Karte darf man alles legen"},
        {53, "Runde beenden, wenn ein Spieler alle Karten abgelegt hat"},
        {56, "Die Ergebnisse dieses Spiels"},
        {57, "Der Sieger dieses Spiels ist:"},
        {58, "mit"},
        {59, "Punkten"},
        {60, "Die übrigen Spieler:"},
        {61, "Platz2:"},
        {62, "Platz3:"},
        {63, "Platz4:"},
        {64, "Punkte"},
        {66, "&Geräusche abspielen (WAV)"},
        {67, "&Musik abspielen (MIDI)"},
        {68, "Abzuspielende MIDI-Datei"},
        {75, "Spielt mit"},
        {76, "Wird vom Rechner gesteuert"},
        {83, "Die Konfigurationsdatei konnte nicht gelesen werden. Es wird daher eine neue mit "
             "Standardwerten erstellt."},
        {84, "Die Konfigurationsdatei konnte nicht geschrieben werden.\n\nBitte prüfen Sie, ob der "
             "Datenträger beschreibbar ist."},
        {85, "Bitte geben Sie als 'Punkte zum Sieg' einen Wert zwischen 100 und 99999 ein."},
        {86, "Sie können als Wert für 'Karten pro Spieler' nur eine Zahl zwischen 3 und 6 "
             "eingeben."},
        {87, "Sie können als Wert für 'Zeit Rechnerzug' nur eine Zahl zwischen 200 und 9999 "
             "eingeben."},
        {88, "Karten werden ausgeteilt..."},
        {89, "Karten werden eingesammelt..."},
        {90, "Bereit"},
        {91, "Sie dürfen keine soeben gezogene Karte gleich wieder ablegen."},
        {92, "Bitte legen Sie eine Karte, deren Farbe oder Wert zu der Karte auf dem Stapel "
             "paßt."},
        {93, "Hey, Sie wollen doch nicht etwa schummeln? Ziehen Sie erst so viele Karten, wie "
             "notwendig..."},
        {94, "Auf eine Sieben dürfen Sie nur eine Sieben legen.\n\nWenn Sie keine Sieben haben, "
             "müssen Sie wohl oder übel ziehen."},
        {95, "Sie dürfen jetzt keine Karten ablegen, da eine Sieben auf dem Stapel liegt und Sie "
             "noch Karten ziehen müssen."},
        {96, "Auf eine Acht dürfen Sie nur eine Acht legen.\n\nWenn Sie keine Acht haben, müssen "
             "Sie aussetzen, indem Sie im Menü Spiel die Funktion Nächster Spieler anklicken."},
        {97, "Es wurde ein Bube abgelegt. Sie müssen jetzt entweder Herz oder einen Buben legen."},
        {98, "Es wurde ein Bube abgelegt. Sie müssen jetzt entweder Karo oder einen Buben legen."},
        {99, "Es wurde ein Bube abgelegt. Sie müssen jetzt entweder Kreuz oder einen Buben "
             "legen."},
        {100, "Es wurde ein Bube abgelegt. Sie müssen jetzt entweder Pik oder einen Buben legen."},
        {101, "Es sind alle Karten ausgelegt. Am besten starten Sie ein neues Spiel."},
        {102, "Warum wollen Sie denn mehr Karten ziehen als notwendig?"},
        {103, "Es liegt eine Acht auf dem Stapel. Sie dürfen daher keine Karte ziehen, sondern "
              "müssen aussetzen, wenn Sie keine Acht haben.\n\nWählen Sie dazu im Menü Spiel die "
              "Funktion Nächster Spieler."},
        {104, "Zu legen: Herz"},
        {105, "Zu legen: Karo"},
        {106, "Zu legen: Kreuz"},
        {107, "Zu legen: Pik"},
        {108, "Zu ziehen: "},
        {110, "Es sieht so aus, als wäre diese Runde für "},
        {111, "nicht gerade ein Erfolg gewesen. Na ja, die nächste wird's bestimmt..."},
        {112, "Es konnte keine neue Rangliste erstellt werden (Schreibschutz ?\?\?)\n\nDie "
              "Funktion wurde daher abgebrochen."},
        {113, "Die Rangliste konnte nicht gefunden werden, es wird daher eine neue erstellt."},
        {114, "Sollen die Ergebnisse dieses Spiels in die Rangliste eingetragen werden?"},
        {115, "Möchten Sie wirklich ein neues Spiel starten?"},
        {116, "Bitte ziehen Sie erst eine Karte."},
        {117, "Durch den Aufruf dieser Funktion wird ein neues Spiel gestartet.\n\nMöchten Sie "
              "das?"},
        {118, "Möchten Sie die Rangliste für die neu gewählten Spieler zurücksetzen?"},
        {119, "Die Hintergrundmusik konnte nicht abgespielt werden. Wahrscheinlich haben Sie eine "
              "ungültige Mididatei angegeben."},
        {120, "Möchten Sie die Rangliste wirklich zurücksetzen?"},
        {134, "Datei wählen"},
        {136, "&Wahl"},
        {137, "Bitte seien Sie so nett und lassen Ihren Rechner fertig spielen, bevor Sie diese "
              "Funktion ausführen."},
        {138, "Geschwindigkeit der Karten"},
        {139, "Es wurde eine Acht als erste Karte aufgedeckt. Sie müssen daher leider "
              "aussetzen."},
    };
    return texts;
}

// The offsets at which the second block differs.
const std::map<int, const char*>& SecondDifferences() {
    static const std::map<int, const char*> texts = {
        {1, "&Game"},
        {2, "&Start new game"},
        {3, "&Next player"},
        {4, "&Quit"},
        {5, "&Settings"},
        {10, "&Hintergrundfarbe wählen"},
        {14, "Rangliste &löschen"},
        {18, "&Help"},
        {22, "&About Kiv Kiv..."},
        {32, "About Kiv Kiv"},
        {33, "Author:"},
        {41, "Points:"},
        {54, "&Help"},
        {55, "&Cancel"},
        {58, "with"},
        {59, "points"},
        {64, "points"},
        {71, "1. player"},
        {72, "2. player"},
        {73, "3. player"},
        {74, "4. player"},
        {77, "Select language"},
        {79, "German"},
        {80, "English"},
        {83, "Englisch: Die Konfigurationsdatei konnte nicht gelesen werden. Es wird daher eine "
             "neue mit Standardwerten erstellt."},
        {90, "Ready"},
        {134, "Open file"},
        {136, "&Browse"},
        {140, "&Full Screen"},
        {141, "Shows the table on the whole screen or back in its window"},
    };
    return texts;
}

TEST(KivStrings, EveryQuotedGermanTextIsAtItsId) {
    for (const auto& [offset, text] : QuotedGerman()) {
        EXPECT_EQ(LoadText(1000 + offset), QString::fromUtf8(text)) << "offset " << offset;
    }
}

// Both blocks are complete, the second differs exactly where listed (34 and
// 35 missing), and nothing lies outside them.
TEST(KivStrings, SecondBlockDiffersExactlyWhereListed) {
    for (int offset = 1; offset <= 141; ++offset) {
        SCOPED_TRACE(offset);
        EXPECT_FALSE(LoadText(1000 + offset).isEmpty());
        const auto diff = SecondDifferences().find(offset);
        if (offset == 34 || offset == 35) {
            EXPECT_FALSE(HasText(5000 + offset));
        } else if (diff != SecondDifferences().end()) {
            EXPECT_EQ(LoadText(5000 + offset), QString::fromUtf8(diff->second));
        } else {
            EXPECT_EQ(LoadText(5000 + offset), LoadText(1000 + offset));
        }
    }
    for (int id : {1000, 1142, 5142}) {
        EXPECT_FALSE(HasText(id)) << id;
    }
}

TEST(KivStrings, LocaleChoosesTheBlock) {
    for (const char* german : {"de_DE.UTF-8", "de_AT", ""}) {
        EXPECT_EQ(LanguageBaseForLocaleName(german), 1000) << german;
    }
    for (const char* other : {"en_US.UTF-8", "C.UTF-8", "fr_FR"}) {
        EXPECT_EQ(LanguageBaseForLocaleName(other), 5000) << other;
    }
    const QByteArray all = qgetenv("LC_ALL"), messages = qgetenv("LC_MESSAGES"),
                     lang = qgetenv("LANG");
    qputenv("LC_ALL", ""); // empty variables are skipped
    qputenv("LC_MESSAGES", "de_CH.UTF-8");
    qputenv("LANG", "en_GB.UTF-8");
    EXPECT_EQ(LanguageBaseFromLocale(), 1000);
    qputenv("LC_ALL", "en_US");
    EXPECT_EQ(LanguageBaseFromLocale(), 5000);
    qputenv("LC_ALL", all);
    qputenv("LC_MESSAGES", messages);
    qputenv("LANG", lang);
}

// Qt's own buttons and dialogs speak the active block's language: German with
// the German block, and back to Qt's English when the second block is chosen.
TEST(KivQtTexts, QtDialogsFollowTheBlock) {
    const struct {
        int base;
        const char* cancel;
        const char* colourTitle;
    } cases[] = {{1000, "Abbrechen", "Farbauswahl"},
                 {5000, "Cancel", "Select Color"},
                 {1000, "Abbrechen", "Farbauswahl"},
                 {5000, "Cancel", "Select Color"}};
    for (const auto& c : cases) {
        ASSERT_TRUE(FollowLanguageInQtDialogs(c.base)) << "Qt's German translations missing";
        QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text().remove('&'), c.cancel) << c.base;
        QColorDialog colours;
        EXPECT_EQ(colours.windowTitle(), c.colourTitle) << c.base;
    }
}

} // namespace
} // namespace kiv
