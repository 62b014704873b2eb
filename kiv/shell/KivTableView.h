// The table: seat panels down the left edge, the hands, the stock and the
// discard pile in the lower right corner, and the card being dragged. The
// view is the engine's port: it shows the engine's messages and dialogs,
// plays its sounds, moves and animates its cards and waits for it.
#pragma once

#include "kiv/engine/KivPort.h"
#include "kiv/shell/KivDocument.h"
#include "kiv/shell/KivKeyboard.h"

#include <QWidget>

#include <cstdint>
#include <functional>

class QEventLoop;
class QLabel;

namespace kiv {

class Prompter;
class SoundOutput;

// A seed for the generator: the system's random source, else the clocks.
std::uint32_t SystemSeed();

class KivTableView : public QWidget, public KivPort {
    Q_OBJECT
public:
    // Waits `ms` milliseconds while the window stays responsive; returns the
    // milliseconds waited.
    using Pauser = std::function<int(int ms)>;

    KivTableView(KivDocument& doc, Prompter& prompter, SoundOutput* sound,
                 QWidget* parent = nullptr);
    ~KivTableView() override;

    // Tests replace the real pause (a nested event loop) by one that returns
    // at once, and the animation's frame delay by 0.
    void SetPauser(Pauser pauser) { pauser_ = std::move(pauser); }
    void SetFrameDelay(int ms) { frameDelayMs_ = ms; }
    // Called after each frame of a card's flight has been drawn (tests look
    // at the screen there, or act as a user would meanwhile).
    void SetFrameHook(std::function<void()> hook) { frameHook_ = std::move(hook); }
    // Where the generator's seed comes from at the first deal: the system's
    // random source, or the clock where it has none. Tests fix it.
    void SetSeedSource(std::function<std::uint32_t()> source) { seedSource_ = std::move(source); }
    void SetStatusPanes(QLabel* pane0, QLabel* pane1);
    // Called when the user agreed to enter a game's results in the ranking list.
    void SetRankingHandler(std::function<void()> handler) { rankingHandler_ = std::move(handler); }
    // While the window is closing no further computer move starts, and a
    // computer's pause ends at once.
    void SetClosing(bool closing);

    bool Started() const { return started_; }
    int RoundsScored() const { return roundsScored_; }
    int AnimationFrames() const { return animationFrames_; }
    // The whole view is painted once with the seat panels (new deals, turn
    // passes by command).
    void RepaintEverything();
    // The table as it looks now, painted off screen for a screen with `dpr`
    // device pixels per pixel.
    QImage Render(qreal dpr) const;

    const KivDocument& Document() const { return doc_; }
    KivKeyboard& Keyboard() { return keyboard_; }
    const KivKeyboard& Keyboard() const { return keyboard_; }
    // Where a rectangle of the table's own coordinates shows on the widget.
    QRect ToWidget(const QRect& tableRect) const { return tableRect; }
    // Cards are dealt or fly: the table takes no input.
    bool CardsBusy() const { return cardsBusy_ > 0; }
    // Tells a screen reader what changed on the table (KivTableAccessible).
    void TellScreenReader();

    // ---- KivPort ----------------------------------------------------------
    void ShowMessage(int textId) override;
    void ShowLoserMessage(int textBefore, const std::string& seatName, int textAfter) override;
    bool AskYesNo(int textId) override;
    void PlayWave(Wave wave) override;
    void SetStatusText(int pane, int textId, std::string_view suffix) override;
    void SetStatusReadyLiteral() override;
    void CardMoved(int card, int oldX, int oldY) override;
    void AnimateCard(int card, int x, int y, int speed) override;
    void HandLaidOut(int seat) override;
    void RepaintStock() override;
    void RepaintDiscardPile() override;
    void RepaintSeatPanels() override;
    void RepaintAll() override;
    void DealBegins() override;
    void DealEnds() override;
    int Pause(int ms) override;
    int AskJackSuit() override;
    void ShowResults(const GameResults& results) override;
    void AddResultsToRanking() override;
    bool ContinueComputerMoves() override;
    void OnGameEvent(const GameEvent& event) override;

signals:
    void FirstRoundDealt();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // While cards are dealt or fly no input is taken: the window is not
    // looked at meanwhile, and what the user did then would be carried out
    // afterwards on a table they never saw. The two calls nest; when the last
    // ends, the input that came in meanwhile is let in and thrown away.
    void CardsBusyBegins();
    void CardsBusyEnds();
    void DropInputThatCameMeanwhile();
    // A box or dialog asked for meanwhile takes the user's answer (what came
    // before it opened is still dropped).
    void LetInputThrough(const std::function<void()>& ask);
    void StartFirstRound();
    int RealPause(int ms);
    // Paints the table; `dpr` is the density of the device painted on.
    void PaintTable(QPainter& painter, const QRegion& region, qreal dpr) const;
    void PaintSeatPanels(QPainter& painter) const;
    void PaintCard(QPainter& painter, int card, int width, qreal dpr) const;
    QRect CardRect(int x, int y) const;
    // Where the card is drawn: the card under way where its flight has got to.
    QPoint ShownAt(int card) const;
    void RepaintFlight(QPoint from); // the flying card's rectangles then and now
    QColor TableColour() const;

    KivDocument& doc_;
    Prompter& prompter_;
    SoundOutput* sound_;
    Pauser pauser_;
    QEventLoop* pauseLoop_ = nullptr; // the real pause running now
    std::function<void()> rankingHandler_;
    QLabel* pane0_ = nullptr;
    QLabel* pane1_ = nullptr;
    int frameDelayMs_ = 4;
    std::function<void()> frameHook_;
    std::function<std::uint32_t()> seedSource_;
    int cardsBusy_ = 0;
    bool inputThrough_ = false;
    bool started_ = false;
    bool closing_ = false;
    bool repaintAll_ = false;
    bool dealing_ = false; // between DealBegins and DealEnds
    int flyingCard_ = 0;   // a card under way that lies in no hand (collecting)
    QPoint flight_;        // where the card under way has got to
    int roundsScored_ = 0;
    int animationFrames_ = 0;
    KivKeyboard keyboard_;
};

} // namespace kiv
