#include "varenta/engine/VarentaEngine.h"

#include <charconv>

#include "varenta/engine/EngineScope.h"
#include "varenta/engine/Texts.h"

namespace varenta {

VarentaEngine::VarentaEngine() {
    geometry_ = TableGeometry::ForLayout(0);
    dealString_.reserve(kDeckSize + 1);
    opponentName_.reserve(256);
    playerName_.reserve(256);
}

void VarentaEngine::SetPort(VarentaPort* port) {
    port_ = port ? port : &defaultPort_;
}
void VarentaEngine::SetReporter(MoveReporter* reporter) {
    reporter_ = reporter ? reporter : &defaultReporter_;
}
void VarentaEngine::SetObserver(TableObserver* observer) {
    observer_ = observer ? observer : &defaultObserver_;
}
void VarentaEngine::SetComputerHook(ComputerTurnHook* hook) {
    hook_ = hook;
}

void VarentaEngine::SetRules(const RuleSet& rules) {
    const bool blockChanged = rules.initialBlock != rules_.initialBlock;
    rules_ = rules;
    if (blockChanged) {
        state_.pileFrozen = rules_.initialBlock;
        port_->RepaintTable();
    }
}

void VarentaEngine::SetComputerOpponent() {
    networkGame_ = false;
    opponentName_.clear();
}

void VarentaEngine::SetNetworkOpponent(std::string_view partnerNickname) {
    networkGame_ = true;
    opponentName_.assign(partnerNickname.substr(0, 255));
}

// ---- computer turns ---------------------------------------------------------

void VarentaEngine::RequestComputerTurn() {
    if (!networkGame_) {
        computerTurnPending_ = true;
    }
}

void VarentaEngine::RunPendingComputerTurns() {
    if (computerTurnRunning_) {
        return;
    }
    computerTurnRunning_ = true;
    while (computerTurnPending_ && !programEnded_) {
        computerTurnPending_ = false;
        if (hook_ != nullptr && !networkGame_) {
            Scope scope(*this);
            hook_->ComputerTurn(*this);
        }
    }
    computerTurnPending_ = false;
    computerTurnRunning_ = false;
}

// ---- geometry ---------------------------------------------------------------

namespace {

void CarryPile(CardPile& pile, const TableGeometry& from, const TableGeometry& to, int fromRow,
               int toRow) {
    for (int i = 0; i < pile.count; ++i) {
        Card& c = pile[i];
        c.x = from.ColumnOf(c.x) * to.columnWidth + to.leftMargin;
        c.y = ((c.y - fromRow) / CardPile::kStep) * CardPile::kStep + toRow;
    }
    for (int col = 0; col < kColumns; ++col) {
        ColumnAnchor& a = pile.columns[static_cast<std::size_t>(col)];
        a.x = col * to.columnWidth + to.leftMargin;
        a.y = ((a.y - fromRow) / CardPile::kStep) * CardPile::kStep + toRow;
    }
}

void CarryFlat(CardPile& pile, const TableGeometry& to, int row) {
    for (int i = 0; i < pile.count; ++i) {
        pile[i].x = to.leftMargin;
        pile[i].y = row;
    }
}

} // namespace

void VarentaEngine::ChangeGeometry(const TableGeometry& geometry) {
    const TableGeometry from = geometry_;
    const TableGeometry& to = geometry;
    GameState& s = state_;
    CarryPile(s.playerHand, from, to, from.handRow, to.handRow);
    CarryPile(s.playerHandBackup, from, to, from.handRow, to.handRow);
    CarryPile(s.playerMelds, from, to, from.playerMeldRow, to.playerMeldRow);
    CarryPile(s.playerMeldsBackup, from, to, from.playerMeldRow, to.playerMeldRow);
    CarryPile(s.opponentMelds, from, to, from.opponentMeldRow, to.opponentMeldRow);
    CarryFlat(s.stock, to, to.stockRow);
    CarryFlat(s.discardPile, to, to.discardRow);
    CarryFlat(s.discardPileBackup, to, to.discardRow);
    s.pileTopCard.x = from.ColumnOf(s.pileTopCard.x) * to.columnWidth + to.leftMargin;
    s.pileTopCard.y = ((s.pileTopCard.y - from.playerMeldRow) / CardPile::kStep) * CardPile::kStep +
                      to.playerMeldRow;
    geometry_ = geometry;
    port_->RepaintTable();
}

// ---- small helpers ----------------------------------------------------------

void VarentaEngine::ShowHint(Hint hint) {
    port_->ShowHint(hint);
}

void VarentaEngine::ShowError(int index, std::string_view reason) {
    port_->ShowError(index, reason);
}

std::string VarentaEngine::DiscardErrorText(std::string_view reason) {
    std::string text(texts::kErrors[texts::kErrorDiscardNotPossible]);
    text += reason;
    return text;
}

void VarentaEngine::Repaint(const Card& c) {
    port_->RepaintRect(c.x, c.y, geometry_.cardWidth, geometry_.cardHeight);
}

void VarentaEngine::SaveUndoPoint() {
    state_.playerHandBackup = state_.playerHand;
    state_.playerMeldsBackup = state_.playerMelds;
    state_.playerVarentasBackup = state_.playerVarentas;
    state_.discardPileBackup = state_.discardPile;
}

void VarentaEngine::RestoreUndoPoint() {
    state_.playerHand = state_.playerHandBackup;
    state_.playerMelds = state_.playerMeldsBackup;
    state_.playerVarentas = state_.playerVarentasBackup;
    state_.discardPile = state_.discardPileBackup;
}

void VarentaEngine::LayOnPile(Card card, int fromX, int fromY) {
    card.faceUp = true;
    card.x = geometry_.leftMargin;
    card.y = geometry_.discardRow;
    port_->MoveCard(card, fromX, fromY, card.x, card.y, false);
    state_.discardPile.Append(card);
    Repaint(card);
}

void VarentaEngine::RemoveKnownCard(int code) {
    const int i = state_.knownPlayerCards.FindByCode(code);
    if (i >= 0) {
        state_.knownPlayerCards.RemoveAt(i);
    }
}

int VarentaEngine::FindWildInHand() const {
    const CardPile& hand = state_.playerHand;
    int two = -1;
    for (int i = 0; i < hand.count; ++i) {
        if (hand[i].rank == 0) {
            return i;
        }
        if (hand[i].rank == 1 && two < 0) {
            two = i;
        }
    }
    return two;
}

bool VarentaEngine::ColumnIsVarenta(Side side, int column) const {
    return column >= 0 && column < kColumns &&
           TallyOf(side).kind[static_cast<std::size_t>(column)] != kNoVarenta;
}

int VarentaEngine::MeldColumnCount(Side side, int column) const {
    const CardPile& melds = MeldsOf(side);
    int n = 0;
    for (int i = 0; i < melds.count; ++i) {
        if (geometry_.ColumnOf(melds[i].x) == column) {
            ++n;
        }
    }
    return n;
}

int VarentaEngine::MeldMinimum(int score) {
    if (score < 0) {
        return 15;
    }
    if (score < 1500) {
        return 50;
    }
    if (score < 3000) {
        return 90;
    }
    return 120;
}

int VarentaEngine::PlayerMeldValue() const {
    std::array<int, kColumns> count{};
    std::array<int, kColumns> points{};
    const CardPile& melds = state_.playerMelds;
    for (int i = 0; i < melds.count; ++i) {
        const int col = geometry_.ColumnOf(melds[i].x);
        if (col < 1 || col >= kColumns) {
            continue;
        }
        ++count[static_cast<std::size_t>(col)];
        if (!IsRedThree(melds[i])) {
            points[static_cast<std::size_t>(col)] += melds[i].points;
        }
    }
    int value = 0;
    for (int col = 1; col < kColumns; ++col) {
        if (count[static_cast<std::size_t>(col)] >= 3) {
            value += points[static_cast<std::size_t>(col)];
        }
    }
    return value;
}

void VarentaEngine::FatalOpponentError() {
    port_->ShowMessage(MessageKind::Error, texts::kErrorRemovingOpponentCard);
    programEnded_ = true;
    port_->EndProgram();
}

void VarentaEngine::ToggleOpponentCards() {
    if (networkGame_) {
        port_->ShowMessage(MessageKind::Information, texts::kNoCheating);
        return;
    }
    GameState& s = state_;
    const int oldSpacing = s.opponentHandSpacing > 0 ? s.opponentHandSpacing : 10;
    s.opponentCardsShown = !s.opponentCardsShown;
    s.opponentHandSpacing = s.opponentCardsShown ? TableGeometry::kOpponentSpacingShown
                                                 : TableGeometry::kOpponentSpacingHidden;
    for (int i = 0; i < s.opponentHand.count; ++i) {
        Card& c = s.opponentHand[i];
        c.faceUp = !c.faceUp;
        c.x = geometry_.leftMargin +
              ((c.x - geometry_.leftMargin) / oldSpacing) * s.opponentHandSpacing;
    }
    port_->RepaintRect(0, 0, geometry_.tableWidth,
                       TableGeometry::kOpponentHandY + geometry_.cardHeight);
}

} // namespace varenta
