#include "kiv/shell/KivDialogs.h"

#include "kiv/shell/KivArt.h"
#include "kiv/shell/KivStrings.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace kiv {
namespace {

QLabel* Picture(int bitmap, int width, int height) {
    auto* label = new QLabel;
    label->setPixmap(KivPicture(bitmap, QSize(width, height), label->devicePixelRatioF()));
    label->setFixedSize(width, height);
    return label;
}

QLabel* Bold(const QString& text, int pointDelta = 0) {
    auto* label = new QLabel(text);
    QFont f = label->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + pointDelta);
    label->setFont(f);
    return label;
}

QDialogButtonBox* OkButton(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    return buttons;
}

} // namespace

QString ControlName(int id) {
    return QStringLiteral("idc%1").arg(id);
}

JackSuitDialog::JackSuitDialog(int base, QWidget* parent) : QDialog(parent) {
    setWindowTitle(Text(base, 23));
    auto* group = new QGroupBox(Text(base, 24));
    auto* column = new QVBoxLayout(group);
    // Herz, Karo, Kreuz, Pik: texts 25..28, controls 1006..1009.
    for (int i = 0; i < 4; ++i) {
        radios_[i] = new QRadioButton(Text(base, 25 + i));
        radios_[i]->setObjectName(ControlName(1006 + i));
        column->addWidget(radios_[i]);
    }
    radios_[1]->setChecked(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(OkButton(this));
}

void JackSuitDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The arrow keys walk the suits from the one checked; Enter takes it.
    for (QRadioButton* radio : radios_) {
        if (radio->isChecked()) {
            radio->setFocus();
        }
    }
}

int JackSuitDialog::ChosenSuit() const {
    static constexpr int kSuits[] = {2, 1, 3, 4};
    for (int i = 0; i < 4; ++i) {
        if (radios_[i]->isChecked()) {
            return kSuits[i];
        }
    }
    return 1;
}

RoundResultsDialog::RoundResultsDialog(int base, const FourPlaces& places, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(Text(base, 56));
    auto* grid = new QGridLayout;
    grid->addWidget(Picture(190, 96, 96), 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(new QLabel(Text(base, 57)), 0, 1, 1, 3);
    auto* winner = Bold(places[0].name, 4);
    winner->setObjectName(QStringLiteral("winnerName"));
    grid->addWidget(winner, 1, 1, 1, 3);
    auto* winnerScore =
        new QLabel(Text(base, 58) + ' ' + QString::number(places[0].points) + ' ' + Text(base, 59));
    winnerScore->setObjectName(QStringLiteral("winnerScore"));
    grid->addWidget(winnerScore, 2, 1, 1, 3);
    grid->addWidget(new QLabel(Text(base, 60)), 3, 0, 1, 4);
    for (int place = 1; place < 4; ++place) {
        grid->addWidget(new QLabel(Text(base, 60 + place)), 3 + place, 0);
        auto* name = new QLabel(places[place].name);
        name->setObjectName(QStringLiteral("placeName%1").arg(place + 1));
        grid->addWidget(name, 3 + place, 1);
        auto* score = new QLabel(QString::number(places[place].points));
        score->setObjectName(QStringLiteral("placeScore%1").arg(place + 1));
        score->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(score, 3 + place, 2);
        grid->addWidget(new QLabel(Text(base, 64)), 3 + place, 3);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(OkButton(this));
}

RankingDialog::RankingDialog(int base, const FourPlaces& places, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(Text(base, 36));
    static constexpr int kPictures[] = {190, 192, 193, 194};
    auto* grid = new QGridLayout;
    for (int place = 0; place < 4; ++place) {
        const int row = place * 3;
        const int size = place == 0 ? 72 : 56;
        grid->addWidget(Picture(kPictures[place], size, size), row, 0, 3, 1, Qt::AlignTop);
        grid->addWidget(new QLabel(Text(base, 37 + place)), row, 1, 1, 2);
        auto* name = Bold(places[place].name, place == 0 ? 4 : 1);
        name->setObjectName(QStringLiteral("rankName%1").arg(place + 1));
        grid->addWidget(name, row + 1, 1, 1, 2);
        grid->addWidget(new QLabel(Text(base, 41)), row + 2, 1);
        auto* points = new QLabel(QString::number(places[place].points));
        points->setObjectName(QStringLiteral("rankPoints%1").arg(place + 1));
        grid->addWidget(points, row + 2, 2);
    }
    grid->setColumnStretch(2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(OkButton(this));
}

CardBackDialog::CardBackDialog(int base, QWidget* parent) : QDialog(parent) {
    setWindowTitle(Text(base, 29));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Text(base, 30)));
    auto* row = new QGridLayout;
    for (int back = 1; back <= 4; ++back) {
        row->addWidget(Picture(BackBitmapFor(back), kCardWidth, kCardHeight), 0, back - 1,
                       Qt::AlignCenter);
        auto* choose = new QPushButton(Text(base, 31));
        choose->setObjectName(ControlName(1042 + back));
        choose->setAutoDefault(false);
        connect(choose, &QPushButton::clicked, this, [this, back] {
            choice_ = back;
            accept();
        });
        row->addWidget(choose, 1, back - 1);
    }
    layout->addLayout(row);
}

LanguageDialog::LanguageDialog(int base, QWidget* parent) : QDialog(parent) {
    setWindowTitle(Text(base, 77));
    auto* layout = new QVBoxLayout(this);
    // Each language is named in itself, so that either reader finds it.
    german_ = new QRadioButton(QStringLiteral("&Deutsch"));
    auto* english = new QRadioButton(QStringLiteral("&English"));
    german_->setObjectName(QStringLiteral("rbGerman"));
    english->setObjectName(QStringLiteral("rbEnglish"));
    (base == kGermanBase ? german_ : english)->setChecked(true);
    layout->addWidget(german_);
    layout->addWidget(english);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)
        ->setText(base == kGermanBase ? QStringLiteral("Abbrechen") : QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

int LanguageDialog::Choice() const {
    return german_->isChecked() ? kGermanBase : kSecondBase;
}

namespace {

constexpr char kLicenceGerman[] =
    "Freie Software unter der GNU General Public License, Version 3 oder sp\u00e4ter: Sie "
    "d\u00fcrfen sie nach deren Bedingungen weitergeben und ver\u00e4ndern. Sie kommt ohne "
    "jede Gew\u00e4hrleistung.";
constexpr char kLicenceEnglish[] =
    "Free software under the GNU General Public License, version 3 or later: you may share "
    "and change it under its terms. It comes with no warranty.";

} // namespace

AboutDialog::AboutDialog(int base, const QString& version, const QString& date, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(Text(base, 32));
    auto* grid = new QGridLayout;
    grid->addWidget(Picture(201, 96, 80), 0, 0, 4, 1, Qt::AlignTop);
    grid->addWidget(Picture(202, 96, 48), 0, 1);
    auto* versionLabel = new QLabel(Text(base, 127) + ' ' + version + QStringLiteral(", ") + date);
    versionLabel->setObjectName(QStringLiteral("versionText"));
    grid->addWidget(versionLabel, 1, 1);
    grid->addWidget(new QLabel(Text(base, 33) + QStringLiteral(" Das Kiv-Kiv-Team")), 2, 1);
    int row = 3;
    for (int offset : {34, 35}) {
        if (HasText(base + offset)) {
            grid->addWidget(new QLabel(Text(base, offset)), row++, 1);
        }
    }
    // The licence, in the language of the text block shown.
    auto* licence = new QLabel(base == 1000 ? QString::fromUtf8(kLicenceGerman)
                                            : QString::fromUtf8(kLicenceEnglish));
    licence->setObjectName(QStringLiteral("licenceText"));
    licence->setWordWrap(true);
    grid->addWidget(licence, row, 0, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(OkButton(this));
}

} // namespace kiv
