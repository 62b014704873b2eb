#pragma once

#include <string>
#include <vector>

#include "varenta/computer/ComputerSettings.h"
#include "varenta/engine/VarentaEngine.h"

namespace varenta {

// One card the computer laid from its hand: which card, and the meld column it
// went to.
struct MeldLay {
    int code = 0;
    int deckNo = 0;
    int column = 0;
};

// A private copy of the table on which the computer tries a step before it
// makes it on the real one: same cards, rules, geometry and random state, a
// port that shows nothing (the messages are kept to be shown later) and a list
// of every card laid. The real table sees nothing of it.
class Rehearsal : private VarentaPort, private TableObserver {
public:
    explicit Rehearsal(const VarentaEngine& real);
    Rehearsal(const Rehearsal&) = delete;
    Rehearsal& operator=(const Rehearsal&) = delete;

    // Back to the real table as it stands; the lays and messages are cleared.
    void Reset(const VarentaEngine& real);
    // Lays the given cards again, in order, from the copied hand.
    void Replay(const std::vector<MeldLay>& lays, const std::vector<bool>& kept);

    // The hand the computer judges its melds for at the end of its turn: the
    // cards left after the discard (none when it goes out), or the one card
    // it keeps when it must pass.
    int HandAfterDiscard() const;
    bool MeldsValid() const;

    VarentaEngine engine;
    // The level's memory, copied, so that trying a step changes none of it.
    ExpertMemory expert;
    AdvancedMemory advanced;
    std::vector<MeldLay> lays;
    std::vector<std::string> errors;

private:
    void ShowMessage(MessageKind kind, std::string_view text) override;
    void OpponentMelded(const Card& card) override;
    void OpponentMeldedWildCard(const Card& card, int column) override;
};

// Where the card of a lay (by code and deck) lies in a hand; -1 when it is not there.
int HandIndexOf(const CardPile& hand, const MeldLay& lay);
// The hand card a lay lays again: a natural card by code and deck; a wild card
// as MeldWildCard chooses it, a joker while the hand holds one (the laid one
// if it is still there), else the laid two or another. -1 when none is held.
int ReplayIndexOf(const CardPile& hand, const MeldLay& lay);
// Lays one hand card of the opponent as it was laid before (ReplayIndexOf).
// False when no such card is in the hand.
bool LayAgain(VarentaEngine& engine, const MeldLay& lay);

// Given the table the kept lays make and the reason validation refused it,
// marks what to leave out: a column's newest surplus wild cards, this turn's
// lays in a column that cannot stand (too short, black threes before going
// out, too few wild cards for a wild-card Varenta), or, for a first meld below
// its minimum, every lay but the red threes. Returns false when nothing more
// can be left out.
bool DropInvalidLays(const VarentaEngine& table, std::string_view reason,
                     const std::vector<MeldLay>& lays, std::vector<bool>& kept);

} // namespace varenta
