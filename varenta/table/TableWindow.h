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
#include "varenta/table/CardImages.h"
#include "varenta/table/Jukebox.h"
#include "varenta/table/SoundEvents.h"
#include "varenta/table/TableClock.h"
#include "varenta/table/TableController.h"
#include "varenta/table/TableSettings.h"

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

class AddressExchange;
class SavedGames;
class TableMedia;
class TableRecords;
class ChatWindow;
class NetworkSession;
class OwnAddressQuery;
class PortMapper;
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
};

// The modal windows, replaceable so tests can answer them.
struct TableDialogs {
    std::function<void(MessageKind, const QString&)> message;
    std::function<bool(const QString&)> yesNo;
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

// The session's connection state as the status bar shows it.
enum class ConnectionStatus { NotConnected = 0, Waiting = 1, Established = 2 };

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

    // ---- network play (TableWindowNetwork.cpp) ---------------------------
    static constexpr int kTryConnectMs = 1000;
    static constexpr const char* kSessionPort = "31415";
    QMenu* NetworkMenu() const { return networkMenu_; }
    ChatWindow* Chat() const;
    RuleDifferencesDialog* RuleDifferences() const;
    ConnectionStatus Connection() const { return connectionStatus_; }
    QString ConnectionText() const;
    const QString& OwnNickname() const { return ownNickname_; }
    const QStringList& OwnAddressList() const { return ownAddressList_; }
    bool AddressExchangeStopped() const { return addressExchangeStopped_; }
    bool TryingToConnect() const { return tmTryConnect_.isActive(); }
    // One connect retry, as tmTryConnect runs it every kTryConnectMs.
    void tmTryConnectTimer();
    // Refused connect attempts in a row after which the user is told that
    // nobody listens there (and again after each further such run).
    static constexpr int kRefusalsBeforeHint = 10;
    // Which side listens, from the own and the partner's address text; the
    // e-mail exchange calls it too once the partner's address arrived.
    void DecideRole(const QString& own, const QString& partner);
    NetworkSession& Session() { return *session_; }
    void BecomeServer();
    void BecomeClient(const QString& partner);
    // Ends the address exchange: polling, connect retries.
    void StopAddressExchange();
    void CloseSession();
    // The address exchange by e-mail plugs in here: starting it after the
    // connect dialog (own addresses, partner's mail address), and stopping it.
    std::function<void(const QStringList&, const QString&)> startAddressMail;
    std::function<void()> stopAddressMail;
    // The mail clients behind the two hooks above (by default).
    AddressExchange& MailExchange() { return *mailExchange_; }
    // The router's port mapping, made the first time network play needs it
    // (nothing before, so a game against the computer never starts it).
    PortMapper* RouterPortMapper() const { return portMapper_.get(); }
    // The last news about the game port on the router (empty: none).
    const QString& RouterPortNote() const { return routerNote_; }

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
    void BuildNetworkMenu(QMenu* before);
    void ConnecttoPartner1Click();
    void Network2Click();
    void AttachAddressExchange();
    void StopWaiting1Click();
    void ShowRuleDifferences1Click();
    void CompareTablesClick();
    void HideChatWindow1Click();
    void UpdateNetworkMenu();
    void SetConnectionStatus(ConnectionStatus status);
    // Keys typed on the table in a network game go to the chat input.
    bool ChatTakesKey(QKeyEvent* event);
    // Socket events run like engine operations: card actions wait for them,
    // and the panels show their outcome.
    void RunSocketEvent(const std::function<void()>& event);
    // The partner's frames that waited for an operation of this table.
    void ApplyHeldFrames();
    void MakeChatWindow();
    // After the session: the window's part of closing it; a game that was
    // played with the partner gives way to a new one against the computer.
    void SessionEnded(bool hadGame);
    void DealAfterSession();
    std::string SessionPort() const;
    PortMapper* Router();
    void OpenRouterPort(int port);
    void CloseRouterPort();
    void RouterPortAnswered(int port, bool ok, const QString& problem);
    class SocketLoop;
    class SessionEvents;
    // After the outermost engine operation: the window closes, or network
    // play catches up (a deal after the session, the partner's held frames).
    void AfterOperation();
    void ReadSettings();
    void BuildMenus();
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
    QTimer splashTimer_;

    // Network play.
    std::unique_ptr<SocketLoop> socketLoop_;
    std::unique_ptr<SessionEvents> sessionEvents_;
    std::unique_ptr<NetworkSession> session_;
    QMenu* networkMenu_ = nullptr;
    std::unique_ptr<AddressExchange> mailExchange_;
    QLabel* connectionPanel_ = nullptr;
    QPointer<ChatWindow> chat_;
    QPointer<RuleDifferencesDialog> ruleDifferences_;
    ConnectionStatus connectionStatus_ = ConnectionStatus::NotConnected;
    QString ownNickname_;
    QStringList ownAddressList_;
    QString partnerAddress_; // for the connect retries
    bool addressExchangeStopped_ = false;
    bool everConnected_ = false;
    bool dealPending_ = false;
    bool holdFrames_ = false; // the partner's frames wait for the operation running
    QTimer tmTryConnect_;
    std::unique_ptr<PortMapper> portMapper_;
    bool portMapperMade_ = false;
    bool mapRouterPort_ = false; // the partner is not on this machine
    int refusalHintsShown_ = 0;  // runs of refused connects already told
    bool routerPortOpen_ = false;
    QString routerNote_;

    // Settings held by the window.
    int layout_ = 0;
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
