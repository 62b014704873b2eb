// The Rules dialog (Options | Rules...): the twelve rule variants on three
// tabs. OK stores them, hands them to the game (refreezing or unfreezing the
// pile when Initial Block changed) and, in a network game, sends them to the
// opponent and compares them again with the opponent's.
#pragma once

#include <QDialog>

#include <functional>
#include <string>

#include "varenta/engine/RuleSet.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace varenta {

class MoveReporter;
class SettingsFile;
class RuleDifferencesDialog;
class VarentaEngine;

class RulesDialog : public QDialog {
    Q_OBJECT
public:
    // Every control is named as in the rule's table (ckInitialBlock,
    // rbVarentasTwo, ...) so it can be found by name.
    RulesDialog(VarentaEngine& engine, SettingsFile& store, QWidget* parent = nullptr);

    // In a network game OK sends the rules through `reporter` and refreshes
    // `differences` with the opponent's last rules text. Any may be null.
    void SetNetwork(MoveReporter* reporter, RuleDifferencesDialog* differences,
                    std::function<std::string()> partnerRules);

    // The rules the controls show now.
    RuleSet ChosenRules() const;

    // Help topic attached to a control (0 when it has none).
    static int HelpTopic(const QWidget* widget);
    static constexpr char kHelpTopicProperty[] = "helpTopic";

signals:
    // F1 on a control: the help topic of that control (or of the nearest
    // enclosing one that has a topic).
    void helpRequested(int topic);

public slots:
    void accept() override;
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* BuildGeneralTab();
    QWidget* BuildDiscardPileTab();
    QWidget* BuildRedThreesTab();
    void ShowRules(const RuleSet& rules);
    void UpdateRequiredCaption();
    void UpdateEnabling();

    VarentaEngine& engine_;
    SettingsFile& store_;
    MoveReporter* reporter_ = nullptr;
    RuleDifferencesDialog* differences_ = nullptr;
    std::function<std::string()> partnerRules_;
    bool locked_ = false; // a game is in progress

    QTabWidget* pcRules_;
    QCheckBox* ckVarentaRequired_;
    QGroupBox* rgNumberOfVarentas_;
    QRadioButton* rbVarentasOne_;
    QRadioButton* rbVarentasTwo_;
    QGroupBox* rgNumberOfCards_;
    QRadioButton* rbCardsOne_;
    QRadioButton* rbCardsTwo_;
    QCheckBox* ckBonusCounts_;
    QGroupBox* gbDiscardPile_;
    QCheckBox* ckAddToVarenta_;
    QCheckBox* ckTopCardCounts_;
    QCheckBox* ckInitialBlock_;
    QCheckBox* ckInitialBlockForBoth_;
    QCheckBox* ckNaturalPair_;
    QCheckBox* ckReuseDiscardPile_;
    QGroupBox* gbRedThree_;
    QCheckBox* ckDrawExtra_;
    QCheckBox* ckThreeBlock_;
    QLabel* lbWarning_;
    QPushButton* bnOK_;
    QPushButton* bnCancel_;

    // The tab shown when the dialog was last closed, for this program run.
    static int lastTab_;
};

} // namespace varenta
