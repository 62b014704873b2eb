#include "varenta/table/RuleDifferencesDialog.h"

#include "varenta/table/TableTextConversion.h"

#include "varenta/store/RuleVariants.h"
#include "varenta/store/StoreTexts.h"
#include "varenta/table/HelpTopics.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace varenta {

RuleDifferencesDialog::RuleDifferencesDialog(QWidget* parent)
    // A title bar without buttons: the window goes away only through "Hide".
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint),
      lbText_(new QLabel(Tr(texts::kDifferencesText), this)), lvDifferences_(new QTreeWidget(this)),
      bnHide_(new QPushButton(Tr(texts::kHide), this)) {
    setWindowTitle(Tr(texts::kDifferencesCaption));
    SetHelpTopic(this, topics::kRuleDifferences);
    setModal(false);
    lbText_->setWordWrap(true);

    lvDifferences_->setColumnCount(3);
    lvDifferences_->setHeaderLabels(
        {Tr(texts::kColumnRule), Tr(texts::kColumnYours), Tr(texts::kColumnOpponents)});
    lvDifferences_->setRootIsDecorated(false);
    lvDifferences_->setSelectionMode(QAbstractItemView::NoSelection);
    lvDifferences_->header()->setStretchLastSection(false);
    lvDifferences_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    lvDifferences_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    lvDifferences_->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bnHide_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbText_);
    layout->addWidget(lvDifferences_, 1);
    layout->addLayout(buttons);
    resize(520, 280);

    connect(bnHide_, &QPushButton::clicked, this, &QWidget::hide);
}

int RuleDifferencesDialog::CompareRules(std::string_view localText, std::string_view opponentText) {
    lvDifferences_->clear();
    const std::vector<RuleDifference> rows = varenta::CompareRules(localText, opponentText);
    for (const RuleDifference& row : rows) {
        new QTreeWidgetItem(lvDifferences_, {row.rule, row.yours, row.opponents});
    }
    if (rows.empty()) {
        hide();
    } else {
        show();
        raise();
    }
    return static_cast<int>(rows.size());
}

} // namespace varenta
