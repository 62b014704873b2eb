#include "kiv/shell/KivMainWindow.h"

#include "kiv/shell/KivArt.h"
#include "kiv/shell/KivDialogs.h"
#include "kiv/shell/KivDocFiles.h"
#include "kiv/shell/KivHelpWindow.h"
#include "kiv/shell/KivPrompter.h"
#include "kiv/shell/KivQtTexts.h"
#include "kiv/shell/KivSetupDialogs.h"
#include "kiv/shell/KivSound.h"
#include "kiv/shell/KivStrings.h"
#include "kiv/shell/KivTableView.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace kiv {
namespace {

// Menu items and the string offsets that relabel them in the second block.
struct Item {
    int id;
    int offset;
};
constexpr Item kRelabelled[] = {
    {command::kNewGame, 2},       {command::kNextPlayer, 3},   {command::kQuit, 4},
    {command::kPlayers, 6},       {command::kSettings, 7},     {command::kLanguage, 8},
    {command::kDeckBack, 9},      {command::kTableColour, 10}, {command::kShowRanking, 13},
    {command::kResetRanking, 14}, {command::kToolbar, 16},     {command::kStatusBar, 17},
    {command::kHelpContents, 19}, {command::kAbout, 22},       {command::kFullScreen, 140},
};
constexpr int kMenuOffsets[] = {1, 5, 12, 15, 18};

} // namespace

KivMainWindow::KivMainWindow(KivDocument& doc, Prompter& prompter, SoundOutput* sound,
                             QWidget* parent)
    : QMainWindow(parent), doc_(doc), prompter_(prompter), sound_(sound) {
    setWindowTitle(LoadText(kAppTitleId));
    view_ = new KivTableView(doc_, prompter_, sound_, this);
    setCentralWidget(view_);

    pane0_ = new QLabel;
    pane1_ = new QLabel;
    pane1_->setMinimumWidth(160);
    // A screen reader reads each pane's text, and names what it tells.
    pane0_->setObjectName(QStringLiteral("statusPane0"));
    pane1_->setObjectName(QStringLiteral("statusPane1"));
    pane0_->setAccessibleDescription(QStringLiteral("Spielstand"));
    pane1_->setAccessibleDescription(QStringLiteral("Zu legen oder zu ziehen"));
    statusBar()->addWidget(pane0_, 1);
    statusBar()->addPermanentWidget(pane1_);
    view_->SetStatusPanes(pane0_, pane1_);
    view_->SetRankingHandler([this] { ShowRanking(doc_, true, prompter_, sound_, this); });
    view_->setFocus();

    BuildMenus();
    BuildToolBar();
    if (doc_.Settings().languageBase == kSecondBase) {
        RelabelMenus();
    }

    // 800 x 600, or 640 x 480 on a small screen, centred.
    const QRect screen = QGuiApplication::primaryScreen()
                             ? QGuiApplication::primaryScreen()->availableGeometry()
                             : QRect(0, 0, 1024, 768);
    QSize size = screen.width() <= 640 ? QSize(640, 480) : QSize(800, 600);
    // The size it had when last closed, as far as the screen has room for it.
    if (doc_.windowWidth > 0 && doc_.windowHeight > 0) {
        size = QSize(doc_.windowWidth, doc_.windowHeight).boundedTo(screen.size());
    }
    resize(size);
    normalSize_ = size;
    move(screen.center() - QPoint(size.width() / 2, size.height() / 2));
}

KivMainWindow::~KivMainWindow() = default;

QAction* KivMainWindow::AddCommand(QMenu* menu, int id, const char* germanText) {
    auto* action = menu->addAction(QString::fromUtf8(germanText));
    action->setObjectName(QStringLiteral("command%1").arg(id));
    actions_.insert(id, action);
    if (id != command::kToolbar && id != command::kStatusBar) {
        connect(action, &QAction::triggered, this, [this, id] { Command(id); });
    }
    return action;
}

void KivMainWindow::BuildMenus() {
    // The German labels are the menu's own; the second block relabels them.
    QMenu* game = menuBar()->addMenu(QString::fromUtf8("&Spiel"));
    AddCommand(game, command::kNewGame, "&Neu");
    // The table's keys (KivKeyboard) lay cards; these two draw and pass.
    AddCommand(game, command::kDrawCard, "Karte &ziehen")->setShortcut(Qt::Key_F5);
    AddCommand(game, command::kNextPlayer, "Nächster &Spieler")->setShortcut(Qt::Key_F6);
    game->addSeparator();
    AddCommand(game, command::kQuit, "&Beenden");

    QMenu* settings = menuBar()->addMenu(QString::fromUtf8("&Einstellungen"));
    AddCommand(settings, command::kPlayers, "&Spieler festlegen");
    AddCommand(settings, command::kSettings, "Spiel&regeln und Einstellungen");
    AddCommand(settings, command::kLanguage, "Sprache &festlegen");
    settings->addSeparator();
    AddCommand(settings, command::kDeckBack, "&Deckblatt wählen");
    AddCommand(settings, command::kTableColour, "&Hintergrundfarbe wählen");

    QMenu* ranking = menuBar()->addMenu(QString::fromUtf8("&Rangliste"));
    AddCommand(ranking, command::kShowRanking, "Rangliste &anzeigen");
    AddCommand(ranking, command::kResetRanking, "Rangliste &löschen");

    QMenu* view = menuBar()->addMenu(QString::fromUtf8("&Ansicht"));
    QAction* toolbar = AddCommand(view, command::kToolbar, "&Symbolleiste");
    QAction* status = AddCommand(view, command::kStatusBar, "S&tatusleiste");
    toolbar->setCheckable(true);
    toolbar->setChecked(true);
    status->setCheckable(true);
    status->setChecked(true);
    connect(status, &QAction::toggled, statusBar(), &QStatusBar::setVisible);
    view->addSeparator();
    QAction* fullScreen = AddCommand(view, command::kFullScreen, "&Vollbild");
    fullScreen->setCheckable(true);
    fullScreen->setShortcut(QKeySequence(Qt::Key_F11));
    // The hint comes from the language's block; the label is relabelled with
    // the other menu items.
    fullScreen->setStatusTip(Text(doc_.Settings().languageBase, 141));

    QMenu* help = menuBar()->addMenu(QString::fromUtf8("&Hilfe"));
    QAction* contents = AddCommand(help, command::kHelpContents, "&Bedienung und Spielregeln");
    contents->setShortcut(QKeySequence::HelpContents);
    help->addSeparator();
    AddCommand(help, command::kAbout, "Inf&o über Kiv Kiv...");

    menus_ = {game, settings, ranking, view, help};
}

void KivMainWindow::BuildToolBar() {
    toolBar_ = addToolBar(QStringLiteral("Kiv Kiv"));
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setMovable(true);
    toolBar_->setFloatable(true);
    toolBar_->setIconSize(QSize(24, 24));
    const int buttons[] = {
        command::kNewGame, 0, command::kNextPlayer, 0, command::kShowRanking, command::kSettings,
        command::kAbout};
    for (int id : buttons) {
        if (id == 0) {
            toolBar_->addSeparator();
            continue;
        }
        auto* button = new QAction(ToolbarIcon(id), LoadText(id), this);
        button->setToolTip(LoadText(id));
        button->setObjectName(QStringLiteral("button%1").arg(id));
        connect(button, &QAction::triggered, this, [this, id] { Command(id); });
        toolBar_->addAction(button);
    }
    QAction* toggle = Action(command::kToolbar);
    connect(toggle, &QAction::toggled, toolBar_, &QToolBar::setVisible);
    connect(toolBar_, &QToolBar::visibilityChanged, toggle, &QAction::setChecked);
}

void KivMainWindow::RelabelMenus() {
    for (int i = 0; i < menus_.size(); ++i) {
        menus_[i]->setTitle(Text(doc_.Settings().languageBase, kMenuOffsets[i]));
    }
    for (const Item& item : kRelabelled) {
        actions_.value(item.id)->setText(Text(doc_.Settings().languageBase, item.offset));
    }
}

// ---- Commands ---------------------------------------------------------------------

void KivMainWindow::Command(int id) {
    switch (id) {
    case command::kNewGame:
        doc_.NewGameCommand();
        break;
    case command::kNextPlayer:
        doc_.NextPlayerCommand();
        break;
    case command::kDrawCard:
        if (doc_.State().computerBusy) {
            prompter_.Inform(this, Text(doc_.Settings().languageBase, 137));
        } else {
            view_->Keyboard().DrawCard();
        }
        break;
    case command::kQuit:
        close();
        break;
    case command::kPlayers:
        OnPlayers();
        break;
    case command::kSettings:
        OnSettings();
        break;
    case command::kLanguage:
        OnLanguage();
        break;
    case command::kDeckBack:
        OnDeckBack();
        break;
    case command::kTableColour:
        OnTableColour();
        break;
    case command::kShowRanking:
        ShowRanking(doc_, false, prompter_, sound_, this);
        break;
    case command::kResetRanking:
        if (prompter_.Ask(this, Text(doc_.Settings().languageBase, 120))) {
            ResetRanking(doc_, prompter_, this);
        }
        break;
    case command::kHelpContents:
        ShowHelp(QString());
        break;
    case command::kAbout:
        OnAbout();
        break;
    case command::kFullScreen:
        ToggleFullScreen();
        break;
    default:
        break;
    }
}

bool KivMainWindow::ConfirmNewGame() {
    if (doc_.State().computerBusy) {
        prompter_.Inform(this, Text(doc_.Settings().languageBase, 137));
        return false;
    }
    if (!prompter_.Ask(this, Text(doc_.Settings().languageBase, 117))) {
        return false;
    }
    doc_.ResetScoresOfPlayingSeats();
    view_->RepaintSeatPanels();
    return true;
}

void KivMainWindow::DealAfterChange() {
    doc_.NewRoundWithoutAnimation();
    view_->RepaintEverything();
    doc_.StartComputerMove();
}

void KivMainWindow::OnPlayers() {
    if (!ConfirmNewGame()) {
        return;
    }
    std::array<SeatSetup, 4> seats;
    for (int i = 0; i < 4; ++i) {
        const SeatSettings& seat = doc_.Settings().seats[i];
        seats[i] = {QString::fromStdString(seat.name), seat.plays, seat.computer};
    }
    PlayersDialog dialog(
        doc_.Settings().languageBase, seats, prompter_,
        [this](const QString& keyword) { ShowHelp(keyword); }, this);
    if (prompter_.Run(dialog) != QDialog::Accepted) {
        return;
    }
    const auto chosen = dialog.Seats();
    GameSettings settings = doc_.Settings();
    // Seat 0 is the human's and always plays; only its name is chosen.
    for (int i = 0; i < 4; ++i) {
        SeatSettings& seat = settings.seats[i];
        seat.name = chosen[i].name.toStdString();
        if (i > 0) {
            seat.computer = chosen[i].computer;
            seat.plays = chosen[i].plays;
        }
    }
    doc_.ApplySettings(settings);
    doc_.ResetAllScores();
    DealAfterChange();
    WriteConfig(doc_, prompter_, this);
    if (prompter_.Ask(this, Text(doc_.Settings().languageBase, 118))) {
        ResetRanking(doc_, prompter_, this);
    }
}

void KivMainWindow::OnSettings() {
    if (!ConfirmNewGame()) {
        return;
    }
    const GameSettings& shown = doc_.Settings();
    SheetValues values;
    values.pointsToWin = shown.pointsToWin;
    values.cardsPerPlayer = shown.cardsPerPlayer;
    values.computerDelay = shown.computerDelay;
    values.cardSpeed = shown.cardSpeed;
    values.animateCards = shown.animateCards;
    values.ruleLayAfterDraw = shown.ruleLayAfterDraw;
    values.ruleEightOnEight = shown.ruleEightOnEight;
    values.ruleJackAlways = shown.ruleJackAlways;
    values.ruleAnyOnFirstJack = shown.ruleAnyOnFirstJack;
    values.ruleEndOnFirstOut = shown.ruleEndOnFirstOut;
    values.soundOn = shown.soundOn;
    values.musicOn = shown.musicOn;
    values.midiFile = QString::fromStdString(doc_.midiFile);
    KivSettingsSheet sheet(
        doc_.Settings().languageBase, values, prompter_,
        [this](const QString& keyword) { ShowHelp(keyword); }, this);
    if (prompter_.Run(sheet) != QDialog::Accepted) {
        return;
    }
    const SheetValues v = sheet.Values();
    const std::string oldMidi = doc_.midiFile;
    GameSettings settings = doc_.Settings();
    settings.pointsToWin = v.pointsToWin;
    settings.cardsPerPlayer = v.cardsPerPlayer;
    settings.animateCards = v.animateCards;
    settings.ruleLayAfterDraw = v.ruleLayAfterDraw;
    settings.ruleEightOnEight = v.ruleEightOnEight;
    settings.ruleJackAlways = v.ruleJackAlways;
    settings.ruleAnyOnFirstJack = v.ruleAnyOnFirstJack;
    settings.ruleEndOnFirstOut = v.ruleEndOnFirstOut;
    settings.computerDelay = v.computerDelay;
    settings.soundOn = v.soundOn;
    settings.musicOn = v.musicOn;
    settings.cardSpeed = v.cardSpeed;
    doc_.ApplySettings(settings);
    doc_.midiFile = v.midiFile.toStdString();

    if (sound_ != nullptr) {
        bool playing = sound_->MusicPlaying();
        if (doc_.midiFile != oldMidi && playing) {
            sound_->StopMusic();
            playing = false;
        }
        if (doc_.Settings().musicOn && !playing) {
            if (!sound_->StartMusic(v.midiFile)) {
                doc_.SetMusicOn(false);
                prompter_.Inform(this, Text(doc_.Settings().languageBase, 119));
            }
        } else if (!doc_.Settings().musicOn && playing) {
            sound_->StopMusic();
        }
    }
    DealAfterChange();
    WriteConfig(doc_, prompter_, this);
}

// The texts switch at once: menus, boxes and dialogs from now on, the help
// when it opens next; kiv32.ini keeps the choice.
void KivMainWindow::OnLanguage() {
    LanguageDialog dialog(doc_.Settings().languageBase, this);
    if (prompter_.Run(dialog) != QDialog::Accepted ||
        dialog.Choice() == doc_.Settings().languageBase) {
        return;
    }
    doc_.SetLanguageBase(dialog.Choice());
    prompter_.SetLanguageBase(dialog.Choice());
    FollowLanguageInQtDialogs(dialog.Choice());
    RelabelMenus();
    // The help opens in the new language next time.
    delete help_;
    WriteConfig(doc_, prompter_, this);
}

void KivMainWindow::OnDeckBack() {
    if (!ConfirmNewGame()) {
        return;
    }
    CardBackDialog dialog(doc_.Settings().languageBase, this);
    prompter_.Run(dialog);
    doc_.SetDeckBack(dialog.Choice());
    WriteConfig(doc_, prompter_, this);
    DealAfterChange();
}

void KivMainWindow::OnTableColour() {
    const std::uint32_t c = doc_.backgroundColor;
    QColorDialog dialog(QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF), this);
    dialog.setWindowTitle(Text(doc_.Settings().languageBase, 11));
    if (prompter_.Run(dialog) != QDialog::Accepted) {
        return;
    }
    const QColor chosen = dialog.selectedColor();
    doc_.backgroundColor = static_cast<std::uint32_t>(chosen.red()) |
                           (static_cast<std::uint32_t>(chosen.green()) << 8) |
                           (static_cast<std::uint32_t>(chosen.blue()) << 16);
    view_->RepaintEverything();
    WriteConfig(doc_, prompter_, this);
}

void KivMainWindow::OnAbout() {
    AboutDialog dialog(doc_.Settings().languageBase, QString::fromStdString(doc_.versionText),
                       QString::fromStdString(doc_.VersionDate()), this);
    prompter_.Run(dialog);
}

void KivMainWindow::ShowHelp(const QString& keyword) {
    // Help asked for from a modal dialog belongs to that dialog, or the
    // dialog's modality would keep the user out of it.
    QWidget* owner = QApplication::activeModalWidget();
    if (owner == nullptr) {
        owner = this;
    }
    if (help_ != nullptr && help_->parentWidget() != owner) {
        delete help_;
    }
    if (help_ == nullptr) {
        help_ = new KivHelpWindow(doc_.Settings().languageBase, HelpFolder(), owner);
    }
    if (!help_->ShowKeyword(keyword)) {
        prompter_.Inform(this, Text(doc_.Settings().languageBase, 21));
    }
}

void KivMainWindow::EndOnSignal() {
    // Ended from outside, the program leaves its files as they were: the
    // window is kept only when the user closes it.
    endingOnSignal_ = true;
    view_->SetClosing(true);
    KeepEnding();
}

void KivMainWindow::KeepEnding() {
    // Each open dialog is cancelled in turn, and its caller is let go on
    // before the next step; a dialog that the cancelled one leads to is met
    // on the next pass. A computer move ends by itself once the view closes.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal != this) {
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
    }
    if (modal != nullptr || doc_.State().computerBusy || !close()) {
        QTimer::singleShot(0, this, &KivMainWindow::KeepEnding);
        return;
    }
    QApplication::quit();
}

void KivMainWindow::ShowAsRemembered() {
    if (doc_.fullScreen) {
        showFullScreen();
    } else {
        show();
    }
}

void KivMainWindow::ToggleFullScreen() {
    if (isFullScreen()) {
        showNormal();
    } else {
        showFullScreen();
    }
}

void KivMainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (!(windowState() & (Qt::WindowFullScreen | Qt::WindowMaximized | Qt::WindowMinimized))) {
        normalSize_ = size();
    }
}

void KivMainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        actions_.value(command::kFullScreen)->setChecked(isFullScreen());
    }
}

void KivMainWindow::RememberWindow() {
    const bool fullScreen = isFullScreen();
    if (normalSize_.width() == doc_.windowWidth && normalSize_.height() == doc_.windowHeight &&
        fullScreen == doc_.fullScreen) {
        return;
    }
    doc_.windowWidth = normalSize_.width();
    doc_.windowHeight = normalSize_.height();
    doc_.fullScreen = fullScreen;
    // Quietly: a window that cannot keep its size is no reason to hold up the
    // end of the program with a message.
    WriteConfigFile(ConfigPath(doc_), SettingsFromDoc(doc_));
}

void KivMainWindow::closeEvent(QCloseEvent* event) {
    if (doc_.State().computerBusy) {
        prompter_.Inform(this, Text(doc_.Settings().languageBase, 137));
        event->ignore();
        return;
    }
    if (!endingOnSignal_) {
        RememberWindow();
    }
    view_->SetClosing(true);
    if (help_ != nullptr) {
        help_->close();
    }
    event->accept();
}

} // namespace kiv
