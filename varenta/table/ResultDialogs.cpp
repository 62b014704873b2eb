#include "varenta/table/ResultDialogs.h"

#include "varenta/table/TableTextConversion.h"
#include "varenta/table/TableTranslation.h"

#include "varenta/engine/Texts.h"
#include "varenta/table/HelpTopics.h"
#include "varenta/table/TableTexts.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

namespace varenta {

namespace {

QLabel* Number(int value, QWidget* parent) {
    auto* label = new QLabel(QString::number(value), parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QString TextAt(const QGridLayout* grid, int row, int column) {
    QLayoutItem* item = grid->itemAtPosition(row, column);
    auto* label = item != nullptr ? qobject_cast<QLabel*>(item->widget()) : nullptr;
    return label != nullptr ? label->text() : QString();
}

// The three score rows shared by both result dialogs.
void AddScoreRows(QGridLayout* grid, QWidget* parent, const std::array<QString, 3>& labels,
                  const std::array<int, 3>& values) {
    for (int row = 0; row < 3; ++row) {
        grid->addWidget(new QLabel(labels.at(static_cast<std::size_t>(row)), parent), row, 0);
        grid->addWidget(Number(values.at(static_cast<std::size_t>(row)), parent), row, 1);
    }
}

} // namespace

DetailedScoringDialog::DetailedScoringDialog(const HandResult& result, QWidget* parent)
    : QDialog(parent), grid_(new QGridLayout) {
    setWindowTitle(Tr(texts::kDetailsCaption));
    SetHelpTopic(this, topics::kDetailedScoring);
    auto* player = new QLabel(ShownText(result.playerTitle), this);
    auto* opponent = new QLabel(ShownText(result.opponentTitle), this);
    QFont bold = player->font();
    bold.setBold(true);
    player->setFont(bold);
    opponent->setFont(bold);
    grid_->addWidget(player, 0, 1, 1, 2, Qt::AlignHCenter);
    grid_->addWidget(opponent, 0, 3, 1, 2, Qt::AlignHCenter);
    for (int c = 0; c < 2; ++c) {
        grid_->addWidget(new QLabel(Tr(texts::kColumnNumber), this), 1, 1 + 2 * c, Qt::AlignRight);
        grid_->addWidget(new QLabel(Tr(texts::kColumnValue), this), 1, 2 + 2 * c, Qt::AlignRight);
    }
    struct Line {
        std::string_view caption;
        ScoreLine player;
        ScoreLine opponent;
        bool showNumber;
    };
    const std::array<Line, 6> lines = {{
        {texts::kLineCardsOnTable, result.player.tableCards, result.opponent.tableCards, true},
        {texts::kLineCardsInHand, result.player.handCards, result.opponent.handCards, true},
        {texts::kLineVarentas, result.player.varentas, result.opponent.varentas, true},
        {texts::kLineRedThrees, result.player.redThrees, result.opponent.redThrees, true},
        {texts::kLineFinishBonus,
         {0, result.player.finishBonus},
         {0, result.opponent.finishBonus},
         false},
        {texts::kLineTotal, {0, result.player.total}, {0, result.opponent.total}, false},
    }};
    int row = 2;
    for (const Line& line : lines) {
        auto* caption = new QLabel(Tr(line.caption), this);
        if (line.caption == texts::kLineTotal) {
            caption->setFont(bold);
        }
        grid_->addWidget(caption, row, 0);
        if (line.showNumber) {
            grid_->addWidget(Number(line.player.number, this), row, 1);
            grid_->addWidget(Number(line.opponent.number, this), row, 3);
        }
        grid_->addWidget(Number(line.player.value, this), row, 2);
        grid_->addWidget(Number(line.opponent.value, this), row, 4);
        ++row;
    }
    grid_->setHorizontalSpacing(16);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid_);
    layout->addWidget(buttons);
}

QString DetailedScoringDialog::Cell(const QString& line, int column) const {
    for (int row = 2; row < grid_->rowCount(); ++row) {
        if (TextAt(grid_, row, 0) == line) {
            return TextAt(grid_, row, column + 1);
        }
    }
    return {};
}

QString DetailedScoringDialog::Title(bool player) const {
    return TextAt(grid_, 0, player ? 1 : 3);
}

HandResultDialog::HandResultDialog(const HandResult& result,
                                   std::function<void(bool)> showOpponentHand, QWidget* parent)
    : QDialog(parent), result_(result), showOpponentHand_(std::move(showOpponentHand)),
      grid_(new QGridLayout), details_(new QPushButton(Tr(texts::kDetailsButton), this)) {
    setWindowTitle(Tr(texts::kHandResultCaption));
    SetHelpTopic(this, topics::kHandResult);
    auto* title = new QLabel(Tr(texts::kHandResultTitle), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    AddScoreRows(
        grid_, this,
        {Tr(texts::kYourScore), ShownText(result.opponentScoreLabel), Tr(texts::kDifference)},
        {result.player.total, result.opponent.total, result.difference});
    auto* ok = new QPushButton(Tr(texts::kOk), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(details_, &QPushButton::clicked, this, &HandResultDialog::OpenDetails);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(details_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(grid_);
    layout->addLayout(buttons);
    detailsRunner_ = [](DetailedScoringDialog& dialog) { dialog.exec(); };
}

QString HandResultDialog::Value(int row) const {
    return TextAt(grid_, row, 1);
}
QString HandResultDialog::Label(int row) const {
    return TextAt(grid_, row, 0);
}

void HandResultDialog::OpenDetails() {
    DetailedScoringDialog details(result_, this);
    if (showOpponentHand_) {
        showOpponentHand_(true);
    }
    detailsRunner_(details);
    if (showOpponentHand_) {
        showOpponentHand_(false);
    }
}

GameOverDialog::GameOverDialog(const GameOverResult& result, QWidget* parent)
    : QDialog(parent), grid_(new QGridLayout) {
    setWindowTitle(Tr(texts::kGameOverCaption));
    SetHelpTopic(this, topics::kGameOver);
    auto* message = new QLabel(ShownText(result.message), this);
    message->setObjectName(QStringLiteral("message"));
    message->setWordWrap(true);
    QFont bold = message->font();
    bold.setBold(true);
    message->setFont(bold);
    AddScoreRows(
        grid_, this,
        {Tr(texts::kYourScore), ShownText(result.opponentScoreLabel), Tr(texts::kDifference)},
        {result.playerScore, result.opponentScore, result.difference});
    auto* question = new QLabel(Tr(texts::kAnotherGame), this);
    question->setObjectName(QStringLiteral("question"));
    auto* yes = new QPushButton(Tr(texts::kYes), this);
    auto* no = new QPushButton(Tr(texts::kNo), this);
    yes->setDefault(true);
    connect(yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(no, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(yes);
    buttons->addWidget(no);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message);
    layout->addLayout(grid_);
    layout->addWidget(question);
    layout->addLayout(buttons);
}

QString GameOverDialog::Message() const {
    return findChild<QLabel*>(QStringLiteral("message"))->text();
}
QString GameOverDialog::Question() const {
    return findChild<QLabel*>(QStringLiteral("question"))->text();
}
QString GameOverDialog::Value(int row) const {
    return TextAt(grid_, row, 1);
}
QString GameOverDialog::Label(int row) const {
    return TextAt(grid_, row, 0);
}

} // namespace varenta
