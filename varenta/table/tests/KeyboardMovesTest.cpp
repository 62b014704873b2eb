// Every move the mouse makes on the table has a key: Shift and Ctrl with a
// rank key are Shift and Ctrl with the click, and R in discard mode is the
// right click on a red three of the table.
#include "TableFixture.h"

#include "varenta/table/TableView.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace varenta::testing {
namespace {

using KeyboardMovesTest = TableFixture;

TEST(RankKeyOf, ShiftedDigitsAreKnownByTheirPlaceOnTheKeyboard) {
    struct Row {
        int key;
        quint32 scanCode;
        int expected;
    };
    const Row rows[] = {
        {Qt::Key_At, 11, Qt::Key_2},
        {Qt::Key_QuoteDbl, 11, Qt::Key_2}, // other layouts
        {Qt::Key_ParenLeft, 18, Qt::Key_9},
        {Qt::Key_ParenRight, 19, Qt::Key_0},
        {Qt::Key_Exclam, 10, Qt::Key_1},
        {Qt::Key_5, 14, Qt::Key_5},
        {Qt::Key_Q, 24, Qt::Key_Q},
        {Qt::Key_Minus, 20, Qt::Key_Minus}, // past the row
        {Qt::Key_Percent, 0, Qt::Key_Percent},
        {Qt::Key_Exclam, 9, Qt::Key_Exclam},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(RankKeyOf(row.key, row.scanCode), row.expected) << row.scanCode;
    }
}

TEST_F(KeyboardMovesTest, ShiftAndCtrlWithARankKeyMeldAsTheyDoWithAClick) {
    struct Row {
        const char* what;
        int mode; // F8 or F9
        std::vector<int> keys;
        Qt::KeyboardModifiers modifiers;
        int column;
        int count; // cards in that column afterwards
    };
    const int K = Code(kSpade, kKing);
    const Row rows[] = {
        {"meld every king but the last card", Qt::Key_F8, {Qt::Key_K}, Qt::ShiftModifier, 12, 4},
        {"meld kings up to three", Qt::Key_F8, {Qt::Key_K}, Qt::ControlModifier, 12, 3},
        {"one king a key", Qt::Key_F8, {Qt::Key_K, Qt::Key_K}, Qt::NoModifier, 12, 2},
        {"the wild-card meld filled to seven",
         Qt::Key_F8,
         {Qt::Key_W},
         Qt::ShiftModifier,
         kWildColumn,
         7},
        {"the wild-card meld filled to three",
         Qt::Key_F8,
         {Qt::Key_W},
         Qt::ControlModifier,
         kWildColumn,
         3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Open();
        PlayersTurn();
        S().initialMeldMinimum = 15;
        SetHand({K, Code(kHeart, kKing), Code(kClub, kKing), Code(kDiamond, kKing), kJoker, kJoker,
                 kJoker, Code(kSpade, kTwo), Code(kHeart, kTwo), Code(kClub, kTwo),
                 Code(kDiamond, kTwo), Code(kSpade, kFour)});
        SetStockTop(Code(kHeart, kNine));
        ClickStock();
        Key(row.mode);
        for (const int key : row.keys) {
            Key(key, row.modifiers);
        }
        EXPECT_EQ(S().playerMelds.CountInColumn(row.column), row.count);
        window.reset();
    }
}

TEST_F(KeyboardMovesTest, ShiftWithARankKeyInWildModeFillsTheMeldToSeven) {
    Open();
    PlayersTurn();
    S().initialMeldMinimum = 15;
    SetHand({Code(kSpade, kKing), Code(kHeart, kKing), Code(kClub, kKing), Code(kDiamond, kKing),
             kJoker, kJoker, kJoker, Code(kSpade, kFour)});
    SetStockTop(Code(kHeart, kNine));
    ClickStock();
    Key(Qt::Key_F8);
    Key(Qt::Key_K, Qt::ShiftModifier);
    ASSERT_EQ(S().playerMelds.CountInColumn(12), 4);
    Key(Qt::Key_F9);
    // A real key press: Shift+K, as the keyboard delivers it to the table.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_K, Qt::ShiftModifier, 45, 0, 0, QStringLiteral("K"));
    QCoreApplication::sendEvent(window->View(), &press);
    EXPECT_EQ(S().playerMelds.CountInColumn(12), 7);
    EXPECT_EQ(S().playerHand.FindByCode(kJoker), -1);
}

TEST_F(KeyboardMovesTest, RInDiscardModeDiscardsARedThreeFromTheTable) {
    RuleSet rules;
    rules.threeBlock = true;
    for (const bool block : {true, false}) {
        SCOPED_TRACE(block ? "Three Block" : "without it");
        Open();
        rules.threeBlock = block;
        window->Engine().SetRules(rules);
        PlayersTurn();
        SetHand({Code(kSpade, kFour), Code(kClub, kSeven)});
        Card three = MakeCard(Code(kHeart, kThree), 0);
        three.faceUp = true;
        S().playerMelds.SetAnchors(G().leftMargin, G().columnWidth, G().playerMeldRow);
        S().playerMelds.PlaceInColumn(three, true, false);
        S().playerMelds.Append(three);
        const int pile = S().discardPile.Size();
        const int threes = S().playerMelds.CountInColumn(kThreesColumn);
        Key(Qt::Key_F10);
        // Shift+3 as many keyboards deliver it: the digit known by its place.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_NumberSign, Qt::ShiftModifier, 12, 0, 0,
                        QStringLiteral("#"));
        QCoreApplication::sendEvent(window->View(), &press);
        EXPECT_EQ(S().discardPile.Size(), pile) << "3 is the black threes of the hand";
        Key(Qt::Key_R);
        // The three lies on the pile, under what the computer discarded after it.
        EXPECT_EQ(S().playerMelds.CountInColumn(kThreesColumn), threes - (block ? 1 : 0));
        EXPECT_EQ(S().discardPile.Size() > pile &&
                      S().discardPile[pile].code == Code(kHeart, kThree),
                  block);
        window.reset();
    }
}

} // namespace
} // namespace varenta::testing
