// The Varenta test, meld validation and the rules of taking the pile.
#include <charconv>

#include "varenta/engine/Texts.h"
#include "varenta/engine/VarentaEngine.h"

namespace varenta {

namespace {

// What validation reads from one side's melds, gathered in a single pass:
// validation runs after every lay the computer tries.
struct ColumnCounts {
    std::array<int, kColumns> cards{};
    std::array<int, kColumns> naturals{};
    int points = 0;       // of every meld card
    int blackThrees = 0;  // anywhere in the melds
    int wildInThrees = 0; // wild cards lying in the threes' column
};

ColumnCounts CountColumns(const CardPile& melds, const TableGeometry& g) {
    ColumnCounts counts;
    for (int i = 0; i < melds.count; ++i) {
        const Card& c = melds[i];
        counts.points += c.points;
        const int col = g.ColumnOf(c.x);
        if (IsBlackThree(c)) {
            ++counts.blackThrees;
        } else if (IsWild(c) && col == kThreesColumn) {
            ++counts.wildInThrees;
        }
        if (col < 0 || col >= kColumns) {
            continue;
        }
        ++counts.cards[static_cast<std::size_t>(col)];
        if (IsNatural(c)) {
            ++counts.naturals[static_cast<std::size_t>(col)];
        }
    }
    return counts;
}

char* AppendText(char* out, char* end, std::string_view text) {
    for (char ch : text) {
        if (out == end) {
            break;
        }
        *out++ = ch;
    }
    return out;
}

char* AppendNumber(char* out, char* end, int value) {
    const auto result = std::to_chars(out, end, value);
    return result.ec == std::errc() ? result.ptr : out;
}

} // namespace

bool VarentaEngine::ValidateMelds(std::string_view& reason, int handCount) const {
    if (handCount < 0) {
        handCount = state_.playerHand.count;
    }
    return ValidateSide(Side::Player, handCount, reason);
}

bool VarentaEngine::ValidateOpponentMelds(std::string_view& reason, int handCount,
                                          int minimum) const {
    return ValidateSide(Side::Opponent, handCount, reason, minimum);
}

bool VarentaEngine::OpponentPileTakeValid(const Card& top, int columnBefore, bool heldBack,
                                          std::string_view& reason) const {
    const CardPile& melds = state_.opponentMelds;
    bool laid = false;
    for (int i = 0; i < melds.count && !laid; ++i) {
        laid = melds[i].code == top.code && melds[i].deckNo == top.deckNo &&
               geometry_.ColumnOf(melds[i].x) == top.rank;
    }
    if (!laid || (heldBack && MeldColumnCount(Side::Opponent, top.rank) < columnBefore + 3)) {
        reason = texts::kReasonTopCard;
        return false;
    }
    int minimum = MeldMinimum(state_.opponentScore);
    if (heldBack && !rules_.topCardCounts) {
        minimum += top.points;
    }
    return ValidateSide(Side::Opponent, state_.opponentHand.count + state_.discardPile.count,
                        reason, minimum);
}

bool VarentaEngine::ValidateSide(Side side, int handCount, std::string_view& reason,
                                 int minimum) const {
    const CardPile& melds = MeldsOf(side);
    if (minimum < 0) {
        minimum =
            side == Side::Player ? state_.initialMeldMinimum : MeldMinimum(state_.opponentScore);
    }
    const ColumnCounts counts = CountColumns(melds, geometry_);

    for (int col = 3; col < kColumns; ++col) {
        const int n = counts.cards[static_cast<std::size_t>(col)];
        if (n != 0 && n < 3) {
            reason = texts::kReasonColumnTooShort;
            return false;
        }
    }

    const int total = counts.points;
    const bool bonusFrees = rules_.bonusCounts && TallyOf(side).count >= 1;
    if (!(total >= minimum || bonusFrees || total == 0 || handCount == 0)) {
        char* out = reasonBuffer_.data();
        char* end = out + reasonBuffer_.size();
        out = AppendText(out, end, texts::kReasonFirstMeldPrefix);
        out = AppendNumber(out, end, minimum);
        out = AppendText(out, end, texts::kReasonFirstMeldMiddle);
        out = AppendNumber(out, end, total);
        out = AppendText(out, end, texts::kReasonFirstMeldSuffix);
        reason = std::string_view(reasonBuffer_.data(),
                                  static_cast<std::size_t>(out - reasonBuffer_.data()));
        return false;
    }

    for (int col = 3; col < kColumns; ++col) {
        const int n = counts.cards[static_cast<std::size_t>(col)];
        const int naturals = counts.naturals[static_cast<std::size_t>(col)];
        if (naturals < n - naturals) {
            reason = texts::kReasonTooManyWildcards;
            return false;
        }
    }

    const int blackThrees = counts.blackThrees;
    const int wildInThrees = counts.wildInThrees;
    const bool threesOk = handCount > 0
                              ? blackThrees == 0
                              : (blackThrees == 0 || blackThrees >= 3 ||
                                 (blackThrees == 2 && (wildInThrees == 1 || wildInThrees == 2)));
    if (!threesOk) {
        reason = texts::kReasonBlackThrees;
        return false;
    }

    const int wildColumn = counts.cards[kWildColumn];
    if (wildColumn != 0 && wildColumn < 7) {
        reason = texts::kReasonWildcardsAsVarenta;
        return false;
    }
    reason = {};
    return true;
}

bool VarentaEngine::ValidateMeldsWithTop(std::string_view& reason, int handCount) const {
    if (state_.pileTopMustMeld) {
        reason = texts::kReasonTopCard;
        return false;
    }
    return ValidateMelds(reason, handCount);
}

// ---- Varentas -----------------------------------------------------------------

void VarentaEngine::CheckVarenta(Side side, int column) {
    if (column < 1 || column >= kColumns || column == kThreesColumn) {
        return;
    }
    const CardPile& melds = MeldsOf(side);
    int n = 0;
    int naturals = 0;
    for (int i = 0; i < melds.count; ++i) {
        if (geometry_.ColumnOf(melds[i].x) == column) {
            ++n;
            naturals += IsNatural(melds[i]) ? 1 : 0;
        }
    }
    VarentaTally& tally = TallyOf(side);
    const auto col = static_cast<std::size_t>(column);
    const bool complete = n >= 7 && (naturals >= 4 || column == kWildColumn);
    if (!complete) {
        if (tally.kind[col] != kNoVarenta) {
            DissolveVarenta(side, column);
        }
        return;
    }
    VarentaKind kind = kMixedVarenta;
    if (column == kWildColumn) {
        kind = kWildVarenta;
    } else if (naturals == n) {
        kind = kNaturalVarenta;
    }
    // Counted once, when the column first becomes complete, however many cards
    // took it there; a column that stays complete is not counted again.
    if (tally.kind[col] == kNoVarenta) {
        ++tally.count;
        if (side == Side::Player) {
            port_->PlaySound(kind == kMixedVarenta ? texts::kSoundMixedVarenta
                                                   : texts::kSoundNaturalVarenta);
        }
    }
    tally.kind[col] = kind;
    tally.naturals[col] = static_cast<std::uint8_t>(naturals);
    SquareColumn(side, column, kind);
}

void VarentaEngine::SquareColumn(Side side, int column, VarentaKind kind) {
    CardPile& melds = MeldsOf(side);
    const int y =
        side == Side::Player ? geometry_.PlayerSquaredRow() : geometry_.OpponentSquaredRow();
    int last = -1;
    int lastBlack = -1;
    int lastRed = -1;
    for (int i = 0; i < melds.count; ++i) {
        Card& c = melds[i];
        if (geometry_.ColumnOf(c.x) != column) {
            continue;
        }
        c.y = y;
        last = i;
        if (IsNatural(c)) {
            if (IsBlackSuited(c.code)) {
                lastBlack = i;
            } else if (IsRedSuited(c.code)) {
                lastRed = i;
            }
        }
    }
    melds.columns[static_cast<std::size_t>(column)].y = y;
    // The card shown on top of the squared column tells the kind at a glance.
    int shown = -1;
    if (kind == kMixedVarenta) {
        shown = lastBlack >= 0 ? lastBlack : lastRed;
    } else if (kind == kNaturalVarenta) {
        shown = lastRed;
    }
    if (shown >= 0 && last >= 0 && shown != last) {
        std::swap(melds[shown], melds[last]);
    }
    port_->RepaintRect(geometry_.ColumnX(column), y - CardPile::kStep * 8, geometry_.cardWidth,
                       geometry_.cardHeight + CardPile::kStep * 16);
}

void VarentaEngine::DissolveVarenta(Side side, int column) {
    VarentaTally& tally = TallyOf(side);
    const auto col = static_cast<std::size_t>(column);
    --tally.count;
    tally.kind[col] = kNoVarenta;
    tally.naturals[col] = 0;
    CardPile& melds = MeldsOf(side);
    const bool player = side == Side::Player;
    const int row = player ? geometry_.playerMeldRow : geometry_.opponentMeldRow;
    const int step = player ? CardPile::kStep : -CardPile::kStep;
    int y = row;
    for (int i = 0; i < melds.count; ++i) {
        if (geometry_.ColumnOf(melds[i].x) == column) {
            y += step;
            melds[i].y = y;
        }
    }
    melds.columns[col].y = y;
    port_->RepaintRect(geometry_.ColumnX(column), player ? row : row - CardPile::kStep * 16,
                       geometry_.cardWidth, geometry_.cardHeight + CardPile::kStep * 16);
}

// ---- the discard pile ---------------------------------------------------------

bool VarentaEngine::PileFrozenFor(Side side) const {
    if (state_.pileFrozen) {
        return true;
    }
    if (rules_.initialBlock && rules_.initialBlockForBoth) {
        return side == Side::Player ? PlayerMeldValue() == 0 : state_.opponentMeldPoints == 0;
    }
    return false;
}

bool VarentaEngine::PlayerMayTakePile() const {
    const GameState& s = state_;
    if (s.discardPile.Empty()) {
        return false;
    }
    const int r = s.discardPile.Top().rank;
    if (r < 3) {
        return false; // a wild card or a three can never be taken
    }
    int h = 0;
    int w = 0;
    for (int i = 0; i < s.playerHand.count; ++i) {
        const int rank = s.playerHand[i].rank;
        h += rank == r ? 1 : 0;
        w += rank < 2 ? 1 : 0;
    }
    const int m = MeldColumnCount(Side::Player, r);
    const bool matching = (h == 1 && w >= 1 && !rules_.naturalPair) || h >= 2 || m >= 3;
    bool allowed = false;
    if (PileFrozenFor(Side::Player)) {
        allowed = h >= 2;
    } else if (rules_.addToVarenta) {
        allowed = matching;
    } else {
        allowed = matching && !(m >= 7 && h < 2);
    }
    if (allowed && m == 0) {
        const int cards = s.playerHand.count + s.discardPile.count;
        allowed = PlayerHasRequiredVarentas() ? cards > 0 : cards > 3;
    }
    return allowed;
}

} // namespace varenta
