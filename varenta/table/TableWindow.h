// The table window: owns the game for the whole run and assembles the
// classes that do the work: the controller that runs the engine and is its
// port (TableController), the card backs, sound and music (TableMedia), the
// players and the Hall of Fame (TableRecords), the saved games (SavedGames)
// and network play. The window itself holds the menus, the layout, the help
// and the start and end of the program.
#pragma once

#include "varenta/computer/ComputerPlayer.h"
#include "varenta/engine/VarentaEngine.h"
#include "varenta/engine/VarentaPort.h"
#include "varenta/net/session/ConnectionStatus.h"
#include "varenta/table/CardImages.h"
#include "varenta/table/Jukebox.h"
#include "varenta/table/SoundEvents.h"
#include "varenta/table/TableClock.h"
#include "varenta/table/TableController.h"
#include "varenta/table/TableSettings.h"
#include "varenta/table/WindowPlacement.h"

#include <QDate>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

class QAction;
class QKeyEvent;
class QLabel;
class QMenu;

namespace varenta {

class SavedGames;
class TableMedia;
class TableRecords;
class ChatWindow;
class OwnAddressQuery;
class PortMapper;
class NetTimer;
class SecretStore;
class TableNetwork;
class ConnectDialog;
class NetworkSetupDialog;
class GameOverDialog;
class HandResultDialog;
class RuleDifferencesDialog;
class HelpWindow;
class TableView;
class SettingsFile;
class TurnNotice;
class TableStatusBar;

// What the window uses from outside; every empty field gets the real thing.
struct TableServices {
    SettingsFile* store = nullptr;        // the settings store (rfMain)
    TableClock* clock = nullptr;          // pauses and animation timing
    SoundPlayer* sound = nullptr;         // wave playback (SDL2_mixer)
    MusicPlayer* music = nullptr;         // MIDI playback (SDL2_mixer)
    ComputerTurnHook* computer = nullptr; // the computer player (default: at the stored level)
    QString mediaDir;                     // default waves and about.wav
    QString musicDir;                     // the tunes; empty: mediaDir
    QString helpDir;                      // the help pages
    int screenWidth = 0;                  // 0: the real screen's width
    int screenHeight = 0;
    bool splashTimer = true;         // deal the first hand 2000 ms after start
    std::uint64_t seed = 0;          // 0: seeded from the time
    QString resumeFile;              // a saved game named on the command line
    QString keptGameFile;            // a waiting network game (default: beside the autosave)
    std::function<void()> onStarted; // the splash window closes here
    std::function<QDate()> today;    // the date of a new high score (default: today)
    // Network play: the connect dialog's own addresses and its
    // identification-server query (default: port 80), and the session's
    // port (default 31415).
    std::function<std::vector<std::string>()> localAddresses;
    std::function<std::unique_ptr<OwnAddressQuery>()> ownAddressQuery;
    // The STUN query of the connect dialog (default: the STUN server named
    // in the settings) and the port mapping on the router while listening
    // (default: the router on the local network). A factory that returns
    // nothing switches the feature off.
    std::function<std::unique_ptr<OwnAddressQuery>()> stunQuery;
    std::function<std::unique_ptr<PortMapper>()> portMapper;
    std::string sessionPort;
    QString mailTrustFile; // authorities for the mail servers' TLS; empty: the system's
    // Where the relay's password is kept (default: the desktop's secret
    // store, when the session offers one).
    std::function<std::unique_ptr<SecretStore>()> secretStore;
    // The relay's refresh clock (default: a Qt timer).
    std::function<std::unique_ptr<NetTimer>()> relayTimer;
};

// The modal windows, replaceable so tests can answer them.
struct TableDialogs {
    std::function<void(MessageKind, const QString&)> message;
    std::function<bool(const QString&)> yesNo;
    // A question with the buttons given: the one chosen (0 for Escape).
    std::function<int(const QString&, const QStringList&)> choose;
    std::function<void(HandResultDialog&)> handResult;
    std::function<bool(GameOverDialog&)> gameOver;
    // An input box (title, prompt, prefilled text); nothing when cancelled.
    std::function<std::optional<QString>(const QString&, const QString&, const QString&)> input;
    // The colour dialog; nothing when cancelled.
    std::function<std::optional<QColor>(const QColor&)> chooseColor;
    // Hall of Fame, Win Ratio and Customize, shown modally.
    std::function<void(QDialog&)> modal;
    // The connect dialog; returns whether it was confirmed.
    std::function<bool(ConnectDialog&)> connect;
    // The Network Setup dialog; returns whether it was confirmed.
    std::function<bool(NetworkSetupDialog&)> networkSetup;
    // The file dialogs of Load and Save: the chosen file, or empty for Cancel.
    std::function<QString(bool save, const QString& suggested)> gameFile;
    // The open-file dialog (caption, start folder, filter) of pictures,
    // sounds and music, and the folder dialog (caption, start folder):
    // empty for Cancel.
    std::function<QString(const QString&, const QString&, const QString&)> openFile;
    std::function<QString(const QString&, const QString&)> chooseFolder;
    // "Select Card Back Pattern" given the current pattern; nothing when cancelled.
    std::function<std::optional<int>(int)> choosePattern;
};

class TableWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kSplashMs = 2000;

    explicit TableWindow(TableServices services = {}, QWidget* parent = nullptr);
    ~TableWindow() override;

    // The parts the window assembles.
    VarentaEngine& Engine() { return engine_; }
    TableController& Controller() { return *controller_; }
    TableMedia& Media() { return *media_; }
    TableRecords& Records() { return *records_; }
    SavedGames& Games() { return *games_; }
    TableView* View() const { return view_; }
    TableStatusBar* StatusLine() const { return status_; }
    TableDialogs& Dialogs() { return dialogs_; }
    SettingsFile& Store() { return *store_; }
    const TableServices& Services() const { return services_; }
    HelpWindow* Help();
    // The help comes back to the front (after the turn notice closed).
    void RaiseHelp();
    QAction* Action(const QString& objectName) const;
    // The keys belong to the table again once a modal window has closed.
    void TakeFocusBack();

    // Start of play after the splash window: deals the first hand.
    void ProgramStart();
    bool Started() const { return started_; }

    int Layout() const { return layout_; }
    // The largest layout the screen allows, and the one matching its width (-1: none).
    int LayoutLimit() const;
    int LayoutMatchingScreen() const;
    void ApplyLayout(int layout);
    void RecomputeLayout();
    // The card pictures for `dpr` device pixels per pixel (0: the view's).
    void LoadCardImages(qreal dpr = 0);
    const CardImageList& Images() const { return images_; }

    // The computer's strength (0 Beginner, 1 Advanced, 2 Expert) and the
    // Expert's aggression.
    int ComputerLevelIndex() const { return computerLevel_; }
    int Aggression() const { return aggression_; }
    bool AutoSave() const { return autoSave_; }
    // The values the Customize dialog edits, and taking them over after it
    // stored them: the layout is applied and the table repainted at once.
    TableOptions Options() const;
    void TakeOptions(const TableOptions& options);
    // Customize opens on `tab` when it is 0..3, else on the last one shown.
    void CustomizeClick(int tab = -1);

    // The window command by which the help pages open the dialogs they
    // describe: 9999 with the parameter 0 opens Customize on "Players", 1
    // Customize on "General", 2 Rules on "Red Threes", 3 Rules on "General",
    // 4 Rules on "Discard Pile". False (nothing opened) for any other command.
    static constexpr int kOpenDialogCommand = 9999;
    bool Command(int id, int param);
    void WindowCommand(int which);
    // The help on a topic number, or on a page and anchor (empty: the contents).
    void ShowHelpTopic(int topic);
    void ShowHelpTarget(const QString& target);

    // Network play: the Network menu, the chat, the connection (TableNetwork).
    TableNetwork& Network() { return *network_; }

    // SIGINT or SIGTERM: ends the program as its Exit command does (the
    // autosave and the window position are written), without asking. Open
    // dialogs are cancelled, which changes nothing; a computer turn still
    // running finishes at full speed first.
    void EndOnSignal();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Shows the hints of disabled menu items too, which Qt leaves out.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // After a network game: a new one against the computer, now or once
    // the running operation is over.
    void DealAfterSession();
    // After the outermost engine operation: the window closes, or network
    // play catches up (a deal after the session, the partner's held frames).
    void AfterOperation();
    void ReadSettings();
    void BuildMenus();
    QRect AvailableScreen() const;
    void ApplyPlacement();
    void ProgramExit();
    void KeepEnding();
    void NewGameClick();
    void UndoMeldClick();
    void UndoAllClick();
    void RulesClick(int tab = -1);
    void HelpTopicsClick();
    // The help window belongs to the open modal dialog, if any, else to the table.
    void HomeHelp();
    void AboutClick();

    SettingsFile* store_;
    TableServices services_;
    TableDialogs dialogs_;

    VarentaEngine engine_;
    TableView* view_;
    TableStatusBar* status_;
    std::unique_ptr<TableMedia> media_;
    std::unique_ptr<TableController> controller_;
    std::unique_ptr<TableRecords> records_;
    std::unique_ptr<SavedGames> games_;
    QPointer<HelpWindow> help_;
    // The greyed menu item last under the pointer, whose hint stays when the
    // menu clears the line for the item the pointer left.
    QPointer<QAction> greyedUnderPointer_;
    QTimer splashTimer_;

    // Network play, and the window's flag of it.
    std::unique_ptr<TableNetwork> network_;
    bool dealPending_ = false;

    // Settings held by the window.
    int layout_ = 0;
    bool firstStart_ = false; // no table was ever placed on this profile
    WindowPlacement placement_;
    QPoint savedPosition_;
    bool positionKnown_ = false;
    QColor background_;
    bool showStatusbar_ = true;
    bool autoSave_ = true;
    int computerLevel_ = 0;
    int aggression_ = 50;
    int customizeTab_ = 0; // the tab the Customize dialog was last closed on
    CardImageList images_;

    int helpCount_ = 0;
    bool started_ = false;
};

} // namespace varenta
