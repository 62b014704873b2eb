// The table window: owns the game for the whole run, paints it, turns mouse
// clicks and keys into the player's moves, animates the cards, shows the
// status line, the result dialogs and the help, and plays the sound events.
// It is the engine's port: everything the game shows, asks, plays or waits
// for arrives here.
#pragma once

#include "varenta/computer/ComputerPlayer.h"
#include "varenta/engine/VarentaEngine.h"
#include "varenta/engine/VarentaPort.h"
#include "varenta/net/session/ConnectionStatus.h"
#include "varenta/store/HighScores.h"
#include "varenta/store/Players.h"
#include "varenta/table/CardImages.h"
#include "varenta/table/Jukebox.h"
#include "varenta/table/SoundEvents.h"
#include "varenta/table/TableClock.h"
#include "varenta/table/TableHitTest.h"
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

class ChatWindow;
class OwnAddressQuery;
class PortMapper;
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

enum class KeyboardMode { Meld = 0, Discard = 1, WildCard = 2 };

class TableWindow : public QMainWindow, public VarentaPort {
    Q_OBJECT
public:
    static constexpr int kSplashMs = 2000;
    static constexpr int kTurnNoticeMs = 1500;
    static constexpr int kFlashMs = 400;
    static constexpr int kStepMs = 10;      // time per animation step
    static constexpr int kMaxMoveMs = 1000; // the slowest speeds still move a card within this

    explicit TableWindow(TableServices services = {}, QWidget* parent = nullptr);
    ~TableWindow() override;

    VarentaEngine& Engine() { return engine_; }
    TableView* View() const { return view_; }
    TableStatusBar* StatusLine() const { return status_; }
    TableDialogs& Dialogs() { return dialogs_; }
    HelpWindow* Help();
    QAction* Action(const QString& objectName) const;

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

    // The player's input, as the table widget delivers it.
    Hit HitTestAt(int x, int y);
    void FormMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    KeyboardMode Mode() const { return mode_; }
    int CurrentHint() const { return currentHint_; }
    QString HintText(int index) const;

    // The named players (the current one names the local player) and the
    // Hall of Fame, both as stored.
    const PlayerList& Players() const { return players_; }
    const HighScores& Scores() const { return highScores_; }
    // The computer's strength (0 Beginner, 1 Advanced, 2 Expert) and the
    // Expert's aggression.
    int ComputerLevelIndex() const { return computerLevel_; }
    int Aggression() const { return aggression_; }
    bool AutoSave() const { return autoSave_; }

    // The values the Customize dialog edits, and taking them over after it
    // stored them: the layout is applied and the table repainted at once.
    TableOptions Options() const;
    void TakeOptions(const TableOptions& options);
    // The player list after the Customize dialog stored it.
    void TakePlayers(const PlayerList& players);

    // A hand's or game's margin offered to the current level's table.
    void EnterHighScore(HighScoreType type, int margin);
    // The menu commands of the Hall of Fame, the win ratio and Customize;
    // Customize opens on `tab` when it is 0..3, else on the last one shown.
    void HiscoreClick();
    void WinRatioClick();
    void CustomizeClick(int tab = -1);

    // Mouse option: 0 "Single Right Click", 1 "Double Right Click".
    int MouseOption() const { return mouseOption_; }
    void SetMouseOption(int option) { mouseOption_ = option; }
    void SetCardMovement(bool on, int speed) {
        cardMovement_ = on;
        cardSpeed_ = speed;
    }
    int LastMoveSteps() const { return lastMoveSteps_; }
    bool Busy() const { return depth_ > 0; }
    bool WaitCursorShown() const { return waitCursor_; }
    SoundEvents& Sounds() { return *sounds_; }

    // ---- card backs, sound and music (TableWindowMedia.cpp) ---------------
    Jukebox& Music() { return *jukebox_; }
    const std::array<CardBack, 2>& Backs() const { return backs_; }
    // The menu commands "&Decks..." and "&Sound...".
    void DecksClick();
    void SoundClick();
    // After the card back dialog stored them: new pictures, repainted.
    void TakeCardBacks(const std::array<CardBack, 2>& backs);
    // After the sound dialog stored them: the switches, and the music
    // started again (or stopped) under the new settings.
    void TakeSoundSettings(bool soundEnabled, const MusicSettings& music);
    TurnNotice* Notice() const;

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

    // ---- network play (TableNetwork.cpp) ----------------------------------
    TableNetwork& Network() { return *network_; }

    // ---- the engine's port -------------------------------------------------
    void ShowHint(int hintIndex) override;
    void ShowError(int errorIndex, std::string_view reason) override;
    void SetRulesMenuHint(std::string_view text) override;
    void SetUndoEnabled(bool enabled) override;
    void ShowMessage(MessageKind kind, std::string_view text) override;
    bool AskYesNo(std::string_view question) override;
    void ShowTurnNotice(std::string_view text) override;
    void ShowHandResult(const HandResult& result) override;
    bool ShowGameOver(const GameOverResult& result) override;
    void PlaySound(std::string_view eventName) override;
    void MoveCard(const Card& card, int fromX, int fromY, int toX, int toY, bool flash) override;
    void RepaintRect(int x, int y, int width, int height) override;
    void RepaintTable() override;
    void Delay(int milliseconds) override;
    void OpponentMeldPause() override;
    void SetWaitCursor(bool on) override;
    bool InitialBlockSetting(bool current) override;
    void RecordHandResult(int difference) override;
    void RecordGameResult(GameOutcome outcome, int difference) override;
    void EndProgram() override;

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
    void ReadSettings();
    void BuildMenus();
    // Sound and music: the players, and starting the music once the table
    // is up (TableWindowMedia.cpp).
    void MakeMediaPlayers();
    void StartMusic(); // once the table is up, before the first hand
    void ReportUnreadableBacks(const std::array<bool, 2>& unreadable);
    void ShowPendingBackMessages();
    void ProgramExit();
    void KeepEnding();
    void UpdatePanels();
    void NewGameClick();
    void UndoMeldClick();
    void UndoAllClick();
    void RulesClick(int tab = -1);
    void HelpTopicsClick();
    // The help window belongs to the open modal dialog, if any, else to the table.
    void HomeHelp();
    void AboutClick();
    // Saved games (TableWindowGames.cpp).
    void LoadClick();
    void SaveClick();
    // Puts the game of a checked file on the table; false (table unchanged)
    // after the message of a file that cannot be loaded.
    bool LoadCheckedGame(const QString& path);
    void ResumeAtStart();
    void AutoSaveOnExit();
    QString CurrentPlayerName() const;
    QString GameFileDialog(bool save, const QString& suggested);
    void DiscardRequest(int handIndex);
    void LeftClick(const Hit& hit, Qt::KeyboardModifiers modifiers);
    void RightClick(const Hit& hit);
    bool RankKey(int key);
    void ToggleOpponentCards();
    void CloseTurnNotice();
    void TakeFocusBack();
    // Runs an engine operation; input stays refused until it returns.
    void RunEngine(const std::function<void()>& operation);

    SettingsFile* store_;
    std::unique_ptr<TableClock> ownClock_;
    TableClock* clock_;
    std::unique_ptr<SoundPlayer> ownSound_;
    std::unique_ptr<SoundEvents> sounds_;
    std::unique_ptr<MusicPlayer> ownMusic_;
    MusicPlayer* music_ = nullptr;
    std::unique_ptr<Jukebox> jukebox_;
    std::mt19937 jukeboxRandom_; // the jukebox's own, so shuffles leave the deals alone
    std::unique_ptr<ComputerPlayer> ownComputer_;
    ComputerTurnHook* computer_;
    TableServices services_;
    TableDialogs dialogs_;

    VarentaEngine engine_;
    TableView* view_;
    TableStatusBar* status_;
    QPointer<HelpWindow> help_;
    QPointer<TurnNotice> notice_;
    QTimer splashTimer_;
    QTimer noticeTimer_;

    // Network play, and the window's two flags of it.
    std::unique_ptr<TableNetwork> network_;
    bool dealPending_ = false;

    // Settings held by the window.
    int layout_ = 0;
    QPoint savedPosition_;
    bool positionKnown_ = false;
    QColor background_;
    bool showStatusbar_ = true;
    bool showTurns_ = true;
    bool showHighscores_ = true;
    bool autoSave_ = true;
    int mouseOption_ = 0;
    int meldDelay_ = 300;
    bool cardMovement_ = true;
    int cardSpeed_ = 10;
    std::array<CardBack, 2> backs_{};
    // Picture files already reported as unreadable, so that a new layout
    // does not say it again; messages waiting for the table to be shown.
    std::array<std::string, 2> reportedBacks_;
    QStringList pendingBackMessages_;
    int computerLevel_ = 0;
    int aggression_ = 50;
    PlayerList players_;
    HighScores highScores_;
    // The name given for a new high score at this end of hand, asked once.
    std::optional<QString> highScoreName_;
    int customizeTab_ = 0; // the tab the Customize dialog was last closed on
    CardImageList images_;

    // Input state.
    int currentHint_ = 0;
    KeyboardMode mode_ = KeyboardMode::Meld;
    struct Remembered {
        int index = -1;
        Card card;
    };
    Remembered rightClicked_;
    int rightCount_ = 0;
    int helpCount_ = 0;

    int depth_ = 0;
    bool started_ = false;
    bool busyMark_ = false;
    bool waitCursor_ = false;
    bool closePending_ = false;
    int lastMoveSteps_ = 0;
};

} // namespace varenta
