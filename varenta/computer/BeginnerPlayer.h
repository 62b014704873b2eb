#pragma once

#include "varenta/computer/AdvancedPlayer.h"

namespace varenta {

// The weakest strength: melds whatever it can, takes the pile only for a
// group of three or a seven-card target, and discards singles first.
class BeginnerPlayer : public ComputerBase {
public:
    BeginnerPlayer(VarentaEngine& engine, const ComputerSettings& settings);

    int need = 0; // initial-meld minimum of this turn

    bool BegTakePile();
    MeldCheckResult BegMeldCheck() const;
    void BegInitialMelds();
    void BegCompleteVarentas() { completeVarentasInOnePass(); }
    void BegMeldNaturals();
    void BegLayOutWilds();
    DiscardChoice BegChooseDiscard();

protected:
    void takeOrDraw() override;
    void meldPhase() override;
    DiscardChoice chooseDiscard() override { return BegChooseDiscard(); }
    void layPileTop() override;
    std::unique_ptr<ComputerBase> understudy(Rehearsal& table) const override;
    void adoptMemory(const Rehearsal& /*table*/) override {} // it remembers nothing

private:
    // Melds every card of the rank, plus one wild card when the meld then
    // holds exactly two cards.
    // Returns the cards laid.
    int begMeldRank(int rank);
    int wildOrder() const; // a two, else a joker, else -1
};

} // namespace varenta
