// The player's meld actions and their undo.
#include "varenta/engine/EngineScope.h"
#include "varenta/engine/Texts.h"
#include "varenta/engine/VarentaEngine.h"

namespace varenta {

namespace {

int CountRankInHand(const CardPile& hand, int rank) {
    int n = 0;
    for (int i = 0; i < hand.count; ++i) {
        n += hand[i].rank == rank ? 1 : 0;
    }
    return n;
}

int CountBlackThrees(const CardPile& melds) {
    int n = 0;
    for (int i = 0; i < melds.count; ++i) {
        n += IsBlackThree(melds[i]) ? 1 : 0;
    }
    return n;
}

int CountWildInHand(const CardPile& hand) {
    int n = 0;
    for (int i = 0; i < hand.count; ++i) {
        n += IsWild(hand[i]) ? 1 : 0;
    }
    return n;
}

} // namespace

bool VarentaEngine::MeldCompletes(int column, int cardsAdded, int naturalsAdded) const {
    if (column < 1 || column >= kColumns || column == kThreesColumn ||
        ColumnIsVarenta(Side::Player, column)) {
        return false;
    }
    int n = cardsAdded;
    int naturals = naturalsAdded;
    const CardPile& melds = state_.playerMelds;
    for (int i = 0; i < melds.count; ++i) {
        if (geometry_.ColumnOf(melds[i].x) == column) {
            ++n;
            naturals += IsNatural(melds[i]) ? 1 : 0;
        }
    }
    return n >= 7 && (naturals >= 4 || column == kWildColumn);
}

bool VarentaEngine::WouldGoOutWithoutVarentas(int cardsLeaving, int column, int naturalsAdded,
                                              int cardsAdded) const {
    if (state_.playerHand.count - cardsLeaving > 0) {
        return false;
    }
    // While the rest of a taken pile is held back an empty hand is not going
    // out: the meld that completes the take brings the rest into the hand, and
    // until then the take can still be undone.
    if (state_.topCardPending && !state_.discardPile.Empty()) {
        return false;
    }
    const int varentas =
        state_.playerVarentas.count + (MeldCompletes(column, cardsAdded, naturalsAdded) ? 1 : 0);
    return varentas < rules_.numberOfVarentas;
}

bool VarentaEngine::BlackThreesAllowedNow() const {
    if (!PlayerHasRequiredVarentas()) {
        return false;
    }
    const CardPile& hand = state_.playerHand;
    const int w = CountWildInHand(hand);
    const int t = CountRankInHand(hand, 2);
    const int h = hand.count;
    if (!(w + t == h || w + t + 1 == h)) {
        return false;
    }
    return (w == 0 && t >= 3) || ((w == 1 || w == 2) && t >= 2);
}

bool VarentaEngine::BlackThreesRefused() {
    GameState& s = state_;
    if (!s.blackThreesAllowed) {
        s.blackThreesAllowed = BlackThreesAllowedNow();
    }
    if (!s.blackThreesAllowed) {
        ShowError(texts::kErrorBlackThrees);
        return true;
    }
    return false;
}

void VarentaEngine::LayHandCardOnMeld(int handIndex, int column) {
    GameState& s = state_;
    const Card& inHand = s.playerHand[handIndex];
    Card card = s.playerHand.RemoveAndUnplace(handIndex, inHand.rank, true, false);
    const int fromX = card.x;
    const int fromY = card.y;
    port_->RepaintRect(fromX, geometry_.handRow, geometry_.cardWidth,
                       geometry_.cardHeight + CardPile::kStep * 12);
    card.faceUp = true;
    s.playerMelds.PlaceInColumnAt(card, column, true, ColumnIsVarenta(Side::Player, column));
    port_->MoveCard(card, fromX, fromY, card.x, card.y, false);
    s.playerMelds.Append(card);
    Repaint(card);
    if (IsWild(card)) {
        reporter_->MeldWildCard(card.code, column);
    } else {
        reporter_->Meld(card.code);
    }
    RemoveKnownCard(card.code);
    s.undoList.Push(UndoEntry{card, geometry_.columnWidth});
    port_->SetUndoEnabled(true);
}

void VarentaEngine::FinishMeldAction(int column) {
    GameState& s = state_;
    CheckVarenta(Side::Player, column);
    CompletePileTake();
    std::string_view reason;
    if (s.playerHand.Empty() && !s.topCardPending && ValidateMeldsWithTop(reason)) {
        EndOfHandCheck();
    } else {
        CheckMustPass();
    }
}

bool VarentaEngine::AddWildCard(int column, bool runChecks, bool automatic) {
    const int index = FindWildInHand();
    if (index < 0) {
        return false;
    }
    if (WouldGoOutWithoutVarentas(1, column, 0, 1)) {
        if (!automatic) {
            ShowError(texts::kErrorNeedVarentas);
        }
        return false;
    }
    LayHandCardOnMeld(index, column);
    if (runChecks) {
        FinishMeldAction(column);
    }
    return true;
}

void VarentaEngine::AfterNaturalMeld(int rank) {
    GameState& s = state_;
    // A two-card meld is made legal at once with a wild card from the hand.
    bool wildAdded = false;
    if (CountRankInHand(s.playerHand, rank) == 0) {
        const int inColumn = rank == kThreesColumn ? CountBlackThrees(s.playerMelds)
                                                   : MeldColumnCount(Side::Player, rank);
        const bool worthIt = s.playerHand.count >= 2 || PlayerHasRequiredVarentas() ||
                             (s.pileTopMustMeld && !s.discardPile.Empty());
        if (inColumn == 2 && worthIt) {
            wildAdded = AddWildCard(rank, true, true);
        }
    }
    if (!wildAdded) {
        FinishMeldAction(rank);
    }
}

void VarentaEngine::MeldOne(int handIndex) {
    Scope scope(*this);
    GameState& s = state_;
    if (!PlayerMayAct() || handIndex < 0 || handIndex >= s.playerHand.count) {
        return;
    }
    if (IsWild(s.playerHand[handIndex])) {
        MeldWildCards(MeldMode::Plain);
        return;
    }
    if (!s.hasDrawn) {
        ShowError(texts::kErrorMeldBeforeDraw);
        return;
    }
    const int rank = s.playerHand[handIndex].rank;
    if (IsBlackThree(s.playerHand[handIndex]) && BlackThreesRefused()) {
        return;
    }
    if (WouldGoOutWithoutVarentas(1, rank, 1, 1)) {
        ShowError(texts::kErrorNeedVarentas);
        return;
    }
    LayHandCardOnMeld(handIndex, rank);
    AfterNaturalMeld(rank);
}

void VarentaEngine::MeldSeveral(int handIndex, MeldMode mode) {
    Scope scope(*this);
    GameState& s = state_;
    if (!PlayerMayAct() || handIndex < 0 || handIndex >= s.playerHand.count) {
        return;
    }
    if (mode == MeldMode::Plain) {
        MeldOne(handIndex);
        return;
    }
    if (IsWild(s.playerHand[handIndex])) {
        MeldWildCards(mode);
        return;
    }
    if (!s.hasDrawn) {
        ShowError(texts::kErrorMeldBeforeDraw);
        return;
    }
    const Card clicked = s.playerHand[handIndex];
    const int rank = clicked.rank;
    const int inHand = CountRankInHand(s.playerHand, rank);
    // The red threes lying in the threes column are no part of a black-three meld.
    const int onTable = rank == kThreesColumn ? CountBlackThrees(s.playerMelds)
                                              : MeldColumnCount(Side::Player, rank);
    int n = mode == MeldMode::Shift ? inHand : 3 - onTable;
    if (n > inHand) {
        n = inHand;
    }
    // One card stays to discard, unless these cards complete the Varenta
    // that lets the player go out.
    if (n == s.playerHand.count && WouldGoOutWithoutVarentas(n, rank, n, n)) {
        --n;
    }
    if (n <= 0) {
        return;
    }
    // Several black threes at once face the same check as one.
    if (IsBlackThree(clicked) && BlackThreesRefused()) {
        return;
    }
    LayHandCardOnMeld(handIndex, rank);
    for (int moved = 1; moved < n; ++moved) {
        int next = -1;
        for (int i = s.playerHand.count - 1; i >= 0; --i) {
            if (s.playerHand[i].rank == rank) {
                next = i;
                break;
            }
        }
        if (next < 0) {
            break;
        }
        LayHandCardOnMeld(next, rank);
    }
    AfterNaturalMeld(rank);
}

void VarentaEngine::AddWildCards(int column, int n) {
    for (int i = 0; i < n; ++i) {
        AddWildCard(column, false, false);
    }
    FinishMeldAction(column);
}

void VarentaEngine::MeldWildCards(MeldMode mode) {
    Scope scope(*this);
    GameState& s = state_;
    if (!PlayerMayAct()) {
        return;
    }
    if (!s.hasDrawn) {
        ShowError(texts::kErrorMeldBeforeDraw);
        return;
    }
    const int wild = CountWildInHand(s.playerHand);
    const int inColumn = MeldColumnCount(Side::Player, kWildColumn);
    if (wild + inColumn < 7) {
        ShowError(texts::kErrorSevenWildcards);
        return;
    }
    int n = 1;
    if (mode == MeldMode::Shift) {
        n = 7 - inColumn;
    } else if (mode == MeldMode::Ctrl) {
        n = 3 - inColumn;
    }
    if (n > wild) {
        n = wild;
    }
    if (n <= 0) {
        return;
    }
    if (WouldGoOutWithoutVarentas(n, kWildColumn, 0, n)) {
        ShowError(texts::kErrorNeedVarentas);
        return;
    }
    AddWildCards(kWildColumn, n);
}

void VarentaEngine::AddWildCardToColumn(int column) {
    Scope scope(*this);
    GameState& s = state_;
    // The threes column takes wild cards only with its black threes (automatically).
    if (!PlayerMayAct() || column < 1 || column >= kColumns || column == kThreesColumn) {
        return;
    }
    if (!s.hasDrawn) {
        ShowError(texts::kErrorMeldBeforeDraw);
        return;
    }
    const int inColumn = MeldColumnCount(Side::Player, column);
    if (inColumn == 0) {
        return;
    }
    if (s.playerHand.count < 2 && !PlayerHasRequiredVarentas() && inColumn != 6) {
        return;
    }
    AddWildCard(column, true, false);
}

void VarentaEngine::FillColumnWithWildCards(int column) {
    Scope scope(*this);
    GameState& s = state_;
    // Red threes take no wild cards, as with a plain click on their column.
    if (!PlayerMayAct() || column < 1 || column >= kColumns || column == kThreesColumn) {
        return;
    }
    if (!s.hasDrawn) {
        ShowError(texts::kErrorMeldBeforeDraw);
        return;
    }
    const int inColumn = MeldColumnCount(Side::Player, column);
    if (inColumn < 4 || inColumn > 6 || inColumn + CountWildInHand(s.playerHand) < 7) {
        return;
    }
    const int n = 7 - inColumn;
    if (WouldGoOutWithoutVarentas(n, column, 0, n)) {
        ShowError(texts::kErrorNeedVarentas);
        return;
    }
    AddWildCards(column, n);
}

void VarentaEngine::UndoMeld() {
    Scope scope(*this);
    GameState& s = state_;
    if (!PlayerMayAct() || undoRunning_ || s.undoList.Empty()) {
        return;
    }
    undoRunning_ = true;
    const UndoEntry entry = s.undoList.Pop();
    const int width = entry.columnWidth > 0 ? entry.columnWidth : geometry_.columnWidth;
    const int column = (entry.card.x - geometry_.leftMargin) / width;
    // The newest card of that code in that column; two decks mean two of each.
    int index = -1;
    for (int i = s.playerMelds.count - 1; i >= 0; --i) {
        if (s.playerMelds[i].code == entry.card.code &&
            geometry_.ColumnOf(s.playerMelds[i].x) == column) {
            index = i;
            break;
        }
    }
    if (index >= 0) {
        const bool squared = ColumnIsVarenta(Side::Player, column);
        Card card = s.playerMelds.RemoveAndUnplace(index, column, true, squared);
        const int fromX = card.x;
        const int fromY = card.y;
        Repaint(card);
        CheckVarenta(Side::Player, column); // a Varenta that fell below seven dissolves
        s.playerHand.PlaceInColumn(card, true, false);
        port_->MoveCard(card, fromX, fromY, card.x, card.y, false);
        s.playerHand.Append(card);
        Repaint(card);
        s.knownPlayerCards.Append(card);
        reporter_->Undo(column, card.code);
    }
    if (s.undoList.Empty()) {
        port_->SetUndoEnabled(false);
    }
    undoRunning_ = false;
}

void VarentaEngine::UndoAll() {
    Scope scope(*this);
    while (PlayerMayAct() && !state_.undoList.Empty()) {
        UndoMeld();
    }
}

} // namespace varenta
