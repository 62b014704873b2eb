// The player's mouse and keyboard on the table window: hit test, clicks,
// the right-click count, the keyboard modes.
#include "varenta/table/TableWindow.h"

#include "varenta/table/TableStatusBar.h"
#include "varenta/table/TableView.h"

namespace varenta {

namespace {

// The rank keys of the keyboard modes and their table columns.
int ColumnOfRankKey(int key) {
    if (key >= Qt::Key_2 && key <= Qt::Key_9) {
        return key - Qt::Key_2 + 1;
    }
    switch (key) {
    case Qt::Key_0:
        return 9;
    case Qt::Key_J:
        return 10;
    case Qt::Key_Q:
        return 11;
    case Qt::Key_K:
        return 12;
    case Qt::Key_A:
        return 13;
    case Qt::Key_W:
        return 0;
    default:
        return -1;
    }
}

MeldMode ModeOf(Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::ShiftModifier) {
        return MeldMode::Shift;
    }
    if (modifiers & Qt::ControlModifier) {
        return MeldMode::Ctrl;
    }
    return MeldMode::Plain;
}

} // namespace

// ---- input ------------------------------------------------------------------

Hit TableWindow::HitTestAt(int x, int y) {
    const Hit hit = HitTest(engine_.State(), engine_.Geometry(), x, y);
    if (hit.region == HitRegion::Stock || hit.region == HitRegion::Pile ||
        hit.region == HitRegion::HandNatural) {
        engine_.MarkGameInProgress();
    }
    return hit;
}

void TableWindow::FormMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x,
                              int y) {
    // Clicks while the opponent moves, or while a move of ours is still being
    // shown, are ignored without a message.
    if (!started_ || depth_ > 0 || closePending_ || engine_.State().opponentToMove) {
        return;
    }
    if (button != Qt::LeftButton && button != Qt::RightButton) {
        return;
    }
    const Hit hit = HitTestAt(x, y);
    RunEngine([&] {
        if (button == Qt::LeftButton) {
            LeftClick(hit, modifiers);
        } else {
            RightClick(hit);
        }
    });
}

void TableWindow::LeftClick(const Hit& hit, Qt::KeyboardModifiers modifiers) {
    const GameState& s = engine_.State();
    switch (hit.region) {
    case HitRegion::Stock:
        engine_.PlayerDraw();
        break;
    case HitRegion::Pile:
        engine_.PlayerTakePile();
        break;
    case HitRegion::HandNatural:
        if (ModeOf(modifiers) == MeldMode::Plain) {
            engine_.MeldOne(hit.index);
        } else {
            engine_.MeldSeveral(hit.index, ModeOf(modifiers));
        }
        break;
    case HitRegion::HandWild:
        engine_.MeldWildCards(ModeOf(modifiers));
        break;
    case HitRegion::MeldCard: {
        const int column = engine_.Geometry().ColumnOf(s.playerMelds[hit.index].x);
        if (modifiers & Qt::ShiftModifier) {
            engine_.FillColumnWithWildCards(column);
        } else {
            engine_.AddWildCardToColumn(column);
        }
        break;
    }
    case HitRegion::ThreesCard:
    case HitRegion::Nothing:
        break;
    }
}

void TableWindow::RightClick(const Hit& hit) {
    switch (hit.region) {
    case HitRegion::HandNatural:
    case HitRegion::HandWild:
        DiscardRequest(hit.index);
        break;
    case HitRegion::ThreesCard:
        if (engine_.Rules().threeBlock && IsRedThree(engine_.State().playerMelds[hit.index])) {
            engine_.PlayerDiscardRedThree(hit.index);
        }
        break;
    default:
        break;
    }
}

void TableWindow::DiscardRequest(int handIndex) {
    const Card& card = engine_.State().playerHand[handIndex];
    // The remembered card is compared by what it is and where it lies, not
    // only by its index: after a meld or a discard the same index may hold
    // another card, which must not be discarded by a single click.
    const bool same = rightClicked_.index == handIndex && rightClicked_.card == card;
    if (!same) {
        rightClicked_ = {handIndex, card};
        rightCount_ = 0;
    } else if (rightCount_ < mouseOption_) {
        ++rightCount_;
    }
    if (rightCount_ == mouseOption_) {
        // The card stays remembered: should the discard be refused, the next
        // right click on it tries again.
        rightCount_ = 0;
        engine_.PlayerDiscard(handIndex);
    }
}

bool TableWindow::FormKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    if (!started_ || depth_ > 0 || closePending_) {
        return false;
    }
    const TableGeometry& g = engine_.Geometry();
    const bool ctrl = modifiers & Qt::ControlModifier;
    switch (key) {
    case Qt::Key_F6:
        FormMouseUp(Qt::LeftButton, Qt::NoModifier, g.leftMargin + 1, g.stockRow + 1);
        return true;
    case Qt::Key_F7:
        FormMouseUp(Qt::LeftButton, Qt::NoModifier, g.leftMargin + 1, g.discardRow + 1);
        return true;
    case Qt::Key_F8:
        mode_ = KeyboardMode::Meld;
        ShowHint(Hint::MeldMode);
        return true;
    case Qt::Key_F10:
        mode_ = KeyboardMode::Discard;
        ShowHint(Hint::DiscardMode);
        return true;
    case Qt::Key_F9:
        mode_ = KeyboardMode::WildCard;
        ShowHint(Hint::WildMode);
        return true;
    case Qt::Key_Escape:
        ShowHint(Hint::MeldOrDiscard);
        return true;
    case Qt::Key_F11:
        if (ctrl) {
            ToggleOpponentCards();
            return true;
        }
        return false;
    default:
        return RankKey(key);
    }
}

bool TableWindow::RankKey(int key) {
    if (currentHint_ != Hint::MeldMode && currentHint_ != Hint::DiscardMode &&
        currentHint_ != Hint::WildMode) {
        return false;
    }
    const int column = ColumnOfRankKey(key);
    if (column < 0) {
        return false;
    }
    const TableGeometry& g = engine_.Geometry();
    const int x = g.ColumnX(column);
    const Hint modeHint = currentHint_;
    switch (mode_) {
    case KeyboardMode::Meld:
        FormMouseUp(Qt::LeftButton, Qt::NoModifier, x, g.handRow + CardPile::kStep);
        break;
    case KeyboardMode::Discard:
        FormMouseUp(Qt::RightButton, Qt::NoModifier, x, g.handRow + CardPile::kStep);
        break;
    case KeyboardMode::WildCard:
        FormMouseUp(Qt::LeftButton, Qt::NoModifier, x, g.playerMeldRow + CardPile::kStep);
        break;
    }
    if (!status_->LineIsError() && !engine_.State().opponentToMove && !closePending_) {
        ShowHint(modeHint);
    }
    return true;
}

void TableWindow::ToggleOpponentCards() {
    // In a network game the engine refuses with "Sorry, no cheating allowed...".
    RunEngine([this] { engine_.ToggleOpponentCards(); });
    view_->update();
}

} // namespace varenta
