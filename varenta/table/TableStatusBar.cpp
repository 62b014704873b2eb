#include "varenta/table/TableStatusBar.h"

#include "varenta/table/TableTextConversion.h"

#include "varenta/table/TableTexts.h"

#include <QAccessible>
#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>

namespace varenta {

namespace {

// Tooltips of the panels appear above the pointer so they do not cover the
// bar itself; the two-line meld tooltip needs a little more room.
constexpr int kTipLift = 40;
constexpr int kTwoLineTipLift = 53;

} // namespace

TableStatusBar::TableStatusBar(QWidget* parent)
    : QStatusBar(parent), line_(new QLabel(this)), beep_([] { QApplication::beep(); }) {
    setSizeGripEnabled(false);
    // Without the grip the last panel's frame would touch the window's edge.
    setContentsMargins(0, 0, 3, 0);
    line_->setMinimumWidth(100);
    line_->setTextFormat(Qt::PlainText);
    // The line takes the room the panels leave, whatever its text; a text
    // longer than that is shortened when shown (FitLine).
    line_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    line_->installEventFilter(this);
    addWidget(line_, 1);
    const std::array<const char*, 4> tips = {texts::kTipPlayerMeld, texts::kTipOpponentMeld,
                                             texts::kTipPlayerScore, texts::kTipOpponentScore};
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        auto* panel = new QLabel(QStringLiteral("0"), this);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        panel->setMinimumWidth(48);
        panel->setToolTip(Tr(tips.at(i)));
        // A screen reader names the number by what it counts.
        panel->setAccessibleName(Tr(tips.at(i)));
        panel->setAccessibleDescription(panel->text());
        panel->installEventFilter(this);
        addPermanentWidget(panel);
        panels_.at(i) = panel;
    }
    blink_.setSingleShot(true);
    blink_.setInterval(kBlinkMs);
    connect(&blink_, &QTimer::timeout, this, &TableStatusBar::EndBlink);
    SetLineStyle(false);
}

void TableStatusBar::SetLineStyle(bool error) {
    error_ = error;
    QFont font = line_->font();
    font.setBold(error);
    line_->setFont(font);
    QPalette palette = line_->palette();
    palette.setColor(QPalette::WindowText, error ? QColor(Qt::red) : QColor(Qt::black));
    line_->setPalette(palette);
    FitLine();
}

void TableStatusBar::FitLine() {
    const QString shown =
        line_->fontMetrics().elidedText(full_, Qt::ElideRight, line_->contentsRect().width());
    line_->setText(shown);
    // A screen reader reads the whole text, and hears of each new one.
    if (line_->accessibleName() != full_) {
        line_->setAccessibleName(full_);
    }
    line_->setToolTip(shown != full_ ? full_ : QString());
}

// A new text that had to be shortened also opens whole above the line at
// once, so that the player reads why a move was refused without first
// finding the tooltip. It closes by itself, or at the next click or key.
void TableStatusBar::ShowWholeTextIfShortened() {
    if (line_->text() == full_ || !line_->isVisible()) {
        return;
    }
    QToolTip::showText(line_->mapToGlobal(QPoint(0, -kTipLift)), full_, line_);
}

void TableStatusBar::ShowHintText(const QString& text) {
    blink_.stop();
    const bool changed = text != full_;
    full_ = text;
    SetLineStyle(false);
    if (changed) {
        ShowWholeTextIfShortened();
    }
}

void TableStatusBar::ShowErrorText(const QString& text) {
    if (beep_) {
        beep_();
    }
    full_ = text;
    SetLineStyle(true);
    blink_.start();
    if (QAccessible::isActive()) {
        QAccessibleEvent alert(line_, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
    }
    ShowWholeTextIfShortened();
}

void TableStatusBar::EndBlink() {
    blink_.stop();
    SetLineStyle(false);
}

void TableStatusBar::SetPanel(Panel panel, int value) {
    QLabel* label = panels_.at(static_cast<std::size_t>(panel));
    label->setText(QString::number(value));
    // Read after the field's name: "Your Current Score, 1250".
    label->setAccessibleDescription(label->text());
}

void TableStatusBar::SetMeldMinimum(int minimum) {
    panels_.at(kPlayerMeld)
        ->setToolTip(Tr(texts::kTipPlayerMeld) + "\n" + Tr(texts::kTipMinimumPrefix) +
                     QString::number(minimum) + Tr(texts::kTipMinimumSuffix));
}

QString TableStatusBar::PanelText(Panel panel) const {
    return panels_.at(static_cast<std::size_t>(panel))->text();
}

QString TableStatusBar::PanelToolTip(Panel panel) const {
    return panels_.at(static_cast<std::size_t>(panel))->toolTip();
}

bool TableStatusBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == line_ && event->type() == QEvent::Resize) {
        FitLine();
    }
    // The line's tooltip opens above the bar like the panels' do, so that it
    // stays on the screen below a window placed low.
    if (watched == line_ && event->type() == QEvent::ToolTip && !line_->toolTip().isEmpty()) {
        auto* help = static_cast<QHelpEvent*>(event);
        QToolTip::showText(help->globalPos() - QPoint(0, kTipLift), line_->toolTip(), line_);
        return true;
    }
    if (event->type() == QEvent::ToolTip) {
        for (QLabel* panel : panels_) {
            if (watched == panel) {
                auto* help = static_cast<QHelpEvent*>(event);
                const int lift = panel == panels_.at(kPlayerMeld) ? kTwoLineTipLift : kTipLift;
                QToolTip::showText(help->globalPos() - QPoint(0, lift), panel->toolTip(), panel);
                return true;
            }
        }
    }
    return QStatusBar::eventFilter(watched, event);
}

} // namespace varenta
