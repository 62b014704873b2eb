#include "kiv/shell/KivTableView.h"

#include "kiv/shell/KivAccessible.h"
#include "kiv/shell/KivArt.h"
#include "kiv/shell/KivDialogs.h"
#include "kiv/shell/KivPrompter.h"
#include "kiv/shell/KivSound.h"
#include "kiv/shell/KivStrings.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>
#include <thread>

namespace kiv {
namespace {

constexpr int kPanelWidth = 100;
// The smallest table on which every seat and both piles show: the four
// panels with the last seat's hand below them, and the piles right of a hand
// of the most cards the settings sheet deals (6), a little apart from it.
constexpr int kMostCardsDealt = 6;
constexpr int kPileMargin = 81; // a pile's left edge from the right edge
constexpr QSize kSmallestTable(kPanelWidth + kHandOffset * (kMostCardsDealt - 1) + kCardWidth + 10 +
                                   kPileMargin,
                               100 * (kSeatCount - 1) + 10 + kCardHeight + 4);
// The word under each score; the panel keeps it whatever the language.
constexpr char kPointsWord[] = "Punkte";

} // namespace

double TableScale(QSize size) {
    const double across = static_cast<double>(size.width()) / kStandardTable.width();
    const double down = static_cast<double>(size.height()) / kStandardTable.height();
    return std::clamp(std::min(across, down), 1.0, kLargestTableScale);
}

std::uint32_t SystemSeed() {
    try {
        std::random_device device;
        return device();
    } catch (const std::exception&) {
        const auto now = std::chrono::system_clock::now().time_since_epoch().count() ^
                         std::chrono::steady_clock::now().time_since_epoch().count();
        return static_cast<std::uint32_t>(now ^ (now >> 32));
    }
}

KivTableView::KivTableView(KivDocument& doc, Prompter& prompter, SoundOutput* sound,
                           QWidget* parent)
    : QWidget(parent), doc_(doc), prompter_(prompter), sound_(sound),
      pauser_([this](int ms) { return RealPause(ms); }), seedSource_(SystemSeed), keyboard_(doc) {
    // A screen reader reads the table's parts (KivTableAccessible).
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(&KivTableAccessible::Factory);
        return true;
    }();
    (void)factoryInstalled;
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
    // The game is played from the keyboard too (KivKeyboard).
    setFocusPolicy(Qt::StrongFocus);
    keyboard_.onRepaintHand = [this](int seat) { HandLaidOut(seat); };
    keyboard_.onSelectionChanged = [this](int card) {
        if (ScreenReaderListens()) {
            if (auto* table = dynamic_cast<KivTableAccessible*>(
                    QAccessible::queryAccessibleInterface(this))) {
                table->TellFocus(card);
            }
        }
    };
    setMinimumSize(kSmallestTable);
    table_ = size();
    doc_.SetPort(this);
}

KivTableView::~KivTableView() {
    if (cardsBusy_ > 0) {
        QCoreApplication::instance()->removeEventFilter(this);
    }
    if (doc_.Settings().musicOn && sound_ != nullptr) {
        sound_->StopMusic();
    }
    doc_.SetPort(nullptr);
}

int KivTableView::RealPause(int ms) {
    QElapsedTimer clock;
    clock.start();
    if (ms > 0 && !closing_) {
        QEventLoop loop;
        QEventLoop* outer = pauseLoop_;
        pauseLoop_ = &loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
        pauseLoop_ = outer;
    }
    return static_cast<int>(clock.elapsed());
}

void KivTableView::SetClosing(bool closing) {
    closing_ = closing;
    if (closing_ && pauseLoop_ != nullptr) {
        pauseLoop_->quit();
    }
}

void KivTableView::SetStatusPanes(QLabel* pane0, QLabel* pane1) {
    pane0_ = pane0;
    pane1_ = pane1;
}

// ---- Input while cards are dealt or fly ----------------------------------------

void KivTableView::CardsBusyBegins() {
    if (cardsBusy_++ > 0) {
        return;
    }
    QCoreApplication::instance()->installEventFilter(this);
    // What lay over the table (a question just answered) is gone before the
    // first card moves: the flight repaints only its own path.
    if (isVisible()) {
        window()->repaint();
        RepaintEverything();
    }
}

void KivTableView::CardsBusyEnds() {
    if (cardsBusy_ == 1) {
        DropInputThatCameMeanwhile();
        QCoreApplication::instance()->removeEventFilter(this);
    }
    --cardsBusy_;
}

void KivTableView::DropInputThatCameMeanwhile() {
    // Only the queued events are handed out here, each meeting the filter;
    // no timer of the program runs in between.
    QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers |
                                    QEventLoop::X11ExcludeTimers);
}

void KivTableView::LetInputThrough(const std::function<void()>& ask) {
    if (cardsBusy_ == 0 || inputThrough_) {
        ask();
        return;
    }
    DropInputThatCameMeanwhile();
    inputThrough_ = true;
    ask();
    inputThrough_ = false;
}

bool KivTableView::eventFilter(QObject* watched, QEvent* event) {
    if (cardsBusy_ > 0 && !inputThrough_) {
        // Releases pass: one whose press came before still ends it, and one
        // without its press does nothing.
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TabletPress:
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QColor KivTableView::TableColour() const {
    const std::uint32_t c = doc_.backgroundColor;
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

QRect KivTableView::CardRect(int x, int y) const {
    return QRect(x, y, kCardWidth, kCardHeight);
}

QPoint KivTableView::ToTable(QPointF viewPoint) const {
    return QPoint(static_cast<int>(std::floor(viewPoint.x() / scale_)),
                  static_cast<int>(std::floor(viewPoint.y() / scale_)));
}

QRect KivTableView::ToView(const QRect& tableRect) const {
    return QRectF(tableRect.x() * scale_, tableRect.y() * scale_, tableRect.width() * scale_,
                  tableRect.height() * scale_)
        .toAlignedRect();
}

QRect KivTableView::CardArea(int x, int y) const {
    // An enlarged card's edges fall between the view's pixels: a pixel more
    // all round takes in the one they touch.
    const QRect area = ToView(CardRect(x, y));
    return scale_ == 1.0 ? area : area + QMargins(1, 1, 1, 1);
}

QPoint KivTableView::ShownAt(int card) const {
    if (card == flyingCard_) {
        return flight_;
    }
    const PlayingCard& c = doc_.State().cards[card];
    return QPoint(c.x, c.y);
}

// ---- First showing and size -------------------------------------------------------

void KivTableView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!started_) {
        started_ = true;
        // Deal once the window is on the screen, so the deal can be watched.
        QTimer::singleShot(0, this, &KivTableView::StartFirstRound);
    }
}

void KivTableView::StartFirstRound() {
    FollowSize();
    // Each start deals another game.
    if (seedSource_) {
        doc_.SeedRandom(seedSource_());
    }
    doc_.StartFirstRound();
    if (doc_.Settings().musicOn && sound_ != nullptr) {
        sound_->StartMusic(QString::fromStdString(doc_.midiFile)); // failures stay silent here
    }
    emit FirstRoundDealt();
}

void KivTableView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FollowSize();
    update();
}

void KivTableView::FollowSize() {
    // The table grows with the view as far as it fits both ways; what is
    // left over in the other direction widens or lengthens the table itself,
    // so the piles keep to the lower right corner.
    scale_ = TableScale(size());
    table_ = QSize(static_cast<int>(std::floor(width() / scale_)),
                   static_cast<int>(std::floor(height() / scale_)));
    doc_.LayoutTable(table_.width(), table_.height());
}

// ---- Painting ---------------------------------------------------------------

void KivTableView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    PaintTable(painter, event->region(), devicePixelRatioF());
}

QImage KivTableView::Render(qreal dpr) const {
    QImage image(size() * dpr, QImage::Format_ARGB32);
    image.setDevicePixelRatio(dpr);
    QPainter painter(&image);
    PaintTable(painter, QRegion(rect()), dpr);
    return image;
}

void KivTableView::PaintTable(QPainter& painter, const QRegion& region, qreal dpr) const {
    painter.fillRect(region.boundingRect(), TableColour());
    // The held card is drawn last while it is away from its place in the
    // hand (dragged, or on its way); a card a computer seat has just drawn
    // and sorted in is drawn in hand order.
    const PlayState& game = doc_.State();
    int held = game.heldCard;
    if (held != 0) {
        const PlayingCard& c = game.cards[held];
        const bool inHand = c.owner >= 0 && game.seats[c.owner].hand.Contains(held);
        if (inHand && ShownAt(held) == QPoint(c.homeX, c.homeY)) {
            held = 0;
        }
    }
    // While a card is dragged over the hands the panels need no drawing.
    const bool dragging = held != 0 && ShownAt(held).x() >= kPanelWidth;
    if (repaintAll_ || !dragging ||
        region.intersects(ToView(QRect(0, 0, kPanelWidth, table_.height())))) {
        PaintSeatPanels(painter);
    }
    // The cards are put down pixel for pixel on the device, each drawn for
    // the size it has there, never enlarged from a smaller drawing.
    const qreal density = scale_ * dpr;
    painter.save();
    painter.setWorldTransform(QTransform::fromScale(1 / dpr, 1 / dpr));
    const int back = BackBitmapFor(doc_.Settings().deckBack);
    auto paintCard = [&](int card, int width) {
        const int id = game.cards[card].faceUp ? FaceBitmapId(card) : back;
        PaintPicture(painter, ShownAt(card), id, width, density);
    };
    for (const Seat& seat : game.seats) {
        for (int card : seat.hand) {
            if (card != held && card != flyingCard_) {
                paintCard(card, game.cards[card].VisibleWidth());
            }
        }
    }
    PaintPicture(painter, QPoint(game.stock.x, game.stock.y), back, kCardWidth, density);
    const int top = game.discardPile.Top();
    PaintPicture(painter, QPoint(game.discardPile.x, game.discardPile.y),
                 top > 0 ? FaceBitmapId(top) : kPlaceholderBitmapId, kCardWidth, density);
    if (flyingCard_ != 0 && flyingCard_ != held) {
        paintCard(flyingCard_, kCardWidth);
    }
    if (held != 0) {
        paintCard(held, kCardWidth);
    }
    painter.restore();
    // The keyboard's selection, framed in the table's own coordinates.
    painter.save();
    painter.scale(scale_, scale_);
    keyboard_.PaintSelection(painter);
    painter.restore();
}

const QPixmap& KivTableView::Picture(int id, qreal density) const {
    if (density != picturesDensity_) {
        pictures_.clear();
        picturesDensity_ = density;
    }
    auto it = pictures_.find(id);
    if (it == pictures_.end()) {
        it = pictures_.insert(id, DrawKivBitmap(id, density));
        ++picturesDrawn_;
    }
    return it.value();
}

void KivTableView::PaintPicture(QPainter& painter, QPoint at, int id, int width,
                                qreal density) const {
    const QPixmap& picture = Picture(id, density);
    const QPoint topLeft(static_cast<int>(std::lround(at.x() * density)),
                         static_cast<int>(std::lround(at.y() * density)));
    // A covered card shows up to where the next one begins.
    const int shown = width >= kCardWidth
                          ? picture.width()
                          : static_cast<int>(std::lround((at.x() + width) * density)) - topLeft.x();
    painter.drawPixmap(QRect(topLeft, QSize(shown, picture.height())), picture,
                       QRect(0, 0, shown, picture.height()));
}

void KivTableView::PaintSeatPanels(QPainter& painter) const {
    // The texts are set in a font of the table's size, not enlarged.
    QFont font = painter.font();
    font.setPixelSize(static_cast<int>(std::lround(14 * scale_)));
    font.setBold(true);
    painter.setFont(font);
    const double s = scale_;
    for (int i = 0; i < kSeatCount; ++i) {
        const SeatSettings& setUp = doc_.Settings().seats[i];
        const int y = 100 * i;
        painter.fillRect(ToView(QRect(0, y, kPanelWidth, 100)), TableColour());
        auto line = [&](int dy, const QColor& colour, const QString& text) {
            painter.setPen(colour);
            painter.drawText(QRectF(1 * s, (y + dy) * s, (kPanelWidth - 2) * s, 20 * s),
                             Qt::AlignLeft | Qt::AlignTop, text);
        };
        if (setUp.plays) {
            line(10, QColor(255, 0, 0), QString::fromStdString(setUp.name));
            line(30, QColor(255, 255, 0), QString::number(doc_.State().seats[i].score));
            line(50, QColor(255, 255, 0), QString::fromLatin1(kPointsWord));
        }
        if (i == doc_.State().currentSeat) {
            line(80, Qt::white, LoadText(doc_.TextId(109)));
        }
    }
}

void KivTableView::RepaintEverything() {
    repaintAll_ = true;
    repaint();
    repaintAll_ = false;
}

// ---- Mouse --------------------------------------------------------------------

void KivTableView::mousePressEvent(QMouseEvent* event) {
    keyboard_.Hide();
    const QPoint p = ToTable(event->position());
    if (event->button() == Qt::LeftButton) {
        doc_.LeftButtonDown(p.x(), p.y());
    } else if (event->button() == Qt::RightButton) {
        doc_.RightButtonDown(p.x(), p.y());
    }
}

void KivTableView::mouseMoveEvent(QMouseEvent* event) {
    const Qt::MouseButtons buttons = event->buttons();
    if (doc_.State().heldCard != 0 && (buttons == Qt::LeftButton || buttons == Qt::RightButton)) {
        const QPoint p = ToTable(event->position());
        doc_.DragHeldCard(p.x(), p.y());
    }
}

void KivTableView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = ToTable(event->position());
    if (event->button() == Qt::LeftButton) {
        doc_.LeftButtonUp(p.x(), p.y());
    } else if (event->button() == Qt::RightButton) {
        doc_.RightButtonUp(p.x(), p.y());
    }
}

void KivTableView::keyPressEvent(QKeyEvent* event) {
    if (!keyboard_.KeyPress(*event)) {
        QWidget::keyPressEvent(event);
    }
}

void KivTableView::TellScreenReader() {
    // While a round is dealt every card would be told; the deal's end tells
    // the table as it then lies.
    if (!ScreenReaderListens() || dealing_) {
        return;
    }
    if (auto* table =
            dynamic_cast<KivTableAccessible*>(QAccessible::queryAccessibleInterface(this))) {
        table->TellChanges();
    }
}

// ---- Port: messages and dialogs --------------------------------------------------

void KivTableView::ShowMessage(int textId) {
    LetInputThrough([&] { prompter_.Inform(this, LoadText(textId)); });
}

void KivTableView::ShowLoserMessage(int textBefore, const std::string& seatName, int textAfter) {
    LetInputThrough([&] {
        prompter_.Inform(this, LoadText(textBefore) + ' ' + QString::fromStdString(seatName) + ' ' +
                                   LoadText(textAfter));
    });
}

bool KivTableView::AskYesNo(int textId) {
    bool yes = false;
    LetInputThrough([&] { yes = prompter_.Ask(this, LoadText(textId)); });
    return yes;
}

int KivTableView::AskJackSuit() {
    JackSuitDialog dialog(doc_.Settings().languageBase, this);
    LetInputThrough([&] { prompter_.Run(dialog); });
    return dialog.ChosenSuit();
}

void KivTableView::ShowResults(const GameResults& results) {
    FourPlaces places;
    for (int i = 0; i < 4; ++i) {
        places[i] = {QString::fromStdString(results[i].name), results[i].score};
    }
    RoundResultsDialog dialog(doc_.Settings().languageBase, places, this);
    LetInputThrough([&] { prompter_.Run(dialog); });
}

void KivTableView::AddResultsToRanking() {
    if (rankingHandler_) {
        LetInputThrough(rankingHandler_);
    }
}

void KivTableView::PlayWave(Wave wave) {
    if (sound_ != nullptr) {
        sound_->PlayWave(QString::fromLatin1(WaveName(wave)));
    }
}

void KivTableView::SetStatusText(int pane, int textId, std::string_view suffix) {
    QLabel* label = pane == 0 ? pane0_ : pane1_;
    if (label == nullptr) {
        return;
    }
    label->setText((textId != 0 ? LoadText(textId) : QString()) +
                   QString::fromUtf8(suffix.data(), static_cast<qsizetype>(suffix.size())));
    label->repaint();
    TellScreenReader();
}

void KivTableView::SetStatusReadyLiteral() {
    if (pane0_ != nullptr) {
        pane0_->setText(QStringLiteral("Bereit"));
        pane0_->repaint();
    }
}

// ---- Port: cards and repaints --------------------------------------------------------

void KivTableView::CardMoved(int card, int oldX, int oldY) {
    const PlayingCard& c = doc_.State().cards[card];
    repaint(QRegion(CardArea(oldX, oldY)).united(CardArea(c.x, c.y)));
}

void KivTableView::AnimateCard(int card, int x, int y, int speed) {
    // The card under way is drawn where its flight has got to, on top of
    // everything but the held card; the game puts it down when it lands.
    CardsBusyBegins();
    const PlayingCard& c = doc_.State().cards[card];
    flyingCard_ = card;
    flight_ = QPoint(c.x, c.y);
    const int every = speed < 1 ? 1 : speed + 1;
    int steps = 0;
    QPoint shown = flight_;
    while (flight_ != QPoint(x, y)) {
        flight_.rx() += flight_.x() < x ? 1 : flight_.x() > x ? -1 : 0;
        flight_.ry() += flight_.y() < y ? 1 : flight_.y() > y ? -1 : 0;
        if (++steps % every == 0) {
            RepaintFlight(shown);
            shown = flight_;
            ++animationFrames_;
            if (frameHook_) {
                frameHook_();
            }
            if (frameDelayMs_ > 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(frameDelayMs_));
            }
        }
    }
    RepaintFlight(shown);
    flyingCard_ = 0;
    CardsBusyEnds();
}

void KivTableView::RepaintFlight(QPoint from) {
    // A pixel more all round: on a screen whose pixels do not divide the
    // table's evenly, a card's edge touches the next device pixel, which a
    // rectangle of the card's own size would leave standing.
    const QMargins edge(1, 1, 1, 1);
    repaint(QRegion(ToView(CardRect(from.x(), from.y())) + edge)
                .united(ToView(CardRect(flight_.x(), flight_.y())) + edge));
}

void KivTableView::HandLaidOut(int seat) {
    const Seat& laidOut = doc_.State().seats[seat];
    repaint(ToView(QRect(laidOut.handX, laidOut.handY, table_.width(), kCardHeight + 1)));
}

void KivTableView::RepaintStock() {
    repaint(CardArea(doc_.State().stock.x, doc_.State().stock.y));
    TellScreenReader();
}

void KivTableView::RepaintDiscardPile() {
    repaint(CardArea(doc_.State().discardPile.x, doc_.State().discardPile.y));
    TellScreenReader();
}

void KivTableView::RepaintSeatPanels() {
    repaintAll_ = true;
    repaint(ToView(QRect(0, 0, kPanelWidth, table_.height())));
    repaintAll_ = false;
    TellScreenReader();
}

void KivTableView::RepaintAll() {
    RepaintEverything();
    TellScreenReader();
}

void KivTableView::DealBegins() {
    dealing_ = true;
    CardsBusyBegins();
}

void KivTableView::DealEnds() {
    CardsBusyEnds();
    dealing_ = false;
    TellScreenReader();
}

// ---- Port: waiting ------------------------------------------------------------------

int KivTableView::Pause(int ms) {
    return pauser_ ? pauser_(ms) : 0;
}

bool KivTableView::ContinueComputerMoves() {
    return !closing_;
}

void KivTableView::OnGameEvent(const GameEvent& event) {
    if (event.kind == GameEventKind::Score) {
        ++roundsScored_;
    }
    TellScreenReader();
    // A human seat whose penalty cards cannot be drawn learns why it lapsed.
    if (event.kind == GameEventKind::Lapse && event.seat >= 0 &&
        !doc_.Settings().seats[event.seat].computer) {
        ShowMessage(doc_.TextId(131));
    }
}

} // namespace kiv
