// The named players, their win ratios and the Hall of Fame of the table:
// read at start, counted at every hand's and game's end, and shown by
// Game | Hiscores... and Game | Win Ratio....
#pragma once

#include "varenta/engine/Results.h"
#include "varenta/store/HighScores.h"
#include "varenta/store/Players.h"

#include <QString>

#include <optional>
#include <vector>

namespace varenta {

class SettingsFile;
class TableWindow;

class TableRecords {
public:
    explicit TableRecords(TableWindow& window) : window_(window) {}

    void ReadSettings(SettingsFile& store);
    const PlayerList& Players() const { return players_; }
    // The list the Customize dialog edits in place.
    PlayerList& EditedPlayers() { return players_; }
    const HighScores& Scores() const { return highScores_; }
    // The player list after the Customize dialog stored it.
    void TakePlayers(const PlayerList& players);
    // Whether a new high score shows the Hall of Fame (a Customize option).
    void SetShowHighscores(bool show) { showHighscores_ = show; }
    bool ShowHighscores() const { return showHighscores_; }
    // The current player's name, also before a player list was ever made
    // (as stored); empty when there is none.
    QString CurrentPlayerName() const;

    // A hand's or game's margin offered to the current level's table.
    void EnterHighScore(HighScoreType type, int margin);
    void RecordHandResult(int difference);
    void RecordGameResult(GameOutcome outcome, int difference);

    // The menu commands of the Hall of Fame and the win ratio.
    void HiscoreClick();
    void WinRatioClick();

    // A last try, as the program ends, to store what earlier writes could
    // not; a failure is shown once more.
    void WriteUnsavedOnExit();
    bool HasUnsaved() const { return !unsavedScores_.empty() || !unsavedResults_.empty(); }

private:
    // High scores and game results whose write failed (a full disk, say):
    // kept here, shown as entered, and written before the next write.
    struct UnsavedScore {
        int level = 0;
        HighScoreType type = HighScoreType::Hand;
        HighScoreEntry entry;
    };
    void WriteUnsaved(); // throws SettingsError; what was written is dropped from the lists

    TableWindow& window_;
    PlayerList players_;
    HighScores highScores_;
    bool showHighscores_ = true;
    // The name given for a new high score at this end of hand, asked once.
    std::optional<QString> highScoreName_;
    std::vector<UnsavedScore> unsavedScores_;
    std::vector<UnsavedResult> unsavedResults_;
};

} // namespace varenta
