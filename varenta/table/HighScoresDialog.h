// The Hall of Fame: the ten best hand or match results of one computer
// level, chosen with two radio groups; "&Clear" empties the table shown.
#pragma once

#include <QDialog>

#include <array>
#include <functional>

#include "varenta/store/HighScores.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace varenta {

class SettingsFile;

class HighScoresDialog : public QDialog {
    Q_OBJECT
public:
    // Opens on that level and type; `boldRow` (1..10, 0 for none) marks the
    // entry just made in that table. Clearing works on `scores` and `store`.
    HighScoresDialog(HighScores& scores, SettingsFile& store,
                     std::function<bool(const QString&)> yesNo, int level, HighScoreType type,
                     int boldRow = 0, QWidget* parent = nullptr);

    int ShownLevel() const;
    HighScoreType ShownType() const;
    // row 1..10; column 0 rank, 1 player, 2 date, 3 score
    QString CellText(int row, int column) const;
    bool RowBold(int row) const;

    // "&Clear": asks, then empties the table shown, here and in the store.
    void ClearClick();

private:
    void ShowTable();

    HighScores& scores_;
    SettingsFile& store_;
    std::function<bool(const QString&)> yesNo_;
    int boldLevel_;
    HighScoreType boldType_;
    int boldRow_;
    std::array<QRadioButton*, kHighScoreLevels> levels_{};
    QRadioButton* rbHand_;
    QRadioButton* rbMatch_;
    std::array<std::array<QLabel*, 4>, kHighScoreRows> cells_{};
};

} // namespace varenta
