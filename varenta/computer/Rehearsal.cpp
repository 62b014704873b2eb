#include "varenta/computer/Rehearsal.h"

#include <array>

#include "varenta/engine/Texts.h"

namespace varenta {

Rehearsal::Rehearsal(const VarentaEngine& real) {
    engine.SetPort(this);
    engine.SetObserver(this);
    Reset(real);
}

void Rehearsal::Reset(const VarentaEngine& real) {
    engine.CopyTableFrom(real);
    lays.clear();
    errors.clear();
}

void Rehearsal::Replay(const std::vector<MeldLay>& toLay, const std::vector<bool>& kept) {
    for (std::size_t i = 0; i < toLay.size(); ++i) {
        if (kept[i]) {
            LayAgain(engine, toLay[i]);
        }
    }
}

int Rehearsal::HandAfterDiscard() const {
    const GameState& s = engine.State();
    const int hand = s.opponentHand.count;
    if (hand >= 2) {
        return hand - 1;
    }
    const bool mayGoOut = s.opponentVarentas.count >= engine.Rules().numberOfVarentas;
    return hand == 1 && !mayGoOut ? 1 : 0;
}

bool Rehearsal::MeldsValid() const {
    std::string_view reason;
    return engine.ValidateOpponentMelds(reason, HandAfterDiscard());
}

void Rehearsal::ShowMessage(MessageKind kind, std::string_view text) {
    if (kind == MessageKind::Error) {
        errors.emplace_back(text);
    }
}

void Rehearsal::OpponentMelded(const Card& card) {
    lays.push_back({card.code, card.deckNo, card.rank});
}

void Rehearsal::OpponentMeldedWildCard(const Card& card, int column) {
    lays.push_back({card.code, card.deckNo, column});
}

int HandIndexOf(const CardPile& hand, const MeldLay& lay) {
    for (int i = 0; i < hand.count; ++i) {
        if (hand[i].code == lay.code && hand[i].deckNo == lay.deckNo) {
            return i;
        }
    }
    return -1;
}

int ReplayIndexOf(const CardPile& hand, const MeldLay& lay) {
    const int laid = HandIndexOf(hand, lay);
    if (!IsWildRank(CardRank(lay.code))) {
        return laid;
    }
    // With an earlier wild-card lay left out, the card it took may still be
    // in the hand: jokers go first all the same, as when the lays were made.
    auto first = [&](int rank) {
        for (int i = 0; i < hand.count; ++i) {
            if (hand[i].rank == rank) {
                return i;
            }
        }
        return -1;
    };
    // A laid card at the hand's first place is also the first of its rank there: a limit of 0
    // or 1 on laid reads the same, here and below.
    const int joker = laid >= 0 && hand[laid].rank == 0 ? laid : first(0);
    if (joker >= 0) {
        return joker;
    }
    // (as above: 0 or 1 on laid reads the same)
    return laid >= 0 ? laid : first(1);
}

bool LayAgain(VarentaEngine& engine, const MeldLay& lay) {
    const CardPile& hand = engine.State().opponentHand;
    const int i = ReplayIndexOf(hand, lay);
    if (i < 0) {
        return false;
    }
    if (IsWild(hand[i])) {
        engine.OpponentMeldWildCard(i, lay.column);
    } else {
        engine.MeldFromOpponentHand(i);
    }
    return true;
}

bool DropInvalidLays(const VarentaEngine& table, std::string_view reason,
                     const std::vector<MeldLay>& lays, std::vector<bool>& kept) {
    std::array<int, kColumns> cards{};
    std::array<int, kColumns> naturals{};
    const CardPile& melds = table.State().opponentMelds;
    for (int i = 0; i < melds.count; ++i) {
        const int column = table.Geometry().ColumnOf(melds[i].x);
        if (column >= 0 && column < kColumns) {
            cards[static_cast<std::size_t>(column)] += 1;
            naturals[static_cast<std::size_t>(column)] += IsNatural(melds[i]) ? 1 : 0;
        }
    }
    bool dropped = false;
    // Red threes are never taken back: they may not stay in a hand.
    auto dropColumn = [&](int column) {
        for (std::size_t i = 0; i < lays.size(); ++i) {
            if (kept[i] && lays[i].column == column && !IsRedThree(lays[i].code)) {
                kept[i] = false;
                dropped = true;
            }
        }
    };
    if (reason == texts::kReasonColumnTooShort) {
        for (int c = 3; c < kColumns; ++c) {
            const int n = cards[static_cast<std::size_t>(c)];
            if (n > 0 && n < 3) {
                dropColumn(c);
            }
        }
    } else if (reason == texts::kReasonTooManyWildcards) {
        for (int c = 3; c < kColumns; ++c) {
            const int nat = naturals[static_cast<std::size_t>(c)];
            int surplus = cards[static_cast<std::size_t>(c)] - 2 * nat;
            // The newest wild cards go back first; the rest of the meld stays.
            for (std::size_t i = lays.size(); i-- > 0 && surplus > 0;) {
                if (kept[i] && lays[i].column == c && CardRank(lays[i].code) < 2) {
                    kept[i] = false;
                    dropped = true;
                    --surplus;
                }
            }
            if (surplus > 0) {
                dropColumn(c);
            }
        }
    } else if (reason == texts::kReasonBlackThrees) {
        dropColumn(kThreesColumn);
    } else if (reason == texts::kReasonWildcardsAsVarenta) {
        dropColumn(kWildColumn);
    }
    if (!dropped) {
        // A first meld below its minimum (or a fault the turn did not make):
        // nothing of this turn goes down but the red threes.
        for (std::size_t i = 0; i < lays.size(); ++i) {
            if (kept[i] && !IsRedThree(lays[i].code)) {
                kept[i] = false;
                dropped = true;
            }
        }
    }
    return dropped;
}

} // namespace varenta
