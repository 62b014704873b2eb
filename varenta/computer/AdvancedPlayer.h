#pragma once

#include "varenta/computer/ComputerBase.h"

namespace varenta {

struct MeldCheckResult {
    bool ok = false;
    int pairs = 0; // pairs (each with a wild card) the first meld would use
};

// The middle strength: lays melds as soon as it can, takes the pile on simple
// counts and discards by the human's melds, without the Expert's memory.
class AdvancedPlayer : public ComputerBase {
public:
    AdvancedPlayer(VarentaEngine& engine, const ComputerSettings& settings, AdvancedMemory& memory);

    // Initial-meld minimum of this turn (raised by the top card's points
    // when a taken top card does not count).
    int need = 0;

    bool AdvTakePile();
    MeldCheckResult AdvMeldCheck() const;
    int AdvVarentaPlan() const; // the rank, or 0 when none qualifies
    void AdvInitialMelds();
    void AdvCompleteVarentas() { completeVarentasInOnePass(); }
    void AdvMeldNaturals();
    DiscardChoice AdvChooseDiscard();

protected:
    void takeOrDraw() override;
    void meldPhase() override;
    DiscardChoice chooseDiscard() override { return AdvChooseDiscard(); }
    void layPileTop() override;
    std::unique_ptr<ComputerBase> understudy(Rehearsal& table) const override;
    void adoptMemory(const Rehearsal& table) override;

private:
    bool completeForHuman(int rank) const;
    DiscardChoice bigPileDiscard();
    DiscardChoice smallPileDiscard();

    AdvancedMemory& memory_;
};

// First-meld check shared in shape by the two simpler levels: naturals first,
// then pairs with a wild card. Returns points reached, cards used and pairs.
struct SimpleMeldCount {
    int points = 0;
    int cards = 0;
    int pairs = 0;
};
SimpleMeldCount CountSimpleMeld(const RankTally& tally, int meldPoints, int need);

} // namespace varenta
