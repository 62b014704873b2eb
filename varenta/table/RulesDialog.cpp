#include "varenta/table/RulesDialog.h"

#include "varenta/table/TableTextConversion.h"

#include "varenta/engine/MoveReporter.h"
#include "varenta/engine/VarentaEngine.h"
#include "varenta/store/RuleVariants.h"
#include "varenta/store/SettingsFile.h"
#include "varenta/store/StoreTexts.h"
#include "varenta/table/HelpTopics.h"
#include "varenta/table/RuleDifferencesDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace varenta {

int RulesDialog::lastTab_ = 0;

namespace {

// Help topics of the controls.
enum HelpTopicNumber {
    kHelpNumberOfVarentas = 1072,
    kHelpNumberOfCards = 1073,
    kHelpVarentaRequired = 1074,
    kHelpBonusCounts = 1075,
    kHelpDiscardPileGroup = 1076,
    kHelpAddToVarenta = 1077,
    kHelpTopCardCounts = 1078,
    kHelpInitiallyFrozen = 1079,
    kHelpNaturalPair = 1080,
    kHelpDrawExtra = 1081,
    kHelpThreeBlock = 1082,
    kHelpRedThreeGroup = 1083,
    kHelpSeparatelyFrozen = 1104,
    kHelpReuse = 1108,
    kHelpOk = 1019,
    kHelpCancel = 1020,
};

QString Text(const char* text) {
    return Tr(text);
}

template <typename W> W* Named(W* widget, const char* name, int helpTopic) {
    widget->setObjectName(QLatin1String(name));
    widget->setProperty(RulesDialog::kHelpTopicProperty, helpTopic);
    return widget;
}

QCheckBox* MakeCheck(QWidget* parent, const char* caption, const char* name, int topic) {
    return Named(new QCheckBox(Text(caption), parent), name, topic);
}

// A titled box with two choices, standing for a radio group.
QGroupBox* MakeChoice(QWidget* parent, const char* caption, const char* name, int topic,
                      QRadioButton*& first, const char* firstCaption, const char* firstName,
                      QRadioButton*& second, const char* secondCaption, const char* secondName) {
    auto* box = Named(new QGroupBox(Text(caption), parent), name, topic);
    first = Named(new QRadioButton(Text(firstCaption), box), firstName, topic);
    second = Named(new QRadioButton(Text(secondCaption), box), secondName, topic);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(first);
    layout->addWidget(second);
    return box;
}

} // namespace

RulesDialog::RulesDialog(VarentaEngine& engine, SettingsFile& store, QWidget* parent)
    : QDialog(parent), engine_(engine), store_(store), locked_(engine.State().gameInProgress) {
    setWindowTitle(Text(texts::kRulesCaption));
    SetHelpTopic(this, topics::kRules);

    pcRules_ = new QTabWidget(this);
    pcRules_->setObjectName(QStringLiteral("pcRules"));
    pcRules_->addTab(BuildGeneralTab(), Text(texts::kTabGeneral));
    pcRules_->addTab(BuildDiscardPileTab(), Text(texts::kTabDiscardPile));
    pcRules_->addTab(BuildRedThreesTab(), Text(texts::kTabRedThrees));

    lbWarning_ = new QLabel(Text(texts::kGameInProgress), this);
    lbWarning_->setObjectName(QStringLiteral("lbWarning"));
    lbWarning_->setWordWrap(true);
    QPalette red = lbWarning_->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    lbWarning_->setPalette(red);

    auto* buttons = new QDialogButtonBox(this);
    bnOK_ = Named(buttons->addButton(Text(texts::kRulesOk), QDialogButtonBox::AcceptRole), "bnOK",
                  kHelpOk);
    bnCancel_ = Named(buttons->addButton(Text(texts::kRulesCancel), QDialogButtonBox::RejectRole),
                      "bnCancel", kHelpCancel);
    bnOK_->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &RulesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &RulesDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pcRules_);
    layout->addWidget(lbWarning_);
    layout->addWidget(buttons);

    connect(rbVarentasOne_, &QRadioButton::toggled, this, &RulesDialog::UpdateRequiredCaption);
    connect(ckInitialBlock_, &QCheckBox::toggled, this, &RulesDialog::UpdateEnabling);

    ShowRules(engine_.Rules());
    lbWarning_->setVisible(locked_);
    UpdateEnabling();
    pcRules_->setCurrentIndex(lastTab_);
}

QWidget* RulesDialog::BuildGeneralTab() {
    auto* page = new QWidget;
    ckVarentaRequired_ =
        MakeCheck(page, texts::kVarentaRequired, "ckVarentaRequired", kHelpVarentaRequired);
    rgNumberOfVarentas_ = MakeChoice(
        page, texts::kNumberOfVarentas, "rgNumberOfVarentas", kHelpNumberOfVarentas, rbVarentasOne_,
        texts::kVarentasOne, "rbVarentasOne", rbVarentasTwo_, texts::kVarentasTwo, "rbVarentasTwo");
    rgNumberOfCards_ =
        MakeChoice(page, texts::kNumberOfCards, "rgNumberOfCards", kHelpNumberOfCards, rbCardsOne_,
                   texts::kCardsOne, "rbCardsOne", rbCardsTwo_, texts::kCardsTwo, "rbCardsTwo");
    ckBonusCounts_ = MakeCheck(page, texts::kBonusCounts, "ckBonusCounts", kHelpBonusCounts);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(rgNumberOfVarentas_);
    layout->addWidget(rgNumberOfCards_);
    layout->addWidget(ckVarentaRequired_);
    layout->addWidget(ckBonusCounts_);
    layout->addStretch();
    return page;
}

QWidget* RulesDialog::BuildDiscardPileTab() {
    auto* page = new QWidget;
    gbDiscardPile_ = Named(new QGroupBox(Text(texts::kGroupDiscardPile), page), "gbDiscardPile",
                           kHelpDiscardPileGroup);
    ckAddToVarenta_ =
        MakeCheck(gbDiscardPile_, texts::kAddToVarenta, "ckAddToVarenta", kHelpAddToVarenta);
    ckTopCardCounts_ =
        MakeCheck(gbDiscardPile_, texts::kTopCardCounts, "ckTopCardCounts", kHelpTopCardCounts);
    ckInitialBlock_ =
        MakeCheck(gbDiscardPile_, texts::kInitiallyFrozen, "ckInitialBlock", kHelpInitiallyFrozen);
    ckInitialBlockForBoth_ = MakeCheck(gbDiscardPile_, texts::kSeparatelyFrozen,
                                       "ckInitialBlockForBoth", kHelpSeparatelyFrozen);
    ckNaturalPair_ =
        MakeCheck(gbDiscardPile_, texts::kNaturalPair, "ckNaturalPair", kHelpNaturalPair);
    ckReuseDiscardPile_ =
        MakeCheck(gbDiscardPile_, texts::kReuseDiscardPile, "ckReuseDiscardPile", kHelpReuse);
    auto* group = new QVBoxLayout(gbDiscardPile_);
    group->addWidget(ckAddToVarenta_);
    group->addWidget(ckTopCardCounts_);
    group->addWidget(ckInitialBlock_);
    // Indented: it only means something while the pile starts frozen.
    auto* indented = new QHBoxLayout;
    indented->addSpacing(20);
    indented->addWidget(ckInitialBlockForBoth_);
    group->addLayout(indented);
    group->addWidget(ckNaturalPair_);
    group->addWidget(ckReuseDiscardPile_);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(gbDiscardPile_);
    layout->addStretch();
    return page;
}

QWidget* RulesDialog::BuildRedThreesTab() {
    auto* page = new QWidget;
    gbRedThree_ =
        Named(new QGroupBox(Text(texts::kGroupRedThree), page), "gbRedThree", kHelpRedThreeGroup);
    ckDrawExtra_ = MakeCheck(gbRedThree_, texts::kDrawExtra, "ckDrawExtra", kHelpDrawExtra);
    ckThreeBlock_ = MakeCheck(gbRedThree_, texts::kThreeBlock, "ckThreeBlock", kHelpThreeBlock);
    auto* group = new QVBoxLayout(gbRedThree_);
    group->addWidget(ckDrawExtra_);
    group->addWidget(ckThreeBlock_);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(gbRedThree_);
    layout->addStretch();
    return page;
}

void RulesDialog::SetNetwork(MoveReporter* reporter, RuleDifferencesDialog* differences,
                             std::function<std::string()> partnerRules) {
    reporter_ = reporter;
    differences_ = differences;
    partnerRules_ = std::move(partnerRules);
}

void RulesDialog::ShowRules(const RuleSet& r) {
    ckVarentaRequired_->setChecked(r.varentaRequired);
    (r.numberOfVarentas == 2 ? rbVarentasTwo_ : rbVarentasOne_)->setChecked(true);
    (r.numberOfCards == 2 ? rbCardsTwo_ : rbCardsOne_)->setChecked(true);
    ckAddToVarenta_->setChecked(r.addToVarenta);
    ckTopCardCounts_->setChecked(r.topCardCounts);
    ckInitialBlock_->setChecked(r.initialBlock);
    ckInitialBlockForBoth_->setChecked(r.initialBlockForBoth);
    ckNaturalPair_->setChecked(r.naturalPair);
    ckDrawExtra_->setChecked(r.drawExtra);
    ckThreeBlock_->setChecked(r.threeBlock);
    ckBonusCounts_->setChecked(r.bonusCounts);
    ckReuseDiscardPile_->setChecked(r.reuseDiscardPile);
    UpdateRequiredCaption();
}

RuleSet RulesDialog::ChosenRules() const {
    RuleSet r;
    r.varentaRequired = ckVarentaRequired_->isChecked();
    r.numberOfVarentas = rbVarentasTwo_->isChecked() ? 2 : 1;
    r.numberOfCards = rbCardsTwo_->isChecked() ? 2 : 1;
    r.addToVarenta = ckAddToVarenta_->isChecked();
    r.topCardCounts = ckTopCardCounts_->isChecked();
    r.initialBlock = ckInitialBlock_->isChecked();
    r.initialBlockForBoth = ckInitialBlockForBoth_->isChecked();
    r.naturalPair = ckNaturalPair_->isChecked();
    r.drawExtra = ckDrawExtra_->isChecked();
    r.threeBlock = ckThreeBlock_->isChecked();
    r.bonusCounts = ckBonusCounts_->isChecked();
    r.reuseDiscardPile = ckReuseDiscardPile_->isChecked();
    return r;
}

void RulesDialog::UpdateRequiredCaption() {
    ckVarentaRequired_->setText(
        Text(rbVarentasTwo_->isChecked() ? texts::kRequiredTwo : texts::kRequiredOne));
}

void RulesDialog::UpdateEnabling() {
    for (QWidget* control : std::initializer_list<QWidget*>{
             ckVarentaRequired_, rgNumberOfVarentas_, rgNumberOfCards_, ckBonusCounts_,
             ckAddToVarenta_, ckTopCardCounts_, ckInitialBlock_, ckNaturalPair_,
             ckReuseDiscardPile_, ckDrawExtra_, ckThreeBlock_}) {
        control->setEnabled(!locked_);
    }
    ckInitialBlockForBoth_->setEnabled(!locked_ && ckInitialBlock_->isChecked());
}

void RulesDialog::accept() {
    const RuleSet rules = ChosenRules();
    try {
        WriteRules(store_, rules);
    } catch (const SettingsError& e) {
        // Nothing changes in the game when the rules could not be kept.
        QMessageBox::critical(this, Text(texts::kRulesCaption), e.Message());
        return;
    }
    engine_.SetRules(rules); // refreezes or unfreezes the pile when Initial Block changed
    if (engine_.IsNetworkGame()) {
        const std::string text = BuildRulesText(rules);
        if (reporter_ != nullptr) {
            reporter_->Rules(text);
        }
        if (differences_ != nullptr && partnerRules_) {
            differences_->CompareRules(text, partnerRules_());
        }
    }
    QDialog::accept();
}

void RulesDialog::done(int result) {
    lastTab_ = pcRules_->currentIndex();
    QDialog::done(result);
}

int RulesDialog::HelpTopic(const QWidget* widget) {
    for (; widget != nullptr; widget = widget->parentWidget()) {
        const QVariant topic = widget->property(kHelpTopicProperty);
        if (topic.isValid()) {
            return topic.toInt();
        }
    }
    return 0;
}

void RulesDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        if (const int topic = HelpTopic(focusWidget()); topic != 0) {
            emit helpRequested(topic);
        }
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace varenta
