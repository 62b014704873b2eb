#include "varenta/table/VarStatusBar.h"

#include "varenta/table/TableTexts.h"

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

VarStatusBar::VarStatusBar(QWidget* parent)
    : QStatusBar(parent), line_(new QLabel(this)), beep_([] { QApplication::beep(); }) {
    setSizeGripEnabled(false);
    line_->setMinimumWidth(100);
    line_->setTextFormat(Qt::PlainText);
    addWidget(line_, 1);
    const std::array<const char*, 4> tips = {texts::kTipPlayerMeld, texts::kTipOpponentMeld,
                                             texts::kTipPlayerScore, texts::kTipOpponentScore};
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        auto* panel = new QLabel(QStringLiteral("0"), this);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        panel->setMinimumWidth(48);
        panel->setToolTip(QString::fromUtf8(tips.at(i)));
        panel->installEventFilter(this);
        addPermanentWidget(panel);
        panels_.at(i) = panel;
    }
    blink_.setSingleShot(true);
    blink_.setInterval(kBlinkMs);
    connect(&blink_, &QTimer::timeout, this, &VarStatusBar::EndBlink);
    SetLineStyle(false);
}

void VarStatusBar::SetLineStyle(bool error) {
    error_ = error;
    QFont font = line_->font();
    font.setBold(error);
    line_->setFont(font);
    QPalette palette = line_->palette();
    palette.setColor(QPalette::WindowText, error ? QColor(Qt::red) : QColor(Qt::black));
    line_->setPalette(palette);
}

void VarStatusBar::ShowHintText(const QString& text) {
    blink_.stop();
    SetLineStyle(false);
    line_->setText(text);
}

void VarStatusBar::ShowErrorText(const QString& text) {
    if (beep_) {
        beep_();
    }
    line_->setText(text);
    SetLineStyle(true);
    blink_.start();
}

void VarStatusBar::EndBlink() {
    blink_.stop();
    SetLineStyle(false);
}

void VarStatusBar::SetPanel(Panel panel, int value) {
    panels_.at(static_cast<std::size_t>(panel))->setText(QString::number(value));
}

void VarStatusBar::SetMeldMinimum(int minimum) {
    panels_.at(kPlayerMeld)
        ->setToolTip(QString::fromUtf8(texts::kTipPlayerMeld) + "\n" +
                     QString::fromUtf8(texts::kTipMinimumPrefix) + QString::number(minimum) +
                     QString::fromUtf8(texts::kTipMinimumSuffix));
}

QString VarStatusBar::PanelText(Panel panel) const {
    return panels_.at(static_cast<std::size_t>(panel))->text();
}

QString VarStatusBar::PanelToolTip(Panel panel) const {
    return panels_.at(static_cast<std::size_t>(panel))->toolTip();
}

bool VarStatusBar::eventFilter(QObject* watched, QEvent* event) {
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
