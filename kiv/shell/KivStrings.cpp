#include "kiv/shell/KivStrings.h"

#include <QHash>

#include <cstdlib>

namespace kiv {
namespace {

struct Entry {
    int offset;
    const char* text;
};

// The German block (1001..1141). Menu, dialog and message texts in the
// program's own voice; the game's messages keep their original wording.
constexpr Entry kGerman[] = {
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
    {11, "Farbe des Spieltischs wählen"},
    {12, "&Rangliste"},
    {13, "Rangliste &anzeigen"},
    {14, "Rangliste &löschen"},
    {15, "&Ansicht"},
    {16, "&Symbolleiste"},
    {17, "S&tatusleiste"},
    {18, "&Hilfe"},
    {19, "&Bedienung und Spielregeln"},
    {20, "Kiv Kiv Hilfe"},
    {21, "Die Hilfeseiten konnten nicht gefunden werden."},
    {22, "Inf&o über Kiv Kiv..."},
    {23, "Bube ausgelegt"},
    {24, "Nächste zu legende Farbe"},
    {25, "Herz"},
    {26, "Karo"},
    {27, "Kreuz"},
    {28, "Pik"},
    {29, "Deckblatt wählen"},
    {30, "Bitte wählen Sie eines der folgenden Deckblätter."},
    {31, "Wählen"},
    {32, "Info über Kiv Kiv"},
    {33, "Autor:"},
    {34, "Ein Kartenspiel für bis zu vier Spieler."},
    {35, "Viel Spaß beim Spielen!"},
    {36, "Rangliste"},
    {37, "Der absolut beste Kiv-Spieler aller Zeiten ist:"},
    {38, "Auch nicht schlecht spielt"},
    {39, "Und da war noch"},
    {40, "Platz 4 wird belegt von"},
    {41, "Punkte:"},
    {42, "Regeln und Einstellungen"},
    {43, "Einstellungen"},
    {44, "Punkte zum Sieg:"},
    {45, "Karten pro Spieler:"},
    {46, "Karten animieren"},
    {47, "Zeit Rechnerzug:"},
    {48, "Regeln"},
    {49, "Nach dem Ziehen einer Karte darf noch eine abgelegt werden"},
    {50, "Auf eine Acht darf man noch eine Acht legen"},
    {51, "Einen Buben darf man immer legen (außer bei Sieben und Acht)"},
    {52, "Auf einen Buben als erste Karte darf man alles legen"},
    {53, "Runde beenden, wenn ein Spieler alle Karten abgelegt hat"},
    {54, "&Hilfe"},
    {55, "&Abbrechen"},
    {56, "Die Ergebnisse dieses Spiels"},
    {57, "Der Sieger dieses Spiels ist:"},
    {58, "mit"},
    {59, "Punkten"},
    {60, "Die übrigen Spieler:"},
    {61, "Platz2:"},
    {62, "Platz3:"},
    {63, "Platz4:"},
    {64, "Punkte"},
    {65, "Sound"},
    {66, "&Geräusche abspielen (WAV)"},
    {67, "&Musik abspielen (MIDI)"},
    {68, "Abzuspielende MIDI-Datei"},
    {69, "Ohne Pfadangabe wird die Datei im Programmverzeichnis gesucht."},
    {70, "Mitspieler festlegen"},
    {71, "&1. Spieler"},
    {72, "&2. Spieler"},
    {73, "&3. Spieler"},
    {74, "&4. Spieler"},
    {75, "Spielt mit"},
    {76, "Wird vom Rechner gesteuert"},
    {77, "Sprache festlegen"},
    {78, "Das Programm ist zur Zeit nur in deutscher Sprache erhältlich, eine Übersetzung ist "
         "in Vorbereitung."},
    {79, "Deutsch"},
    {80, "Englisch"},
    {81, "Name:"},
    {82, "Allein macht Kiv Kiv keinen Spaß: Bitte lassen Sie mindestens einen weiteren Spieler "
         "mitspielen."},
    {83, "Die Konfigurationsdatei konnte nicht gelesen werden. Es wird daher eine neue mit "
         "Standardwerten erstellt."},
    {84, "Die Konfigurationsdatei konnte nicht geschrieben werden.\n\nBitte prüfen Sie, ob der "
         "Datenträger beschreibbar ist."},
    {85, "Bitte geben Sie als 'Punkte zum Sieg' einen Wert zwischen 100 und 99999 ein."},
    {86, "Sie können als Wert für 'Karten pro Spieler' nur eine Zahl zwischen 3 und 6 eingeben."},
    {87, "Sie können als Wert für 'Zeit Rechnerzug' nur eine Zahl zwischen 200 und 9999 "
         "eingeben."},
    {88, "Karten werden ausgeteilt..."},
    {89, "Karten werden eingesammelt..."},
    {90, "Bereit"},
    {91, "Sie dürfen keine soeben gezogene Karte gleich wieder ablegen."},
    {92, "Bitte legen Sie eine Karte, deren Farbe oder Wert zu der Karte auf dem Stapel paßt."},
    {93, "Hey, Sie wollen doch nicht etwa schummeln? Ziehen Sie erst so viele Karten, wie "
         "notwendig..."},
    {94, "Auf eine Sieben dürfen Sie nur eine Sieben legen.\n\nWenn Sie keine Sieben haben, "
         "müssen Sie wohl oder übel ziehen."},
    {95, "Sie dürfen jetzt keine Karten ablegen, da eine Sieben auf dem Stapel liegt und Sie noch "
         "Karten ziehen müssen."},
    {96, "Auf eine Acht dürfen Sie nur eine Acht legen.\n\nWenn Sie keine Acht haben, müssen Sie "
         "aussetzen, indem Sie im Menü Spiel die Funktion Nächster Spieler anklicken."},
    {97, "Es wurde ein Bube abgelegt. Sie müssen jetzt entweder Herz oder einen Buben legen."},
    {98, "Es wurde ein Bube abgelegt. Sie müssen jetzt entweder Karo oder einen Buben legen."},
    {99, "Es wurde ein Bube abgelegt. Sie müssen jetzt entweder Kreuz oder einen Buben legen."},
    {100, "Es wurde ein Bube abgelegt. Sie müssen jetzt entweder Pik oder einen Buben legen."},
    {101, "Es sind alle Karten ausgelegt. Am besten starten Sie ein neues Spiel."},
    {102, "Warum wollen Sie denn mehr Karten ziehen als notwendig?"},
    {103, "Es liegt eine Acht auf dem Stapel. Sie dürfen daher keine Karte ziehen, sondern müssen "
          "aussetzen, wenn Sie keine Acht haben.\n\nWählen Sie dazu im Menü Spiel die Funktion "
          "Nächster Spieler."},
    {104, "Zu legen: Herz"},
    {105, "Zu legen: Karo"},
    {106, "Zu legen: Kreuz"},
    {107, "Zu legen: Pik"},
    {108, "Zu ziehen: "},
    {109, "Am Zug"},
    {110, "Es sieht so aus, als wäre diese Runde für "},
    {111, "nicht gerade ein Erfolg gewesen. Na ja, die nächste wird's bestimmt..."},
    {112, "Es konnte keine neue Rangliste erstellt werden (Schreibschutz ?\?\?)\n\nDie Funktion "
          "wurde daher abgebrochen."},
    {113, "Die Rangliste konnte nicht gefunden werden, es wird daher eine neue erstellt."},
    {114, "Sollen die Ergebnisse dieses Spiels in die Rangliste eingetragen werden?"},
    {115, "Möchten Sie wirklich ein neues Spiel starten?"},
    {116, "Bitte ziehen Sie erst eine Karte."},
    {117, "Durch den Aufruf dieser Funktion wird ein neues Spiel gestartet.\n\nMöchten Sie das?"},
    {118, "Möchten Sie die Rangliste für die neu gewählten Spieler zurücksetzen?"},
    {119, "Die Hintergrundmusik konnte nicht abgespielt werden. Wahrscheinlich haben Sie eine "
          "ungültige Mididatei angegeben."},
    {120, "Möchten Sie die Rangliste wirklich zurücksetzen?"},
    {121, "Langsam"},
    {122, "Mittel"},
    {123, "Schnell"},
    {124, "(100-99999)"},
    {125, "(3-6)"},
    {126, "(200-9999 ms)"},
    {127, "Version"},
    {128, "Schließen"},
    {129, "Zurück"},
    {130, "Inhalt"},
    {131, "Es ist keine Karte mehr zu ziehen. Die Strafkarten verfallen, der nächste Spieler "
          "ist an der Reihe."},
    {132, "Punkte"},
    {133, "Spieler"},
    {134, "Datei wählen"},
    {135, "Mididatei (*.mid)"},
    {136, "&Wahl"},
    {137, "Bitte seien Sie so nett und lassen Ihren Rechner fertig spielen, bevor Sie diese "
          "Funktion ausführen."},
    {138, "Geschwindigkeit der Karten"},
    {139, "Es wurde eine Acht als erste Karte aufgedeckt. Sie müssen daher leider aussetzen."},
    {140, "&Vollbild"},
    {141, "Zeigt den Spieltisch auf dem ganzen Bildschirm oder wieder im Fenster"},
};

// The second block differs from the German one only at these offsets.
constexpr Entry kSecondDifferences[] = {
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
    {83, "Englisch: Die Konfigurationsdatei konnte nicht gelesen werden. Es wird daher eine neue "
         "mit Standardwerten erstellt."},
    {90, "Ready"},
    {134, "Open file"},
    {136, "&Browse"},
    {140, "&Full Screen"},
    {141, "Shows the table on the whole screen or back in its window"},
};

// Offsets the second block does not have at all.
constexpr int kSecondAbsent[] = {34, 35};

// Resource strings outside the blocks: the application title and the
// command strings the toolbar shows as tooltips.
constexpr Entry kLoose[] = {
    {kAppTitleId, "Kiv Kiv"}, {32772, "Neues Spiel"},   {32776, "Nächster Spieler"},
    {32777, "Rangliste"},     {32775, "Einstellungen"}, {32781, "Über Kiv Kiv"},
};

QHash<int, QString> BuildTable() {
    QHash<int, QString> table;
    for (const Entry& e : kGerman) {
        table.insert(kGermanBase + e.offset, QString::fromUtf8(e.text));
        table.insert(kSecondBase + e.offset, QString::fromUtf8(e.text));
    }
    for (const Entry& e : kSecondDifferences) {
        table.insert(kSecondBase + e.offset, QString::fromUtf8(e.text));
    }
    for (int offset : kSecondAbsent) {
        table.remove(kSecondBase + offset);
    }
    for (const Entry& e : kLoose) {
        table.insert(e.offset, QString::fromUtf8(e.text));
    }
    return table;
}

const QHash<int, QString>& Table() {
    static const QHash<int, QString> table = BuildTable();
    return table;
}

} // namespace

QString LoadText(int id) {
    return Table().value(id);
}

bool HasText(int id) {
    return Table().contains(id);
}

int LanguageBaseForLocaleName(const QString& name) {
    // An unset locale counts as German, like a system that names no language.
    if (name.isEmpty()) {
        return kGermanBase;
    }
    return name.startsWith("de", Qt::CaseInsensitive) ? kGermanBase : kSecondBase;
}

int LanguageBaseFromLocale() {
    for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(var);
        if (value != nullptr && *value != '\0') {
            return LanguageBaseForLocaleName(QString::fromLocal8Bit(value));
        }
    }
    return kGermanBase;
}

} // namespace kiv
