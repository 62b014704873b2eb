#include "kiv/shell/KivStrings.h"

#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QTranslator>

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
    {1, QT_TRANSLATE_NOOP("kiv", "&Spiel")},
    {2, QT_TRANSLATE_NOOP("kiv", "&Neu")},
    {3, QT_TRANSLATE_NOOP("kiv", "Nächster &Spieler")},
    {4, QT_TRANSLATE_NOOP("kiv", "&Beenden")},
    {5, QT_TRANSLATE_NOOP("kiv", "&Einstellungen")},
    {6, QT_TRANSLATE_NOOP("kiv", "&Spieler festlegen")},
    {7, QT_TRANSLATE_NOOP("kiv", "Spiel&regeln und Einstellungen")},
    {8, QT_TRANSLATE_NOOP("kiv", "Sprache &festlegen")},
    {9, QT_TRANSLATE_NOOP("kiv", "&Deckblatt wählen")},
    {10, QT_TRANSLATE_NOOP("kiv", "&Hintergrundfarbe wählen")},
    {11, QT_TRANSLATE_NOOP("kiv", "Farbe des Spieltischs wählen")},
    {12, QT_TRANSLATE_NOOP("kiv", "&Rangliste")},
    {13, QT_TRANSLATE_NOOP("kiv", "Rangliste &anzeigen")},
    {14, QT_TRANSLATE_NOOP("kiv", "Rangliste &löschen")},
    {15, QT_TRANSLATE_NOOP("kiv", "&Ansicht")},
    {16, QT_TRANSLATE_NOOP("kiv", "&Symbolleiste")},
    {17, QT_TRANSLATE_NOOP("kiv", "S&tatusleiste")},
    {18, QT_TRANSLATE_NOOP("kiv", "&Hilfe")},
    {19, QT_TRANSLATE_NOOP("kiv", "&Bedienung und Spielregeln")},
    {20, QT_TRANSLATE_NOOP("kiv", "Kiv Kiv Hilfe")},
    {21, QT_TRANSLATE_NOOP("kiv", "Die Hilfeseiten konnten nicht gefunden werden.")},
    {22, QT_TRANSLATE_NOOP("kiv", "Inf&o über Kiv Kiv...")},
    {23, QT_TRANSLATE_NOOP("kiv", "Bube ausgelegt")},
    {24, QT_TRANSLATE_NOOP("kiv", "Nächste zu legende Farbe")},
    {25, QT_TRANSLATE_NOOP("kiv", "Herz")},
    {26, QT_TRANSLATE_NOOP("kiv", "Karo")},
    {27, QT_TRANSLATE_NOOP("kiv", "Kreuz")},
    {28, QT_TRANSLATE_NOOP("kiv", "Pik")},
    {29, QT_TRANSLATE_NOOP("kiv", "Deckblatt wählen")},
    {30, QT_TRANSLATE_NOOP("kiv", "Bitte wählen Sie eines der folgenden Deckblätter.")},
    {31, QT_TRANSLATE_NOOP("kiv", "Wählen")},
    {32, QT_TRANSLATE_NOOP("kiv", "Info über Kiv Kiv")},
    {33, QT_TRANSLATE_NOOP("kiv", "Autor:")},
    {34, QT_TRANSLATE_NOOP("kiv", "Ein Kartenspiel für bis zu vier Spieler.")},
    {35, QT_TRANSLATE_NOOP("kiv", "Viel Spaß beim Spielen!")},
    {36, QT_TRANSLATE_NOOP("kiv", "Rangliste")},
    {37, QT_TRANSLATE_NOOP("kiv", "Der absolut beste Kiv-Spieler aller Zeiten ist:")},
    {38, QT_TRANSLATE_NOOP("kiv", "Auch nicht schlecht spielt")},
    {39, QT_TRANSLATE_NOOP("kiv", "Und da war noch")},
    {40, QT_TRANSLATE_NOOP("kiv", "Platz 4 wird belegt von")},
    {41, QT_TRANSLATE_NOOP("kiv", "Punkte:")},
    {42, QT_TRANSLATE_NOOP("kiv", "Regeln und Einstellungen")},
    {43, QT_TRANSLATE_NOOP("kiv", "Einstellungen")},
    {44, QT_TRANSLATE_NOOP("kiv", "Punkte zum Sieg:")},
    {45, QT_TRANSLATE_NOOP("kiv", "Karten pro Spieler:")},
    {46, QT_TRANSLATE_NOOP("kiv", "Karten animieren")},
    {47, QT_TRANSLATE_NOOP("kiv", "Zeit Rechnerzug:")},
    {48, QT_TRANSLATE_NOOP("kiv", "Regeln")},
    {49, QT_TRANSLATE_NOOP("kiv", "Nach dem Ziehen einer Karte darf noch eine abgelegt werden")},
    {50, QT_TRANSLATE_NOOP("kiv", "Auf eine Acht darf man noch eine Acht legen")},
    {51, QT_TRANSLATE_NOOP("kiv", "Einen Buben darf man immer legen (außer bei Sieben und Acht)")},
    {52, QT_TRANSLATE_NOOP("kiv", "Auf einen Buben als erste Karte darf man alles legen")},
    {53, QT_TRANSLATE_NOOP("kiv", "Runde beenden, wenn ein Spieler alle Karten abgelegt hat")},
    {54, QT_TRANSLATE_NOOP("kiv", "&Hilfe")},
    {55, QT_TRANSLATE_NOOP("kiv", "&Abbrechen")},
    {56, QT_TRANSLATE_NOOP("kiv", "Die Ergebnisse dieses Spiels")},
    {57, QT_TRANSLATE_NOOP("kiv", "Der Sieger dieses Spiels ist:")},
    {58, QT_TRANSLATE_NOOP("kiv", "mit")},
    {59, QT_TRANSLATE_NOOP("kiv", "Punkten")},
    {60, QT_TRANSLATE_NOOP("kiv", "Die übrigen Spieler:")},
    {61, QT_TRANSLATE_NOOP("kiv", "Platz2:")},
    {62, QT_TRANSLATE_NOOP("kiv", "Platz3:")},
    {63, QT_TRANSLATE_NOOP("kiv", "Platz4:")},
    {64, QT_TRANSLATE_NOOP("kiv", "Punkte")},
    {65, QT_TRANSLATE_NOOP("kiv", "Sound")},
    {66, QT_TRANSLATE_NOOP("kiv", "&Geräusche abspielen (WAV)")},
    {67, QT_TRANSLATE_NOOP("kiv", "&Musik abspielen (MIDI)")},
    {68, QT_TRANSLATE_NOOP("kiv", "Abzuspielende MIDI-Datei")},
    {69,
     QT_TRANSLATE_NOOP("kiv", "Ohne Pfadangabe wird die Datei im Programmverzeichnis gesucht.")},
    {70, QT_TRANSLATE_NOOP("kiv", "Mitspieler festlegen")},
    {71, QT_TRANSLATE_NOOP("kiv", "&1. Spieler")},
    {72, QT_TRANSLATE_NOOP("kiv", "&2. Spieler")},
    {73, QT_TRANSLATE_NOOP("kiv", "&3. Spieler")},
    {74, QT_TRANSLATE_NOOP("kiv", "&4. Spieler")},
    {75, QT_TRANSLATE_NOOP("kiv", "Spielt mit")},
    {76, QT_TRANSLATE_NOOP("kiv", "Wird vom Rechner gesteuert")},
    {77, QT_TRANSLATE_NOOP("kiv", "Sprache festlegen")},
    {78, QT_TRANSLATE_NOOP(
             "kiv",
             "Das Programm ist zur Zeit nur in deutscher Sprache erhältlich, eine Übersetzung ist "
             "in Vorbereitung.")},
    {79, QT_TRANSLATE_NOOP("kiv", "Deutsch")},
    {80, QT_TRANSLATE_NOOP("kiv", "Englisch")},
    {81, QT_TRANSLATE_NOOP("kiv", "Name:")},
    {82, QT_TRANSLATE_NOOP(
             "kiv",
             "Allein macht Kiv Kiv keinen Spaß: Bitte lassen Sie mindestens einen weiteren Spieler "
             "mitspielen.")},
    {83,
     QT_TRANSLATE_NOOP(
         "kiv", "Die Konfigurationsdatei konnte nicht gelesen werden. Es wird daher eine neue mit "
                "Standardwerten erstellt.")},
    {84, QT_TRANSLATE_NOOP(
             "kiv",
             "Die Konfigurationsdatei konnte nicht geschrieben werden.\n\nBitte prüfen Sie, ob der "
             "Datenträger beschreibbar ist.")},
    {85,
     QT_TRANSLATE_NOOP(
         "kiv", "Bitte geben Sie als 'Punkte zum Sieg' einen Wert zwischen 100 und 99999 ein.")},
    {86,
     QT_TRANSLATE_NOOP(
         "kiv",
         "Sie können als Wert für 'Karten pro Spieler' nur eine Zahl zwischen 3 und 6 eingeben.")},
    {87, QT_TRANSLATE_NOOP(
             "kiv", "Sie können als Wert für 'Zeit Rechnerzug' nur eine Zahl zwischen 200 und 9999 "
                    "eingeben.")},
    {88, QT_TRANSLATE_NOOP("kiv", "Karten werden ausgeteilt...")},
    {89, QT_TRANSLATE_NOOP("kiv", "Karten werden eingesammelt...")},
    {90, QT_TRANSLATE_NOOP("kiv", "Bereit")},
    {91, QT_TRANSLATE_NOOP("kiv", "Sie dürfen keine soeben gezogene Karte gleich wieder ablegen.")},
    {92,
     QT_TRANSLATE_NOOP(
         "kiv",
         "Bitte legen Sie eine Karte, deren Farbe oder Wert zu der Karte auf dem Stapel paßt.")},
    {93,
     QT_TRANSLATE_NOOP(
         "kiv", "Hey, Sie wollen doch nicht etwa schummeln? Ziehen Sie erst so viele Karten, wie "
                "notwendig...")},
    {94,
     QT_TRANSLATE_NOOP(
         "kiv", "Auf eine Sieben dürfen Sie nur eine Sieben legen.\n\nWenn Sie keine Sieben haben, "
                "müssen Sie wohl oder übel ziehen.")},
    {95,
     QT_TRANSLATE_NOOP(
         "kiv",
         "Sie dürfen jetzt keine Karten ablegen, da eine Sieben auf dem Stapel liegt und Sie noch "
         "Karten ziehen müssen.")},
    {96,
     QT_TRANSLATE_NOOP(
         "kiv",
         "Auf eine Acht dürfen Sie nur eine Acht legen.\n\nWenn Sie keine Acht haben, müssen Sie "
         "aussetzen, indem Sie im Menü Spiel die Funktion Nächster Spieler anklicken.")},
    {97, QT_TRANSLATE_NOOP(
             "kiv",
             "Es wurde ein Bube abgelegt. Sie müssen jetzt entweder Herz oder einen Buben legen.")},
    {98, QT_TRANSLATE_NOOP(
             "kiv",
             "Es wurde ein Bube abgelegt. Sie müssen jetzt entweder Karo oder einen Buben legen.")},
    {99,
     QT_TRANSLATE_NOOP(
         "kiv",
         "Es wurde ein Bube abgelegt. Sie müssen jetzt entweder Kreuz oder einen Buben legen.")},
    {100, QT_TRANSLATE_NOOP(
              "kiv",
              "Es wurde ein Bube abgelegt. Sie müssen jetzt entweder Pik oder einen Buben legen.")},
    {101, QT_TRANSLATE_NOOP(
              "kiv", "Es sind alle Karten ausgelegt. Am besten starten Sie ein neues Spiel.")},
    {102, QT_TRANSLATE_NOOP("kiv", "Warum wollen Sie denn mehr Karten ziehen als notwendig?")},
    {103,
     QT_TRANSLATE_NOOP(
         "kiv",
         "Es liegt eine Acht auf dem Stapel. Sie dürfen daher keine Karte ziehen, sondern müssen "
         "aussetzen, wenn Sie keine Acht haben.\n\nWählen Sie dazu im Menü Spiel die Funktion "
         "Nächster Spieler.")},
    {104, QT_TRANSLATE_NOOP("kiv", "Zu legen: Herz")},
    {105, QT_TRANSLATE_NOOP("kiv", "Zu legen: Karo")},
    {106, QT_TRANSLATE_NOOP("kiv", "Zu legen: Kreuz")},
    {107, QT_TRANSLATE_NOOP("kiv", "Zu legen: Pik")},
    {108, QT_TRANSLATE_NOOP("kiv", "Zu ziehen: ")},
    {109, QT_TRANSLATE_NOOP("kiv", "Am Zug")},
    {110, QT_TRANSLATE_NOOP("kiv", "Es sieht so aus, als wäre diese Runde für ")},
    {111, QT_TRANSLATE_NOOP(
              "kiv", "nicht gerade ein Erfolg gewesen. Na ja, die nächste wird's bestimmt...")},
    {112,
     QT_TRANSLATE_NOOP(
         "kiv",
         "Es konnte keine neue Rangliste erstellt werden (Schreibschutz ?\?\?)\n\nDie Funktion "
         "wurde daher abgebrochen.")},
    {113,
     QT_TRANSLATE_NOOP(
         "kiv", "Die Rangliste konnte nicht gefunden werden, es wird daher eine neue erstellt.")},
    {114, QT_TRANSLATE_NOOP(
              "kiv", "Sollen die Ergebnisse dieses Spiels in die Rangliste eingetragen werden?")},
    {115, QT_TRANSLATE_NOOP("kiv", "Möchten Sie wirklich ein neues Spiel starten?")},
    {116, QT_TRANSLATE_NOOP("kiv", "Bitte ziehen Sie erst eine Karte.")},
    {117,
     QT_TRANSLATE_NOOP(
         "kiv",
         "Durch den Aufruf dieser Funktion wird ein neues Spiel gestartet.\n\nMöchten Sie das?")},
    {118, QT_TRANSLATE_NOOP(
              "kiv", "Möchten Sie die Rangliste für die neu gewählten Spieler zurücksetzen?")},
    {119, QT_TRANSLATE_NOOP(
              "kiv",
              "Die Hintergrundmusik konnte nicht abgespielt werden. Wahrscheinlich haben Sie eine "
              "ungültige Mididatei angegeben.")},
    {120, QT_TRANSLATE_NOOP("kiv", "Möchten Sie die Rangliste wirklich zurücksetzen?")},
    {121, QT_TRANSLATE_NOOP("kiv", "Langsam")},
    {122, QT_TRANSLATE_NOOP("kiv", "Mittel")},
    {123, QT_TRANSLATE_NOOP("kiv", "Schnell")},
    {124, QT_TRANSLATE_NOOP("kiv", "(100-99999)")},
    {125, QT_TRANSLATE_NOOP("kiv", "(3-6)")},
    {126, QT_TRANSLATE_NOOP("kiv", "(200-9999 ms)")},
    {127, QT_TRANSLATE_NOOP("kiv", "Version")},
    {128, QT_TRANSLATE_NOOP("kiv", "Schließen")},
    {129, QT_TRANSLATE_NOOP("kiv", "Zurück")},
    {130, QT_TRANSLATE_NOOP("kiv", "Inhalt")},
    {131,
     QT_TRANSLATE_NOOP(
         "kiv", "Es ist keine Karte mehr zu ziehen. Die Strafkarten verfallen, der nächste Spieler "
                "ist an der Reihe.")},
    {132, QT_TRANSLATE_NOOP("kiv", "Punkte")},
    {133, QT_TRANSLATE_NOOP("kiv", "Spieler")},
    {134, QT_TRANSLATE_NOOP("kiv", "Datei wählen")},
    {135, QT_TRANSLATE_NOOP("kiv", "Mididatei (*.mid)")},
    {136, QT_TRANSLATE_NOOP("kiv", "&Wahl")},
    {137,
     QT_TRANSLATE_NOOP(
         "kiv", "Bitte seien Sie so nett und lassen Ihren Rechner fertig spielen, bevor Sie diese "
                "Funktion ausführen.")},
    {138, QT_TRANSLATE_NOOP("kiv", "Geschwindigkeit der Karten")},
    {139, QT_TRANSLATE_NOOP(
              "kiv",
              "Es wurde eine Acht als erste Karte aufgedeckt. Sie müssen daher leider aussetzen.")},
    {140, QT_TRANSLATE_NOOP("kiv", "&Vollbild")},
    {141, QT_TRANSLATE_NOOP(
              "kiv", "Zeigt den Spieltisch auf dem ganzen Bildschirm oder wieder im Fenster")},
};

// The second block differs from the German one only at these offsets.
constexpr Entry kSecondDifferences[] = {
    {1, QT_TRANSLATE_NOOP("kiv", "&Game")},
    {2, QT_TRANSLATE_NOOP("kiv", "&Start new game")},
    {3, QT_TRANSLATE_NOOP("kiv", "&Next player")},
    {4, QT_TRANSLATE_NOOP("kiv", "&Quit")},
    {5, QT_TRANSLATE_NOOP("kiv", "&Settings")},
    {10, QT_TRANSLATE_NOOP("kiv", "&Hintergrundfarbe wählen")},
    {14, QT_TRANSLATE_NOOP("kiv", "Rangliste &löschen")},
    {18, QT_TRANSLATE_NOOP("kiv", "&Help")},
    {22, QT_TRANSLATE_NOOP("kiv", "&About Kiv Kiv...")},
    {32, QT_TRANSLATE_NOOP("kiv", "About Kiv Kiv")},
    {33, QT_TRANSLATE_NOOP("kiv", "Author:")},
    {41, QT_TRANSLATE_NOOP("kiv", "Points:")},
    {54, QT_TRANSLATE_NOOP("kiv", "&Help")},
    {55, QT_TRANSLATE_NOOP("kiv", "&Cancel")},
    {58, QT_TRANSLATE_NOOP("kiv", "with")},
    {59, QT_TRANSLATE_NOOP("kiv", "points")},
    {64, QT_TRANSLATE_NOOP("kiv", "points")},
    {71, QT_TRANSLATE_NOOP("kiv", "1. player")},
    {72, QT_TRANSLATE_NOOP("kiv", "2. player")},
    {73, QT_TRANSLATE_NOOP("kiv", "3. player")},
    {74, QT_TRANSLATE_NOOP("kiv", "4. player")},
    {77, QT_TRANSLATE_NOOP("kiv", "Select language")},
    {79, QT_TRANSLATE_NOOP("kiv", "German")},
    {80, QT_TRANSLATE_NOOP("kiv", "English")},
    {83,
     QT_TRANSLATE_NOOP(
         "kiv",
         "Englisch: Die Konfigurationsdatei konnte nicht gelesen werden. Es wird daher eine neue "
         "mit Standardwerten erstellt.")},
    {90, QT_TRANSLATE_NOOP("kiv", "Ready")},
    {134, QT_TRANSLATE_NOOP("kiv", "Open file")},
    {136, QT_TRANSLATE_NOOP("kiv", "&Browse")},
    {140, QT_TRANSLATE_NOOP("kiv", "&Full Screen")},
    {141, QT_TRANSLATE_NOOP("kiv", "Shows the table on the whole screen or back in its window")},
};

// Offsets the second block does not have at all.
constexpr int kSecondAbsent[] = {34, 35};

// Resource strings outside the blocks: the application title and the
// command strings the toolbar shows as tooltips.
constexpr Entry kLoose[] = {
    {kAppTitleId, "Kiv Kiv"}, {32772, "Neues Spiel"},   {32776, "Nächster Spieler"},
    {32777, "Rangliste"},     {32775, "Einstellungen"}, {32781, "Über Kiv Kiv"},
};

// The German block and the texts outside the blocks, as written.
QHash<int, QString> BuildTable() {
    QHash<int, QString> table;
    for (const Entry& e : kGerman) {
        table.insert(kGermanBase + e.offset, QString::fromUtf8(e.text));
    }
    for (const Entry& e : kLoose) {
        table.insert(e.offset, QString::fromUtf8(e.text));
    }
    return table;
}

// The second block's texts before translation: the German ones with the
// differences laid over them.
QHash<int, const char*> BuildSecondBlock() {
    QHash<int, const char*> block;
    for (const Entry& e : kGerman) {
        block.insert(kSecondBase + e.offset, e.text);
    }
    for (const Entry& e : kSecondDifferences) {
        block.insert(kSecondBase + e.offset, e.text);
    }
    for (int offset : kSecondAbsent) {
        block.remove(kSecondBase + offset);
    }
    return block;
}

const QHash<int, QString>& Table() {
    static const QHash<int, QString> table = BuildTable();
    return table;
}

const QHash<int, const char*>& SecondBlock() {
    static const QHash<int, const char*> block = BuildSecondBlock();
    return block;
}

} // namespace

bool InstallTranslation(const QLocale& locale) {
    static QPointer<QTranslator> installed;
    if (installed != nullptr) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
    }
    auto* translator = new QTranslator(QCoreApplication::instance());
    // Built into the program as the resources ":/i18n/kiv_<language>.qm".
    if (!translator->load(locale, QStringLiteral("kiv"), QStringLiteral("_"),
                          QStringLiteral(":/i18n"))) {
        delete translator;
        return false;
    }
    installed = translator;
    QCoreApplication::installTranslator(translator);
    return true;
}

QString LoadText(int id) {
    // The second block speaks the locale's language where a translation of
    // the program is installed for it; as written otherwise.
    if (const auto text = SecondBlock().constFind(id); text != SecondBlock().constEnd()) {
        return QCoreApplication::translate(kTextContext, *text);
    }
    return Table().value(id);
}

bool HasText(int id) {
    return Table().contains(id) || SecondBlock().contains(id);
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
