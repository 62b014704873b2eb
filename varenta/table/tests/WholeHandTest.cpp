#include "TableFixture.h"

#include <QAction>
#include <QApplication>

#include <array>

namespace varenta::testing {
namespace {

// A player who only looks at the table and clicks: draws from the stock,
// melds every rank it holds three of, and discards a card of its rarest rank.
// When a discard is refused it takes its melds of the turn back first.
class MouseOnlyPlayer {
public:
    explicit MouseOnlyPlayer(TableWindow& window) : window_(window) {}

    // One click, as a person looking at the table would make it.
    void Step(GameState& s, const TableGeometry& g) {
        if (!s.hasDrawn) {
            meldThisTurn_ = true;
            Click({g.leftMargin + 5, g.stockRow + 5}, Qt::LeftButton, Qt::NoModifier);
            return;
        }
        std::array<int, kColumns> counts{};
        for (int i = 0; i < s.playerHand.Size(); ++i) {
            ++counts.at(s.playerHand[i].rank);
        }
        if (meldThisTurn_) {
            for (int rank = 3; rank < kColumns; ++rank) {
                if (counts.at(static_cast<std::size_t>(rank)) >= 3) {
                    const int before = s.playerHand.Size();
                    Click(CardOfRank(s, rank), Qt::LeftButton, Qt::ShiftModifier);
                    if (s.playerHand.Size() == before) {
                        meldThisTurn_ = false; // the meld was refused
                    }
                    return;
                }
            }
        }
        int rarest = -1;
        for (int rank = 0; rank < kColumns; ++rank) {
            const int n = counts.at(static_cast<std::size_t>(rank));
            if (n > 0 && (rarest < 0 || n < counts.at(static_cast<std::size_t>(rarest)))) {
                rarest = rank;
            }
        }
        if (rarest < 0) {
            return;
        }
        const int hand = s.playerHand.Size();
        Click(CardOfRank(s, rarest), Qt::RightButton, Qt::NoModifier);
        if (s.playerHand.Size() == hand && s.hasDrawn) {
            // Refused (for example a first meld below the minimum): undo the
            // turn's melds with the menu and discard without melding.
            window_.Action("UndoAll1")->trigger();
            meldThisTurn_ = false;
            ++refusals;
        }
    }

    int clicks = 0;
    int refusals = 0;

private:
    QPoint CardOfRank(const GameState& s, int rank) {
        for (int i = 0; i < s.playerHand.Size(); ++i) {
            if (s.playerHand[i].rank == rank) {
                return {s.playerHand[i].x + 3, s.playerHand[i].y + 3};
            }
        }
        return {};
    }
    void Click(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
        ++clicks;
        window_.Controller().FormMouseUp(button, modifiers, at.x(), at.y());
    }

    TableWindow& window_;
    bool meldThisTurn_ = true;
};

class WholeHand : public TableFixture, public ::testing::WithParamInterface<const char*> {};

TEST_P(WholeHand, PlayedWithTheMouseAloneAgainstTheComputer) {
    store->Write("Settings\\Level", QString(GetParam()));
    computer = nullptr; // the window's own computer player at the stored level
    Open();
    MouseOnlyPlayer player(*window);
    for (int i = 0; i < 5000 && handResults == 0; ++i) {
        ASSERT_FALSE(S().opponentToMove) << "the computer's turn ends before the next click";
        player.Step(S(), G());
    }
    EXPECT_EQ(handResults, 1) << "the hand ended and its result was shown";
    EXPECT_NE(S().playerScore + S().opponentScore, 0);
    EXPECT_GT(player.clicks, 10);
    EXPECT_FALSE(window->Controller().Busy());
    // The next hand is dealt and waits for us.
    EXPECT_FALSE(S().opponentToMove);
    EXPECT_GT(S().playerHand.Size(), 0);
}

INSTANTIATE_TEST_SUITE_P(Levels, WholeHand, ::testing::Values("Beginner", "Advanced", "Expert"));

class WholeGame : public TableFixture {};
TEST_F(WholeGame, PlayedToTheEndWithTheMouseAgainstTheBeginner) {
    store->Write("Settings\\Level", QString("Beginner"));
    computer = nullptr;
    anotherGame = false;
    Open();
    window->show();
    MouseOnlyPlayer player(*window);
    for (int i = 0; i < 100000 && gameOvers == 0; ++i) {
        ASSERT_FALSE(S().opponentToMove);
        player.Step(S(), G());
    }
    EXPECT_EQ(gameOvers, 1);
    EXPECT_GT(handResults, 1);
    QApplication::processEvents();
    EXPECT_FALSE(window->isVisible()) << "declining another game ends the program";
}
} // namespace
} // namespace varenta::testing
