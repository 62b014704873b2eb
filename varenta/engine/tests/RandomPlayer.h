#pragma once

#include "varenta/engine/VarentaEngine.h"
#include "varenta/engine/testing/StateAccess.h"

namespace varenta::testing {

// One player turn by a bot that tries many things, legal or not.
inline void RandomPlayerTurn(VarentaEngine& e, Random& r) {
    GameState& s = MutableState(e);
    const RuleSet& rules = e.Rules();
    if (!s.hasDrawn) {
        if (s.mayTakePile && e.PlayerMayTakePile() && r.Next(2) == 0) {
            e.PlayerTakePile();
        }
        for (int i = 0; i < 4 && !s.hasDrawn && !s.opponentToMove; ++i) {
            e.PlayerDraw();
        }
    }
    for (int step = 0; step < 6 && !s.opponentToMove && s.playerHand.count > 0; ++step) {
        const int i = r.Next(s.playerHand.count);
        switch (r.Next(8)) {
        case 0:
            e.MeldOne(i);
            break;
        case 1:
            e.MeldSeveral(i, MeldMode::Shift);
            break;
        case 2:
            e.MeldSeveral(i, MeldMode::Ctrl);
            break;
        case 3:
            e.AddWildCardToColumn(r.Next(kColumns));
            break;
        case 4:
            e.FillColumnWithWildCards(r.Next(kColumns));
            break;
        case 5:
            e.MeldWildCards(r.Next(2) == 0 ? MeldMode::Shift : MeldMode::Plain);
            break;
        case 6:
            e.UndoMeld();
            break;
        default:
            break;
        }
    }
    if (s.opponentToMove) {
        return;
    }
    if (s.topCardPending && r.Next(3) == 0) {
        e.PlayerTakePile(); // undo the take
        return;
    }
    if (rules.threeBlock && r.Next(10) == 0) {
        for (int i = 0; i < s.playerMelds.count; ++i) {
            if (IsRedThree(s.playerMelds[i])) {
                e.PlayerDiscardRedThree(i);
                break;
            }
        }
        if (s.opponentToMove) {
            return;
        }
    }
    if (s.playerHand.count > 0) {
        e.PlayerDiscard(r.Next(s.playerHand.count));
    }
    if (!s.opponentToMove) {
        e.UndoAll();
        if (s.topCardPending) {
            e.PlayerTakePile();
            return;
        }
        for (int i = 0; i < s.playerHand.count && !s.opponentToMove; ++i) {
            e.PlayerDiscard(i);
        }
    }
}

} // namespace varenta::testing
