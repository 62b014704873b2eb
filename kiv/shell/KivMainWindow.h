// The main window "Kiv Kiv": menu, dockable toolbar, two-pane status bar and
// the table view, and every menu command.
#pragma once

#include "kiv/shell/KivDocument.h"
#include "kiv/shell/KivHelpWindow.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace kiv {

class KivTableView;
class Prompter;
class SoundOutput;

// Command ids of the menu and the toolbar.
namespace command {
constexpr int kNewGame = 32772;
constexpr int kNextPlayer = 32776;
constexpr int kQuit = 57665;
constexpr int kPlayers = 32771;
constexpr int kSettings = 32775;
constexpr int kLanguage = 32785;
constexpr int kDeckBack = 32779;
constexpr int kTableColour = 32780;
constexpr int kShowRanking = 32777;
constexpr int kResetRanking = 32778;
constexpr int kToolbar = 59392;
constexpr int kStatusBar = 59393;
constexpr int kFullScreen = 32786;
constexpr int kHelpContents = 32783;
constexpr int kAbout = 32781;
// The program's own: a click on the stock, for the keyboard (F5).
constexpr int kDrawCard = 32790;
} // namespace command

class KivMainWindow : public QMainWindow {
    Q_OBJECT
public:
    KivMainWindow(KivDocument& doc, Prompter& prompter, SoundOutput* sound,
                  QWidget* parent = nullptr);
    ~KivMainWindow() override;

    KivTableView* View() const { return view_; }
    QAction* Action(int commandId) const { return actions_.value(commandId); }
    QToolBar* ToolBar() const { return toolBar_; }
    QLabel* StatusPane(int pane) const { return pane == 0 ? pane0_ : pane1_; }
    KivHelpWindow* HelpWindow() const { return help_; }

    // Runs a menu command as if it had been chosen.
    void Command(int commandId);
    // Opens the help window at a keyword ("" = contents).
    void ShowHelp(const QString& keyword);
    // SIGINT or SIGTERM: ends the program as closing the window does, without
    // asking. Open dialogs are cancelled (which changes nothing), a computer
    // move in progress stops after its card, then the window closes.
    void EndOnSignal();

    // Shows the window as it was last closed: full screen, or at its size.
    void ShowAsRemembered();
    // Switches between the window and the whole screen (F11).
    void ToggleFullScreen();
    // The window's size when it is not full screen or maximised.
    QSize NormalSize() const { return normalSize_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void BuildMenus();
    void BuildToolBar();
    void RelabelMenus();
    QAction* AddCommand(QMenu* menu, int id, const char* germanText);

    // The question every command that starts a new game asks first; on Yes
    // the playing seats' scores are cleared.
    bool ConfirmNewGame();
    // Lets the human seat pass when no card is left to draw.
    // A new round dealt without animation, then the computer seats move.
    void DealAfterChange();

    void OnPlayers();
    void OnSettings();
    void OnLanguage();
    void OnDeckBack();
    void OnTableColour();
    void OnAbout();
    void KeepEnding();
    // Keeps the window's size and full-screen state in the document and
    // kiv32.ini for the next start.
    void RememberWindow();

    KivDocument& doc_;
    Prompter& prompter_;
    SoundOutput* sound_;
    KivTableView* view_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QLabel* pane0_ = nullptr;
    QLabel* pane1_ = nullptr;
    QList<QMenu*> menus_;
    QHash<int, QAction*> actions_;
    QPointer<KivHelpWindow> help_;
    QSize normalSize_;
    bool endingOnSignal_ = false;
};

} // namespace kiv
