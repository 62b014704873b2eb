// The Win Ratio dialog: one player's games won and lost and the ratio, the
// player chosen from a drop-down of the list; "&Reset" sets both counters
// back to zero and stores the list.
#pragma once

#include <QDialog>

#include <functional>

#include "varenta/store/Players.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace varenta {

class SettingsFile;

class WinRatioDialog : public QDialog {
    Q_OBJECT
public:
    // Works on the table window's own list; `players` must not be empty.
    WinRatioDialog(PlayerList& players, SettingsFile& store,
                   std::function<bool(const QString&)> yesNo, QWidget* parent = nullptr);

    void ResetClick();

private:
    void ShowPlayer();

    PlayerList& players_;
    SettingsFile& store_;
    std::function<bool(const QString&)> yesNo_;
    QComboBox* cbPlayers_;
    QLabel* lbWins_;
    QLabel* lbLosses_;
    QLabel* lbRatio_;
    QPushButton* bnReset_;
};

} // namespace varenta
