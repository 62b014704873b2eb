#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace varenta {
class VarentaEngine;
struct GameState;
} // namespace varenta

namespace varenta::sim {

// Plays the human's side of the table through the very operations the table
// window calls for a click or a key: draw, take the pile (and undo the take),
// meld one or several cards, add wild cards, undo, discard. It melds when it
// can reach the first-meld minimum, takes the pile when it can use the top
// card, completes seven-card melds and goes out when it may.
class PlayerBot {
public:
    // Plays one whole turn of the player. `turnEnds` is a counter that grows
    // when the player's turn ends (discard, pass, or the hand ending); the
    // bot stops as soon as it moves. Returns false when no discard was
    // accepted, with the reason in Failure().
    bool PlayTurn(VarentaEngine& engine, const std::int64_t& turnEnds);

    const std::string& Failure() const { return failure_; }

    // Stops the bot, also in the middle of a turn, once `limit` of its
    // actions (0: no limit) have changed the game; `reports` counts the
    // player's moves the engine reports, which tells whether one did.
    void LimitActions(std::int64_t limit, const std::int64_t* reports);
    bool Stopped() const { return stopped_; }
    std::int64_t Actions() const { return actions_; }

    // Counts used by the decisions, public for the tests.
    struct HandCounts {
        std::array<int, 14> hand{};   // the player's hand by rank
        std::array<int, 14> column{}; // the player's meld columns
        std::array<int, 14> wildsInColumn{};
        int jokers = 0;
        int twos = 0;
        int blackThrees = 0;
        int size = 0;
        int wilds() const { return jokers + twos; }
        bool operator==(const HandCounts&) const = default;
    };
    static HandCounts Count(const VarentaEngine& engine);

    // Whether the pile is worth taking now (the engine has agreed it may be).
    static bool WantPile(const VarentaEngine& engine);
    // The best first meld the hand can make: points reachable while leaving
    // `keep` cards, counting `extraTop` as a card of that rank already laid.
    static int FirstMeldPoints(const HandCounts& c, int keep, int topRank);

private:
    template <typename Call> void act(Call&& call);
    // Count() of the table as it stands. During the bot's turn only its own
    // actions change the table, so the counts are taken again only after one.
    const HandCounts& counts();
    bool over() const;
    void drawPhase();
    bool blockWithRedThree();
    void completePendingTake();
    void firstMeld(int topRank);
    void extendMelds();
    void completeVarentas();
    void goOut();
    bool discard();
    bool meldLastCard();
    bool tryDiscards();
    int keepCount() const;
    int findInHand(int rank) const;
    int findBlackThree() const;
    bool meldRank(int rank);

    VarentaEngine* engine_ = nullptr;
    const std::int64_t* turnEnds_ = nullptr;
    std::int64_t startEnds_ = 0;
    std::string failure_;
    std::int64_t limit_ = 0;
    const std::int64_t* reports_ = nullptr;
    std::int64_t actions_ = 0;
    bool stopped_ = false;
    HandCounts counts_;
    bool countsCurrent_ = false;
};

} // namespace varenta::sim
