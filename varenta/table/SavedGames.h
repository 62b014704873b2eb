// The table's saved games: Game | Load and Save, the game resumed at start
// (a file named on the command line, or the automatic save) and the
// automatic save when the window closes.
#pragma once

#include <QString>

#include <string>

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
    // The network game that waits for its partner, in its own file beside
    // the autosave (the line's record from the session): the problem when it
    // could not be written, else empty. Forgotten once it goes on or ends.
    QString KeepNetworkGame(const std::string& lineRecord);
    void ForgetNetworkGame();
    // The file dialog of Load and Save: the chosen file, or empty for Cancel.
    QString GameFileDialog(bool save, const QString& suggested);

private:
    QString KeptGamePath() const;
    // At start: offers the kept network game; true when the table took it up.
    bool TakeUpKeptGame();

    TableWindow& window_;
    // A file named at start was not loaded: the autosave was then neither
    // resumed nor replaced, so closing without a game must not delete it.
    bool keepEarlierAutosave_ = false;
};

} // namespace varenta
