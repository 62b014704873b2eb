#pragma once

#include "varenta/computer/ComputerSettings.h"
#include "varenta/computer/RankTally.h"
#include "varenta/engine/Card.h"
#include "varenta/engine/GameState.h"
#include "varenta/engine/RuleSet.h"

#include <array>
#include <memory>

namespace varenta {

class VarentaEngine;
class Rehearsal;

// The card the computer throws at the end of its turn: a hand card, or (the
// Expert's blocking move) a red three taken back from its own melds.
struct DiscardChoice {
    int handIndex = -1; // index in the computer's hand, or -1
    bool redThreeFromMelds = false;

    static DiscardChoice fromHand(int index) { return {index, false}; }
    static DiscardChoice redThree() { return {-1, true}; }
};

// What every strength shares: the tallies, the primitives that move the
// computer's cards, and the turn skeleton (draw or take, meld, discard). A
// level fills in the three decisions.
class ComputerBase {
public:
    ComputerBase(VarentaEngine& engine, const ComputerSettings& settings);
    virtual ~ComputerBase();
    ComputerBase(const ComputerBase&) = delete;
    ComputerBase& operator=(const ComputerBase&) = delete;

    // Plays the computer's whole turn, from the draw to the discard.
    void PlayTurn();
    // Tries steps on `table` (made when empty) instead of a table copy of
    // its own, so that the copy outlives this turn's player.
    void ShareRehearsal(std::unique_ptr<Rehearsal>& table) { rehearsal_ = &table; }

    // Primitives, public so that staged positions can exercise them.
    // Brings the tallies up to date with the table. They are counted again
    // only when a card may have moved since the last count: every move the
    // computer makes goes through this class, which marks them stale.
    void RefreshTallies();
    // Forgets the last count, for a table changed behind the computer's back
    // (a staged position).
    void TableChanged() { talliesCurrent_ = false; }
    int FindInHand(int rank) const;
    int WildsInMeld(int rank) const;
    bool ComputerMayTakePile(int topRank, bool frozen) const;
    // Both return what was laid (nothing when the card would be the hand's
    // last one while Varentas are still missing).
    bool MeldWildCard(int rank);
    int MeldRank(int rank, int n);
    void MeldRedThrees();
    // Lays the rest of the hand (pairs with a wild card, black threes, spare
    // wild cards) when going out; shared by the Expert and the Advanced level.
    void LayOutWilds();
    // The highest rank 3..13 that a take of the pile could carry to a
    // seven-card meld (the top card is counted in the hand and in the pile),
    // or 0.
    int SevenCardTarget(int topRank) const;
    // Whether such a target exists and, when fewer than three of it are in
    // the hand, the wild cards left over from the first meld can finish it.
    bool SevenCardTargetInReach(int topRank, int planWilds) const;

    const RankTally& tally() const { return tally_; }

    // Held to the player's take rules: tried on a copy of the table, the
    // level's own lays after taking the pile put the top card into a meld that
    // stands before the rest of the pile comes.
    bool TopCardCanBeLaid();
    // The level's melding phase, tried on a copy of the table first; what it
    // lays is then laid here, except lays that would leave the melds invalid
    // at the discard (the smallest set that makes them valid stays in hand).
    void MeldWithinTheRules();

protected:
    // The level's three decisions. takeOrDraw() either takes the pile (and
    // lays what it must) or draws from the stock.
    virtual void takeOrDraw() = 0;
    virtual void meldPhase() = 0;
    virtual DiscardChoice chooseDiscard() = 0;
    // After the decision to take the pile: the top card into the hand and
    // what the level lays with it, up to (not including) the rest of the pile.
    virtual void layPileTop() = 0;
    // The same level with a copy of its memory and of this turn's values,
    // playing on the rehearsal's table.
    virtual std::unique_ptr<ComputerBase> understudy(Rehearsal& table) const = 0;
    // Takes over the memory the understudy left in the rehearsal.
    virtual void adoptMemory(const Rehearsal& table) = 0;

    // Reading the table.
    const GameState& state() const;
    const RuleSet& rules() const;
    int handSize() const;
    int stockSize() const;
    int pileSize() const;
    int pileTopRank() const; // -1 for an empty pile
    int humanHandSize() const;
    int humanMeldCards() const;
    int ownMeldCards() const;
    int ownMeldPoints() const;
    int ownVarentas() const;
    int humanVarentas() const;
    int needed() const;
    bool frozenForMe() const;
    int ownScore() const;
    int humanScore() const;
    int MeldMinimumForMe() const;
    int wildsInHand() const { return tally_.wildsInHand(); }
    bool blackThreeHeld() const { return tally_.blackThreesInHand > 0; }
    int findBlackThree() const;
    int findWild() const; // a two if one is held, else a joker; -1 for none
    const Card& handCard(int index) const;

    double randomReal();
    int randomInt(int n);

    // Moving cards.
    void drawFromStock();
    void drawOneFromStock();
    // Sizes of the heaps the tallies read: the computer's hand and melds, the
    // pile, the human's hand and melds, the cards known in the human's hand.
    using PileSizes = std::array<int, 6>;
    PileSizes pileSizes() const;
    // Counts a card just laid from the hand into a meld column (or, when the
    // lay did not go as planned, leaves the tallies to be counted again).
    void countLaid(const Card& card, int column, const PileSizes& before);
    // Pops the pile's top card into the hand; returns its rank.
    int takePileTopIntoHand();
    // Moves what is left of the pile into the hand, top first, and unfreezes it.
    void takePileRestIntoHand();
    // Lays a hand card in the meld of its rank; false when refused (see mayLay).
    bool meldFromHand(int index);
    // A side must not go out without the Varentas it needs: the hand's last
    // card may only be laid when it completes the last one missing.
    bool mayLay(const Card& card, int column) const;
    int cardsToMeld(int rank, int n) const;
    // Moves every card of a rank from the hand to the melds (no wild card).
    int meldAllOfRank(int rank);
    // The simple completion of seven-card melds the Advanced and Beginner
    // levels share: one pass from ace down, at most three wild cards a meld.
    void completeVarentasInOnePass();
    // Lays whole ranks while the budget lasts (existing melds and groups of
    // three or more). keepOneOnExact: a rank that would use the budget up
    // exactly keeps one card back.
    void meldNaturalsWithin(int budget, bool keepOneOnExact);
    // How many more wild cards the meld of a rank can carry (0 for no meld).
    int wildRoom(int rank) const;
    // Going out: up to `wilds` wild cards onto the lowest completed Varenta,
    // as many as it can carry.
    void placeOnLowestVarenta(int wilds);
    // Cards of a rank in the hand plus pile plus own meld, the top card once.
    int targetCount(int rank, int topRank) const;
    void meldDelay();

    VarentaEngine& engine_;
    const ComputerSettings& settings_;
    // The tallies as last counted. A level that changes them, to judge the
    // table as if it were different, goes through talliesToChange(); the
    // next RefreshTallies then counts again.
    const RankTally& tally_ = counted_;
    RankTally& talliesToChange() {
        talliesCurrent_ = false;
        return counted_;
    }
    // Such a level may save the tallies before and put them back after: as
    // long as no card moved in between, they need no new count.
    struct SavedTallies {
        RankTally tally;
        bool current = false;
    };
    SavedTallies saveTallies() const { return {counted_, talliesCurrent_}; }
    void restoreTallies(const SavedTallies& saved) {
        counted_ = saved.tally;
        talliesCurrent_ = saved.current;
    }

private:
    // The table copy for a try: the shared one brought back to the real
    // table, or a new one.
    Rehearsal& rehearsal();
    // Counts this table and gives the count to a player on a fresh copy of it.
    void handTalliesTo(ComputerBase& understudy);
    void discardPhase();
    std::unique_ptr<Rehearsal> ownRehearsal_;
    std::unique_ptr<Rehearsal>* rehearsal_ = &ownRehearsal_;
    RankTally counted_;
    bool talliesCurrent_ = false;
    void throwCard(const DiscardChoice& choice);
};

} // namespace varenta
