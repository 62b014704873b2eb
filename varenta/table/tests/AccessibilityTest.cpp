// What a screen reader finds on the table, through Qt's accessibility
// interfaces (the same the AT-SPI bridge reads).
#include "TableFixture.h"

#include "varenta/table/TableAccessible.h"
#include "varenta/table/TableStatusBar.h"

#include <QAccessible>
#include <QLabel>

namespace varenta::testing {
namespace {

TEST(CardNames, EveryRankAndSuitIsReadByName) {
    const std::pair<int, const char*> cases[] = {
        {Code(kSpade, kTwo), "two of spades"},     {Code(kClub, kThree), "three of clubs"},
        {Code(kDiamond, kTen), "ten of diamonds"}, {Code(kHeart, kJack), "jack of hearts"},
        {Code(kHeart, kQueen), "queen of hearts"}, {Code(kSpade, kKing), "king of spades"},
        {Code(kClub, kAce), "ace of clubs"},       {kJoker, "joker"}};
    for (const auto& [code, name] : cases) {
        EXPECT_EQ(CardName(code), name) << code;
    }
}

class Accessibility : public TableFixture {
protected:
    QAccessibleInterface* Table() { return QAccessible::queryAccessibleInterface(window->View()); }
    QStringList Names() {
        QStringList names;
        QAccessibleInterface* table = Table();
        for (int i = 0; i < table->childCount(); ++i) {
            names << table->child(i)->text(QAccessible::Name);
        }
        return names;
    }
};

TEST_F(Accessibility, TheTableNamesItsPartsAndEveryCardOfTheHand) {
    Open(0);
    PlayersTurn();
    SetHand({Code(kSpade, kQueen), Code(kHeart, kQueen), Code(kClub, kFour), kJoker});
    QAccessibleInterface* table = Table();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->text(QAccessible::Name), "Varenta table");
    const QStringList names = Names();
    ASSERT_GE(names.size(), 7);
    EXPECT_EQ(names[0], QString("Stock: %1 cards").arg(S().stock.Size()));
    EXPECT_TRUE(names[1].startsWith("Discard pile: ")) << names[1].toStdString();
    EXPECT_EQ(names[2], QString("Opponent's hand: %1 cards").arg(S().opponentHand.Size()));
    QStringList hand = names.mid(3, 4);
    hand.sort();
    EXPECT_EQ(hand, (QStringList{"four of clubs, the only four", "joker, the only joker",
                                 "queen of hearts, 2 queens in your hand",
                                 "queen of spades, 2 queens in your hand"}));
    for (int i = 0; i < table->childCount(); ++i) {
        QAccessibleInterface* item = table->child(i);
        EXPECT_EQ(table->indexOfChild(item), i);
        EXPECT_EQ(item->parent(), table);
        EXPECT_FALSE(item->rect().isEmpty()) << names[i].toStdString();
        EXPECT_EQ(table->childAt(item->rect().center().x(), item->rect().top() + 2), item)
            << names[i].toStdString();
    }
    EXPECT_EQ(table->child(0)->role(), QAccessible::Button) << "the stock can be pressed";
    EXPECT_EQ(table->child(2)->role(), QAccessible::StaticText) << "the hidden hand cannot";
}

TEST_F(Accessibility, PressingTheStockAndACardDrawsAndMeldsAndTheNamesFollow) {
    Open(0);
    PlayersTurn();
    SetHand({Code(kSpade, kQueen), Code(kHeart, kQueen), Code(kClub, kQueen), Code(kClub, kFour)});
    QAccessibleInterface* table = Table();
    const int stock = S().stock.Size();
    const auto before = Names().size();
    QAccessibleInterface* stockItem = table->child(0);
    ASSERT_NE(stockItem->actionInterface(), nullptr);
    stockItem->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(S().stock.Size(), stock - 1);
    EXPECT_EQ(stockItem->text(QAccessible::Name), QString("Stock: %1 cards").arg(stock - 1))
        << "the same item, read again";
    EXPECT_EQ(Names().size(), before + 1) << "the drawn card is in the hand";

    const int queen = S().playerHand.FindByCode(Code(kClub, kQueen));
    table->child(3 + queen)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_GE(S().playerMelds.FindByCode(Code(kClub, kQueen)), 0);
    EXPECT_TRUE(Names().contains("Your meld of queens: 1 card"))
        << Names().join(" | ").toStdString();

    // A refused move's reason is the status line's name.
    stockItem->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QAccessibleInterface* line = QAccessible::queryAccessibleInterface(
        window->StatusLine()->findChildren<QLabel*>().front());
    EXPECT_EQ(line->text(QAccessible::Name), "You have already drawn");
}

TEST_F(Accessibility, TheScoreFieldsAreNamedByWhatTheyCount) {
    Open(0);
    S().playerScore = 1250;
    window->Controller().RepaintTable();
    QLabel* score = window->StatusLine()->PanelLabel(TableStatusBar::kPlayerScore);
    QAccessibleInterface* field = QAccessible::queryAccessibleInterface(score);
    EXPECT_EQ(field->text(QAccessible::Name), "Your Current Score");
    EXPECT_EQ(field->text(QAccessible::Description), "1250") << "read after its name";
}

} // namespace
} // namespace varenta::testing
