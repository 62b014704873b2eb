// The Rule Differences window: lists the rules in which the local settings
// and a network opponent's differ. Modeless, always on top; shown only while
// there is a difference to show.
#pragma once

#include <QDialog>

#include <string_view>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace varenta {

class RuleDifferencesDialog : public QDialog {
    Q_OBJECT
public:
    explicit RuleDifferencesDialog(QWidget* parent = nullptr);

    // Compares the two rules texts field by field and fills the list with one
    // row per difference; shows the window when there is a row and hides it
    // otherwise. Returns the number of rows.
    int CompareRules(std::string_view localText, std::string_view opponentText);

    QTreeWidget* List() const { return lvDifferences_; }
    QPushButton* HideButton() const { return bnHide_; }

private:
    QLabel* lbText_;
    QTreeWidget* lvDifferences_;
    QPushButton* bnHide_;
};

} // namespace varenta
