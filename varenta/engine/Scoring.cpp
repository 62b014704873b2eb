// Scoring a hand, and the end of a game.
#include "varenta/engine/EngineScope.h"
#include "varenta/engine/Texts.h"
#include "varenta/engine/VarentaEngine.h"

namespace varenta {

namespace {

constexpr int kMixedBonus = 300;
constexpr int kNaturalBonus = 500;
constexpr int kWildBonus = 1000;
constexpr int kRedThreeValue = 100;
constexpr int kAllRedThreesExtra = 400;
constexpr int kGoingOutBonus = 100;
constexpr int kConcealedBonus = 200;

int VarentaBonus(std::uint8_t kind) {
    switch (kind) {
    case kMixedVarenta:
        return kMixedBonus;
    case kNaturalVarenta:
        return kNaturalBonus;
    case kWildVarenta:
        return kWildBonus;
    default:
        return 0;
    }
}

} // namespace

ScoreSheet VarentaEngine::ScoreSide(Side side) const {
    const GameState& s = state_;
    const bool player = side == Side::Player;
    const CardPile& melds = player ? s.playerMelds : s.opponentMelds;
    const CardPile& hand = player ? s.playerHand : s.opponentHand;
    const VarentaTally& tally = TallyOf(side);
    const int mySide = player ? 0 : 1;
    const int otherSide = player ? 1 : 0;

    ScoreSheet sheet;
    int tablePoints = 0;
    for (int i = 0; i < melds.count; ++i) {
        if (IsRedThree(melds[i])) {
            ++sheet.redThrees.number;
        } else {
            ++sheet.tableCards.number;
            tablePoints += melds[i].points;
        }
    }
    int handPoints = 0;
    for (int i = 0; i < hand.count; ++i) {
        handPoints += hand[i].points;
    }
    sheet.handCards = {hand.count, -handPoints};
    int bonus = 0;
    for (int col = 1; col < kColumns; ++col) {
        const std::uint8_t kind = tally.kind[static_cast<std::size_t>(col)];
        if (kind != kNoVarenta) {
            ++sheet.varentas.number;
            bonus += VarentaBonus(kind);
        }
    }
    const int redThrees = sheet.redThrees.number;
    const int redValue = redThrees * kRedThreeValue + (redThrees == 4 ? kAllRedThreesExtra : 0);

    const bool tooFewVarentas = rules_.varentaRequired && tally.count < rules_.numberOfVarentas;
    const bool caughtBare = s.wentOut == otherSide && sheet.tableCards.number == 0;
    sheet.negative = tooFewVarentas || caughtBare;
    if (sheet.negative) {
        sheet.tableCards.value = -tablePoints;
        sheet.redThrees.value = -redValue;
        sheet.varentas.value = 0;
    } else {
        sheet.tableCards.value = tablePoints;
        sheet.redThrees.value = redValue;
        sheet.varentas.value = bonus;
    }
    if (s.wentOut == mySide) {
        const int meldedBefore = player ? s.playerMeldedBefore : s.opponentMeldedBefore;
        sheet.finishBonus = meldedBefore != 0 ? kGoingOutBonus : kConcealedBonus;
    }
    sheet.total = sheet.tableCards.value + sheet.handCards.value + sheet.varentas.value +
                  sheet.redThrees.value + sheet.finishBonus;
    return sheet;
}

HandResult VarentaEngine::ScoreHand() {
    GameState& s = state_;
    HandResult result;
    result.player = ScoreSide(Side::Player);
    result.opponent = ScoreSide(Side::Opponent);
    result.wentOut = s.wentOut;
    result.difference = result.player.total - result.opponent.total;
    port_->PlaySound(result.player.total >= result.opponent.total ? texts::kSoundWinHand
                                                                  : texts::kSoundLoseHand);
    s.playerScore += result.player.total;
    s.opponentScore += result.opponent.total;
    result.playerTitle = playerName_.empty() ? std::string(texts::kDefaultPlayerName) : playerName_;
    if (networkGame_) {
        result.opponentTitle = opponentName_;
        result.opponentScoreLabel = opponentName_ + std::string(texts::kRemoteScoreSuffix);
    } else {
        result.opponentTitle = std::string(texts::kComputerName);
        result.opponentScoreLabel = std::string(texts::kComputersScore);
    }
    observer_->HandEnded(s.wentOut, result.player.total, result.opponent.total);
    port_->ShowHandResult(result);
    return result;
}

GameOverResult VarentaEngine::GameOverData() const {
    const GameState& s = state_;
    GameOverResult r;
    r.playerScore = s.playerScore;
    r.opponentScore = s.opponentScore;
    const int d = s.playerScore - s.opponentScore;
    r.difference = d;
    const std::string name =
        playerName_.empty() ? std::string(texts::kDefaultPlayerName) : playerName_;
    const std::string opponent =
        networkGame_ ? opponentName_ : std::string(texts::kOpponentTheComputer);
    r.opponentScoreLabel = (networkGame_ ? opponentName_ : std::string(texts::kComputerName)) +
                           std::string(texts::kGameOverScoreSuffix);
    if (d > 0) {
        r.outcome = GameOutcome::PlayerWon;
        r.message = std::string(texts::kCongratulations) + name + "! ";
        if (d >= 2501) {
            r.message += std::string(texts::kYouCrushed) + opponent + ".";
        } else if (d >= 1801) {
            r.message += std::string(texts::kYouDefeated) + opponent + ".";
        } else if (d >= 501) {
            r.message += std::string(texts::kYouBeat) + opponent + ".";
        } else if (d <= 200) {
            r.message += texts::kWonClose;
        } else {
            r.message += texts::kYouWon;
        }
    } else if (d == 0) {
        r.outcome = GameOutcome::Draw;
        r.message = std::string(texts::kDraw);
    } else {
        r.outcome = GameOutcome::PlayerLost;
        r.message = std::string(texts::kTooBad) + name + ", ";
        if (d < -2500) {
            r.message += opponent + std::string(texts::kCrushedYou);
        } else if (d < -1800) {
            r.message += opponent + std::string(texts::kDefeatedYou);
        } else if (d < -500) {
            r.message += opponent + std::string(texts::kBeatYou);
        } else if (d >= -200) {
            r.message += texts::kLostClose;
        } else {
            r.message += texts::kYouLost;
        }
    }
    return r;
}

bool VarentaEngine::EndGame() {
    Scope scope(*this);
    GameState& s = state_;
    const GameOverResult result = GameOverData();
    // The match high score (with its own sound and name box) comes first, so
    // the game's verdict is the last sound heard before the dialog.
    port_->RecordGameResult(result.outcome, result.difference);
    if (result.outcome == GameOutcome::PlayerWon) {
        port_->PlaySound(texts::kSoundWinMatch);
    } else if (result.outcome == GameOutcome::PlayerLost) {
        port_->PlaySound(texts::kSoundLoseMatch);
    }
    observer_->GameOver(s.playerScore, s.opponentScore);
    if (!port_->ShowGameOver(result)) {
        programEnded_ = true;
        s.gameInProgress = false;
        port_->EndProgram();
        return false;
    }
    s.playerScore = 0;
    s.opponentScore = 0;
    s.gameInProgress = false;
    if (hook_ != nullptr) {
        hook_->GameStarted(*this);
    }
    return true;
}

} // namespace varenta
