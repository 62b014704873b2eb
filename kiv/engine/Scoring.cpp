// Going out, the end of a round and of a game.
#include "kiv/engine/KivGame.h"

namespace kiv {

namespace {
// The points left in a hand, counted rank by rank from its mask: only the
// four scoring ranks count.
int PointsInHand(const Hand& hand) {
    int points = 0;
    for (int rank : {kBube, kDame, kKoenig, kAs}) {
        points += PointsOfCard(LowestCardIn(RankMask(rank))) * hand.CountIn(RankMask(rank));
    }
    return points;
}
} // namespace

int KivGame::GoingOutBonus(int seatsInRound) {
    switch (seatsInRound) {
    case 4:
        return 50;
    case 3:
        return 20;
    case 2:
        return 10;
    default:
        return 0;
    }
}

void KivGame::SeatOut(int s) {
    int inRound = 0;
    int points = 0;
    for (const Seat& seat : state_.seats) {
        if (seat.inRound) {
            ++inRound;
        }
        if (seat.index != s) {
            points += PointsInHand(seat.hand);
        }
    }
    points += GoingOutBonus(inRound);
    PlayWave(Wave::Kiv);
    state_.seats[s].score += points;
    state_.seats[s].inRound = false;
    Emit(GameEventKind::Out, s, points);

    // A round also ends when the last seat of all goes out (a game of one
    // seat); passing the turn then would find nobody.
    const bool roundEnds = inRound <= 2 || (inRound == 4 && settings_.ruleEndOnFirstOut);
    if (!roundEnds) {
        NextSeat();
        QueueComputerMoveIfDue();
        return;
    }
    if (inRound == 2) {
        for (const Seat& seat : state_.seats) {
            if (seat.inRound) {
                PlayWave(Wave::Jiberish);
                port_->ShowLoserMessage(TextId(text::kLoserBefore), SetUp(seat.index).name,
                                        TextId(text::kLoserAfter));
            }
        }
    }
    state_.currentSeat = 0;
    GameEvent score;
    score.kind = GameEventKind::Score;
    for (int i = 0; i < kSeatCount; ++i) {
        score.four[i] = state_.seats[i].score;
    }
    port_->OnGameEvent(score);
    bool targetReached = false;
    for (int i = 0; i < kSeatCount; ++i) {
        targetReached =
            targetReached || (SetUp(i).plays && state_.seats[i].score >= settings_.pointsToWin);
    }
    if (targetReached) {
        GameOver();
    }
    RepaintSeatPanels();
    NewRound();
}

void KivGame::GameOver() {
    ShowResults();
    if (port_->AskYesNo(TextId(text::kAddToRanking))) {
        port_->AddResultsToRanking();
    }
    ResetScoresOfPlayingSeats();
}

GameResults KivGame::Results() const {
    std::array<int, 4> scores{};
    for (int i = 0; i < kSeatCount; ++i) {
        scores[i] = state_.seats[i].score;
    }
    const std::array<int, 4> order = RankOrder(scores);
    GameResults results;
    for (int place = 0; place < 4; ++place) {
        const Seat& seat = state_.seats[order[place]];
        results[place] = ResultsEntry{seat.index, SetUp(seat.index).name, seat.score};
    }
    return results;
}

void KivGame::ShowResults() {
    const GameResults results = Results();
    GameEvent event;
    event.kind = GameEventKind::GameOver;
    for (int place = 0; place < 4; ++place) {
        event.four[place] = results[place].seat;
    }
    port_->OnGameEvent(event);
    PlayWave(Wave::Rang);
    port_->ShowResults(results);
}

std::array<int, 4> KivGame::RankOrder(const std::array<int, 4>& values) {
    std::array<int, 4> places = {-1, -1, -1, -1};
    for (int i = 0; i < 4; ++i) {
        int below = 0;
        for (int value : values) {
            below += value < values[i] ? 1 : 0;
        }
        int place = 3 - below;
        while (place > 0 && places[place] != -1) {
            --place;
        }
        places[place] = i;
    }
    return places;
}

} // namespace kiv
