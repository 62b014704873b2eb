// "Select Card Back": for each of the two decks a solid colour, one of the ten
// patterns (picked in "Select Card Back Pattern") or a picture file. OK and
// "&Apply" store both decks and hand them to the table window.
#pragma once

#include "varenta/table/CardImages.h"

#include <QDialog>

#include <array>
#include <functional>
#include <optional>

class QLabel;
class QPushButton;
class QRadioButton;

namespace varenta {

class SettingsFile;

struct CardBackServices {
    std::function<std::optional<QColor>(const QColor&)> chooseColor;
    // The pattern dialog, given the current pattern; nothing when cancelled.
    std::function<std::optional<int>(int)> choosePattern;
    // The open-file dialog (caption, start folder, filter); empty when cancelled.
    std::function<QString(const QString&, const QString&, const QString&)> openFile;
    std::function<void(const QString&)> refuse; // a picture that cannot be shown
    std::function<void(const QString&)> error;  // the store failed
    // After OK or "&Apply" stored both decks: the table takes them over.
    std::function<void(const std::array<CardBack, 2>&)> apply;
};

class CardBackDialog : public QDialog {
    Q_OBJECT
public:
    CardBackDialog(SettingsFile& store, CardBackServices services, QWidget* parent = nullptr);

    const std::array<CardBack, 2>& Backs() const { return backs_; }
    int EditedDeck() const { return deck_; }
    // The preview as shown (53 x 81 table pixels).
    QImage Preview() const;

    void SelectDeck(int deck);
    void SelectType(int type);
    void ChangeClick();
    // Stores and hands over; false when the store failed.
    bool ApplyClick();

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowDeck();
    void Changed();

    SettingsFile& store_;
    CardBackServices services_;
    std::array<CardBack, 2> backs_{};
    int deck_ = 0;
    std::array<QRadioButton*, 2> deckButtons_{};
    std::array<QRadioButton*, 3> typeButtons_{};
    QLabel* preview_;
    QPushButton* bnApply_;
};

// "Select Card Back Pattern": the ten patterns in two rows of five; a click
// on a picture selects it.
class PatternGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kGap = 5;
    static constexpr int kColumns = 5;

    explicit PatternGrid(int selected, QWidget* parent = nullptr);
    int Selected() const { return selected_; }
    // The picture under a point of the widget, or −1.
    static int PatternAt(QPoint at);
    static QRect PatternRect(int pattern);
    int Repaints() const { return repaints_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int selected_;
    int repaints_ = 0; // selection changes that asked for a repaint
};

class CardPatternDialog : public QDialog {
    Q_OBJECT
public:
    explicit CardPatternDialog(int pattern, QWidget* parent = nullptr);
    int Pattern() const { return grid_->Selected(); }
    PatternGrid* Grid() const { return grid_; }

private:
    PatternGrid* grid_;
};

} // namespace varenta
