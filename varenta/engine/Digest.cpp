// A fingerprint of the game that two network tables compare to learn that
// they still hold the same game with the seats swapped. Only what both
// tables must agree on goes in: card positions differ with the layout, and
// the order of a hand differs with how its cards arrived, so hands and melds
// count as sorted lists of card codes.
#include "varenta/engine/VarentaEngine.h"

#include <algorithm>
#include <array>

namespace varenta {

namespace {

class Fnv1a {
public:
    void Add(std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            hash_ ^= (value >> (8 * i)) & 0xFFu;
            hash_ *= 0x100000001B3ull;
        }
    }
    void AddInOrder(const CardPile& pile) {
        Add(static_cast<std::uint32_t>(pile.Size()));
        for (int i = 0; i < pile.Size(); ++i) {
            Add(static_cast<std::uint32_t>(pile[i].code));
        }
    }
    std::uint64_t Value() const { return hash_; }

private:
    std::uint64_t hash_ = 0xCBF29CE484222325ull;
};

// The codes of a pile sorted, each with its meld column when columns count.
void AddSorted(Fnv1a& hash, const CardPile& pile, const TableGeometry* columns) {
    std::array<std::uint32_t, kDeckSize> keys{};
    const auto n = static_cast<std::size_t>(pile.Size());
    for (std::size_t i = 0; i < n; ++i) {
        const Card& card = pile[static_cast<int>(i)];
        const auto column =
            columns != nullptr ? static_cast<std::uint32_t>(columns->ColumnOf(card.x)) : 0u;
        keys[i] = column << 8 | static_cast<std::uint32_t>(card.code);
    }
    std::sort(keys.begin(), keys.begin() + static_cast<std::ptrdiff_t>(n));
    hash.Add(static_cast<std::uint32_t>(n));
    for (std::size_t i = 0; i < n; ++i) {
        hash.Add(keys[i]);
    }
}

void AddTally(Fnv1a& hash, const VarentaTally& tally) {
    hash.Add(static_cast<std::uint32_t>(tally.count));
    for (const std::uint8_t kind : tally.kind) {
        hash.Add(kind);
    }
}

} // namespace

std::uint64_t VarentaEngine::GameDigest(bool mirrored, bool withScores, bool withTurn) const {
    const GameState& s = state_;
    const Side first = mirrored ? Side::Opponent : Side::Player;
    const Side second = mirrored ? Side::Player : Side::Opponent;
    Fnv1a hash;
    hash.AddInOrder(s.stock);
    hash.AddInOrder(s.discardPile);
    hash.Add(s.pileFrozen ? 1u : 0u);
    for (const Side side : {first, second}) {
        AddSorted(hash, side == Side::Player ? s.playerHand : s.opponentHand, nullptr);
        AddSorted(hash, MeldsOf(side), &geometry_);
        AddTally(hash, TallyOf(side));
    }
    if (withScores) {
        const std::int32_t mine = mirrored ? s.opponentScore : s.playerScore;
        const std::int32_t theirs = mirrored ? s.playerScore : s.opponentScore;
        hash.Add(static_cast<std::uint32_t>(mine));
        hash.Add(static_cast<std::uint32_t>(theirs));
    }
    if (withTurn) {
        hash.Add(s.opponentToMove != mirrored ? 1u : 0u);
    }
    return hash.Value();
}

} // namespace varenta
