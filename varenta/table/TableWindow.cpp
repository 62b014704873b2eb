#include "varenta/table/TableWindow.h"

#include "varenta/engine/Texts.h"
#include "varenta/net/mail/AddressExchange.h"
#include "varenta/net/nat/PortMapping.h"
#include "varenta/store/RuleVariants.h"
#include "varenta/store/SettingsFile.h"
#include "varenta/store/StorePaths.h"
#include "varenta/table/CardBackDialog.h"
#include "varenta/table/CardBackSettings.h"
#include "varenta/table/CustomizeDialog.h"
#include "varenta/table/DialogHelp.h"
#include "varenta/table/HelpWindow.h"
#include "varenta/table/NetworkTexts.h"
#include "varenta/table/ResultDialogs.h"
#include "varenta/table/RuleDifferencesDialog.h"
#include "varenta/table/RulesDialog.h"
#include "varenta/table/SavedGames.h"
#include "varenta/table/SdlSoundPlayer.h"
#include "varenta/table/SmallWindows.h"
#include "varenta/table/SoundDialog.h"
#include "varenta/table/TableMedia.h"
#include "varenta/table/TableNetwork.h"
#include "varenta/table/TableRecords.h"
#include "varenta/table/TableSettings.h"
#include "varenta/table/TableStatusBar.h"
#include "varenta/table/TableTextConversion.h"
#include "varenta/table/TableTexts.h"
#include "varenta/table/TableView.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QDateTime>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace varenta {

namespace {

constexpr std::array<QSize, 4> kLayoutSizes = {QSize(640, 480), QSize(800, 600), QSize(1024, 768),
                                               QSize(1280, 1024)};

int LayoutFromName(const QString& name) {
    for (int layout = 0; layout < TableGeometry::kLayouts; ++layout) {
        if (name.trimmed().compare(QLatin1String(LayoutName(layout)), Qt::CaseInsensitive) == 0) {
            return layout;
        }
    }
    return -1;
}

} // namespace

TableWindow::TableWindow(TableServices services, QWidget* parent)
    : QMainWindow(parent), store_(services.store != nullptr ? services.store : &rfMain),
      services_(std::move(services)), view_(new TableView(this)),
      status_(new TableStatusBar(this)) {
    media_ = std::make_unique<TableMedia>(*this, services_.sound, services_.music,
                                          services_.mediaDir, services_.musicDir, services_.seed);
    records_ = std::make_unique<TableRecords>(*this);
    games_ = std::make_unique<SavedGames>(*this);
    setWindowTitle(Tr(texts::kCaption));
    setCentralWidget(view_);
    setStatusBar(status_);
    // The status line's and the panels' tooltips say what the bar cannot
    // show; they must open also while a dialog or another program has the
    // focus.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    view_->onMouseMove = [this] { status_->ShowGameLine(); };
    view_->onResize = [this] { RecomputeLayout(); };
    view_->onDensity = [this](qreal dpr) { LoadCardImages(dpr); };
    view_->setFocus();

    dialogs_.message = [this](MessageKind kind, const QString& text) {
        const QString caption = Tr(texts::kCaption);
        switch (kind) {
        case MessageKind::Information:
            QMessageBox::information(this, caption, text);
            break;
        case MessageKind::Warning:
            QMessageBox::warning(this, caption, text);
            break;
        case MessageKind::Error:
            QMessageBox::critical(this, caption, text);
            break;
        }
    };
    dialogs_.yesNo = [this](const QString& question) {
        return QMessageBox::question(this, Tr(texts::kCaption), question,
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };
    dialogs_.choose = [this](const QString& question, const QStringList& buttons) {
        QMessageBox box(QMessageBox::Question, QString::fromUtf8(texts::kCaption), question,
                        QMessageBox::NoButton, this);
        std::vector<QPushButton*> made;
        for (const QString& caption : buttons) {
            made.push_back(box.addButton(caption, QMessageBox::AcceptRole));
        }
        if (!made.empty()) {
            box.setDefaultButton(made.front());
            box.setEscapeButton(made.front());
        }
        box.exec();
        const auto at = std::find(made.begin(), made.end(), box.clickedButton());
        return at == made.end() ? 0 : static_cast<int>(at - made.begin());
    };
    dialogs_.input = [this](const QString& title, const QString& prompt,
                            const QString& text) -> std::optional<QString> {
        bool ok = false;
        const QString answer =
            QInputDialog::getText(this, title, prompt, QLineEdit::Normal, text, &ok);
        return ok ? std::optional<QString>(answer) : std::nullopt;
    };
    dialogs_.chooseColor = [this](const QColor& color) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(color, this);
        return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
    };
    dialogs_.modal = [](QDialog& dialog) { dialog.exec(); };
    dialogs_.handResult = [](HandResultDialog& dialog) { dialog.exec(); };
    dialogs_.gameOver = [](GameOverDialog& dialog) { return dialog.exec() == QDialog::Accepted; };
    dialogs_.gameFile = [this](bool save, const QString& suggested) {
        return games_->GameFileDialog(save, suggested);
    };
    dialogs_.openFile = [this](const QString& caption, const QString& dir, const QString& filter) {
        return QFileDialog::getOpenFileName(this, caption, dir, filter);
    };
    dialogs_.chooseFolder = [this](const QString& caption, const QString& dir) {
        return QFileDialog::getExistingDirectory(this, caption, dir);
    };
    dialogs_.choosePattern = [this](int pattern) -> std::optional<int> {
        CardPatternDialog dialog(pattern, this);
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return dialog.Pattern();
    };

    ReadSettings();
    ComputerSettings computer;
    computer.level = static_cast<ComputerLevel>(computerLevel_);
    computer.aggression = aggression_;
    controller_ = std::make_unique<TableController>(*this, engine_, services_.clock,
                                                    services_.computer, computer);
    controller_->afterwards = [this] { AfterOperation(); };
    view_->onMouseUp = [this](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at) {
        controller_->FormMouseUp(button, modifiers, at.x(), at.y());
    };
    view_->onKey = [this](QKeyEvent* event) {
        return controller_->FormKeyDown(RankKeyOf(event->key(), event->nativeScanCode()),
                                        event->modifiers()) ||
               network_->ChatTakesKey(event);
    };
    BuildMenus();
    QApplication::instance()->installEventFilter(
        new DialogHelp(this, [this](const QString& target) { ShowHelpTarget(target); }));
    engine_.SetComputerOpponent();
    const std::uint64_t seed =
        services_.seed != 0 ? services_.seed
                            : static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch());
    engine_.StartProgram(seed);

    view_->Picture().background = background_;
    status_->setVisible(showStatusbar_);
    // The stored place first, so that a table left on a larger screen of
    // an earlier run comes back onto this one.
    if (positionKnown_) {
        move(savedPosition_);
    }
    ApplyLayout(layout_);
    ApplyPlacement();

    splashTimer_.setSingleShot(true);
    connect(&splashTimer_, &QTimer::timeout, this, &TableWindow::ProgramStart);
    if (services_.splashTimer) {
        splashTimer_.start(kSplashMs);
    }
}

TableWindow::~TableWindow() {
    // The mapping goes first: its removal from the router is waited for.
    network_->Play().ReleaseRouter();
    controller_.reset();
    media_.reset();
}

void TableWindow::ReadSettings() {
    SettingsFile& s = *store_;
    background_ = ColorFromSetting(
        static_cast<std::uint32_t>(s.ReadInteger(kKeyBackground, kDefaultBackground)));
    showStatusbar_ = s.ReadBool(kKeyShowStatusbar, true);
    autoSave_ = s.ReadBool(kKeyAutoSave, true);
    media_->ReadSettings(s);
    engine_.SetRules(ReadRules(s));
    computerLevel_ = LevelFromName(s.ReadString(kKeyLevel, LevelName(0)));
    aggression_ = std::clamp(s.ReadInteger(kKeyAggression, 50), 0, 100);
    records_->ReadSettings(s);

    // "left,top,layout"; a layout larger than the screen gives way to the
    // largest that fits. A first start shows the largest table the screen
    // holds, centred.
    const QString resolution = s.ReadString(kKeyResolution, QString());
    const QStringList parts = resolution.split(',');
    firstStart_ = resolution.isEmpty();
    layout_ = firstStart_ ? LayoutLimit() : 0;
    placement_ = WindowPlacement::Read(s);
    if (!firstStart_ && parts.size() == 3) {
        const int layout = LayoutFromName(parts.at(2));
        bool okLeft = false;
        bool okTop = false;
        const int left = parts.at(0).toInt(&okLeft);
        const int top = parts.at(1).toInt(&okTop);
        if (layout >= 0) {
            layout_ = std::min(layout, LayoutLimit());
        }
        if (okLeft && okTop) {
            savedPosition_ = QPoint(left, top);
            positionKnown_ = true;
        }
    }
}

void TableWindow::BuildMenus() {
    auto add = [this](QMenu* menu, const char* caption, const char* name, std::string_view hint,
                      const QKeySequence& shortcut, auto slot) {
        auto* action = menu->addAction(Tr(caption));
        action->setObjectName(QLatin1String(name));
        action->setStatusTip(StatusText(hint));
        if (!shortcut.isEmpty()) {
            // Only while the table window is active: Delete in another
            // window's edit field must not undo a meld.
            action->setShortcut(shortcut);
            action->setShortcutContext(Qt::WindowShortcut);
        }
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    QMenu* game = menuBar()->addMenu(Tr(texts::kMenuGame));
    add(game, texts::kMenuNew, "New1", texts::kHintNew, QKeySequence(Qt::Key_F2),
        &TableWindow::NewGameClick);
    add(game, texts::kMenuLoad, "Load1", texts::kHintLoad, QKeySequence(Qt::Key_F3),
        [this] { games_->LoadClick(); });
    add(game, texts::kMenuSave, "Save1", texts::kHintSave, QKeySequence(Qt::Key_F4),
        [this] { games_->SaveClick(); });
    add(game, texts::kMenuHiscores, "Hiscore1", texts::kHintHiscores, QKeySequence(),
        [this] { records_->HiscoreClick(); });
    add(game, texts::kMenuWinRatio, "WinRatio1", texts::kHintWinRatio, QKeySequence(),
        [this] { records_->WinRatioClick(); });
    game->addSeparator();
    add(game, texts::kMenuUndoMeld, "UndoMeld1", texts::kHintUndoMeld, QKeySequence(Qt::Key_Delete),
        &TableWindow::UndoMeldClick)
        ->setEnabled(false);
    add(game, texts::kMenuUndoAll, "UndoAll1", texts::kHintUndoAll,
        QKeySequence(Qt::CTRL | Qt::Key_Delete), &TableWindow::UndoAllClick)
        ->setEnabled(false);
    game->addSeparator();
    QAction* exit = game->addAction(Tr(texts::kMenuExit));
    exit->setObjectName(QStringLiteral("Exit1"));
    exit->setStatusTip(StatusText(texts::kHintExit));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu* options = menuBar()->addMenu(Tr(texts::kMenuOptions));
    QAction* customize = options->addAction(Tr(texts::kMenuCustomize));
    customize->setObjectName(QStringLiteral("Customize1"));
    customize->setStatusTip(StatusText(texts::kHintCustomize));
    connect(customize, &QAction::triggered, this, [this] { CustomizeClick(); });
    add(options, texts::kMenuDecks, "Decks1", texts::kHintDecks, QKeySequence(),
        [this] { media_->DecksClick(); });
    add(options, texts::kMenuSound, "Sound1", texts::kHintSound, QKeySequence(),
        [this] { media_->SoundClick(); });
    QAction* rules = options->addAction(Tr(texts::kMenuRules));
    rules->setObjectName(QStringLiteral("Rules1"));
    rules->setStatusTip(StatusText(texts::kHintRules));
    connect(rules, &QAction::triggered, this, [this] { RulesClick(); });
    options->addSeparator();
    QAction* fullScreen = add(options, texts::kMenuFullScreen, "FullScreen1",
                              texts::kHintFullScreen, QKeySequence(Qt::Key_F11), [this] {
                                  setWindowState(windowState() ^ Qt::WindowFullScreen);
                                  TakeFocusBack();
                              });
    fullScreen->setCheckable(true);
    // The window manager may end full screen too; the mark follows it.
    connect(options, &QMenu::aboutToShow, this,
            [this, fullScreen] { fullScreen->setChecked(isFullScreen()); });

    QMenu* help = menuBar()->addMenu(Tr(texts::kMenuHelp));
    add(help, texts::kMenuHelpTopics, "HelpTopics1", {}, QKeySequence(Qt::Key_F1),
        &TableWindow::HelpTopicsClick);
    add(help, texts::kMenuAbout, "About1", {}, QKeySequence(), &TableWindow::AboutClick);
    for (QMenu* menu : {game, options, help}) {
        menu->installEventFilter(this);
    }
    menuBar()->installEventFilter(this);
    // The network part sees only these of the window's engine operations.
    TableNetworkHost host;
    host.runEngine = [this](const std::function<void()>& operation) {
        controller_->RunEngine(operation);
    };
    host.busy = [this] { return controller_->Busy(); };
    host.closing = [this] { return controller_->Closing(); };
    host.dealAfterSession = [this] {
        dealPending_ = true;
        if (!controller_->Busy()) {
            DealAfterSession();
        }
    };
    host.takeFocusBack = [this] { TakeFocusBack(); };
    network_ = std::make_unique<TableNetwork>(*this, *store_, services_, std::move(host));
    network_->BuildMenu(help);
}

bool TableWindow::eventFilter(QObject* watched, QEvent* event) {
    // A greyed item tells what it would do while the pointer is on it, as
    // every other item does: "Undo Meld" is greyed for most of a turn.
    if (event->type() == QEvent::MouseMove) {
        if (auto* menu = qobject_cast<QMenu*>(watched)) {
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            QAction* action = menu->actionAt(at);
            const bool greyed = action != nullptr && !action->isEnabled();
            greyedUnderPointer_ = greyed ? action : nullptr;
            if (greyed) {
                statusBar()->showMessage(action->statusTip());
            }
        }
    }
    // Leaving an enabled item, the menu clears the line through the menu
    // bar after the move above was seen; the greyed item now under the
    // pointer keeps its hint.
    if (event->type() == QEvent::StatusTip && watched == menuBar() &&
        static_cast<QStatusTipEvent*>(event)->tip().isEmpty()) {
        const auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        const QAction* action = greyedUnderPointer_;
        if (menu != nullptr && action != nullptr && menu->actions().contains(action) &&
            !action->isEnabled() && !action->statusTip().isEmpty()) {
            statusBar()->showMessage(action->statusTip());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

QAction* TableWindow::Action(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

void TableWindow::RaiseHelp() {
    if (help_ && help_->isVisible()) {
        help_->raise();
    }
}

void TableWindow::TakeFocusBack() {
    // The keys belong to the table again once a modal window has closed,
    // also where no window manager hands the focus back.
    if (isVisible()) {
        activateWindow();
        view_->setFocus();
    }
}

HelpWindow* TableWindow::Help() {
    if (help_.isNull()) {
        help_ = new HelpWindow(services_.helpDir, this);
        connect(help_, &HelpWindow::WindowCommand, this, &TableWindow::Command);
    }
    return help_;
}

void TableWindow::HomeHelp() {
    // Help asked for while a modal dialog is open must belong to that
    // dialog, or its modality would keep the reader out of the help; when
    // the dialog closes the help goes back to the table (or to the next
    // dialog still open), staying where it was.
    QWidget* owner = QApplication::activeModalWidget();
    if (owner == nullptr || owner == help_) {
        owner = this;
    }
    if (help_->parentWidget() == owner) {
        return;
    }
    const bool shown = help_->isVisible();
    const QPoint at = help_->pos();
    help_->setParent(owner, help_->windowFlags());
    if (auto* dialog = qobject_cast<QDialog*>(owner)) {
        connect(dialog, &QDialog::finished, help_, [this] { HomeHelp(); });
    }
    if (shown) {
        help_->move(at);
        help_->show();
    }
}

// ---- start and end ----------------------------------------------------------

void TableWindow::ProgramStart() {
    if (started_) {
        return;
    }
    started_ = true;
    splashTimer_.stop();
    if (services_.onStarted) {
        services_.onStarted();
    }
    view_->Picture().state = &engine_.State();
    view_->Picture().geometry = &engine_.Geometry();
    view_->Picture().images = &images_;
    // The music first: dealing the first hand can run the computer's whole
    // first turn, with its pauses, before it returns.
    media_->StartMusic();
    games_->ResumeAtStart();
    media_->ShowPendingBackMessages();
    // The splash window had the front; the keys belong to the table now.
    TakeFocusBack();
}

void TableWindow::closeEvent(QCloseEvent* event) {
    if (network_->Connection() == ConnectionStatus::Established && !controller_->Closing() &&
        !dialogs_.yesNo(Tr(texts::kConfirmQuitNetworkGame))) {
        event->ignore();
        return;
    }
    if (controller_->Busy()) {
        // The computer's turn (or an animation) is still on the stack: let it
        // finish at full speed and close as soon as it returns.
        controller_->SetClosing();
        event->ignore();
        return;
    }
    ProgramExit();
    event->accept();
}

void TableWindow::ProgramExit() {
    splashTimer_.stop();
    controller_->CloseTurnNotice();
    if (help_) {
        help_->close();
    }
    media_->Finish();
    network_->Play().CloseRouterPort();
    network_->KeepWaitingGame(); // the table as it stands now, for the next start
    games_->AutoSaveOnExit();
    records_->WriteUnsavedOnExit();
    const QPoint at = isFullScreen() || isMaximized() ? normalGeometry().topLeft() : pos();
    placement_.fullScreen = isFullScreen();
    // Maximised or full screen, the size to come back to is the normal one.
    const QSize normal = isFullScreen() || isMaximized() ? normalGeometry().size() : size();
    if (normal.isValid() && !normal.isEmpty()) {
        placement_.size = normal;
    }
    try {
        store_->Write(
            kKeyResolution,
            QString("%1,%2,%3").arg(at.x()).arg(at.y()).arg(QLatin1String(LayoutName(layout_))));
        placement_.Write(*store_);
    } catch (const SettingsError& e) {
        dialogs_.message(MessageKind::Error, e.Message());
    }
    // Let the farewell sound finish, but never hang on it.
    TableClock& clock = controller_->Clock();
    SoundEvents& sounds = media_->Sounds();
    const std::int64_t end = clock.NowMs() + 3000;
    while (sounds.Enabled() && !clock.Aborted() && sounds.Player().IsPlaying() &&
           clock.NowMs() < end) {
        clock.Pause(50);
    }
    sounds.Player().Stop();
}

void TableWindow::EndOnSignal() {
    controller_->EndProgram();
    KeepEnding();
}

void TableWindow::KeepEnding() {
    // Each open dialog is cancelled in turn, and its caller is let go on
    // before the next step; a dialog that the cancelled one leads to is met
    // on the next pass.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal != this) {
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
    }
    if (modal != nullptr || controller_->Busy() || (isVisible() && !close())) {
        QTimer::singleShot(0, this, &TableWindow::KeepEnding);
        return;
    }
    QApplication::quit();
}

void TableWindow::DealAfterSession() {
    // The partner's half-played game cannot go on against the computer.
    dealPending_ = false;
    if (!started_ || controller_->Closing()) {
        return;
    }
    controller_->ForgetRightClick();
    if (ComputerPlayer* computer = controller_->OwnComputer()) {
        computer->NewGame();
    }
    controller_->RunEngine([this] { engine_.NewGame(); });
}

void TableWindow::AfterOperation() {
    if (controller_->Closing()) {
        QTimer::singleShot(0, this, &QWidget::close);
    } else if (dealPending_) {
        // A network game ended while a move was being shown.
        DealAfterSession();
    } else {
        network_->ApplyHeldFrames();
    }
}

// ---- layout -----------------------------------------------------------------

int TableWindow::LayoutLimit() const {
    QSize screen(services_.screenWidth, services_.screenHeight);
    if (screen.width() <= 0 || screen.height() <= 0) {
        const QScreen* s = QApplication::primaryScreen();
        screen = s != nullptr ? s->size() : QSize(1280, 1024);
    }
    for (int layout = TableGeometry::kLayouts - 1; layout > 0; --layout) {
        const QSize size = kLayoutSizes.at(static_cast<std::size_t>(layout));
        if (screen.width() >= size.width() && screen.height() >= size.height()) {
            return layout;
        }
    }
    return 0;
}

int TableWindow::LayoutMatchingScreen() const {
    int width = services_.screenWidth;
    if (width <= 0) {
        const QScreen* s = QApplication::primaryScreen();
        width = s != nullptr ? s->size().width() : 0;
    }
    if (width == 1280) {
        return 3;
    }
    if (width >= 1024 && width < 1280) {
        return 2;
    }
    if (width >= 800 && width < 1024) {
        return 1;
    }
    if (width >= 640 && width < 800) {
        return 0;
    }
    return -1;
}

void TableWindow::LoadCardImages(qreal dpr) {
    if (dpr <= 0) {
        dpr = view_->devicePixelRatioF();
    }
    std::array<bool, 2> unreadable{};
    images_ = varenta::LoadCardImages(layout_, media_->Backs(), dpr, &unreadable);
    view_->Picture().imageDensity = dpr;
    media_->ReportUnreadableBacks(unreadable);
    view_->update();
}

QRect TableWindow::AvailableScreen() const {
    if (services_.screenWidth > 0 && services_.screenHeight > 0) {
        return {0, 0, services_.screenWidth, services_.screenHeight};
    }
    const QScreen* s = screen() != nullptr ? screen() : QApplication::primaryScreen();
    return s != nullptr ? s->availableGeometry() : QRect();
}

// The layout gives the table its own size, in which the game counts; the
// window around it may have any size, and the view scales the table to it.
void TableWindow::ApplyLayout(int layout) {
    layout_ = std::clamp(layout, 0, TableGeometry::kLayouts - 1);
    const QSize size = kLayoutSizes.at(static_cast<std::size_t>(layout_));
    const int chrome =
        menuBar()->sizeHint().height() + (showStatusbar_ ? status_->sizeHint().height() : 0);
    const QSize table(size.width(), size.height() - chrome);
    view_->SetTableSize(table);
    // Half the table's size is the least at which its cards can be told apart.
    view_->setMinimumSize(table / 2);
    if (isFullScreen()) {
        // stays full screen, the table scaled to the new layout
    } else if (layout_ == LayoutMatchingScreen()) {
        // The layout fills the screen: maximised.
        if (services_.screenWidth <= 0) {
            setGeometry(AvailableScreen());
        } else {
            view_->resize(table);
        }
        setWindowState(windowState() | Qt::WindowMaximized);
    } else {
        setWindowState(windowState() & ~Qt::WindowMaximized);
        resize(size);
        // A window not shown yet places its table only when asked to.
        QMainWindow::layout()->activate();
        // Back onto the screen when the new size would stick out.
        const QRect screen = AvailableScreen();
        if (!screen.isEmpty()) {
            QPoint at = pos();
            at.setX(std::max(screen.left(), std::min(at.x(), screen.right() + 1 - size.width())));
            at.setY(std::max(screen.top(), std::min(at.y(), screen.bottom() + 1 - size.height())));
            move(at);
        }
    }
    RecomputeLayout();
    LoadCardImages();
}

// The size the user gave the window last time, or on a first start about
// four fifths of the screen; full screen again where it was left so.
void TableWindow::ApplyPlacement() {
    const QRect screen = AvailableScreen();
    const bool maximised = isMaximized();
    if (placement_.size && !maximised) {
        resize(WindowPlacement::Fitted(*placement_.size, screen));
    } else if (firstStart_ && !maximised) {
        resize(WindowPlacement::FirstStartSize(kLayoutSizes.at(static_cast<std::size_t>(layout_)),
                                               screen));
        if (!screen.isEmpty()) {
            move(screen.x() + (screen.width() - width()) / 2,
                 screen.y() + (screen.height() - height()) / 2);
        }
    }
    if (placement_.fullScreen) {
        setWindowState(windowState() | Qt::WindowFullScreen);
    }
}

void TableWindow::RecomputeLayout() {
    const int tableWidth =
        view_->TableSize().isEmpty() ? view_->width() : view_->TableSize().width();
    const TableGeometry geometry = TableGeometry::ForLayout(layout_, tableWidth);
    const TableGeometry& now = engine_.Geometry();
    if (geometry.layout == now.layout && geometry.clientWidth == now.clientWidth &&
        geometry.columnWidth == now.columnWidth) {
        return;
    }
    if (started_) {
        engine_.ChangeGeometry(geometry);
    } else {
        engine_.SetGeometry(geometry);
    }
    view_->update();
}

// ---- options -------------------------------------------------------------------

TableOptions TableWindow::Options() const {
    TableOptions o;
    o.background = background_;
    o.layout = layout_;
    o.showStatusbar = showStatusbar_;
    controller_->FillOptions(o);
    o.showHighscores = records_->ShowHighscores();
    o.level = computerLevel_;
    o.aggression = aggression_;
    o.autoSave = autoSave_;
    return o;
}

void TableWindow::TakeOptions(const TableOptions& o) {
    background_ = o.background;
    view_->Picture().background = background_;
    records_->SetShowHighscores(o.showHighscores);
    computerLevel_ = std::clamp(o.level, 0, 2);
    aggression_ = std::clamp(o.aggression, 0, 100);
    controller_->TakeOptions(o);
    autoSave_ = o.autoSave;
    showStatusbar_ = o.showStatusbar;
    status_->setVisible(showStatusbar_);
    ApplyLayout(std::min(o.layout, LayoutLimit()));
    view_->update();
}

void TableWindow::CustomizeClick(int tab) {
    if (controller_->Busy() || controller_->Closing()) {
        return;
    }
    CustomizeServices services;
    services.input = dialogs_.input;
    services.yesNo = dialogs_.yesNo;
    services.refuse = [this](const QString& text) { dialogs_.message(MessageKind::Warning, text); };
    services.error = [this](const QString& text) { dialogs_.message(MessageKind::Error, text); };
    services.chooseColor = dialogs_.chooseColor;
    services.apply = [this](const TableOptions& options, const PlayerList& players) {
        records_->TakePlayers(players);
        TakeOptions(options);
    };
    services.autosavePath = AutosaveFileName();
    CustomizeDialog dialog(Options(), records_->EditedPlayers(), *store_,
                           engine_.State().gameInProgress, LayoutLimit(), services, this);
    auto* tabs = dialog.findChild<QTabWidget*>(QStringLiteral("pcCustomize"));
    tabs->setCurrentIndex(tab >= 0 && tab < tabs->count() ? tab : customizeTab_);
    dialogs_.modal(dialog);
    customizeTab_ = tabs->currentIndex();
    TakeFocusBack();
}

// ---- menu commands ------------------------------------------------------------

void TableWindow::NewGameClick() {
    if (!started_ || controller_->Busy() || controller_->Closing()) {
        return;
    }
    if (network_->Session().sessionOpen()) {
        // The other table would keep the old game: there is no message for a
        // new one. The next hand comes by itself when this one ends.
        dialogs_.message(MessageKind::Information, Tr(texts::kNewInNetworkGame));
        TakeFocusBack();
        return;
    }
    controller_->ForgetRightClick();
    if (ComputerPlayer* computer = controller_->OwnComputer()) {
        computer->NewGame();
    }
    controller_->SetWaitCursor(true);
    controller_->RunEngine([this] { engine_.NewGame(); });
    controller_->SetWaitCursor(false);
}

void TableWindow::UndoMeldClick() {
    if (!started_ || controller_->Busy() || engine_.State().opponentToMove) {
        return;
    }
    controller_->RunEngine([this] { engine_.UndoMeld(); });
}

void TableWindow::UndoAllClick() {
    if (!started_ || controller_->Busy() || engine_.State().opponentToMove) {
        return;
    }
    controller_->RunEngine([this] { engine_.UndoAll(); });
}

void TableWindow::RulesClick(int tab) {
    if (controller_->Busy()) {
        return;
    }
    RulesDialog dialog(engine_, *store_, this);
    // Confirmed rules go to the partner, and are compared once the partner's are known.
    NetworkSession& session = network_->Session();
    dialog.SetNetwork(&session,
                      session.partnerRules().empty() ? nullptr : network_->RuleDifferences(),
                      [&session] { return session.partnerRules(); });
    connect(&dialog, &RulesDialog::helpRequested, this, &TableWindow::ShowHelpTopic);
    if (tab >= 0) {
        if (auto* tabs = dialog.findChild<QTabWidget*>(QStringLiteral("pcRules"))) {
            tabs->setCurrentIndex(tab);
        }
    }
    dialog.exec();
    TakeFocusBack();
    view_->update();
}

bool TableWindow::Command(int id, int param) {
    if (id != kOpenDialogCommand || param < 0 || param > 4) {
        return false;
    }
    // A link followed in help that belongs to an open dialog: a second
    // Rules or Customize dialog on top of it would store its stale values
    // over the first one's on OK.
    if (QApplication::activeModalWidget() != nullptr) {
        return false;
    }
    WindowCommand(param);
    return true;
}

void TableWindow::WindowCommand(int which) {
    switch (which) {
    case 0:
        CustomizeClick(1);
        break;
    case 1:
        CustomizeClick(3);
        break;
    case 2:
        RulesClick(2);
        break;
    case 3:
        RulesClick(0);
        break;
    case 4:
        RulesClick(1);
        break;
    default:
        break;
    }
}

void TableWindow::HelpTopicsClick() {
    static constexpr std::array<const char*, 3> kHelpSounds = {"Help (3rd)", "Help (1st)",
                                                               "Help (2nd)"};
    media_->Sounds().PlaySoundEvent(
        std::string_view(kHelpSounds.at(static_cast<std::size_t>(helpCount_ % 3))));
    ++helpCount_;
    ShowHelpTarget(QString());
}

void TableWindow::ShowHelpTopic(int topic) {
    ShowHelpTarget(HelpTopicUrl(topic));
}

void TableWindow::ShowHelpTarget(const QString& target) {
    // The window the user asked from: F1 in a dialog, or the table itself.
    const QWidget* asker = QApplication::activeModalWidget();
    if (asker == nullptr) {
        asker = QApplication::activeWindow();
    }
    Help();
    HomeHelp();
    help_->ShowTarget(target, asker);
}

void TableWindow::AboutClick() {
    SoundEvents& sounds = media_->Sounds();
    if (sounds.Enabled()) {
        sounds.PlayFile("about.wav");
    }
    AboutBox about(this);
    about.exec();
    if (sounds.Enabled()) {
        sounds.Player().Stop(); // the tune belongs to the box
    }
    TakeFocusBack();
}

} // namespace varenta
