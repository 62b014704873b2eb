// "Customize Varenta": the table's colour and size, the players, the
// computer's level and the pace of play, on four tabs. OK and "&Apply" store
// every value and hand them to the table window; Cancel stores nothing but a
// statistics reset, which takes effect at once.
#pragma once

#include <QColor>
#include <QDialog>

#include <array>
#include <functional>
#include <optional>

#include "varenta/store/Players.h"
#include "varenta/table/TableSettings.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;

namespace varenta {

class SettingsFile;

struct CustomizeServices {
    std::function<std::optional<QString>(const QString&, const QString&, const QString&)> input;
    std::function<bool(const QString&)> yesNo;
    std::function<void(const QString&)> refuse; // a typed value that cannot be kept
    std::function<void(const QString&)> error;  // the store failed
    std::function<std::optional<QColor>(const QColor&)> chooseColor;
    // After OK or "&Apply" stored everything: the table window takes it over.
    std::function<void(const TableOptions&, const PlayerList&)> apply;
    QString autosavePath; // deleted when AutoSave is switched off
};

class CustomizeDialog : public QDialog {
    Q_OBJECT
public:
    enum Tab { kScreenTab = 0, kPlayersTab = 1, kLevelTab = 2, kGeneralTab = 3 };

    // `tablePlayers` is the table window's own list: the dialog edits a copy
    // and replaces it on OK, but a statistics reset changes it at once.
    CustomizeDialog(const TableOptions& options, PlayerList& tablePlayers, SettingsFile& store,
                    bool gameInProgress, int layoutLimit, CustomizeServices services,
                    QWidget* parent = nullptr);

    // Computer Melding position 0..10 (Slow to Fast) and the pause after
    // each card the computer melds: 300 ms per step below Fast.
    static int DelayPosition(int milliseconds);
    static int PositionDelay(int position);

    // What the controls show now, and the working list with the name in
    // the "Current Player" box made current.
    TableOptions ChosenOptions() const;
    PlayerList ChosenPlayers() const;
    QString CurrentPlayerShown() const;

    // The player buttons and the colour button.
    void NewPlayerClick();
    void RenamePlayerClick();
    void DeletePlayerClick();
    void SetCurrentClick();
    void ResetStatsClick();
    void ChangeColorClick();
    // Stores and hands over; false (nothing handed over) when the store failed.
    bool ApplyClick();

public slots:
    void accept() override;

private:
    QWidget* BuildScreenTab(int layoutLimit);
    QWidget* BuildPlayersTab();
    QWidget* BuildLevelTab();
    QWidget* BuildGeneralTab();
    void ShowOptions(const TableOptions& options);
    void FillPlayers(const QString& select);
    QString SelectedName() const;
    void SetCurrentName(const QString& name); // empty: nobody
    void UpdatePlayerButtons();
    void UpdateEnabling();
    void Changed();
    void ShowSwatch();
    bool Store();

    PlayerList& tablePlayers_;
    SettingsFile& store_;
    CustomizeServices services_;
    bool locked_; // a game is in progress: the level stays as it is
    QColor background_;
    std::vector<PlayerEntry> working_;
    QString currentName_; // empty while nobody is current

    QTabWidget* pcCustomize_;
    QFrame* shBackground_;
    std::array<QRadioButton*, 4> layouts_{};
    QCheckBox* ckShowStatusbar_;
    QListWidget* lbPlayers_;
    QLabel* lbCurrentPlayer_;
    QPushButton* bnNew_;
    QPushButton* bnRename_;
    QPushButton* bnDelete_;
    QPushButton* bnSetCurrent_;
    QPushButton* bnResetStats_;
    QGroupBox* rgLevel_;
    std::array<QRadioButton*, 3> levels_{};
    QSlider* tbAggressive_;
    QLabel* lbAggressive_;
    QLabel* lbWarning_;
    QRadioButton* rbOneClick_;
    QRadioButton* rbTwoClicks_;
    QSlider* tbDelay_;
    QCheckBox* ckCardMoves_;
    QSlider* tbCardMoves_;
    QCheckBox* ckSaveExit_;
    QCheckBox* ckShowWhoseTurn_;
    QCheckBox* ckShowHighscores_;
    QPushButton* bnApply_;
};

} // namespace varenta
