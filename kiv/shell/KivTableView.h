// The table: seat panels down the left edge, the hands, the stock and the
// discard pile in the lower right corner, and the card being dragged. The
// view is the engine's port: it shows the engine's messages and dialogs,
// plays its sounds, moves and animates its cards and waits for it.
#pragma once

#include "kiv/engine/KivPort.h"
#include "kiv/shell/KivDocument.h"
#include "kiv/shell/KivKeyboard.h"

#include <QHash>
#include <QPixmap>
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

// The table of the program's standard 800 x 600 window (less its menu bar,
// toolbar and status bar): the size the table's positions are laid out for.
inline constexpr QSize kStandardTable(800, 520);
inline constexpr double kLargestTableScale = 3.0;

// How much larger than the standard table a view of `size` draws the table:
// as much as fits both ways, never below 1 (a smaller view shows the table at
// its own size, down to the smallest that still shows every seat) and never
// above kLargestTableScale.
double TableScale(QSize size);

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

    // The table is drawn `Scale()` times its own size; the game's positions
    // are in the table's pixels, of which `TableSize()` fit the view.
    double Scale() const { return scale_; }
    QSize TableSize() const { return table_; }
    // Where a point of the view lies on the table, and the view's pixels a
    // rectangle of the table covers.
    QPoint ToTable(QPointF viewPoint) const;
    QRect ToView(const QRect& tableRect) const;
    // How often a card's picture has been drawn (once per picture and size).
    int PicturesDrawn() const { return picturesDrawn_; }
    const KivDocument& Document() const { return doc_; }
    KivKeyboard& Keyboard() { return keyboard_; }
    const KivKeyboard& Keyboard() const { return keyboard_; }
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
    // Draws the picture `id` with its top left at the table's point `at`,
    // `width` table pixels of it; the painter counts device pixels here.
    void PaintPicture(QPainter& painter, QPoint at, int id, int width, qreal density) const;
    // The picture `id` drawn for `density` device pixels per table pixel,
    // from the view's own drawings.
    const QPixmap& Picture(int id, qreal density) const;
    QRect CardRect(int x, int y) const;
    // The view's pixels to repaint for a card at the table's (x, y).
    QRect CardArea(int x, int y) const;
    void FollowSize();
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
    double scale_ = 1.0;
    QSize table_;
    // The pictures drawn for the one density in use; another density (the
    // window resized) starts them afresh.
    mutable QHash<int, QPixmap> pictures_;
    mutable qreal picturesDensity_ = 0;
    mutable int picturesDrawn_ = 0;
    KivKeyboard keyboard_;
};

} // namespace kiv
