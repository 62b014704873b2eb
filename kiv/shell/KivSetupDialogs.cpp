#include "kiv/shell/KivSetupDialogs.h"

#include "kiv/shell/KivDialogs.h"
#include "kiv/shell/KivPrompter.h"
#include "kiv/shell/KivStrings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace kiv {
namespace {

// OK, Cancel (text 55) and Help (text 54).
QDialogButtonBox* SheetButtons(QDialog* dialog, int base, const std::function<void()>& onHelp) {
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QDialogButtonBox::Ok);
    QPushButton* cancel = buttons->addButton(Text(base, 55), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    QPushButton* help = buttons->addButton(Text(base, 54), QDialogButtonBox::HelpRole);
    help->setObjectName(ControlName(1090));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::helpRequested, dialog, onHelp);
    auto* f1 = new QShortcut(QKeySequence::HelpContents, dialog);
    QObject::connect(f1, &QShortcut::activated, dialog, onHelp);
    return buttons;
}

QLineEdit* NumberEdit(int id, int value) {
    const QString text = QString::number(value);
    auto* edit = new QLineEdit;
    edit->setObjectName(ControlName(id));
    // Five digits are typed at most, but a longer stored value is shown
    // whole, so checking it on OK refuses it instead of a cut copy passing.
    edit->setMaxLength(std::max<int>(5, static_cast<int>(text.size())));
    edit->setText(text);
    return edit;
}

QCheckBox* Check(int id, const QString& text, bool on) {
    auto* check = new QCheckBox(text);
    check->setObjectName(ControlName(id));
    check->setChecked(on);
    return check;
}

int Number(const QLineEdit* edit) {
    const std::int64_t v = LeadingInteger(edit->text());
    return v > 999999 ? 999999 : v < -999999 ? -999999 : static_cast<int>(v);
}

} // namespace

// ---- Players ----------------------------------------------------------------

PlayersDialog::PlayersDialog(int base, const std::array<SeatSetup, 4>& seats, Prompter& prompter,
                             HelpCallback help, QWidget* parent)
    : QDialog(parent), base_(base), prompter_(prompter) {
    setWindowTitle(Text(base, 70));
    // Controls per seat: name edit, "Spielt mit", "Wird vom Rechner gesteuert".
    static constexpr int kIds[4][3] = {
        {1013, 0, 0}, {1015, 1018, 1019}, {1014, 1016, 1017}, {1020, 1021, 1022}};
    auto* grid = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        auto* group = new QGroupBox(Text(base, 71 + i));
        auto* box = new QGridLayout(group);
        names_[i] = new QLineEdit(seats[i].name);
        names_[i]->setObjectName(ControlName(kIds[i][0]));
        names_[i]->setMaxLength(kShortLineLimit);
        box->addWidget(new QLabel(Text(base, 81)), 0, 0);
        box->addWidget(names_[i], 0, 1);
        if (i > 0) {
            plays_[i] = Check(kIds[i][1], Text(base, 75), seats[i].plays);
            computer_[i] = Check(kIds[i][2], Text(base, 76), seats[i].computer);
            box->addWidget(plays_[i], 1, 0, 1, 2);
            box->addWidget(computer_[i], 2, 0, 1, 2);
        }
        grid->addWidget(group, i / 2, i % 2);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(SheetButtons(this, base, [help] {
        if (help) {
            help(QString::fromUtf8(kHelpPlayers));
        }
    }));
}

std::array<SeatSetup, 4> PlayersDialog::Seats() const {
    std::array<SeatSetup, 4> seats;
    for (int i = 0; i < 4; ++i) {
        seats[i].name = CutToLength(names_[i]->text(), kShortLineLimit);
        seats[i].plays = i == 0 || plays_[i]->isChecked();
        seats[i].computer = i != 0 && computer_[i]->isChecked();
    }
    return seats;
}

void PlayersDialog::accept() {
    const auto seats = Seats();
    if (!seats[1].plays && !seats[2].plays && !seats[3].plays) {
        prompter_.Inform(this, Text(base_, 82));
        return;
    }
    QDialog::accept();
}

// ---- Settings sheet -------------------------------------------------------------

int ValidateEinstellungen(int pointsToWin, int cardsPerPlayer, int computerDelay) {
    if (pointsToWin < 100 || pointsToWin > 99999) {
        return 85;
    }
    if (cardsPerPlayer < 3 || cardsPerPlayer > 6) {
        return 86;
    }
    if (computerDelay < 200 || computerDelay > 9999) {
        return 87;
    }
    return 0;
}

KivSettingsSheet::KivSettingsSheet(int base, const SheetValues& values, Prompter& prompter,
                                   HelpCallback help, QWidget* parent)
    : QDialog(parent), base_(base), prompter_(prompter), help_(std::move(help)),
      cardSpeed_(values.cardSpeed) {
    setWindowTitle(Text(base, 42));
    tabs_ = new QTabWidget;
    tabs_->addTab(BuildEinstellPage(values), Text(base, 43));
    tabs_->addTab(BuildRegelPage(values), Text(base, 48));
    tabs_->addTab(BuildSoundPage(values), Text(base, 65));
    helpKeyword_ = QString::fromUtf8(kHelpSettings);
    connect(tabs_, &QTabWidget::currentChanged, this, &KivSettingsSheet::PageChanged);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(SheetButtons(this, base, [this] {
        if (help_) {
            help_(helpKeyword_);
        }
    }));
}

QWidget* KivSettingsSheet::BuildEinstellPage(const SheetValues& v) {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("SettingsPage"));
    auto* grid = new QGridLayout(page);
    points_ = NumberEdit(1020, v.pointsToWin);
    cards_ = NumberEdit(1022, v.cardsPerPlayer);
    delay_ = NumberEdit(1052, v.computerDelay);
    const std::pair<int, QLineEdit*> rows[] = {{44, points_}, {45, cards_}, {47, delay_}};
    for (int r = 0; r < 3; ++r) {
        grid->addWidget(new QLabel(Text(base_, rows[r].first)), r, 0);
        grid->addWidget(rows[r].second, r, 1);
        grid->addWidget(new QLabel(Text(base_, 124 + r)), r, 2);
    }
    auto* speedBox = new QGroupBox(Text(base_, 138));
    auto* speedRow = new QHBoxLayout(speedBox);
    speed_ = new QButtonGroup(page);
    const std::pair<int, int> speeds[] = {{1016, 10}, {1017, 20}, {1018, 40}};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(Text(base_, 121 + i));
        radio->setObjectName(ControlName(speeds[i].first));
        radio->setChecked(v.cardSpeed == speeds[i].second);
        speed_->addButton(radio, speeds[i].second);
        speedRow->addWidget(radio);
    }
    grid->addWidget(speedBox, 3, 0, 1, 3);
    animate_ = Check(1028, Text(base_, 46), v.animateCards);
    grid->addWidget(animate_, 4, 0, 1, 3);
    grid->setRowStretch(5, 1);
    return page;
}

QWidget* KivSettingsSheet::BuildRegelPage(const SheetValues& v) {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("RulesPage"));
    auto* column = new QVBoxLayout(page);
    const bool on[] = {v.ruleLayAfterDraw, v.ruleEightOnEight, v.ruleJackAlways,
                       v.ruleAnyOnFirstJack, v.ruleEndOnFirstOut};
    static constexpr int kIds[] = {1024, 1025, 1026, 1027, 1034};
    for (int i = 0; i < 5; ++i) {
        rules_[i] = Check(kIds[i], Text(base_, 49 + i), on[i]);
        column->addWidget(rules_[i]);
    }
    column->addStretch();
    return page;
}

QWidget* KivSettingsSheet::BuildSoundPage(const SheetValues& v) {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("SoundPage"));
    auto* column = new QVBoxLayout(page);
    sound_ = Check(1035, Text(base_, 66), v.soundOn);
    music_ = Check(1036, Text(base_, 67), v.musicOn);
    column->addWidget(sound_);
    column->addWidget(music_);
    auto* group = new QGroupBox(Text(base_, 68));
    auto* row = new QGridLayout(group);
    midi_ = new QLineEdit(v.midiFile);
    midi_->setObjectName(ControlName(1037));
    auto* browse = new QPushButton(Text(base_, 136));
    browse->setObjectName(ControlName(1107));
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &KivSettingsSheet::ChooseMidiFile);
    row->addWidget(midi_, 0, 0);
    row->addWidget(browse, 0, 1);
    auto* hint = new QLabel(Text(base_, 69));
    hint->setWordWrap(true);
    row->addWidget(hint, 1, 0, 1, 2);
    column->addWidget(group);
    column->addStretch();
    return page;
}

void KivSettingsSheet::ChooseMidiFile() {
    QFileDialog chooser(this, Text(base_, 134));
    chooser.setNameFilter(Text(base_, 135));
    chooser.setFileMode(QFileDialog::ExistingFile);
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    if (prompter_.Run(chooser) == QDialog::Accepted && !chooser.selectedFiles().isEmpty()) {
        midi_->setText(chooser.selectedFiles().first());
    }
}

void KivSettingsSheet::PageChanged(int index) {
    if (switchingBack_) {
        return;
    }
    if (lastPage_ == kEinstellPage && index != kEinstellPage && !CheckEinstellPage()) {
        return;
    }
    lastPage_ = index;
    static const char* const kKeywords[] = {kHelpSettings, kHelpRules, kHelpSound};
    helpKeyword_ = QString::fromUtf8(kKeywords[index]);
}

bool KivSettingsSheet::CheckEinstellPage() {
    const int failure = ValidateEinstellungen(Number(points_), Number(cards_), Number(delay_));
    if (failure == 0) {
        return true;
    }
    // Back to the first page before the message, so it stands beside the
    // value it is about.
    switchingBack_ = true;
    tabs_->setCurrentIndex(kEinstellPage);
    switchingBack_ = false;
    lastPage_ = kEinstellPage;
    helpKeyword_ = QString::fromUtf8(kHelpSettings);
    prompter_.Inform(this, Text(base_, failure));
    QLineEdit* culprit = failure == 85 ? points_ : failure == 86 ? cards_ : delay_;
    culprit->setFocus();
    culprit->selectAll();
    return false;
}

void KivSettingsSheet::accept() {
    if (!CheckEinstellPage()) {
        return;
    }
    QDialog::accept();
}

void KivSettingsSheet::done(int result) {
    helpKeyword_.clear();
    QDialog::done(result);
}

SheetValues KivSettingsSheet::Values() const {
    SheetValues v;
    v.pointsToWin = Number(points_);
    v.cardsPerPlayer = Number(cards_);
    v.computerDelay = Number(delay_);
    // No radio checked keeps a speed that none of them stands for.
    v.cardSpeed = speed_->checkedId() > 0 ? speed_->checkedId() : cardSpeed_;
    v.animateCards = animate_->isChecked();
    v.ruleLayAfterDraw = rules_[0]->isChecked();
    v.ruleEightOnEight = rules_[1]->isChecked();
    v.ruleJackAlways = rules_[2]->isChecked();
    v.ruleAnyOnFirstJack = rules_[3]->isChecked();
    v.ruleEndOnFirstOut = rules_[4]->isChecked();
    v.soundOn = sound_->isChecked();
    v.musicOn = music_->isChecked();
    v.midiFile = midi_->text();
    return v;
}

} // namespace kiv
