#pragma once

namespace varenta {

// The twelve rule variants in force, with their defaults.
struct RuleSet {
    bool varentaRequired = false;    // fewer Varentas than needed score the table negatively
    int numberOfVarentas = 1;        // 1 or 2: Varentas needed to go out
    int numberOfCards = 1;           // 1 or 2: cards drawn from the stock each turn
    bool addToVarenta = true;        // the top card may go onto a complete Varenta
    bool topCardCounts = true;       // the top card counts for the initial meld
    bool initialBlock = true;        // the pile starts each hand frozen
    bool initialBlockForBoth = true; // ... and stays frozen for a side until it has melded
    bool naturalPair = true;         // one natural plus a wild card cannot take the pile
    bool drawExtra = true;           // a red three from the stock is replaced
    bool threeBlock = false;         // red threes may be discarded, which freezes the pile
    bool bonusCounts = false;        // a side with a Varenta is free of the initial minimum
    bool reuseDiscardPile = true;    // an empty stock is refilled from the pile

    bool operator==(const RuleSet&) const = default;
};

} // namespace varenta
