// The program's small modal dialogs: "Bube ausgelegt", the results of a game,
// the ranking list, the card back choice and the program information. Every
// dialog takes its texts from the active string block; controls carry their
// resource ids as object names ("idc1006"), so tests can find them.
#pragma once

#include <QDialog>
#include <QString>

#include <array>
#include <cstdint>

class QRadioButton;

namespace kiv {

// Object name of the control with resource id `id`.
QString ControlName(int id);

// "Bube ausgelegt": the suit the next card must have.
class JackSuitDialog : public QDialog {
    Q_OBJECT
public:
    explicit JackSuitDialog(int languageBase, QWidget* parent = nullptr);
    // 2 Herz, 1 Karo, 3 Kreuz, 4 Pik; Karo unless another radio is checked.
    int ChosenSuit() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::array<QRadioButton*, 4> radios_{};
};

// One line of the results or ranking dialog.
struct PlaceLine {
    QString name;
    std::int64_t points = 0;
};
using FourPlaces = std::array<PlaceLine, 4>; // best first

// "Die Ergebnisse dieses Spiels".
class RoundResultsDialog : public QDialog {
    Q_OBJECT
public:
    RoundResultsDialog(int languageBase, const FourPlaces& places, QWidget* parent = nullptr);
};

// "Rangliste".
class RankingDialog : public QDialog {
    Q_OBJECT
public:
    RankingDialog(int languageBase, const FourPlaces& places, QWidget* parent = nullptr);
};

// "Deckblatt wählen": four backs, each with a "Wählen" button (1043..1046).
class CardBackDialog : public QDialog {
    Q_OBJECT
public:
    explicit CardBackDialog(int languageBase, QWidget* parent = nullptr);
    // 1..4; 1 when the dialog was closed without a choice.
    int Choice() const { return choice_; }

private:
    int choice_ = 1;
};

// "Sprache festlegen": the German block or the second (English) one.
class LanguageDialog : public QDialog {
    Q_OBJECT
public:
    explicit LanguageDialog(int languageBase, QWidget* parent = nullptr);
    // The chosen block's base (1000 or 5000).
    int Choice() const;

private:
    QRadioButton* german_;
};

// "Info über Kiv Kiv".
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog(int languageBase, const QString& version, const QString& date,
                QWidget* parent = nullptr);
};

} // namespace kiv
