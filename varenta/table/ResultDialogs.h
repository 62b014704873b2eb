// The result dialogs: "Hand Finished" with its "Detailed Scoring Results",
// and "Game Over" with the question whether to play another game.
#pragma once

#include "varenta/engine/Results.h"

#include <QDialog>

#include <functional>

class QGridLayout;
class QPushButton;

namespace varenta {

class DetailedScoringDialog : public QDialog {
    Q_OBJECT
public:
    explicit DetailedScoringDialog(const HandResult& result, QWidget* parent = nullptr);
    // Text of the cell at the row of a line caption and a column 0..3
    // (player number, player value, opponent number, opponent value).
    QString Cell(const QString& line, int column) const;
    QString Title(bool player) const;

private:
    QGridLayout* grid_;
};

class HandResultDialog : public QDialog {
    Q_OBJECT
public:
    // showOpponentHand(true) while the details are open, (false) afterwards;
    // empty when the computer's hand must stay hidden (network game).
    HandResultDialog(const HandResult& result, std::function<void(bool)> showOpponentHand,
                     QWidget* parent = nullptr);

    QPushButton* DetailsButton() const { return details_; }
    QString Value(int row) const; // 0 yours, 1 opponent's, 2 difference
    QString Label(int row) const;

    // Opens the details (the button's action); runner replaces exec() in tests.
    void OpenDetails();
    void SetDetailsRunner(std::function<void(DetailedScoringDialog&)> runner) {
        detailsRunner_ = std::move(runner);
    }

private:
    HandResult result_;
    std::function<void(bool)> showOpponentHand_;
    std::function<void(DetailedScoringDialog&)> detailsRunner_;
    QGridLayout* grid_;
    QPushButton* details_;
};

class GameOverDialog : public QDialog {
    Q_OBJECT
public:
    explicit GameOverDialog(const GameOverResult& result, QWidget* parent = nullptr);
    QString Message() const;
    QString Value(int row) const; // 0 yours, 1 opponent's, 2 difference
    QString Label(int row) const;
    QString Question() const;

private:
    QGridLayout* grid_;
};

} // namespace varenta
