// The table's saved games: Game | Load and Save, the game resumed at start
// (a file named on the command line, or the automatic save) and the
// automatic save when the window closes.
#pragma once

#include <QString>

namespace varenta {

class TableWindow;

class SavedGames {
public:
    explicit SavedGames(TableWindow& window) : window_(window) {}

    void LoadClick();
    void SaveClick();
    // Puts the game of a checked file on the table; false (table unchanged)
    // after the message of a file that cannot be loaded.
    bool LoadCheckedGame(const QString& path);
    // The first hand: the game resumed, or a new deal.
    void ResumeAtStart();
    void AutoSaveOnExit();
    // The file dialog of Load and Save: the chosen file, or empty for Cancel.
    QString GameFileDialog(bool save, const QString& suggested);

private:
    TableWindow& window_;
    // A file named at start was not loaded: the autosave was then neither
    // resumed nor replaced, so closing without a game must not delete it.
    bool keepEarlierAutosave_ = false;
};

} // namespace varenta
