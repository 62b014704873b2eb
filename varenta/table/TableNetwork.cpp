// Network play on the table window: the Network menu, the connect dialog,
// the chat window, the connection status panel, and what the connection
// reports.
#include "varenta/table/TableNetwork.h"

#include "varenta/computer/ComputerPlayer.h"
#include "varenta/engine/RuleText.h"
#include "varenta/net/mail/AddressExchange.h"
#include "varenta/net/nat/InternetAddressQuery.h"
#include "varenta/net/nat/PortMapping.h"
#include "varenta/net/nat/StunAddressQuery.h"
#include "varenta/table/ChatWindow.h"
#include "varenta/table/ConnectDialog.h"
#include "varenta/table/MailAccountSettings.h"
#include "varenta/table/NetworkSetupDialog.h"
#include "varenta/table/NetworkTexts.h"
#include "varenta/table/RelaySettings.h"
#include "varenta/table/RuleDifferencesDialog.h"
#include "varenta/table/SavedGames.h"
#include "varenta/table/SecretStore.h"
#include "varenta/table/ShownReasonQuery.h"
#include "varenta/table/TableController.h"
#include "varenta/table/TableStatusBar.h"
#include "varenta/table/TableTextConversion.h"
#include "varenta/table/TableTranslation.h"
#include "varenta/table/TableWindow.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace varenta {

namespace {

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

// ---- the socket's loop ----------------------------------------------------------

// The Qt loop, with every socket event run as one of the window's engine
// operations.
class TableNetwork::SocketLoop : public SocketWatcher {
public:
    explicit SocketLoop(TableNetwork& network) : network_(network) {}
    void Watch(int fd, bool read, bool write, ReadyCall onReady) override {
        if (!onReady) {
            loop_.Watch(fd, read, write, nullptr);
            return;
        }
        loop_.Watch(fd, read, write, [this, onReady](int ready, bool readable, bool writable) {
            network_.RunSocketEvent([&] { onReady(ready, readable, writable); });
        });
    }
    void Defer(std::function<void()> call) override {
        loop_.Defer([this, call] { network_.RunSocketEvent(call); });
    }
    WaitResult WaitFor(int fd, bool write, int timeoutSeconds) override {
        return loop_.WaitFor(fd, write, timeoutSeconds);
    }
    void CancelWait() override { loop_.CancelWait(); }

private:
    TableNetwork& network_;
    NotifierWatcher loop_;
};

TableNetwork::TableNetwork(TableWindow& window, SettingsFile& store, const TableServices& services,
                           TableNetworkHost host)
    : window_(window), store_(store), services_(services), host_(std::move(host)),
      socketLoop_(std::make_unique<SocketLoop>(*this)) {
    NetworkPlayServices play;
    play.sessionPort = services_.sessionPort;
    play.portMapper = services_.portMapper;
    // The window's dialogs may be replaced after it was made (tests): asked when needed.
    play.yesNo = [this](const QString& question) { return window_.Dialogs().yesNo(question); };
    play.runEvent = [this](const std::function<void()>& event) { RunSocketEvent(event); };
    play.mailExchange = true;
    play.mailAccount = ReadMailAccount(store_);
    play.mailTrustFile = services_.mailTrustFile;
    // A lost line keeps the game for a partner that can go on with it.
    play.resumable = true;
    if (services_.relayTimer) {
        play.relayTimer = services_.relayTimer();
    }
    play_ = std::make_unique<NetworkPlay>(window_.Engine(), *socketLoop_, std::move(play));
    play_->SetListener(this);
    Session().SetGate([this] { return !holdFrames_; });
}

TableNetwork::~TableNetwork() {
    play_->SetListener(nullptr);
}

SecretStore* TableNetwork::Secrets() {
    if (!secretsMade_) {
        secretsMade_ = true;
        secrets_ = services_.secretStore ? services_.secretStore() : DesktopSecretStore();
    }
    return secrets_.get();
}

void TableNetwork::RunSocketEvent(const std::function<void()>& event) {
    // An event that comes while another operation runs (a card on its way,
    // a pause, an open box) is inside that operation's loop: the partner's
    // frames it brings wait until the operation is over, then apply in order.
    const bool held = holdFrames_;
    holdFrames_ = held || host_.busy();
    host_.runEngine(event);
    holdFrames_ = held;
}

void TableNetwork::ApplyHeldFrames() {
    if (Session().HasHeldFrames() && !host_.closing()) {
        RunSocketEvent([this] { Session().ApplyHeldFrames(); });
    }
}

// ---- menu and status --------------------------------------------------------------

QString TableNetwork::StatusHint(const char* hint) const {
    return StatusText(hint);
}

void TableNetwork::BuildMenu(QMenu* before) {
    networkMenu_ = new QMenu(Tr(texts::kMenuNetwork), &window_);
    networkMenu_->setObjectName(QStringLiteral("Network1"));
    window_.menuBar()->insertMenu(before->menuAction(), networkMenu_);
    auto add = [this](const char* caption, const char* name, const char* hint,
                      void (TableNetwork::*slot)()) {
        auto* action = networkMenu_->addAction(Tr(caption));
        action->setObjectName(QLatin1String(name));
        action->setStatusTip(StatusHint(hint));
        QObject::connect(action, &QAction::triggered, &window_, [this, slot] { (this->*slot)(); });
        return action;
    };
    add(texts::kMenuConnect, "ConnecttoPartner1", texts::kHintConnect,
        &TableNetwork::ConnecttoPartner1Click);
    add(texts::kMenuRuleDifferences, "ShowRuleDifferences1", texts::kHintRuleDifferences,
        &TableNetwork::ShowRuleDifferences1Click);
    add(texts::kMenuCompareTables, "CompareTables1", texts::kHintCompareTables,
        &TableNetwork::CompareTablesClick);
    add(texts::kMenuDisconnect, "StopWaiting1", texts::kHintDisconnect,
        &TableNetwork::StopWaiting1Click);
    add(texts::kMenuHideChat, "HideChatWindow1", texts::kHintHideChat,
        &TableNetwork::HideChatWindow1Click);
    add(texts::kMenuSetup, "Network2", texts::kHintSetup, &TableNetwork::Network2Click);
    networkMenu_->installEventFilter(&window_);
    // The chat item names what it will do, also after the close box hid the window.
    QObject::connect(networkMenu_, &QMenu::aboutToShow, &window_, [this] { UpdateNetworkMenu(); });

    connectionPanel_ = new QLabel(&window_);
    connectionPanel_->setObjectName(QStringLiteral("pnConnection"));
    connectionPanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    window_.StatusLine()->addPermanentWidget(connectionPanel_);
    play_->SetStatus(ConnectionStatus::NotConnected);
}

void TableNetwork::Network2Click() {
    NetworkSetupDialog dialog(store_, &window_, Secrets());
    const TableDialogs& dialogs = window_.Dialogs();
    const bool ok =
        dialogs.networkSetup ? dialogs.networkSetup(dialog) : dialog.exec() == QDialog::Accepted;
    host_.takeFocusBack();
    if (ok) {
        play_->SetMailAccount(dialog.ChosenAccount());
    }
}

ChatWindow* TableNetwork::Chat() const {
    return chat_.data();
}

RuleDifferencesDialog* TableNetwork::RuleDifferences() const {
    return ruleDifferences_.data();
}

QString TableNetwork::ConnectionText() const {
    if (gameWaits_) {
        return Tr(texts::kWaitingForPartner).arg(Utf8(play_->Session().partnerNickname()));
    }
    return ShownText(play_->StatusText());
}

void TableNetwork::ConnectionChanged(ConnectionStatus status) {
    everConnected_ = everConnected_ || status != ConnectionStatus::NotConnected;
    if (connectionPanel_ == nullptr) {
        return; // before the menu is built
    }
    connectionPanel_->setText(ConnectionText());
    // Before the first connection the panel would only take room from the
    // hint line in games against the computer.
    connectionPanel_->setVisible(everConnected_);
    UpdateNetworkMenu();
}

void TableNetwork::UpdateNetworkMenu() {
    const ConnectionStatus status = Connection();
    const bool idle = status == ConnectionStatus::NotConnected;
    window_.Action(QStringLiteral("ConnecttoPartner1"))->setEnabled(idle);
    window_.Action(QStringLiteral("StopWaiting1"))->setEnabled(!idle);
    window_.Action(QStringLiteral("ShowRuleDifferences1"))->setEnabled(!idle);
    window_.Action(QStringLiteral("CompareTables1"))
        ->setEnabled(status == ConnectionStatus::Established);
    QAction* chat = window_.Action(QStringLiteral("HideChatWindow1"));
    chat->setEnabled(!idle);
    const bool hidden = chat_ != nullptr && !chat_->isVisible();
    chat->setText(Tr(hidden ? texts::kMenuShowChat : texts::kMenuHideChat));
}

// ---- connecting -------------------------------------------------------------------

void TableNetwork::ConnecttoPartner1Click() {
    if (Connection() != ConnectionStatus::NotConnected || host_.busy() || host_.closing()) {
        return;
    }
    play_->BeginConnecting();
    TableDialogs& dialogs = window_.Dialogs();
    ConnectServices services;
    // The dialog shows the queries' reasons inside its own note: they come
    // to it in the user's language.
    services.query = ShownReasonQuery::Wrap(services_.ownAddressQuery
                                                ? services_.ownAddressQuery()
                                                : std::make_unique<InternetAddressQuery>());
    services.stunQuery = ShownReasonQuery::Wrap(
        services_.stunQuery ? services_.stunQuery() : std::make_unique<StunAddressQuery>());
    // The router is made and asked only when the dialog wants its address,
    // which it does once "Internet" is chosen.
    services.routerAddress = [this](std::function<void(const QString&)> done) {
        if (PortMapper* router = play_->Router()) {
            router->AskAddress([done](const RouterAnswer& answer) {
                done(answer.ok ? QString::fromStdString(answer.externalAddress) : QString());
            });
        }
    };
    services.localAddresses = services_.localAddresses;
    const std::optional<TurnServer> relay = ReadRelaySetup(store_, Secrets()).Server();
    if (relay) {
        services.relayName = QString::fromStdString(relay->Name());
        // The dialog asks for it once "Internet" is chosen, so that the
        // relayed address can be given to the partner before Connect.
        services.allocateRelay =
            [this, server = *relay](std::function<void(const QString&, const QString&)> told) {
                play_->PrepareRelay(server,
                                    [told](const std::string& relayed, const std::string& problem) {
                                        told(QString::fromStdString(relayed),
                                             problem.empty() ? QString() : ShownText(problem));
                                    });
            };
    }
    services.message = dialogs.message;
    services.yesNo = dialogs.yesNo;
    ConnectDialog dialog(store_, std::move(services), &window_);
    const bool ok = dialogs.connect ? dialogs.connect(dialog) : dialog.exec() == QDialog::Accepted;
    ownNickname_ = dialog.Nickname().left(255);
    Session().ownNickname = ownNickname_.toStdString();
    host_.takeFocusBack();
    // With a relay set up, an Internet game waits at the relayed address
    // for the partner typed in: nobody need reach this machine.
    const bool relayed = ok && relay && dialog.ChosenMethod() == ConnectDialog::Method::IpNumber &&
                         dialog.InternetChosen();
    if (!relayed) {
        play_->EndPreparedRelay(); // a cancelled dialog lets the relayed address go
    }
    if (!ok) {
        return;
    }
    ownAddressList_ = dialog.OwnAddressList();
    play_->SetStatus(ConnectionStatus::Waiting);
    if (dialog.ChosenMethod() == ConnectDialog::Method::IpNumber) {
        if (relayed) {
            window_.StatusLine()->ShowHintText(
                Tr(texts::kRelayWaiting).arg(QString::fromStdString(relay->Name())));
            play_->BecomeRelayedServer(*relay, {dialog.PartnerAddress().toStdString()});
            return;
        }
        play_->DecideRole(dialog.OwnAddress(), dialog.PartnerAddress());
        return;
    }
    if (!play_->startAddressMail) {
        dialogs.message(MessageKind::Error, Tr(texts::kMailNotAvailable));
        play_->SetStatus(ConnectionStatus::NotConnected);
        return;
    }
    window_.StatusLine()->ShowHintText(Tr(texts::kSendingToPartner));
    play_->startAddressMail(ownAddressList_, dialog.EmailPartner());
}

void TableNetwork::StopWaiting1Click() {
    if (Connection() == ConnectionStatus::NotConnected) {
        return;
    }
    if (Session().sessionOpen() && !window_.Dialogs().yesNo(ShownText(texts::kConfirmDisconnect))) {
        return;
    }
    play_->CloseSession();
    play_->StopAddressExchange();
}

void TableNetwork::ConnectionInterrupted(std::string_view) {
    // The table stays as it was; the status line and the chat window have
    // the news already (NetworkPlay), the panel says whom the table waits for.
    gameWaits_ = true;
    ConnectionChanged(Connection());
    KeepWaitingGame();
    // Asked from the loop, once the event that noticed the loss is over.
    if (askWhileWaiting_) {
        QTimer::singleShot(0, &window_, [this] { AskWhileWaiting(); });
    }
}

void TableNetwork::AskWhileWaiting() {
    if (!gameWaits_ || host_.closing()) {
        return;
    }
    const QString partner = Utf8(Session().partnerNickname());
    const bool computer = Session().CanHandOverToComputer();
    QStringList buttons{Tr(texts::kButtonWait)};
    if (computer) {
        buttons << Tr(texts::kButtonPlayComputer);
    }
    buttons << Tr(texts::kButtonGiveUp);
    const int chosen = window_.Dialogs().choose(
        Tr(computer ? texts::kAskWaitForPartner : texts::kAskWaitForPartnerMidTurn).arg(partner),
        buttons);
    // The partner may have come back while the question was open.
    if (!gameWaits_ || !Session().GameWaits() || chosen <= 0 || chosen >= buttons.size()) {
        return;
    }
    if (buttons[chosen] == Tr(texts::kButtonPlayComputer)) {
        GoOnAgainstComputer();
    } else {
        play_->CloseSession();
    }
}

void TableNetwork::GoOnAgainstComputer() {
    // Not a game with the partner any more: no new deal follows the end of
    // the session, and the computer starts with a clear memory.
    gameWaits_ = false;
    window_.Controller().ForgetRightClick();
    if (ComputerPlayer* computer = window_.Controller().OwnComputer()) {
        computer->NewGame();
    }
    host_.runEngine([this] { play_->HandOverToComputer(); });
}

void TableNetwork::KeepWaitingGame() {
    const std::string record = play_->KeptLineRecord();
    if (record.empty()) {
        return;
    }
    const QString problem = window_.Games().KeepNetworkGame(record);
    if (!problem.isEmpty()) {
        const QString text = Tr(texts::kKeptGameNotWritten).arg(problem);
        Hint(text);
        ChatNote(text);
    }
}

void TableNetwork::ForgetKeptGame() {
    window_.Games().ForgetNetworkGame();
}

bool TableNetwork::TakeUpKeptGame(const std::string& lineRecord) {
    askWhileWaiting_ = false; // the player has just chosen to wait
    const bool waiting = play_->WaitWithKeptGame(lineRecord);
    askWhileWaiting_ = true;
    if (!waiting) {
        ForgetKeptGame();
    }
    UpdateNetworkMenu();
    return waiting;
}

void TableNetwork::GameResumed(std::string_view) {
    gameWaits_ = false;
    ForgetKeptGame();
    ConnectionChanged(Connection());
}

void TableNetwork::GameNotResumed(std::string_view) {
    // The partner came back without the game: a new one begins with it.
    gameWaits_ = false;
    ForgetKeptGame();
    ConnectionChanged(Connection());
}

void TableNetwork::SessionEnded(bool hadGame) {
    ForgetKeptGame();
    // A kept game given up is a game played with the partner too.
    hadGame = hadGame || gameWaits_;
    if (gameWaits_) {
        gameWaits_ = false;
        ConnectionChanged(Connection());
    }
    // Either window may be the caller of this (Enter in the chat window
    // sends, and a failing send ends the session): they go from the loop.
    for (QWidget* window :
         {static_cast<QWidget*>(chat_.data()), static_cast<QWidget*>(ruleDifferences_.data())}) {
        if (window != nullptr) {
            window->hide();
            window->deleteLater();
        }
    }
    chat_.clear();
    ruleDifferences_.clear();
    UpdateNetworkMenu();
    if (hadGame) {
        host_.dealAfterSession();
    }
}

// ---- chat and rule differences ----------------------------------------------------

void TableNetwork::MakeChatWindow() {
    if (chat_ != nullptr) {
        return;
    }
    chat_ = new ChatWindow(&window_);
    chat_->maySend = [this] { return Session().sessionRole() != SessionRole::Idle; };
    chat_->send = [this](const QString& line) { Session().SendChat(line.toStdString()); };
    chat_->inform = [this](const QString& text) {
        window_.Dialogs().message(MessageKind::Information, text);
    };
    chat_->show();
    if (!play_->RouterPortNote().isEmpty()) {
        chat_->AddNote(play_->RouterPortNote()); // the hint line may have moved on since
    }
    UpdateNetworkMenu();
}

void TableNetwork::ShowRuleDifferences1Click() {
    if (Connection() == ConnectionStatus::NotConnected || Session().partnerRules().empty()) {
        return; // nothing to compare with before the partner's rules came
    }
    if (ruleDifferences_ == nullptr) {
        ruleDifferences_ = new RuleDifferencesDialog(&window_);
    }
    ruleDifferences_->CompareRules(BuildRulesText(window_.Engine().Rules()),
                                   Session().partnerRules());
}

void TableNetwork::CompareTablesClick() {
    if (Connection() != ConnectionStatus::Established || host_.busy()) {
        return;
    }
    Session().CompareTables();
}

void TableNetwork::HideChatWindow1Click() {
    if (!Session().sessionOpen() || chat_ == nullptr) {
        return;
    }
    QAction* item = window_.Action(QStringLiteral("HideChatWindow1"));
    if (chat_->isVisible()) {
        chat_->hide();
        item->setText(Tr(texts::kMenuShowChat));
        item->setStatusTip(StatusHint(texts::kHintShowChatToggled));
    } else {
        chat_->show();
        chat_->raise();
        item->setText(Tr(texts::kMenuHideChat));
        item->setStatusTip(StatusHint(texts::kHintHideChatToggled));
    }
}

bool TableNetwork::ChatTakesKey(QKeyEvent* event) {
    if (!Session().sessionOpen() || chat_ == nullptr) {
        return false;
    }
    chat_->TypeKey(event->key(), event->modifiers(), event->text());
    return true;
}

// ---- what the connection reports ----------------------------------------------------

void TableNetwork::PartnerReached(SessionRole role) {
    if (role == SessionRole::Server) {
        MakeChatWindow();
    }
}

void TableNetwork::SessionOpened(std::string_view partnerNickname) {
    MakeChatWindow();
    if (ruleDifferences_ == nullptr) {
        ruleDifferences_ = new RuleDifferencesDialog(&window_);
    }
    chat_->Greet(Utf8(partnerNickname));
}

void TableNetwork::ChatReceived(std::string_view line) {
    if (chat_ != nullptr) {
        chat_->ReceiveLine(Utf8(line));
    }
}

void TableNetwork::Note(std::string_view text) {
    if (chat_ != nullptr) {
        chat_->AddNote(ShownText(text));
    }
}

void TableNetwork::TablesCompared(std::string_view text) {
    window_.StatusLine()->ShowHintText(ShownText(text));
    Note(text);
}

void TableNetwork::RulesReceived(std::string_view partnerRules) {
    if (ruleDifferences_ == nullptr) {
        ruleDifferences_ = new RuleDifferencesDialog(&window_);
    }
    ruleDifferences_->CompareRules(BuildRulesText(window_.Engine().Rules()), partnerRules);
}

void TableNetwork::RelayReady(const QString& relayed) {
    const TurnRelay* relay = play_->Relay();
    const QString text =
        Tr(texts::kRelayReady)
            .arg(relayed,
                 relay != nullptr ? QString::fromStdString(relay->Server().Name()) : QString());
    window_.StatusLine()->ShowHintText(text);
    ChatNote(text);
}

void TableNetwork::Hint(const QString& text) {
    window_.StatusLine()->ShowHintText(ShownText(text));
}

void TableNetwork::ChatNote(const QString& text) {
    if (chat_ != nullptr) {
        chat_->AddNote(ShownText(text));
    }
}

void TableNetwork::Box(MessageKind kind, const QString& text) {
    window_.Dialogs().message(kind, ShownText(text));
}

} // namespace varenta
