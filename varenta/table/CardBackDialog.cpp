#include "varenta/table/CardBackDialog.h"

#include "varenta/table/TableTextConversion.h"

#include "varenta/store/SettingsFile.h"
#include "varenta/table/CardBackSettings.h"
#include "varenta/table/HelpTopics.h"
#include "varenta/table/TableTexts.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace varenta {

namespace {

// Both dialogs show the pictures of the 800 x 600 table.
const QSize kPreviewSize(53, 81);

QString Text(const char* text) {
    return Tr(text);
}

template <typename W> W* Named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// One radio button per label in `box`, one below the other, numbered from 0
// in the group returned and named `prefix` and their number.
template <std::size_t N>
QButtonGroup* RadioGroup(QGroupBox* box, const std::array<const char*, N>& labels,
                         const char* prefix, std::array<QRadioButton*, N>& buttons) {
    auto* layout = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    for (std::size_t i = 0; i < N; ++i) {
        auto* button = new QRadioButton(Text(labels[i]));
        button->setObjectName(QLatin1String(prefix) + QString::number(i));
        layout->addWidget(button);
        group->addButton(button, static_cast<int>(i));
        buttons[i] = button;
    }
    return group;
}

} // namespace

CardBackDialog::CardBackDialog(SettingsFile& store, CardBackServices services, QWidget* parent)
    : QDialog(parent), store_(store), services_(std::move(services)),
      backs_(ReadCardBacks(store, kDialogBackColors, kDialogBackPattern)) {
    setWindowTitle(Text(texts::kCardBackCaption));
    SetHelpTopic(this, topics::kCardBack);

    auto* deckBox = Named(new QGroupBox(Text(texts::kGroupSelectDeck), this), "rgDeck");
    connect(RadioGroup(deckBox, {texts::kDeckOne, texts::kDeckTwo}, "rbDeck", deckButtons_),
            &QButtonGroup::idClicked, this, &CardBackDialog::SelectDeck);

    auto* typeBox = Named(new QGroupBox(Text(texts::kGroupCardbackType), this), "rgType");
    connect(RadioGroup(typeBox,
                       {texts::kSolidColor, texts::kStandardPattern, texts::kCustomPattern},
                       "rbType", typeButtons_),
            &QButtonGroup::idClicked, this, &CardBackDialog::SelectType);

    auto* previewBox = new QGroupBox(Text(texts::kCurrentCardback), this);
    auto* previewLayout = new QVBoxLayout(previewBox);
    preview_ = Named(new QLabel(previewBox), "imPreview");
    preview_->setFixedSize(kPreviewSize);
    previewLayout->addWidget(preview_, 0, Qt::AlignCenter);
    auto* change = Named(new QPushButton(Text(texts::kChangeColor), previewBox), "bnChange");
    previewLayout->addWidget(change);
    connect(change, &QPushButton::clicked, this, &CardBackDialog::ChangeClick);

    auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
    Named(buttons->addButton(Text(texts::kOk), QDialogButtonBox::AcceptRole), "bnOK")
        ->setDefault(true);
    Named(buttons->addButton(Text(texts::kCancel), QDialogButtonBox::RejectRole), "bnCancel");
    bnApply_ =
        Named(buttons->addButton(Text(texts::kApply), QDialogButtonBox::ApplyRole), "bnApply");
    connect(buttons, &QDialogButtonBox::accepted, this, &CardBackDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CardBackDialog::reject);
    connect(bnApply_, &QPushButton::clicked, this, [this] { ApplyClick(); });

    auto* left = new QVBoxLayout;
    left->addWidget(deckBox);
    left->addWidget(typeBox);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(previewBox);
    layout->addWidget(buttons);

    ShowDeck();
    bnApply_->setEnabled(false);
}

QImage CardBackDialog::Preview() const {
    const CardBack& back = backs_.at(static_cast<std::size_t>(deck_));
    const qreal dpr = devicePixelRatioF();
    if (back.type != kCardBackSolid) {
        return DrawCardBack(back, kPreviewSize, dpr);
    }
    QImage image(kPreviewSize * dpr, QImage::Format_ARGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(palette().color(QPalette::Button));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(ColorFromSetting(back.color));
    p.drawRoundedRect(QRectF(QPointF(0, 0), QSizeF(kPreviewSize)), 6, 6);
    return image;
}

void CardBackDialog::ShowDeck() {
    deckButtons_.at(static_cast<std::size_t>(deck_))->setChecked(true);
    const int type = backs_.at(static_cast<std::size_t>(deck_)).type;
    typeButtons_.at(static_cast<std::size_t>(type))->setChecked(true);
    preview_->setPixmap(QPixmap::fromImage(Preview()));
}

void CardBackDialog::Changed() {
    ShowDeck();
    bnApply_->setEnabled(true);
}

void CardBackDialog::SelectDeck(int deck) {
    deck_ = std::clamp(deck, 0, 1);
    Changed();
}

void CardBackDialog::SelectType(int type) {
    backs_.at(static_cast<std::size_t>(deck_)).type =
        static_cast<std::uint8_t>(std::clamp(type, kCardBackSolid, kCardBackFile));
    Changed();
}

void CardBackDialog::ChangeClick() {
    CardBack& back = backs_.at(static_cast<std::size_t>(deck_));
    switch (back.type) {
    case kCardBackSolid:
        if (services_.chooseColor) {
            if (const std::optional<QColor> colour =
                    services_.chooseColor(ColorFromSetting(back.color))) {
                back.color = ColorToSetting(*colour);
                Changed();
            }
        }
        break;
    case kCardBackPattern:
        if (services_.choosePattern) {
            if (const std::optional<int> pattern = services_.choosePattern(back.pattern)) {
                back.pattern = static_cast<std::uint8_t>(
                    std::clamp(*pattern, 0, static_cast<int>(kPatternNames.size()) - 1));
                Changed();
            }
        }
        break;
    default: {
        if (!services_.openFile) {
            break;
        }
        const QString start = back.fileName.empty()
                                  ? QString()
                                  : QFileInfo(QString::fromStdString(back.fileName)).absolutePath();
        QString file =
            services_.openFile(Text(texts::kSelectBitmap), start, Text(texts::kBitmapFilter));
        if (file.isEmpty()) {
            break;
        }
        // A name typed without extension means a bitmap, as the filter says.
        if (QFileInfo(file).suffix().isEmpty() && !QFileInfo::exists(file)) {
            file += QLatin1Char('.') + Text(texts::kBitmapExtension);
        }
        // A file that cannot be shown is refused here, where the user can
        // choose another, rather than turning up later as a plain back.
        if (!CardBackPictureReadable(file.toStdString())) {
            if (services_.refuse) {
                services_.refuse(Text(texts::kPictureUnreadable) + file +
                                 Text(texts::kPictureUnreadableEnd));
            }
            break;
        }
        back.fileName = file.toStdString();
        Changed();
        break;
    }
    }
}

bool CardBackDialog::ApplyClick() {
    try {
        WriteCardBacks(store_, backs_);
    } catch (const SettingsError& e) {
        if (services_.error) {
            services_.error(e.Message());
        }
        return false;
    }
    if (services_.apply) {
        services_.apply(backs_);
    }
    bnApply_->setEnabled(false);
    update();
    return true;
}

void CardBackDialog::accept() {
    if (ApplyClick()) {
        QDialog::accept();
    }
}

void CardBackDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Shown afresh: nothing is waiting to be applied, and the preview is
    // drawn for the screen the dialog is on.
    bnApply_->setEnabled(false);
    preview_->setPixmap(QPixmap::fromImage(Preview()));
}

// ---- Select Card Back Pattern ---------------------------------------------------

PatternGrid::PatternGrid(int selected, QWidget* parent)
    : QWidget(parent), selected_(std::clamp(selected, 0, 9)) {
    const int rows = static_cast<int>(kPatternNames.size()) / kColumns;
    setFixedSize(kGap + kColumns * (kPreviewSize.width() + kGap),
                 kGap + rows * (kPreviewSize.height() + kGap));
}

QRect PatternGrid::PatternRect(int pattern) {
    return {kGap + (pattern % kColumns) * (kPreviewSize.width() + kGap),
            kGap + (pattern / kColumns) * (kPreviewSize.height() + kGap), kPreviewSize.width(),
            kPreviewSize.height()};
}

int PatternGrid::PatternAt(QPoint at) {
    for (int i = 0; i < static_cast<int>(kPatternNames.size()); ++i) {
        if (PatternRect(i).contains(at)) {
            return i;
        }
    }
    return -1;
}

void PatternGrid::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    const QColor highlight = palette().color(QPalette::Highlight);
    for (int i = 0; i < static_cast<int>(kPatternNames.size()); ++i) {
        const QRect at = PatternRect(i);
        p.drawImage(at, DrawPatternBack(i, kPreviewSize, devicePixelRatioF()));
        if (i == selected_) {
            // The selected picture is drawn in the highlight colour's tint,
            // framed, as a selected item of a list is.
            QColor tint = highlight;
            tint.setAlpha(110);
            p.fillRect(at, tint);
            p.setPen(QPen(highlight, 2));
            p.setBrush(Qt::NoBrush);
            p.drawRect(at.adjusted(-1, -1, 1, 1));
        }
    }
}

void PatternGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const int pattern = PatternAt(event->position().toPoint());
    if (pattern >= 0 && pattern != selected_) {
        selected_ = pattern;
        ++repaints_;
        update();
    }
}

CardPatternDialog::CardPatternDialog(int pattern, QWidget* parent)
    : QDialog(parent), grid_(Named(new PatternGrid(pattern, this), "imPatterns")) {
    setWindowTitle(Text(texts::kPatternCaption));
    SetHelpTopic(this, topics::kCardBackPattern);
    auto* buttons = new QDialogButtonBox(this);
    Named(buttons->addButton(Text(texts::kOk), QDialogButtonBox::AcceptRole), "bnOK")
        ->setDefault(true);
    Named(buttons->addButton(Text(texts::kCancel), QDialogButtonBox::RejectRole), "bnCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace varenta
