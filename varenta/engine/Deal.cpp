// Starting games and hands: the shuffle, the deal, the up-card.
#include "varenta/engine/EngineScope.h"
#include "varenta/engine/Texts.h"
#include "varenta/engine/VarentaEngine.h"

namespace varenta {

namespace {

constexpr int kHandSize = 15;

// The card at position i of the build order: deck 1 then deck 2, each suit
// 0..3 with rank indexes 0..12, then the deck's two jokers.
Card BuildOrderCard(int i) {
    const int deck = i / 54;
    const int j = i % 54;
    return MakeCard(j < 52 ? j + 1 : kJokerCode, deck);
}

} // namespace

void VarentaEngine::StartProgram(std::uint64_t seed) {
    state_.playerScore = 0;
    state_.opponentScore = 0;
    random_.Seed(seed);
    state_.playerDrawsFirst = random_.NextReal() > 0.5;
}

void VarentaEngine::NewGame() {
    Scope scope(*this);
    state_.playerScore = 0;
    state_.opponentScore = 0;
    state_.gameInProgress = false;
    if (hook_ != nullptr) {
        hook_->GameStarted(*this);
    }
    DealHand(false);
}

void VarentaEngine::ResetHand() {
    GameState& s = state_;
    port_->SetRulesMenuHint(texts::kRulesHintAtDeal);
    s.undoList.Clear();
    port_->SetUndoEnabled(false);
    s.pileTopMustMeld = false;
    s.pileFrozen = port_->InitialBlockSetting(rules_.initialBlock);
    s.blackThreesAllowed = false;
    s.mayTakePile = true;
    s.opponentMeldPoints = 0;
    s.playerMeldedBefore = 0;
    s.opponentMeldedBefore = 0;
    s.stockDraws = 0;
    s.hasDrawn = false;
    s.topCardPending = false;
    s.pileTopRaisedMinimum = false;
    s.restocksThisHand = 0;
    s.opponentTopPending = false;
    s.playerVarentas.Clear();
    s.opponentVarentas.Clear();
    s.playerVarentasBackup.Clear();
    s.discardedRank.fill(0);
    for (CardPile* pile : {&s.stock, &s.discardPile, &s.playerHand, &s.opponentHand, &s.playerMelds,
                           &s.opponentMelds, &s.knownPlayerCards, &s.discardPileBackup,
                           &s.playerHandBackup, &s.playerMeldsBackup}) {
        pile->Clear();
    }
    AnchorPiles();
}

void VarentaEngine::AnchorPiles() {
    GameState& s = state_;
    const TableGeometry& g = geometry_;
    s.stock.SetAnchors(g.leftMargin, g.columnWidth, g.stockRow);
    s.discardPile.SetAnchors(g.leftMargin, g.columnWidth, g.discardRow);
    s.playerHand.SetAnchors(g.leftMargin, g.columnWidth, g.handRow);
    s.playerMelds.SetAnchors(g.leftMargin, g.columnWidth, g.playerMeldRow);
    s.opponentMelds.SetAnchors(g.leftMargin, g.columnWidth, g.opponentMeldRow);
}

void VarentaEngine::ShowTurnNoticeForDeal() {
    if (state_.playerDrawsFirst) {
        port_->ShowTurnNotice(texts::kTurnNoticePlayer);
    } else if (!networkGame_) {
        port_->ShowTurnNotice(texts::kTurnNoticeComputer);
    } else {
        std::string text(texts::kTurnNoticeRemotePrefix);
        text += opponentName_;
        text += texts::kTurnNoticeRemoteSuffix;
        port_->ShowTurnNotice(text);
    }
}

void VarentaEngine::FillStock(const std::array<std::uint8_t, kDeckSize>& slotOf) {
    CardPile& stock = state_.stock;
    stock.count = kDeckSize;
    for (int i = 0; i < kDeckSize; ++i) {
        Card c = BuildOrderCard(i);
        c.x = geometry_.leftMargin;
        c.y = geometry_.stockRow;
        c.faceUp = false;
        stock[slotOf[static_cast<std::size_t>(i)]] = c;
    }
    dealString_.assign(1, state_.playerDrawsFirst ? '1' : '0');
    for (int i = 0; i < kDeckSize; ++i) {
        dealString_.push_back(static_cast<char>(slotOf[static_cast<std::size_t>(i)] + 1));
    }
}

void VarentaEngine::DealHand(bool start) {
    Scope scope(*this);
    // Every deal shows the hourglass, also the one that follows a scored hand.
    port_->SetWaitCursor(true);
    port_->PlaySound(start ? texts::kSoundStart : texts::kSoundDeal);
    ShowTurnNoticeForDeal();
    ResetHand();

    // Every card draws a random free slot of the stock.
    std::array<std::uint8_t, kDeckSize> slotOf{};
    std::array<bool, kDeckSize> taken{};
    for (int i = 0; i < kDeckSize; ++i) {
        int slot = random_.Next(kDeckSize);
        while (taken[static_cast<std::size_t>(slot)]) {
            slot = random_.Next(kDeckSize);
        }
        taken[static_cast<std::size_t>(slot)] = true;
        slotOf[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(slot);
    }
    FillStock(slotOf);
    reporter_->Deal(dealString_);
    observer_->HandDealt(dealString_);

    DealToOpponent();
    DealToPlayer();
    TurnUpCard();
    FinishDeal(true);
    port_->SetWaitCursor(false);
}

bool VarentaEngine::ReceiveDeal(std::string_view dealString) {
    Scope scope(*this);
    if (dealString.size() != kDeckSize + 1 || (dealString[0] != '0' && dealString[0] != '1')) {
        return false;
    }
    std::array<std::uint8_t, kDeckSize> slotOf{};
    std::array<bool, kDeckSize> taken{};
    for (int i = 0; i < kDeckSize; ++i) {
        const int slot =
            static_cast<unsigned char>(dealString[static_cast<std::size_t>(i + 1)]) - 1;
        if (slot < 0 || slot >= kDeckSize || taken[static_cast<std::size_t>(slot)]) {
            return false; // not a permutation of the 108 slots
        }
        taken[static_cast<std::size_t>(slot)] = true;
        slotOf[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(slot);
    }
    state_.playerDrawsFirst = dealString[0] == '0';
    port_->PlaySound(texts::kSoundDeal);
    ShowTurnNoticeForDeal();
    ResetHand();
    FillStock(slotOf);
    observer_->HandDealt(dealString_);
    // The dealer dealt its opponent (this player) first.
    DealToPlayer();
    DealToOpponent();
    TurnUpCard();
    FinishDeal(false); // a received deal never starts the computer
    return true;
}

void VarentaEngine::DealToOpponent() {
    GameState& s = state_;
    while (s.opponentHand.count < kHandSize && !s.stock.Empty()) {
        Card c = s.stock.PopTop();
        if (IsRedThree(c)) {
            c.faceUp = true;
            s.opponentMelds.PlaceInColumn(c, false, false);
            s.opponentMelds.Append(c);
            continue;
        }
        c.x = geometry_.leftMargin + s.opponentHand.count * s.opponentHandSpacing;
        c.y = TableGeometry::kOpponentHandY;
        c.faceUp = s.opponentCardsShown;
        s.opponentHand.Append(c);
    }
}

void VarentaEngine::DealToPlayer() {
    GameState& s = state_;
    while (s.playerHand.count < kHandSize && !s.stock.Empty()) {
        Card c = s.stock.PopTop();
        c.faceUp = true;
        CardPile& target = IsRedThree(c) ? s.playerMelds : s.playerHand;
        target.PlaceInColumn(c, true, false);
        target.Append(c);
    }
}

void VarentaEngine::TurnUpCard() {
    GameState& s = state_;
    while (!s.stock.Empty()) {
        Card c = s.stock.PopTop();
        c.faceUp = true;
        c.x = geometry_.leftMargin;
        c.y = geometry_.discardRow;
        s.discardPile.Append(c);
        if (!IsWild(c) && !IsRedThree(c)) {
            break;
        }
        s.pileFrozen = true; // a wild card or red three was turned: the pile starts frozen
    }
}

void VarentaEngine::FinishDeal(bool mayStartComputer) {
    GameState& s = state_;
    s.initialMeldMinimum = MeldMinimum(s.playerScore);
    SaveUndoPoint();
    port_->RepaintTable();
    s.opponentToMove = !s.playerDrawsFirst;
    if (s.opponentToMove) {
        ShowHint(Hint::OpponentsTurn);
        if (mayStartComputer) {
            RequestComputerTurn();
        }
    } else {
        ShowHint(Hint::Draw);
    }
    s.playerDrawsFirst = !s.playerDrawsFirst;
}

} // namespace varenta
