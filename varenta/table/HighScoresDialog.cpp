#include "varenta/table/HighScoresDialog.h"

#include "varenta/table/TableTextConversion.h"

#include "varenta/store/SettingsFile.h"
#include "varenta/table/HelpTopics.h"
#include "varenta/table/TableTexts.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace varenta {

namespace {

QString Text(const char* text) {
    return Tr(text);
}

} // namespace

HighScoresDialog::HighScoresDialog(HighScores& scores, SettingsFile& store,
                                   std::function<bool(const QString&)> yesNo, int level,
                                   HighScoreType type, int boldRow, QWidget* parent)
    : QDialog(parent), scores_(scores), store_(store), yesNo_(std::move(yesNo)), boldLevel_(level),
      boldType_(type), boldRow_(boldRow) {
    setWindowTitle(Text(texts::kHallOfFameCaption));
    SetHelpTopic(this, topics::kHallOfFame);

    auto* levelBox = new QGroupBox(Text(texts::kGroupLevel), this);
    levelBox->setObjectName(QStringLiteral("rgLevel"));
    auto* levelLayout = new QVBoxLayout(levelBox);
    const std::array<const char*, kHighScoreLevels> captions = {
        texts::kLevelBeginner, texts::kLevelAdvanced, texts::kLevelExpert};
    const std::array<const char*, kHighScoreLevels> names = {"rbBeginner", "rbAdvanced",
                                                             "rbExpert"};
    for (std::size_t i = 0; i < levels_.size(); ++i) {
        levels_[i] = new QRadioButton(Text(captions[i]), levelBox);
        levels_[i]->setObjectName(QLatin1String(names[i]));
        levelLayout->addWidget(levels_[i]);
    }
    auto* typeBox = new QGroupBox(Text(texts::kGroupScoreType), this);
    typeBox->setObjectName(QStringLiteral("rgType"));
    rbHand_ = new QRadioButton(Text(texts::kTypeHand), typeBox);
    rbHand_->setObjectName(QStringLiteral("rbHand"));
    rbMatch_ = new QRadioButton(Text(texts::kTypeMatch), typeBox);
    rbMatch_->setObjectName(QStringLiteral("rbMatch"));
    auto* typeLayout = new QVBoxLayout(typeBox);
    typeLayout->addWidget(rbHand_);
    typeLayout->addWidget(rbMatch_);
    typeLayout->addStretch();

    auto* grid = new QGridLayout;
    const std::array<const char*, 4> headings = {texts::kHeadingRanking, texts::kHeadingPlayer,
                                                 texts::kHeadingDate, texts::kHeadingScore};
    for (int column = 0; column < 4; ++column) {
        auto* heading = new QLabel(QStringLiteral("<b>%1</b>").arg(Text(headings.at(column))));
        grid->addWidget(heading, 0, column);
    }
    for (int row = 0; row < kHighScoreRows; ++row) {
        for (int column = 0; column < 4; ++column) {
            auto* cell = new QLabel(this);
            cell->setTextFormat(Qt::PlainText);
            cell->setMinimumWidth(column == 1 ? 160 : 70);
            if (column != 1) {
                cell->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            cells_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column)) = cell;
            grid->addWidget(cell, row + 1, column);
        }
    }
    grid->setColumnStretch(1, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(Text(texts::kOk), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("bnOK"));
    ok->setDefault(true);
    QPushButton* clear = buttons->addButton(Text(texts::kClear), QDialogButtonBox::ActionRole);
    clear->setObjectName(QStringLiteral("bnClear"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(clear, &QPushButton::clicked, this, &HighScoresDialog::ClearClick);

    auto* groups = new QHBoxLayout;
    groups->addWidget(levelBox);
    groups->addWidget(typeBox);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    levels_.at(static_cast<std::size_t>(std::clamp(level, 0, kHighScoreLevels - 1)))
        ->setChecked(true);
    (type == HighScoreType::Match ? rbMatch_ : rbHand_)->setChecked(true);
    for (QRadioButton* button : {levels_[0], levels_[1], levels_[2], rbHand_, rbMatch_}) {
        connect(button, &QRadioButton::toggled, this, [this](bool on) {
            if (on) {
                ShowTable();
            }
        });
    }
    ShowTable();
}

int HighScoresDialog::ShownLevel() const {
    for (std::size_t i = 0; i < levels_.size(); ++i) {
        if (levels_[i]->isChecked()) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

HighScoreType HighScoresDialog::ShownType() const {
    return rbMatch_->isChecked() ? HighScoreType::Match : HighScoreType::Hand;
}

QString HighScoresDialog::CellText(int row, int column) const {
    return cells_.at(static_cast<std::size_t>(row - 1))
        .at(static_cast<std::size_t>(column))
        ->text();
}

bool HighScoresDialog::RowBold(int row) const {
    return cells_.at(static_cast<std::size_t>(row - 1)).at(0)->font().bold();
}

void HighScoresDialog::ShowTable() {
    const int level = ShownLevel();
    const HighScoreType type = ShownType();
    const HighScoreTable& table = scores_.Table(level, type);
    const int bold = level == boldLevel_ && type == boldType_ ? boldRow_ : 0;
    for (int row = 0; row < kHighScoreRows; ++row) {
        const HighScoreEntry& e = table.at(static_cast<std::size_t>(row));
        const bool empty = e.score == 0 && e.name.isEmpty();
        const std::array<QString, 4> texts = {QString::number(row + 1), e.name, e.date,
                                              empty ? QString() : QString::number(e.score)};
        for (int column = 0; column < 4; ++column) {
            QLabel* cell =
                cells_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
            cell->setText(texts.at(static_cast<std::size_t>(column)));
            QFont font = cell->font();
            font.setBold(row + 1 == bold);
            cell->setFont(font);
        }
    }
}

void HighScoresDialog::ClearClick() {
    const int level = ShownLevel();
    const HighScoreType type = ShownType();
    const QString question =
        Text(texts::kClearQuestion) + LevelName(level) + Text(texts::kClearQuestionEnd);
    if (!yesNo_(question)) {
        return;
    }
    try {
        ClearHighScoreTable(store_, level, type, scores_.Table(level, type));
    } catch (const SettingsError& e) {
        QMessageBox::critical(this, windowTitle(), e.Message());
    }
    if (level == boldLevel_ && type == boldType_) {
        boldRow_ = 0; // the new entry is gone with the rest
    }
    ShowTable();
}

} // namespace varenta
