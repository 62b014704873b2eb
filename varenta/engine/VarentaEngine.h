#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "varenta/engine/ColumnTally.h"
#include "varenta/engine/GameState.h"
#include "varenta/engine/MoveReporter.h"
#include "varenta/engine/Random.h"
#include "varenta/engine/Results.h"
#include "varenta/engine/RuleSet.h"
#include "varenta/engine/SavedPosition.h"
#include "varenta/engine/TableGeometry.h"
#include "varenta/engine/VarentaPort.h"

namespace varenta {

namespace testing {
class StateAccess;
} // namespace testing

enum class Side { Player, Opponent };

// Shift + click melds every card of the rank (or fills to seven), Ctrl + click
// as many as the column needs to reach three.
enum class MeldMode { Plain, Shift, Ctrl };

// The Varenta game: the one GameState with its rules, random generator and
// geometry, and every operation of the game. What it shows goes through the
// port, the player's moves through the move reporter, the computer's turn
// through the hook. No Qt, no files, no global state; nothing is allocated per
// move.
class VarentaEngine {
public:
    VarentaEngine();
    VarentaEngine(const VarentaEngine&) = delete;
    VarentaEngine& operator=(const VarentaEngine&) = delete;

    // ---- wiring -----------------------------------------------------------
    // None of these takes ownership; nullptr restores the silent default.
    void SetPort(VarentaPort* port);
    void SetReporter(MoveReporter* reporter);
    void SetObserver(TableObserver* observer);
    void SetComputerHook(ComputerTurnHook* hook);
    VarentaPort& Port() { return *port_; }

    // The game is read here and changed only through the operations below.
    const GameState& State() const { return state_; }
    const RuleSet& Rules() const { return rules_; }
    // Takes new rules; when Initial Block changed the pile takes its new value.
    void SetRules(const RuleSet& rules);
    Random& Rng() { return random_; }
    const Random& Rng() const { return random_; }
    const TableGeometry& Geometry() const { return geometry_; }
    // Uses a new geometry without moving any card (before the first deal).
    void SetGeometry(const TableGeometry& geometry) { geometry_ = geometry; }
    // Uses a new geometry and carries every card and anchor over to it: same
    // column, same 12-pixel step of its row.
    void ChangeGeometry(const TableGeometry& geometry);
    // Lays the column anchors of the stock, the pile, the player's hand and
    // both meld areas out for the current geometry (part of every deal).
    void AnchorPiles();

    // Opponent identity: the computer (default) or a remote player's name.
    void SetComputerOpponent();
    void SetNetworkOpponent(std::string_view partnerNickname);
    bool IsNetworkGame() const { return networkGame_; }
    // In a network game the side that lost the hand waits for the other's
    // deal; after a level hand only one side may deal, or both would. The
    // listening side says true, the connecting side false.
    void SetDealsLevelHands(bool deals) { dealsLevelHands_ = deals; }
    const std::string& OpponentName() const { return opponentName_; }
    // The current player's name; empty when no player is chosen ("Player").
    void SetPlayerName(std::string_view name) { playerName_ = std::string(name); }

    // ---- game flow ----------------------------------------------------------
    // Table creation: scores to 0, seeds the generator and decides by a random
    // real whether the player draws first in the first hand.
    void StartProgram(std::uint64_t seed);
    // Game | New: scores to 0, gameInProgress off, deal.
    void NewGame();
    // Shuffles and deals a hand; start is set only for the program's first hand.
    void DealHand(bool start);
    // Network deal: rebuilds the dealer's stock from the deal string and deals
    // with the seats swapped. Refuses (false, nothing changed) a malformed string.
    bool ReceiveDeal(std::string_view dealString);
    // A fingerprint of the game as both network tables must hold it: the
    // stock and the pile in order, each side's hand and melds (by column)
    // and its Varentas, with the game totals and whose turn it is when asked.
    // `mirrored` swaps the two sides: it is how the other table sees this one.
    std::uint64_t GameDigest(bool mirrored, bool withScores, bool withTurn) const;
    // Puts a saved game on the table: its stored fields replace the current
    // ones, positions are carried to the current layout, the undo list is
    // emptied, the hint of the turn shown and the table repainted. The player
    // is on turn.
    void LoadPosition(const SavedPosition& position);
    // A network game kept over a lost connection, put back after a restart:
    // as LoadPosition, and the turn goes on where it stood (the partner's
    // turn stays the partner's), with the turn's bookkeeping the saved-game
    // text does not hold. Only the player's undo list starts afresh.
    void LoadNetworkPosition(const SavedPosition& position);
    // A network game whose partner is gone goes on against the computer:
    // the table is the computer's opponent side again. `partnersTurnStart`
    // (when the partner had begun a turn) is the table before that turn,
    // which the computer then plays from its start; `deal` deals the next
    // hand when that was what the table waited for.
    void GoOnAgainstComputer(const GameState* partnersTurnStart, bool deal);
    // The connecting side of a network game before the partner's first deal:
    // scores to 0, no game in progress, and no card action of its own until
    // the deal comes.
    void AwaitPartnerDeal();
    // Makes this engine a private copy of another one's table: its rules,
    // geometry, game and random state (the computer tries its steps on one).
    void CopyTableFrom(const VarentaEngine& other);
    // A click on the stock, a card or the pile locks the rules for this game.
    void MarkGameInProgress() { state_.gameInProgress = true; }
    // True once the player declined another game or a fatal error happened.
    bool ProgramEnded() const { return programEnded_; }

    // ---- the player's operations (all ignored while opponentToMove) -------
    // Click on the stock: draws one card (red threes go to the melds).
    void PlayerDraw();
    // Click on the pile: takes it, or undoes a pending take.
    void PlayerTakePile();
    // Right click on a hand card: discards it and passes the turn.
    void PlayerDiscard(int handIndex);
    // Right click on one of the player's red threes on the table (Three Block).
    void PlayerDiscardRedThree(int meldIndex);
    // Left click on a natural hand card: melds it.
    void MeldOne(int handIndex);
    // Shift/Ctrl + left click on a natural hand card.
    void MeldSeveral(int handIndex, MeldMode mode);
    // Left click on a wild hand card: wild cards to the wild-card column.
    void MeldWildCards(MeldMode mode);
    // Left click on a meld column: one wild card onto it.
    void AddWildCardToColumn(int column);
    // Shift + left click on a meld column of four to six cards: fill to seven.
    void FillColumnWithWildCards(int column);
    // Game | Undo Meld: takes the newest melded card of this turn back.
    void UndoMeld();
    // Game | Undo All: takes every meld of this turn back.
    void UndoAll();
    // Closing in the middle of a turn whose melds are not finished: a pending
    // take of the pile is undone (without the undo's charge, which is the
    // player's choice, not this) and every meld of the turn taken back, so
    // what is kept is the last position the rules accept. Not in a network
    // game, whose partner would have to follow.
    void TakeBackTurn();
    // Ctrl + F11: turns the opponent's cards over and changes their spacing.
    void ToggleOpponentCards();

    // ---- the opponent's side (computer player and network play) ---------
    // Start of the opponent's turn: opponentToMove, playerMeldedBefore.
    void BeginOpponentTurn();
    // End of the opponent's turn: end-of-hand test; if the hand goes on,
    // opponentMeldedBefore, opponentToMove off and hint 0. Returns whether the
    // hand goes on.
    bool FinishOpponentTurn();
    // Lays the card at the right end of the opponent's hand row.
    void AddToOpponentHand(Card card, bool animate);
    // Takes a card out of the opponent's hand, closing the gap. An index
    // outside the hand is a fatal error (message box, program ends) and
    // returns a card with code 0.
    Card RemoveFromOpponentHand(int index);
    // Melds the hand card at index in its rank column (points, Varenta check).
    void MeldFromOpponentHand(int index);
    // Melds the wild hand card at index onto meld column `column`.
    void OpponentMeldWildCard(int index, int column);
    // Draws the stock's top card for the opponent; a red three is melded at
    // once. False when the stock is empty.
    bool DrawForOpponent();
    // The opponent takes the pile's top card into its hand; returns its hand
    // index, or -1 when the pile is empty.
    int OpponentTakePileTop();
    // The rest of the pile goes into the opponent's hand (red threes melded);
    // the pile is no longer frozen.
    void OpponentTakePileRest();
    // The opponent discards the hand card at index (wild or red three freezes).
    void OpponentDiscard(int index);
    // The opponent discards a red three from its melds; the pile freezes.
    void OpponentDiscardRedThree(int meldIndex);
    // The opponent passes the discard (message box naming who passes).
    void OpponentPassDiscard();

    // ---- a remote opponent's moves, one per session message -----------------
    // The engine trusts the remote table: it finds the named card and moves it.
    // A card that is not where the message says changes nothing (false).
    bool RemoteDrawNew();                          // "DRAWNEW"
    bool RemoteDrawPileTop();                      // "DRAWPILETOP"
    bool RemoteDrawPileRest();                     // "DRAWPILEREST"
    bool RemoteUndoPile();                         // "UNDOPILE"
    bool RemoteMeld(int code);                     // "MELD"
    bool RemoteMeldWildCard(int code, int column); // "MELDWILDCARD"
    bool RemoteUndo(int column, int code);         // "UNDO"
    bool RemoteDiscard(int code);                  // "DISCARD": the turn comes back
    bool RemoteDiscardRedThree(int code);          // "DISCARDREDTHREE": the turn comes back
    void RemotePassDiscard();                      // "PASSDISCARD": the turn comes back

    // ---- rules and tests -----------------------------------------------------
    // After every draw and meld: forces the pass when the last card cannot go.
    // Returns whether the player passed.
    bool CheckMustPass();
    // After every discard and opponent move: is the hand over? Scores it and
    // deals the next one (or ends the game) when it is. Returns true while the
    // hand goes on.
    bool EndOfHandCheck();
    // Is the pile frozen for that side?
    bool PileFrozenFor(Side side) const;
    // May the player take the pile now (its top card could be melded)?
    bool PlayerMayTakePile() const;
    // Validation of the player's table; on failure reason names the first
    // failing test. handCount is the hand size to judge (the real one by default).
    bool ValidateMelds(std::string_view& reason, int handCount = -1) const;
    // As ValidateMelds, and the pile's top card must have been melded validly.
    bool ValidateMeldsWithTop(std::string_view& reason, int handCount = -1) const;
    // The opponent's table judged as the player's is at a discard, for a hand
    // of handCount cards; a negative minimum means the first-meld minimum of
    // the opponent's game score.
    bool ValidateOpponentMelds(std::string_view& reason, int handCount, int minimum = -1) const;
    // The opponent's table just before the rest of a pile it took joins its
    // hand, held to the player's take rules: the top card (as taken) lies in
    // the meld of its rank; when the rest was held back (pile frozen for the
    // opponent, or the top card starting a meld of columnBefore = 0 cards) that
    // meld grew by the top card and two more, and without Top Card Counts the
    // top card's points do not help the first meld; the table is valid for the
    // hand the rest of the pile makes.
    bool OpponentPileTakeValid(const Card& top, int columnBefore, bool heldBack,
                               std::string_view& reason) const;
    // Points of the player's meld columns 1..13 holding three or more cards.
    int PlayerMeldValue() const;
    // Initial meld minimum for a game score.
    static int MeldMinimum(int score);
    // Seven-card test of one column of a side; counts a Varenta when the column
    // first becomes complete, dissolves one that is no longer complete.
    void CheckVarenta(Side side, int column);
    // Cards of a side's meld column (by position).
    int MeldColumnCount(Side side, int column) const;
    // Rebuilt column and rank counts.
    ColumnTally Columns() const { return RecountColumns(state_, geometry_); }
    // Has the player the Varentas the rules ask for before going out?
    bool PlayerHasRequiredVarentas() const {
        return state_.playerVarentas.count >= rules_.numberOfVarentas;
    }

    // ---- scoring -----------------------------------------------------------
    // A side's score sheet of the hand just ended (uses wentOut).
    ScoreSheet ScoreSide(Side side) const;
    // Scores the hand, adds to the totals, plays the sound, shows the result.
    HandResult ScoreHand();
    // Game over: the message, statistics, "another game?" through the port.
    // Returns the answer.
    bool EndGame();
    // The "Game Over" data for the current totals.
    GameOverResult GameOverData() const;

    // ---- undo snapshot -------------------------------------------------------
    void SaveUndoPoint();
    void RestoreUndoPoint();

    // Text of a discard refusal: "Discarding is not possible now: " + reason.
    static std::string DiscardErrorText(std::string_view reason);

private:
    // Tests stage positions through varenta/engine/testing/StateAccess.h.
    friend class testing::StateAccess;

    // Runs every queued computer turn once no engine call is active, so the
    // computer's turns never nest on the stack.
    class Scope;
    friend class Scope;
    void RequestComputerTurn();
    void RunPendingComputerTurns();

    void ResetHand();
    void ShowTurnNoticeForDeal();
    void FillStock(const std::array<std::uint8_t, kDeckSize>& slotOf);
    void DealToOpponent();
    void DealToPlayer();
    void TurnUpCard();
    void FinishDeal(bool mayStartComputer);

    bool PlayerMayAct() const;
    bool ValidateSide(Side side, int handCount, std::string_view& reason, int minimum = -1) const;
    void RemoteGoingOutCheck();
    void CompleteDrawPhase();
    bool LastCardCanCompleteVarenta() const;
    void PassDiscard();
    void EndPlayerTurn();
    void Restock();
    void MovePileRestToPlayer();
    void CompletePileTake();
    void UndoPileTake(bool charged = true);
    void FinishMeldAction(int column);
    void AfterNaturalMeld(int rank);
    void LayHandCardOnMeld(int handIndex, int column);
    bool AddWildCard(int column, bool runChecks, bool automatic);
    void AddWildCards(int column, int n);
    bool BlackThreesRefused();
    int FindWildInHand() const;
    bool BlackThreesAllowedNow() const;
    bool WouldGoOutWithoutVarentas(int cardsLeaving, int column, int naturalsAdded,
                                   int cardsAdded) const;
    bool MeldCompletes(int column, int cardsAdded, int naturalsAdded) const;
    void RemoveKnownCard(int code);
    void DissolveVarenta(Side side, int column);
    void SquareColumn(Side side, int column, VarentaKind kind);
    void LayOnPile(Card card, int fromX, int fromY);
    void Repaint(const Card& c);
    void ShowHint(Hint hint);
    void ShowError(int index, std::string_view reason = {});
    bool ColumnIsVarenta(Side side, int column) const;
    CardPile& MeldsOf(Side side) {
        return side == Side::Player ? state_.playerMelds : state_.opponentMelds;
    }
    const CardPile& MeldsOf(Side side) const {
        return side == Side::Player ? state_.playerMelds : state_.opponentMelds;
    }
    VarentaTally& TallyOf(Side side) {
        return side == Side::Player ? state_.playerVarentas : state_.opponentVarentas;
    }
    const VarentaTally& TallyOf(Side side) const {
        return side == Side::Player ? state_.playerVarentas : state_.opponentVarentas;
    }
    void FatalOpponentError();
    void MeldOpponentCard(Card card, int column, bool notify);

    GameState state_;
    RuleSet rules_;
    Random random_;
    TableGeometry geometry_;

    VarentaPort defaultPort_;
    MoveReporter defaultReporter_;
    TableObserver defaultObserver_;
    VarentaPort* port_ = &defaultPort_;
    MoveReporter* reporter_ = &defaultReporter_;
    TableObserver* observer_ = &defaultObserver_;
    ComputerTurnHook* hook_ = nullptr;

    bool networkGame_ = false;
    bool dealsLevelHands_ = true;
    std::string opponentName_;
    std::string playerName_;
    std::string dealString_;                       // reserved once; rewritten per deal
    mutable std::array<char, 128> reasonBuffer_{}; // the first-meld reason with its numbers
    bool programEnded_ = false;
    bool undoRunning_ = false;
    int depth_ = 0;
    bool computerTurnPending_ = false;
    bool computerTurnRunning_ = false;
};

} // namespace varenta
