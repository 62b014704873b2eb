#pragma once

#include "varenta/computer/ComputerBase.h"

namespace varenta {

struct LeftoverResult {
    bool canGoOut = false;
    int leftover = 0;
};

struct ReachableResult {
    int varentas = 0;  // Varentas the hand could reach
    int cardsUsed = 0; // hand cards those Varentas would take
};

// The strongest computer player: holds its cards back, lays melds mainly to
// complete seven-card melds or to go out, and discards with an eye on what the
// human collects.
class ExpertPlayer : public ComputerBase {
public:
    ExpertPlayer(VarentaEngine& engine, const ComputerSettings& settings, ExpertMemory& memory);

    // Per-turn flags, public so that staged positions can set them.
    bool aggressiveTurn = false;
    bool opponentThreat = false;
    int initialMeldNeed = 0;

    // Draw or take.
    bool ExpertDrawOrTake();
    bool ShouldTakePile();
    bool InitialMeldPlan(int topRank, bool pileMakesVarenta, bool checkCards);
    bool MaySpare(int rank);
    LeftoverResult LeftoverCount() const { return LeftoverCount(tally_); }
    static LeftoverResult LeftoverCount(const RankTally& tally);
    bool PileCompletesVarenta() const;
    bool PileIsUrgent();
    void InitialMelds();

    // Melding and going out.
    void ExpertMeldPhase();
    void NaturalVarentas();
    bool GoOutCheck();
    void CompleteVarentas();
    void MeldNaturals(int keep);
    ReachableResult ReachableVarentas() const;
    bool GoingOutPays() const;

    // Discard.
    DiscardChoice ExpertChooseDiscard();

    // The start-of-turn bookkeeping (flags, fresh pile): the first four steps
    // of ExpertDrawOrTake.
    void BeginExpertTurn();

protected:
    void takeOrDraw() override;
    void meldPhase() override;
    DiscardChoice chooseDiscard() override;
    void layPileTop() override;
    std::unique_ptr<ComputerBase> understudy(Rehearsal& table) const override;
    void adoptMemory(const Rehearsal& table) override;

private:
    int danger(int rank) const;
    bool completeVarentasLimitIsThree() const;
    bool attemptGoingOut();
    bool branchDefault(int topRank, int pile);
    int wildThrowIndex() const;
    int highestCardIndex() const;
    int urgentDiscard();
    int mainSelection();
    int lastCardGuard(int chosen) const;

    ExpertMemory& memory_;
};

} // namespace varenta
