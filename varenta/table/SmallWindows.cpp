#include "varenta/table/SmallWindows.h"

#include "varenta/table/TableTextConversion.h"

#include "varenta/table/CardImages.h"
#include "varenta/table/HelpTopics.h"
#include "varenta/table/TableTexts.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace varenta {

QPixmap DrawTitlePicture(QSize size) {
    // Drawn for the screen's real pixels, so the cards stay sharp on a
    // high-density screen.
    const qreal dpr = qApp != nullptr ? qApp->devicePixelRatio() : 1.0;
    QPixmap picture(size * dpr);
    picture.setDevicePixelRatio(dpr);
    picture.fill(QColor(0, 110, 0));
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const QSize card = CardSizeForLayout(1);
    const int codes[] = {53, 13, 52, 39, 26};
    const QPointF pivot(size.width() / 2.0, size.height() * 0.62);
    for (int i = 0; i < 5; ++i) {
        p.save();
        p.translate(pivot);
        p.rotate(-30 + 15 * i);
        p.drawImage(QPointF(-card.width() / 2.0, -card.height() * 1.05),
                    DrawCardFace(codes[i], card, dpr));
        p.restore();
    }
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(size.height() / 6);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(255, 230, 90));
    p.drawText(QRect(0, size.height() * 2 / 3, size.width(), size.height() / 3), Qt::AlignCenter,
               QStringLiteral("Varenta"));
    return picture;
}

TurnNotice::TurnNotice(const QString& text, QWidget* table)
    : QFrame(table, Qt::ToolTip | Qt::FramelessWindowHint), label_(new QLabel(text, this)) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFrameStyle(QFrame::Box | QFrame::Raised);
    setLineWidth(2);
    QFont font = label_->font();
    font.setPointSize(font.pointSize() + 2);
    font.setBold(true);
    label_->setFont(font);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->addWidget(label_);
    adjustSize();
    const QPoint centre = table->mapToGlobal(table->rect().center());
    move(centre - QPoint(width() / 2, height() / 2));
}

QString TurnNotice::Text() const {
    return label_->text();
}

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(Tr(texts::kAboutCaption));
    SetHelpTopic(this, topics::kAbout);
    auto* picture = new QLabel(this);
    picture->setPixmap(DrawTitlePicture({240, 180}));
    auto* text = new QLabel(
        Tr(texts::kAboutText) + QStringLiteral("<p>Version " CARDGAMES_VERSION "</p>"), this);
    text->setObjectName(QStringLiteral("aboutText"));
    text->setWordWrap(true);
    text->setMinimumWidth(220);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addWidget(picture);
    row->addWidget(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

} // namespace varenta
