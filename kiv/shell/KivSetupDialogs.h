// The dialogs that change the game: "Mitspieler festlegen" and the settings
// sheet "Regeln und Einstellungen" with its pages SettingsPage, RulesPage
// and SoundPage.
#pragma once

#include "kiv/shell/KivFiles.h"

#include <QDialog>
#include <QString>

#include <array>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QTabWidget;

namespace kiv {

class Prompter;

// Opens the help window at a keyword ("" = contents).
using HelpCallback = std::function<void(const QString& keyword)>;

// Help keywords of the dialogs.
inline constexpr char kHelpPlayers[] = "Mitspieler bestimmen";
inline constexpr char kHelpSettings[] = "Einstellungen verändern";
inline constexpr char kHelpRules[] = "Spielregeln einstellen";
inline constexpr char kHelpSound[] = "Sound einstellen";

// "Mitspieler festlegen". Seat 0 is the human seat: only its name can be
// changed. A set-up in which seat 0 would play alone is refused.
class PlayersDialog : public QDialog {
    Q_OBJECT
public:
    PlayersDialog(int languageBase, const std::array<SeatSetup, 4>& seats, Prompter& prompter,
                  HelpCallback help, QWidget* parent = nullptr);
    std::array<SeatSetup, 4> Seats() const;
    void accept() override;

private:
    int base_;
    Prompter& prompter_;
    std::array<QLineEdit*, 4> names_{};
    std::array<QCheckBox*, 4> plays_{};
    std::array<QCheckBox*, 4> computer_{};
};

// What the settings sheet edits.
struct SheetValues {
    int pointsToWin = 200;
    int cardsPerPlayer = 5;
    int computerDelay = 400;
    int cardSpeed = 40;
    bool animateCards = true;
    bool ruleLayAfterDraw = false;
    bool ruleEightOnEight = true;
    bool ruleJackAlways = true;
    bool ruleAnyOnFirstJack = true;
    bool ruleEndOnFirstOut = false;
    bool soundOn = true;
    bool musicOn = true;
    QString midiFile;

    bool operator==(const SheetValues&) const = default;
};

// The first failing check of the first page, in the order points to win,
// cards per player, computer pause: the text offset 85, 86 or 87, or 0.
int ValidateEinstellungen(int pointsToWin, int cardsPerPlayer, int computerDelay);

class KivSettingsSheet : public QDialog {
    Q_OBJECT
public:
    enum Page { kEinstellPage = 0, kRegelPage = 1, kSoundPage = 2 };

    KivSettingsSheet(int languageBase, const SheetValues& values, Prompter& prompter,
                     HelpCallback help, QWidget* parent = nullptr);
    SheetValues Values() const;
    // The help keyword of the active page; empty once the sheet has closed.
    QString HelpKeyword() const { return helpKeyword_; }
    QTabWidget* Pages() const { return tabs_; }
    void accept() override;
    void done(int result) override;

private:
    QWidget* BuildEinstellPage(const SheetValues& v);
    QWidget* BuildRegelPage(const SheetValues& v);
    QWidget* BuildSoundPage(const SheetValues& v);
    void PageChanged(int index);
    // Checks the first page; reports the first failure and shows that page.
    bool CheckEinstellPage();
    void ChooseMidiFile();

    int base_;
    Prompter& prompter_;
    HelpCallback help_;
    QString helpKeyword_;
    QTabWidget* tabs_ = nullptr;
    int lastPage_ = kEinstellPage;
    bool switchingBack_ = false;
    int cardSpeed_ = 40;
    QLineEdit* points_ = nullptr;
    QLineEdit* cards_ = nullptr;
    QLineEdit* delay_ = nullptr;
    QButtonGroup* speed_ = nullptr;
    QCheckBox* animate_ = nullptr;
    std::array<QCheckBox*, 5> rules_{};
    QCheckBox* sound_ = nullptr;
    QCheckBox* music_ = nullptr;
    QLineEdit* midi_ = nullptr;
};

} // namespace kiv
