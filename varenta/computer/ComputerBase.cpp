#include "varenta/computer/ComputerBase.h"

#include "varenta/computer/Rehearsal.h"
#include "varenta/engine/Texts.h"
#include "varenta/engine/VarentaEngine.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

namespace varenta {

ComputerBase::ComputerBase(VarentaEngine& engine, const ComputerSettings& settings)
    : engine_(engine), settings_(settings) {}

ComputerBase::~ComputerBase() = default;

Rehearsal& ComputerBase::rehearsal() {
    std::unique_ptr<Rehearsal>& table = *rehearsal_;
    // A try that ended the program (a fatal error) leaves a copy that a
    // reset cannot bring back; such a copy is replaced.
    if (table == nullptr || table->engine.ProgramEnded()) {
        table = std::make_unique<Rehearsal>(engine_);
    } else {
        table->Reset(engine_);
    }
    return *table;
}

// ---- the turn skeleton ------------------------------------------------------

void ComputerBase::PlayTurn() {
    engine_.BeginOpponentTurn();
    TableChanged();
    engine_.Port().SetWaitCursor(true);
    RefreshTallies();
    takeOrDraw();
    MeldWithinTheRules();
    discardPhase();
    engine_.Port().SetWaitCursor(false);
    engine_.FinishOpponentTurn();
    TableChanged();
}

bool ComputerBase::TopCardCanBeLaid() {
    if (state().discardPile.Empty()) {
        return false;
    }
    Rehearsal* const table = &rehearsal();
    const auto player = understudy(*table);
    const Card top = state().discardPile.Top();
    const int before = engine_.MeldColumnCount(Side::Opponent, top.rank);
    const bool heldBack = frozenForMe() || before == 0;
    handTalliesTo(*player);
    player->layPileTop();
    std::string_view reason;
    return table->engine.OpponentPileTakeValid(top, before, heldBack, reason);
}

void ComputerBase::MeldWithinTheRules() {
    Rehearsal* const table = &rehearsal();
    {
        const auto player = understudy(*table);
        handTalliesTo(*player);
        player->meldPhase();
    }
    adoptMemory(*table);
    const Random random = table->engine.Rng();
    const std::vector<std::string> errors = table->errors;
    const std::vector<MeldLay> lays = table->lays;
    std::vector<bool> kept(lays.size(), true);
    std::string_view reason;
    while (!table->engine.ValidateOpponentMelds(reason, table->HandAfterDiscard()) &&
           DropInvalidLays(table->engine, reason, lays, kept)) {
        table->Reset(engine_);
        table->Replay(lays, kept);
    }
    engine_.Rng() = random;
    for (const std::string& error : errors) {
        engine_.Port().ShowMessage(MessageKind::Error, error);
    }
    for (std::size_t i = 0; i < lays.size(); ++i) {
        if (kept[i]) {
            const CardPile& hand = state().opponentHand;
            const int index = ReplayIndexOf(hand, lays[i]);
            // A card no longer in the hand is no lay: code 0.
            const Card card = index >= 0 ? hand[index] : Card{};
            const PileSizes before = pileSizes();
            LayAgain(engine_, lays[i]);
            countLaid(card, lays[i].column, before);
        }
    }
    RefreshTallies();
}

void ComputerBase::discardPhase() {
    RefreshTallies();
    if (handSize() < 2 && ownVarentas() < needed()) {
        engine_.OpponentPassDiscard();
        TableChanged();
        return;
    }
    if (handSize() == 0) {
        return; // went out by melding the last card
    }
    throwCard(chooseDiscard());
}

void ComputerBase::throwCard(const DiscardChoice& choice) {
    if (choice.redThreeFromMelds) {
        const CardPile& melds = state().opponentMelds;
        for (int i = 0; i < melds.Size(); ++i) {
            if (IsRedThree(melds[i])) {
                engine_.OpponentDiscardRedThree(i);
                TableChanged();
                return;
            }
        }
    }
    // A level always names a hand card; should one ever fail to, the first
    // card goes rather than leaving the turn without a discard. The first card is card 0 either
    // way, and no level names one past the hand: these limits read the same.
    const int index = choice.handIndex >= 0 && choice.handIndex < handSize() ? choice.handIndex : 0;
    engine_.OpponentDiscard(index);
    TableChanged();
}

// ---- reading the table ---------------------------------------------------------

const GameState& ComputerBase::state() const {
    return engine_.State();
}
const RuleSet& ComputerBase::rules() const {
    return engine_.Rules();
}
int ComputerBase::handSize() const {
    return state().opponentHand.Size();
}
int ComputerBase::stockSize() const {
    return state().stock.Size();
}
int ComputerBase::pileSize() const {
    return state().discardPile.Size();
}
int ComputerBase::pileTopRank() const {
    // Asked only of a pile with cards: the value for none reads the same.
    return state().discardPile.Empty() ? -1 : state().discardPile.Top().rank;
}
int ComputerBase::humanHandSize() const {
    return state().playerHand.Size();
}
int ComputerBase::humanMeldCards() const {
    return state().playerMelds.Size();
}
int ComputerBase::ownMeldCards() const {
    return state().opponentMelds.Size();
}
int ComputerBase::ownMeldPoints() const {
    return state().opponentMeldPoints;
}
int ComputerBase::ownVarentas() const {
    return state().opponentVarentas.count;
}
int ComputerBase::humanVarentas() const {
    return state().playerVarentas.count;
}
int ComputerBase::needed() const {
    return rules().numberOfVarentas;
}
bool ComputerBase::frozenForMe() const {
    return engine_.PileFrozenFor(Side::Opponent);
}
int ComputerBase::ownScore() const {
    return state().opponentScore;
}
int ComputerBase::humanScore() const {
    return state().playerScore;
}
int ComputerBase::MeldMinimumForMe() const {
    return VarentaEngine::MeldMinimum(ownScore());
}
const Card& ComputerBase::handCard(int index) const {
    return state().opponentHand[index];
}

double ComputerBase::randomReal() {
    return engine_.Rng().NextReal();
}
int ComputerBase::randomInt(int n) {
    return engine_.Rng().Next(n);
}

void ComputerBase::RefreshTallies() {
    if (talliesCurrent_) {
#ifndef NDEBUG
        // Debug builds (the tests) prove that no move went unmarked.
        RankTally recounted;
        varenta::RefreshTallies(engine_, recounted);
        if (!(recounted == counted_)) {
            std::fprintf(stderr, "ComputerBase: the tallies missed a move\n");
            std::abort();
        }
#endif
        return;
    }
    varenta::RefreshTallies(engine_, counted_);
    talliesCurrent_ = true;
}

void ComputerBase::handTalliesTo(ComputerBase& understudy) {
    // The copy was just brought back to this table, so this table's count is
    // the copy's too; counted here, it also serves this player once the try
    // leaves the table as it was.
    RefreshTallies();
    understudy.counted_ = counted_;
    understudy.talliesCurrent_ = true;
}

int ComputerBase::FindInHand(int rank) const {
    const CardPile& hand = state().opponentHand;
    for (int i = 0; i < hand.Size(); ++i) {
        if (hand[i].rank == rank) {
            return i;
        }
    }
    return -1; // every caller asks only whether it is below 0: any negative reads the same
}

int ComputerBase::findBlackThree() const {
    const CardPile& hand = state().opponentHand;
    for (int i = 0; i < hand.Size(); ++i) {
        if (IsBlackThree(hand[i])) {
            return i;
        }
    }
    return -1; // asked only with a black three in the hand: the value for none reads the same
}

int ComputerBase::findWild() const {
    const int two = FindInHand(1);
    return two >= 0 ? two : FindInHand(0);
}

int ComputerBase::WildsInMeld(int rank) const {
    const CardPile& melds = state().opponentMelds;
    int wilds = 0;
    for (int i = 0; i < melds.Size(); ++i) {
        if (IsWild(melds[i]) && engine_.Geometry().ColumnOf(melds[i].x) == rank) {
            ++wilds;
        }
    }
    return wilds;
}

bool ComputerBase::ComputerMayTakePile(int topRank, bool frozen) const {
    if (topRank < 3) {
        return false; // a wild card or a three can never be taken
    }
    const int c = tally_.opponentHandRank[topRank];
    const int m = tally_.opponentMeldColumn[topRank];
    const int w = tally_.wildsInHand();
    const bool pairOrMeld = (c == 1 && w >= 1 && !rules().naturalPair) || c >= 2 || m >= 3;
    bool allowed = frozen ? c >= 2 : pairOrMeld && (m < 7 || rules().addToVarenta);
    if (allowed && m == 0) {
        allowed = handSize() + pileSize() >= 4; // a card must remain to discard
    }
    return allowed;
}

// ---- moving cards ---------------------------------------------------------------

void ComputerBase::meldDelay() {
    engine_.Port().OpponentMeldPause();
}

void ComputerBase::drawFromStock() {
    for (int i = 0; i < rules().numberOfCards && stockSize() > 0; ++i) {
        bool redThree = IsRedThree(state().stock.Top());
        drawOneFromStock();
        while (rules().drawExtra && redThree && stockSize() > 0) {
            redThree = IsRedThree(state().stock.Top());
            drawOneFromStock();
        }
    }
}

ComputerBase::PileSizes ComputerBase::pileSizes() const {
    const GameState& s = state();
    return {s.opponentHand.Size(), s.opponentMelds.Size(), s.discardPile.Size(),
            s.playerHand.Size(),   s.playerMelds.Size(),   s.knownPlayerCards.Size()};
}

void ComputerBase::countLaid(const Card& card, int column, const PileSizes& before) {
    // A lay moves one card from the hand to a meld column and nothing else
    // the tallies read; the laid card takes the column anchor's x. A lay the
    // engine refused, or one that set off more, has the tallies counted again.
    PileSizes expected = before;
    // Only whether the tallies are counted again depends on these: a wrong expectation costs a
    // count, never a different play.
    expected[0] -= 1;
    expected[1] += 1; // (as above: never a different play)
    if (!talliesCurrent_ || pileSizes() != expected) {
        TableChanged();
        return;
    }
    const CardPile& melds = state().opponentMelds;
    const int laidColumn =
        TallyColumn(engine_.Geometry(), melds.columns[static_cast<std::size_t>(column)].x);
    counted_.opponentHandRank[card.rank] -= 1;
    counted_.handSize -= 1;
    counted_.blackThreesInHand -= IsBlackThree(card) ? 1 : 0;
    counted_.opponentMeldColumn[laidColumn] += 1;
    counted_.opponentMeldRank[card.rank] += 1;
    counted_.opponentRedThreesInMelds += IsRedThree(card) ? 1 : 0;
    counted_.opponentMeldCardPoints += card.points;
}

void ComputerBase::drawOneFromStock() {
    const GameState& s = state();
    const Card card = s.stock.Top();
    PileSizes expected = pileSizes();
    // Only whether the tallies are counted again depends on this: never a different play.
    expected[0] += 1;
    engine_.DrawForOpponent();
    // Most draws only add the card to the hand: it is counted as it comes,
    // sparing the whole count the next decision would make. Anything else
    // (a red three laid at once) has the tallies counted again.
    const bool joinedHand = talliesCurrent_ && !IsRedThree(card) && pileSizes() == expected &&
                            s.opponentHand.Top().code == card.code &&
                            s.opponentHand.Top().deckNo == card.deckNo;
    if (!joinedHand) {
        TableChanged();
        return;
    }
    counted_.opponentHandRank[card.rank] += 1;
    counted_.handSize += 1;
    counted_.blackThreesInHand += IsBlackThree(card) ? 1 : 0;
    // No decision reads the seen ranks (debug builds hold them to a recount): this limit cannot
    // change the play.
    if (card.rank >= 2) {
        counted_.seenRank[card.rank] += 1; // seen ranks are the naturals only
    }
}

int ComputerBase::takePileTopIntoHand() {
    const int index = engine_.OpponentTakePileTop();
    TableChanged();
    // The top card joins the end of a hand that holds cards already, and a take is only made of
    // a pile with a top card: the limit and the value for none read the same.
    return index >= 0 ? handCard(index).rank : -1;
}

void ComputerBase::takePileRestIntoHand() {
    engine_.OpponentTakePileRest();
    TableChanged();
}

bool ComputerBase::mayLay(const Card& card, int column) const {
    if (handSize() > 1 || ownVarentas() >= needed() || IsRedThree(card)) {
        return true;
    }
    // The last card empties the hand, which ends it: only allowed when that
    // very card completes the last Varenta still needed.
    if (ownVarentas() + 1 < needed() || column == kThreesColumn) {
        return false;
    }
    const CardPile& melds = state().opponentMelds;
    int cards = 0;
    int naturals = 0;
    for (int i = 0; i < melds.Size(); ++i) {
        if (engine_.Geometry().ColumnOf(melds[i].x) == column) {
            ++cards;
            naturals += IsNatural(melds[i]) ? 1 : 0;
        }
    }
    naturals += IsNatural(card) ? 1 : 0;
    return cards == 6 && (naturals >= 4 || column == kWildColumn);
}

// The engine pauses after every card it lays for the computer.
bool ComputerBase::meldFromHand(int index) {
    if (!mayLay(handCard(index), handCard(index).rank)) {
        return false;
    }
    const Card card = handCard(index);
    const PileSizes before = pileSizes();
    engine_.MeldFromOpponentHand(index);
    countLaid(card, card.rank, before);
    return true;
}

// The count returned is for tests: no level reads it, so its start cannot change the play.
int ComputerBase::meldAllOfRank(int rank) {
    int moved = 0;
    for (int i = handSize() - 1; i >= 0; --i) {
        if (handCard(i).rank == rank && meldFromHand(i)) {
            ++moved;
        }
    }
    return moved;
}

bool ComputerBase::MeldWildCard(int rank) {
    // Jokers go first: they are worth the most on the table.
    int index = FindInHand(0);
    if (index < 0) {
        index = FindInHand(1);
    }
    if (index < 0) {
        engine_.Port().ShowMessage(MessageKind::Error, texts::kMeldErrorWildcardNotFound);
        return false;
    }
    if (!mayLay(handCard(index), rank)) {
        return false;
    }
    const Card card = handCard(index);
    const PileSizes before = pileSizes();
    engine_.OpponentMeldWildCard(index, rank);
    countLaid(card, rank, before);
    return true;
}

// How many of the rank MeldRank may lay: never so many that the hand runs
// empty while Varentas are still missing (unless the last card completes the
// one missing), and then not a remnant too small to stand as a meld.
int ComputerBase::cardsToMeld(int rank, int n) const {
    const int held = tally_.opponentHandRank[rank];
    int k = n == 0 ? held : std::min(n, held);
    if (rank < 3 || ownVarentas() >= needed()) {
        return k;
    }
    const int column = tally_.opponentMeldColumn[rank];
    auto laid = [&](int count) {
        return count + (column + count == 2 && wildsInHand() > 0 ? 1 : 0);
    };
    auto completes = [&](int count) {
        // A meld never carries more than three wild cards, and the hand's last card is refused
        // by mayLay unless it completes the last Varenta missing: the naturals' limit and the
        // Varentas' (below) read the same one step either way.
        return column + count == 7 && tally_.opponentMeldRank[rank] + count >= 4 &&
               ownVarentas() + 1 >= needed(); // (reads the same: see above)
    };
    const int wanted = k;
    // A count left at the last card is refused by mayLay as well: stopping at 1 or going on
    // below 0 reads the same.
    while (k > 0 && laid(k) >= handSize() && !completes(k)) {
        --k;
    }
    // With a wild card in hand a kept-back pair goes whole or not at all (its wild card counts
    // above), so two cards short of the rest never remain with one: < 2 reads the same as < 3.
    if (k < wanted && (column + k < 2 || (column + k == 2 && wildsInHand() == 0))) {
        k = 0;
    }
    return k;
}

int ComputerBase::MeldRank(int rank, int n) {
    RefreshTallies();
    const int held = tally_.opponentHandRank[rank];
    const int limit = cardsToMeld(rank, n);
    const bool keptBack = limit < (n == 0 ? held : std::min(n, held));
    int moved = 0;
    int blackThrees = 0;
    for (int i = handSize() - 1; i >= 0 && moved < limit; --i) {
        const Card& c = handCard(i);
        if (c.rank != rank) {
            continue;
        }
        const bool blackThree = IsBlackThree(c);
        if (meldFromHand(i)) {
            blackThrees += blackThree ? 1 : 0;
            ++moved;
        }
    }
    RefreshTallies();
    const bool twoCards =
        (tally_.opponentMeldColumn[rank] == 2 && rank >= 3) || (rank == 2 && blackThrees == 2);
    if (twoCards && !(keptBack && moved == 0)) {
        moved += MeldWildCard(rank) ? 1 : 0;
        RefreshTallies();
    }
    return moved;
}

void ComputerBase::MeldRedThrees() {
    for (int i = handSize() - 1; i >= 0; --i) {
        if (IsRedThree(handCard(i))) {
            meldFromHand(i);
        }
    }
    RefreshTallies();
}

void ComputerBase::LayOutWilds() {
    RefreshTallies();
    const int b = tally_.blackThreesInHand;
    int pairs = 0;
    for (int r = 3; r <= 13; ++r) {
        pairs += tally_.opponentHandRank[r] == 2 ? 1 : 0;
    }
    int wilds = wildsInHand() - pairs;
    int left = handSize() - 3 * pairs - wilds;
    const bool threesGo = b == 3 || b == 4 || (b == 2 && wilds >= 1);
    if (threesGo) {
        left -= b;
        if (b == 2) {
            wilds -= 1;
        }
    }
    if (wilds < 0 || left >= 2) {
        return;
    }
    for (int r = 13; r >= 3; --r) {
        if (tally_.opponentHandRank[r] == 2) {
            MeldRank(r, 0);
        }
    }
    if (threesGo) {
        MeldRank(2, 0);
    }
    RefreshTallies();
    std::array<int, 14> room{};
    for (int r = 3; r <= 13; ++r) {
        room[r] = tally_.opponentMeldColumn[r] >= 7 ? 0 : wildRoom(r);
    }
    int remaining = wilds;
    // The threes have no room above: a walk from them reads the same.
    for (int r = 3; r <= 13 && remaining > 0; ++r) {
        const int n = std::min(room[r], remaining);
        for (int i = 0; i < n; ++i) {
            MeldWildCard(r);
        }
        remaining -= std::max(n, 0);
    }
    if (remaining > 0) {
        RefreshTallies();
        placeOnLowestVarenta(remaining);
    }
    RefreshTallies();
}

int ComputerBase::wildRoom(int rank) const {
    // Wild cards may never outnumber the naturals of a meld.
    return std::max(0, 2 * tally_.opponentMeldRank[rank] - tally_.opponentMeldColumn[rank]);
}

void ComputerBase::placeOnLowestVarenta(int wilds) {
    for (int r = 3; r <= 13; ++r) {
        if (tally_.opponentMeldColumn[r] >= 7) {
            // Only as many as the Varenta can carry: the rest stay in the hand.
            for (int n = std::min(wilds, wildRoom(r)); n > 0 && wildsInHand() > 0; --n) {
                MeldWildCard(r);
                RefreshTallies();
            }
            return;
        }
    }
}

int ComputerBase::targetCount(int rank, int topRank) const {
    return tally_.opponentHandRank[rank] + tally_.discardPileRank[rank] +
           tally_.opponentMeldColumn[rank] - (rank == topRank ? 1 : 0);
}

int ComputerBase::SevenCardTarget(int topRank) const {
    for (int r = 13; r >= 3; --r) {
        const int s = targetCount(r, topRank);
        if (s + wildsInHand() >= 7 && s >= 4) {
            return r;
        }
    }
    return 0;
}

bool ComputerBase::SevenCardTargetInReach(int topRank, int planWilds) const {
    const int target = SevenCardTarget(topRank);
    if (target == 0) {
        return false;
    }
    if (tally_.opponentHandRank[target] < 3) {
        return targetCount(target, topRank) - planWilds + wildsInHand() >= 7;
    }
    return true;
}

void ComputerBase::completeVarentasInOnePass() {
    for (int r = 13; r >= 3; --r) {
        RefreshTallies();
        const int held = tally_.opponentHandRank[r];
        const int column = tally_.opponentMeldColumn[r];
        const int wilds = wildsInHand();
        if (held + column + wilds < 7 || column >= 7) {
            continue;
        }
        const int k = std::max(0, 7 - held - column);
        if (wilds >= k && 3 - WildsInMeld(r) >= k && held + k < handSize()) {
            meldAllOfRank(r);
            for (int i = 0; i < k; ++i) {
                MeldWildCard(r);
            }
        }
    }
    RefreshTallies();
}

void ComputerBase::meldNaturalsWithin(int budget, bool keepOneOnExact) {
    RefreshTallies();
    for (int r = 13; r >= 3; --r) {
        const int held = tally_.opponentHandRank[r];
        const bool hasMeld = tally_.opponentMeldColumn[r] >= 1;
        if (!((hasMeld && held >= 1) || held >= 3) || budget < held) {
            continue;
        }
        int count = held;
        if (keepOneOnExact && budget == held) {
            count = held - 1;
            if (!hasMeld && count < 3) {
                continue; // two cards alone are no meld
            }
        }
        budget -= count;
        for (int i = handSize() - 1, moved = 0; i >= 0 && moved < count; --i) {
            if (handCard(i).rank == r) {
                meldFromHand(i);
                ++moved;
            }
        }
    }
    RefreshTallies();
}

} // namespace varenta
