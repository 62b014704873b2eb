#include "varenta/table/WinRatioDialog.h"

#include "varenta/table/TableTextConversion.h"

#include "varenta/store/SettingsFile.h"
#include "varenta/table/HelpTopics.h"
#include "varenta/table/TableTexts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace varenta {

namespace {

QLabel* Field(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

WinRatioDialog::WinRatioDialog(PlayerList& players, SettingsFile& store,
                               std::function<bool(const QString&)> yesNo, QWidget* parent)
    : QDialog(parent), players_(players), store_(store), yesNo_(std::move(yesNo)),
      cbPlayers_(new QComboBox(this)), lbWins_(Field(this, "lbWins")),
      lbLosses_(Field(this, "lbLosses")), lbRatio_(Field(this, "lbRatio")) {
    setWindowTitle(Tr(texts::kWinRatioCaption));
    SetHelpTopic(this, topics::kWinRatio);
    cbPlayers_->setObjectName(QStringLiteral("cbPlayers"));
    for (const PlayerEntry& p : players_.players) {
        cbPlayers_->addItem(p.name);
    }
    cbPlayers_->setCurrentIndex(players_.HasCurrent() ? players_.current : 0);

    auto* form = new QFormLayout;
    auto* playerLabel = new QLabel(Tr(texts::kWinRatioPlayer), this);
    playerLabel->setBuddy(cbPlayers_);
    form->addRow(playerLabel, cbPlayers_);
    form->addRow(Tr(texts::kWinRatioWins), lbWins_);
    form->addRow(Tr(texts::kWinRatioLosses), lbLosses_);
    form->addRow(Tr(texts::kWinRatioRatio), lbRatio_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(Tr(texts::kOk), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("bnOK"));
    ok->setDefault(true);
    bnReset_ = buttons->addButton(Tr(texts::kReset), QDialogButtonBox::ActionRole);
    bnReset_->setObjectName(QStringLiteral("bnReset"));
    bnReset_->setEnabled(!players_.players.empty());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(bnReset_, &QPushButton::clicked, this, &WinRatioDialog::ResetClick);
    connect(cbPlayers_, &QComboBox::currentIndexChanged, this, &WinRatioDialog::ShowPlayer);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    ShowPlayer();
}

void WinRatioDialog::ShowPlayer() {
    const int index = cbPlayers_->currentIndex();
    if (index < 0 || index >= static_cast<int>(players_.players.size())) {
        lbWins_->clear();
        lbLosses_->clear();
        lbRatio_->clear();
        return;
    }
    const WinRatio& r = players_.players[static_cast<std::size_t>(index)].ratio;
    lbWins_->setText(QString::number(r.wins));
    lbLosses_->setText(QString::number(r.losses));
    lbRatio_->setText(WinRatioText(r));
}

void WinRatioDialog::ResetClick() {
    const int index = cbPlayers_->currentIndex();
    if (index < 0 || index >= static_cast<int>(players_.players.size())) {
        return;
    }
    PlayerEntry& player = players_.players[static_cast<std::size_t>(index)];
    if (!yesNo_(Tr(texts::kResetQuestion) + player.name + QLatin1Char('?'))) {
        return;
    }
    const WinRatio before = player.ratio;
    player.ratio = {};
    try {
        SavePlayers(store_, players_, true);
    } catch (const SettingsError& e) {
        player.ratio = before; // what is shown stays what is stored
        QMessageBox::critical(this, windowTitle(), e.Message());
    }
    ShowPlayer();
}

} // namespace varenta
