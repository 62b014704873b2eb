#include "varenta/table/CustomizeDialog.h"

#include "varenta/table/TableTextConversion.h"

#include "varenta/store/HighScores.h"
#include "varenta/store/SettingsFile.h"
#include "varenta/table/CardImages.h"
#include "varenta/table/HelpTopics.h"
#include "varenta/table/TableTexts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace varenta {

namespace {

constexpr int kDelayStepMs = 300;
constexpr int kPositions = 10;

QString Text(const char* text) {
    return Tr(text);
}

template <typename W> W* Named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QSlider* MakeSlider(QWidget* parent, const char* name, int maximum) {
    auto* slider = Named(new QSlider(Qt::Horizontal, parent), name);
    slider->setRange(0, maximum);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(maximum / 10);
    slider->setPageStep(maximum / 10);
    return slider;
}

// A labelled track bar from "Slow" to "Fast".
QGroupBox* SlowFast(QWidget* parent, const char* caption, const char* sliderName,
                    QSlider*& slider) {
    auto* box = new QGroupBox(Text(caption), parent);
    slider = MakeSlider(box, sliderName, kPositions);
    // A screen reader names the slider by its group (the access key is the group's).
    slider->setAccessibleName(box->title().remove(QLatin1Char('&')));
    auto* grid = new QGridLayout(box);
    grid->addWidget(slider, 0, 0, 1, 2);
    grid->addWidget(new QLabel(Text(texts::kSlow), box), 1, 0, Qt::AlignLeft);
    grid->addWidget(new QLabel(Text(texts::kFast), box), 1, 1, Qt::AlignRight);
    return box;
}

} // namespace

int CustomizeDialog::DelayPosition(int milliseconds) {
    return std::clamp(kPositions - std::max(0, milliseconds) / kDelayStepMs, 0, kPositions);
}

int CustomizeDialog::PositionDelay(int position) {
    return (kPositions - std::clamp(position, 0, kPositions)) * kDelayStepMs;
}

CustomizeDialog::CustomizeDialog(const TableOptions& options, PlayerList& tablePlayers,
                                 SettingsFile& store, bool gameInProgress, int layoutLimit,
                                 CustomizeServices services, QWidget* parent)
    : QDialog(parent), tablePlayers_(tablePlayers), store_(store), services_(std::move(services)),
      locked_(gameInProgress), background_(options.background), working_(tablePlayers.players) {
    setWindowTitle(Text(texts::kCustomizeCaption));
    SetHelpTopic(this, topics::kCustomize);
    pcCustomize_ = Named(new QTabWidget(this), "pcCustomize");
    pcCustomize_->addTab(BuildScreenTab(layoutLimit), Text(texts::kTabScreen));
    pcCustomize_->addTab(BuildPlayersTab(), Text(texts::kTabPlayers));
    pcCustomize_->addTab(BuildLevelTab(), Text(texts::kTabLevel));
    pcCustomize_->addTab(BuildGeneralTab(), Text(texts::kTabOptions));
    SetHelpTopic(pcCustomize_->widget(kScreenTab), topics::kCustomizeScreen);
    SetHelpTopic(pcCustomize_->widget(kPlayersTab), topics::kCustomizePlayers);
    SetHelpTopic(pcCustomize_->widget(kLevelTab), topics::kCustomizeLevel);
    SetHelpTopic(pcCustomize_->widget(kGeneralTab), topics::kCustomizeGeneral);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok =
        Named(buttons->addButton(Text(texts::kOk), QDialogButtonBox::AcceptRole), "bnOK");
    ok->setDefault(true);
    Named(buttons->addButton(Text(texts::kCancel), QDialogButtonBox::RejectRole), "bnCancel");
    bnApply_ =
        Named(buttons->addButton(Text(texts::kApply), QDialogButtonBox::ApplyRole), "bnApply");
    connect(buttons, &QDialogButtonBox::accepted, this, &CustomizeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CustomizeDialog::reject);
    connect(bnApply_, &QPushButton::clicked, this, [this] { ApplyClick(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pcCustomize_);
    layout->addWidget(buttons);

    ShowOptions(options);
    SetCurrentName(tablePlayers.HasCurrent() ? tablePlayers.CurrentName() : QString());
    FillPlayers(currentName_);
    UpdateEnabling();

    // Every change of a control makes "&Apply" worth pressing.
    for (QCheckBox* box :
         {ckShowStatusbar_, ckCardMoves_, ckSaveExit_, ckShowWhoseTurn_, ckShowHighscores_}) {
        connect(box, &QCheckBox::toggled, this, &CustomizeDialog::Changed);
    }
    for (QRadioButton* button : {layouts_[0], layouts_[1], layouts_[2], layouts_[3], levels_[0],
                                 levels_[1], levels_[2], rbOneClick_, rbTwoClicks_}) {
        connect(button, &QRadioButton::toggled, this, &CustomizeDialog::Changed);
    }
    for (QSlider* slider : {tbAggressive_, tbDelay_, tbCardMoves_}) {
        connect(slider, &QSlider::valueChanged, this, &CustomizeDialog::Changed);
    }
    connect(tbAggressive_, &QSlider::valueChanged, lbAggressive_,
            [this](int value) { lbAggressive_->setNum(value); });
    for (QRadioButton* level : levels_) {
        connect(level, &QRadioButton::toggled, this, &CustomizeDialog::UpdateEnabling);
    }
    connect(ckCardMoves_, &QCheckBox::toggled, this, &CustomizeDialog::UpdateEnabling);
    // The current item moves before a mouse click selects it, so the buttons
    // follow the selection itself.
    connect(lbPlayers_, &QListWidget::itemSelectionChanged, this,
            &CustomizeDialog::UpdatePlayerButtons);
    bnApply_->setEnabled(false);
}

QWidget* CustomizeDialog::BuildScreenTab(int layoutLimit) {
    auto* page = new QWidget;
    auto* colorBox = new QGroupBox(Text(texts::kGroupBackground), page);
    shBackground_ = Named(new QFrame(colorBox), "shBackground");
    shBackground_->setFrameShape(QFrame::Box);
    shBackground_->setMinimumSize(64, 40);
    shBackground_->setAutoFillBackground(true);
    auto* change = Named(new QPushButton(Text(texts::kChangeColor), colorBox), "bnChange");
    connect(change, &QPushButton::clicked, this, &CustomizeDialog::ChangeColorClick);
    auto* colorLayout = new QHBoxLayout(colorBox);
    colorLayout->addWidget(shBackground_);
    colorLayout->addWidget(change);
    colorLayout->addStretch();

    auto* sizeBox = Named(new QGroupBox(Text(texts::kGroupWindowSize), page), "rgLayout");
    auto* sizeLayout = new QVBoxLayout(sizeBox);
    const std::array<const char*, 4> captions = {texts::kSize640, texts::kSize800, texts::kSize1024,
                                                 texts::kSize1280};
    const std::array<const char*, 4> names = {"rb640", "rb800", "rb1024", "rb1280"};
    for (std::size_t i = 0; i < layouts_.size(); ++i) {
        layouts_[i] = Named(new QRadioButton(Text(captions[i]), sizeBox), names[i]);
        // Larger than the screen allows: not offered.
        layouts_[i]->setEnabled(static_cast<int>(i) <= std::max(0, layoutLimit));
        sizeLayout->addWidget(layouts_[i]);
    }
    ckShowStatusbar_ = Named(new QCheckBox(Text(texts::kShowStatusbar), page), "ckShowStatusbar");

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(colorBox);
    layout->addWidget(sizeBox);
    layout->addWidget(ckShowStatusbar_);
    layout->addStretch();
    return page;
}

QWidget* CustomizeDialog::BuildPlayersTab() {
    auto* page = new QWidget;
    auto* listBox = new QGroupBox(Text(texts::kGroupPlayers), page);
    lbPlayers_ = Named(new QListWidget(listBox), "lbPlayers");
    lbPlayers_->setAccessibleName(listBox->title());
    lbPlayers_->setSortingEnabled(true);
    lbPlayers_->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* listLayout = new QVBoxLayout(listBox);
    listLayout->addWidget(lbPlayers_);

    auto* currentBox = new QGroupBox(Text(texts::kCurrentPlayer), page);
    lbCurrentPlayer_ = Named(new QLabel(currentBox), "lbCurrentPlayer");
    lbCurrentPlayer_->setTextFormat(Qt::PlainText);
    auto* currentLayout = new QVBoxLayout(currentBox);
    currentLayout->addWidget(lbCurrentPlayer_);

    bnNew_ = Named(new QPushButton(Text(texts::kNewPlayer), page), "bnNew");
    bnRename_ = Named(new QPushButton(Text(texts::kRenamePlayer), page), "bnRename");
    bnDelete_ = Named(new QPushButton(Text(texts::kDeletePlayer), page), "bnDelete");
    bnSetCurrent_ = Named(new QPushButton(Text(texts::kSetCurrentPlayer), page), "bnSetCurrent");
    bnResetStats_ = Named(new QPushButton(Text(texts::kResetStats), page), "bnResetStats");
    connect(bnNew_, &QPushButton::clicked, this, &CustomizeDialog::NewPlayerClick);
    connect(bnRename_, &QPushButton::clicked, this, &CustomizeDialog::RenamePlayerClick);
    connect(bnDelete_, &QPushButton::clicked, this, &CustomizeDialog::DeletePlayerClick);
    connect(bnSetCurrent_, &QPushButton::clicked, this, &CustomizeDialog::SetCurrentClick);
    connect(bnResetStats_, &QPushButton::clicked, this, &CustomizeDialog::ResetStatsClick);

    auto* side = new QVBoxLayout;
    side->addWidget(currentBox);
    for (QPushButton* button : {bnNew_, bnRename_, bnDelete_, bnSetCurrent_, bnResetStats_}) {
        side->addWidget(button);
    }
    side->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(listBox, 1);
    layout->addLayout(side);
    return page;
}

QWidget* CustomizeDialog::BuildLevelTab() {
    auto* page = new QWidget;
    rgLevel_ = Named(new QGroupBox(Text(texts::kComputerLevel), page), "rgLevel");
    auto* levelLayout = new QVBoxLayout(rgLevel_);
    const std::array<const char*, 3> captions = {texts::kLevelBeginner, texts::kLevelAdvanced,
                                                 texts::kLevelExpert};
    const std::array<const char*, 3> names = {"rbBeginner", "rbAdvanced", "rbExpert"};
    for (std::size_t i = 0; i < levels_.size(); ++i) {
        levels_[i] = Named(new QRadioButton(Text(captions[i]), rgLevel_), names[i]);
        levelLayout->addWidget(levels_[i]);
    }
    auto* aggressionLabel = new QLabel(Text(texts::kAggression), page);
    tbAggressive_ = MakeSlider(page, "tbAggressive", 100);
    aggressionLabel->setBuddy(tbAggressive_);
    lbAggressive_ = Named(new QLabel(page), "lbAggressive");
    lbAggressive_->setMinimumWidth(30);
    auto* aggression = new QHBoxLayout;
    aggression->addWidget(aggressionLabel);
    aggression->addWidget(tbAggressive_, 1);
    aggression->addWidget(lbAggressive_);

    lbWarning_ = Named(new QLabel(Text(texts::kLevelLocked), page), "lbWarning");
    lbWarning_->setWordWrap(true);
    QPalette red = lbWarning_->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    lbWarning_->setPalette(red);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(rgLevel_);
    layout->addLayout(aggression);
    layout->addWidget(lbWarning_);
    layout->addStretch();
    return page;
}

QWidget* CustomizeDialog::BuildGeneralTab() {
    auto* page = new QWidget;
    auto* discard = Named(new QGroupBox(Text(texts::kDiscarding), page), "rgDiscard");
    rbOneClick_ = Named(new QRadioButton(Text(texts::kOneRightClick), discard), "rbOneClick");
    rbTwoClicks_ = Named(new QRadioButton(Text(texts::kTwoRightClicks), discard), "rbTwoClicks");
    auto* discardLayout = new QVBoxLayout(discard);
    discardLayout->addWidget(rbOneClick_);
    discardLayout->addWidget(rbTwoClicks_);

    QGroupBox* melding = SlowFast(page, texts::kComputerMelding, "tbDelay", tbDelay_);
    QGroupBox* animation = SlowFast(page, texts::kCardAnimation, "tbCardMoves", tbCardMoves_);
    ckCardMoves_ = Named(new QCheckBox(Text(texts::kNoAnimation), animation), "ckCardMoves");
    static_cast<QGridLayout*>(animation->layout())->addWidget(ckCardMoves_, 2, 0, 1, 2);
    ckSaveExit_ = Named(new QCheckBox(Text(texts::kSaveExit), page), "ckSaveExit");
    ckShowWhoseTurn_ = Named(new QCheckBox(Text(texts::kShowWhoseTurn), page), "ckShowWhoseTurn");
    ckShowHighscores_ =
        Named(new QCheckBox(Text(texts::kShowHighscores), page), "ckShowHighscores");

    auto* layout = new QGridLayout(page);
    layout->addWidget(discard, 0, 0);
    layout->addWidget(melding, 0, 1);
    layout->addWidget(animation, 1, 1);
    auto* checks = new QVBoxLayout;
    checks->addWidget(ckShowWhoseTurn_);
    checks->addWidget(ckShowHighscores_);
    checks->addStretch();
    layout->addLayout(checks, 1, 0);
    layout->addWidget(ckSaveExit_, 2, 0, 1, 2);
    layout->setRowStretch(3, 1);
    return page;
}

void CustomizeDialog::ShowOptions(const TableOptions& o) {
    layouts_.at(static_cast<std::size_t>(std::clamp(o.layout, 0, 3)))->setChecked(true);
    ShowSwatch();
    ckShowStatusbar_->setChecked(o.showStatusbar);
    levels_.at(static_cast<std::size_t>(std::clamp(o.level, 0, 2)))->setChecked(true);
    tbAggressive_->setValue(o.aggression);
    lbAggressive_->setNum(tbAggressive_->value());
    (o.mouseOption == 0 ? rbOneClick_ : rbTwoClicks_)->setChecked(true);
    tbDelay_->setValue(DelayPosition(o.meldDelay));
    ckSaveExit_->setChecked(o.autoSave);
    ckShowHighscores_->setChecked(o.showHighscores);
    ckShowWhoseTurn_->setChecked(o.showTurns);
    ckCardMoves_->setChecked(!o.cardMovement);
    tbCardMoves_->setValue(o.cardSpeed);
    lbWarning_->setVisible(locked_);
}

void CustomizeDialog::UpdateEnabling() {
    rgLevel_->setEnabled(!locked_);
    tbAggressive_->setEnabled(!locked_ && levels_[2]->isChecked());
    tbCardMoves_->setEnabled(!ckCardMoves_->isChecked());
}

void CustomizeDialog::Changed() {
    bnApply_->setEnabled(true);
}

void CustomizeDialog::ShowSwatch() {
    QPalette palette = shBackground_->palette();
    palette.setColor(QPalette::Window, background_);
    shBackground_->setPalette(palette);
}

void CustomizeDialog::ChangeColorClick() {
    if (const std::optional<QColor> color = services_.chooseColor(background_)) {
        background_ = *color;
        ShowSwatch();
        Changed();
    }
}

// ---- players ------------------------------------------------------------------

void CustomizeDialog::FillPlayers(const QString& select) {
    lbPlayers_->clear();
    for (const PlayerEntry& p : working_) {
        lbPlayers_->addItem(p.name);
    }
    const QList<QListWidgetItem*> found = lbPlayers_->findItems(select, Qt::MatchExactly);
    if (!found.isEmpty()) {
        lbPlayers_->setCurrentItem(found.first());
    } else if (lbPlayers_->count() > 0) {
        lbPlayers_->setCurrentRow(0);
    }
    UpdatePlayerButtons();
}

QString CustomizeDialog::SelectedName() const {
    const QListWidgetItem* item = lbPlayers_->currentItem();
    return item != nullptr && item->isSelected() ? item->text() : QString();
}

void CustomizeDialog::SetCurrentName(const QString& name) {
    currentName_ = name;
    lbCurrentPlayer_->setText(name.isEmpty() ? PlayerList().CurrentName() : name);
}

void CustomizeDialog::UpdatePlayerButtons() {
    const bool any = !working_.empty();
    const bool selected = !SelectedName().isEmpty();
    bnRename_->setEnabled(any);
    bnDelete_->setEnabled(any);
    bnSetCurrent_->setEnabled(any && selected);
    bnResetStats_->setEnabled(any && selected);
}

QString CustomizeDialog::CurrentPlayerShown() const {
    return lbCurrentPlayer_->text();
}

void CustomizeDialog::NewPlayerClick() {
    const std::optional<QString> answer =
        services_.input(Text(texts::kNewPlayerTitle), Text(texts::kNewPlayerPrompt), QString());
    if (!answer) {
        return;
    }
    const QString name = answer->trimmed();
    std::vector<QString> others;
    for (const PlayerEntry& p : working_) {
        others.push_back(p.name);
    }
    if (const std::optional<QString> problem = PlayerNameProblem(name, others)) {
        services_.refuse(*problem);
        return;
    }
    working_.push_back({name, {}});
    if (working_.size() == 1) {
        SetCurrentName(name);
    }
    FillPlayers(name);
    Changed();
}

void CustomizeDialog::RenamePlayerClick() {
    const QString old = SelectedName();
    if (old.isEmpty()) {
        return;
    }
    const std::optional<QString> answer =
        services_.input(Text(texts::kRenamePlayerTitle), Text(texts::kRenamePlayerPrompt), old);
    if (!answer) {
        return;
    }
    const QString name = answer->trimmed();
    std::vector<QString> others;
    for (const PlayerEntry& p : working_) {
        if (p.name != old) {
            others.push_back(p.name);
        }
    }
    if (const std::optional<QString> problem = PlayerNameProblem(name, others)) {
        services_.refuse(*problem);
        return;
    }
    for (PlayerEntry& p : working_) {
        if (p.name == old) {
            p.name = name;
        }
    }
    // The current player keeps being current under the new name.
    if (working_.size() == 1 || currentName_ == old) {
        SetCurrentName(name);
    }
    FillPlayers(name);
    Changed();
}

void CustomizeDialog::DeletePlayerClick() {
    const QString name = SelectedName();
    if (name.isEmpty() ||
        !services_.yesNo(Text(texts::kDeletePlayerQuestion) + name + QLatin1Char('?'))) {
        return;
    }
    std::erase_if(working_, [&name](const PlayerEntry& p) { return p.name == name; });
    FillPlayers(QString()); // the selection went with the player: the first is selected
    if (working_.empty()) {
        SetCurrentName(QString());
    } else {
        SetCurrentName(SelectedName());
    }
    Changed();
}

void CustomizeDialog::SetCurrentClick() {
    const QString name = SelectedName();
    if (!name.isEmpty()) {
        SetCurrentName(name);
        Changed();
    }
}

void CustomizeDialog::ResetStatsClick() {
    const QString name = SelectedName();
    const int index = tablePlayers_.IndexOf(name);
    if (name.isEmpty() || index < 0 ||
        !services_.yesNo(Text(texts::kResetQuestion) + name + QLatin1Char('?'))) {
        return;
    }
    // At once and for good: also in the store, and in the working list so
    // that OK does not bring the old counters back.
    PlayerEntry& player = tablePlayers_.players[static_cast<std::size_t>(index)];
    const WinRatio before = player.ratio;
    player.ratio = {};
    try {
        SavePlayers(store_, tablePlayers_, true);
    } catch (const SettingsError& e) {
        player.ratio = before;
        services_.error(e.Message());
        return;
    }
    for (PlayerEntry& p : working_) {
        if (p.name == name) {
            p.ratio = {};
        }
    }
}

// ---- storing ------------------------------------------------------------------

TableOptions CustomizeDialog::ChosenOptions() const {
    TableOptions o;
    o.background = background_;
    for (std::size_t i = 0; i < layouts_.size(); ++i) {
        if (layouts_[i]->isChecked()) {
            o.layout = static_cast<int>(i);
        }
    }
    o.showStatusbar = ckShowStatusbar_->isChecked();
    o.showTurns = ckShowWhoseTurn_->isChecked();
    o.showHighscores = ckShowHighscores_->isChecked();
    o.level = levels_[1]->isChecked() ? 1 : levels_[2]->isChecked() ? 2 : 0;
    o.aggression = tbAggressive_->value();
    o.mouseOption = rbTwoClicks_->isChecked() ? 1 : 0;
    o.meldDelay = PositionDelay(tbDelay_->value());
    o.cardMovement = !ckCardMoves_->isChecked();
    o.cardSpeed = tbCardMoves_->value();
    o.autoSave = ckSaveExit_->isChecked();
    return o;
}

PlayerList CustomizeDialog::ChosenPlayers() const {
    PlayerList list;
    list.players = working_;
    list.current = currentName_.isEmpty() ? -1 : list.IndexOf(currentName_);
    return list;
}

bool CustomizeDialog::Store() {
    const TableOptions o = ChosenOptions();
    const PlayerList players = ChosenPlayers();
    try {
        store_.WriteValues({
            {kKeyBackground, static_cast<int>(ColorToSetting(o.background))},
            {kKeyLevel, LevelName(o.level)},
            {kKeyAggression, o.aggression},
            {kKeyMouseOptionsWrite,
             QString::fromLatin1(o.mouseOption == 0 ? kSingleRightClick : kDoubleRightClick)},
            {kKeyDelay, o.meldDelay},
            {kKeyAutoSave, o.autoSave},
            {kKeyShowStatusbar, o.showStatusbar},
            {kKeyCardMovement, o.cardMovement},
            {kKeyCardSpeed, o.cardSpeed},
            {kKeyShowHighscores, o.showHighscores},
            {kKeyShowTurns, o.showTurns},
        });
        SavePlayers(store_, players, true);
    } catch (const SettingsError& e) {
        services_.error(e.Message());
        return false;
    }
    if (!o.autoSave && !services_.autosavePath.isEmpty()) {
        QFile::remove(services_.autosavePath);
    }
    if (services_.apply) {
        services_.apply(o, players);
    }
    return true;
}

bool CustomizeDialog::ApplyClick() {
    if (!Store()) {
        return false;
    }
    bnApply_->setEnabled(false);
    return true;
}

void CustomizeDialog::accept() {
    if (Store()) {
        QDialog::accept();
    }
}

} // namespace varenta
