// Runs the engine for the table window: it is the engine's port (status
// line, questions, result dialogs, sounds, repaints, card animation and
// pauses) and turns the player's mouse clicks and keys into the engine's
// operations. Input stays refused while an operation runs.
#pragma once

#include "varenta/computer/ComputerPlayer.h"
#include "varenta/engine/VarentaEngine.h"
#include "varenta/engine/VarentaPort.h"
#include "varenta/table/TableClock.h"
#include "varenta/table/TableHitTest.h"

#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

namespace varenta {

class TableWindow;
class TurnNotice;
struct TableOptions;

enum class KeyboardMode { Meld = 0, Discard = 1, WildCard = 2 };

// The key a rank key stands for: with Shift held the digit row gives its
// shifted symbols ("@" for 2 on many layouts), so a digit is known by its
// place on the keyboard (the X keycodes of the digit row) instead.
int RankKeyOf(int key, quint32 nativeScanCode);

class TableController : public VarentaPort {
public:
    static constexpr int kTurnNoticeMs = 1500;
    static constexpr int kFlashMs = 400;
    static constexpr int kStepMs = 10;      // time per animation step
    static constexpr int kMaxMoveMs = 1000; // the slowest speeds still move a card within this

    // The clock and the computer player may be handed in (tests); nullptr
    // gets the real ones, the computer at the stored level and aggression.
    TableController(TableWindow& window, VarentaEngine& engine, TableClock* clock,
                    ComputerTurnHook* computer, ComputerSettings computerSettings);
    ~TableController() override;
    TableController(const TableController&) = delete;
    TableController& operator=(const TableController&) = delete;

    VarentaEngine& Engine() { return engine_; }
    TableClock& Clock() { return *clock_; }
    // The computer player this controller made itself (none when handed in).
    ComputerPlayer* OwnComputer() { return ownComputer_.get(); }

    // Runs an engine operation; input stays refused until it returns. After
    // the outermost one the panels are brought up to date and `afterwards`
    // runs (the window closes, or network play catches up).
    void RunEngine(const std::function<void()>& operation);
    std::function<void()> afterwards;
    bool Busy() const { return depth_ > 0; }
    // The window is closing: pauses return at once, boxes stay shut.
    bool Closing() const { return closePending_; }
    void SetClosing();

    // The player's input, as the table widget delivers it.
    Hit HitTestAt(int x, int y);
    void FormMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    KeyboardMode Mode() const { return mode_; }
    Hint CurrentHint() const { return currentHint_; }
    QString HintText(Hint hint) const;
    // A new deal or a loaded game: the remembered right click is forgotten.
    void ForgetRightClick();
    void ToggleOpponentCards();

    // The options of the card movement, the pauses and the mouse.
    void TakeOptions(const TableOptions& options);
    void FillOptions(TableOptions& options) const;
    int MouseOption() const { return mouseOption_; }
    void SetMouseOption(int option) { mouseOption_ = option; }
    void SetCardMovement(bool on, int speed) {
        cardMovement_ = on;
        cardSpeed_ = speed;
    }
    int LastMoveSteps() const { return lastMoveSteps_; }
    bool WaitCursorShown() const { return waitCursor_; }
    TurnNotice* Notice() const;
    void CloseTurnNotice();
    void UpdatePanels();

    // ---- the engine's port -------------------------------------------------
    void ShowHint(Hint hint) override;
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

private:
    void LeftClick(const Hit& hit, Qt::KeyboardModifiers modifiers);
    void RightClick(const Hit& hit);
    void DiscardRequest(int handIndex);
    bool RankKey(int key, Qt::KeyboardModifiers modifiers);

    TableWindow& window_;
    VarentaEngine& engine_;
    std::unique_ptr<TableClock> ownClock_;
    TableClock* clock_;
    std::unique_ptr<ComputerPlayer> ownComputer_;
    ComputerTurnHook* computer_;
    QPointer<TurnNotice> notice_;
    QTimer noticeTimer_;

    int depth_ = 0;
    bool closePending_ = false;
    bool busyMark_ = false;
    bool waitCursor_ = false;
    int lastMoveSteps_ = 0;

    // Options read at start and taken over from Customize.
    bool showTurns_ = true;
    int mouseOption_ = 0; // 0 "Single Right Click", 1 "Double Right Click"
    int meldDelay_ = 300;
    bool cardMovement_ = true;
    int cardSpeed_ = 10;

    // Input state.
    Hint currentHint_ = Hint::Draw;
    KeyboardMode mode_ = KeyboardMode::Meld;
    struct Remembered {
        int index = -1;
        Card card;
    };
    Remembered rightClicked_;
    int rightCount_ = 0;
};

} // namespace varenta
