// Network play on the table window: the Network menu, the connect dialog,
// which side listens, the connect retries, the chat window, the connection
// status panel, and what the session reports.
#include "varenta/table/TableWindowNetwork.h"

#include "varenta/net/mail/AddressExchange.h"
#include "varenta/net/nat/InternetAddressQuery.h"
#include "varenta/net/nat/PortMapping.h"
#include "varenta/net/nat/StunAddressQuery.h"
#include "varenta/net/session/DecideRole.h"
#include "varenta/store/RuleVariants.h"
#include "varenta/table/ChatWindow.h"
#include "varenta/table/ConnectDialog.h"
#include "varenta/table/MailAccountSettings.h"
#include "varenta/table/NetworkSetupDialog.h"
#include "varenta/table/NetworkTexts.h"
#include "varenta/table/RuleDifferencesDialog.h"
#include "varenta/table/TableController.h"
#include "varenta/table/TableStatusBar.h"
#include "varenta/table/TableTextConversion.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

namespace varenta {

namespace {

QString Text(const char* text) {
    return QString::fromLatin1(text);
}

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool IsLoopback(const QString& address) {
    return address.startsWith(QLatin1String("127.")) || address == QLatin1String("::1") ||
           address.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0;
}

} // namespace

// ---- the socket's loop ----------------------------------------------------------

void TableWindow::SocketLoop::Watch(int fd, bool read, bool write, ReadyCall onReady) {
    if (!onReady) {
        loop_.Watch(fd, read, write, nullptr);
        return;
    }
    loop_.Watch(fd, read, write, [this, onReady](int ready, bool readable, bool writable) {
        window_.RunSocketEvent([&] { onReady(ready, readable, writable); });
    });
}

void TableWindow::SocketLoop::Defer(std::function<void()> call) {
    loop_.Defer([this, call] { window_.RunSocketEvent(call); });
}

void TableWindow::RunSocketEvent(const std::function<void()>& event) {
    // An event that comes while another operation runs (a card on its way,
    // a pause, an open box) is inside that operation's loop: the partner's
    // frames it brings wait until the operation is over, then apply in order.
    const bool held = holdFrames_;
    holdFrames_ = held || controller_->Busy();
    controller_->RunEngine(event);
    holdFrames_ = held;
}

void TableWindow::ApplyHeldFrames() {
    if (session_ && session_->HasHeldFrames() && !controller_->Closing()) {
        RunSocketEvent([this] { session_->ApplyHeldFrames(); });
    }
}

// ---- menu and status --------------------------------------------------------------

void TableWindow::BuildNetworkMenu(QMenu* before) {
    socketLoop_ = std::make_unique<SocketLoop>(*this);
    sessionEvents_ = std::make_unique<SessionEvents>(*this);
    session_ = std::make_unique<NetworkSession>(engine_, *socketLoop_);
    session_->SetListener(sessionEvents_.get());
    session_->SetGate([this] { return !holdFrames_; });

    networkMenu_ = new QMenu(Text(texts::kMenuNetwork), this);
    networkMenu_->setObjectName(QStringLiteral("Network1"));
    menuBar()->insertMenu(before->menuAction(), networkMenu_);
    auto add = [this](const char* caption, const char* name, const char* hint,
                      void (TableWindow::*slot)()) {
        auto* action = networkMenu_->addAction(Text(caption));
        action->setObjectName(QLatin1String(name));
        action->setStatusTip(StatusText(hint));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    add(texts::kMenuConnect, "ConnecttoPartner1", texts::kHintConnect,
        &TableWindow::ConnecttoPartner1Click);
    add(texts::kMenuRuleDifferences, "ShowRuleDifferences1", texts::kHintRuleDifferences,
        &TableWindow::ShowRuleDifferences1Click);
    add(texts::kMenuCompareTables, "CompareTables1", texts::kHintCompareTables,
        &TableWindow::CompareTablesClick);
    add(texts::kMenuDisconnect, "StopWaiting1", texts::kHintDisconnect,
        &TableWindow::StopWaiting1Click);
    add(texts::kMenuHideChat, "HideChatWindow1", texts::kHintHideChat,
        &TableWindow::HideChatWindow1Click);
    add(texts::kMenuSetup, "Network2", texts::kHintSetup, &TableWindow::Network2Click);
    networkMenu_->installEventFilter(this);
    // The chat item names what it will do, also after the close box hid the window.
    connect(networkMenu_, &QMenu::aboutToShow, this, &TableWindow::UpdateNetworkMenu);

    connectionPanel_ = new QLabel(this);
    connectionPanel_->setObjectName(QStringLiteral("pnConnection"));
    connectionPanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    status_->addPermanentWidget(connectionPanel_);

    tmTryConnect_.setInterval(kTryConnectMs);
    connect(&tmTryConnect_, &QTimer::timeout, this, &TableWindow::tmTryConnectTimer);
    SetConnectionStatus(ConnectionStatus::NotConnected);
    AttachAddressExchange();
}

// ---- the address exchange by e-mail -----------------------------------------------

void TableWindow::AttachAddressExchange() {
    mailExchange_ = std::make_unique<AddressExchange>();
    mailExchange_->SetAccount(ReadMailAccount(*store_));
    mailExchange_->SetTrustFile(services_.mailTrustFile);
    mailExchange_->showStatus = [this](const QString& text) { status_->ShowHintText(text); };
    // The partner's address arrives from a socket event of the mail client.
    mailExchange_->decideRole = [this](const QString& own, const QString& partner) {
        if (!addressExchangeStopped_) {
            RunSocketEvent([&] { DecideRole(own, partner); });
        }
    };
    startAddressMail = [this](const QStringList& own, const QString& partner) {
        mailExchange_->SendAddressMail(own, partner);
    };
    stopAddressMail = [this] { mailExchange_->StopAddressExchange(); };
}

void TableWindow::Network2Click() {
    NetworkSetupDialog dialog(*store_, this);
    const bool ok =
        dialogs_.networkSetup ? dialogs_.networkSetup(dialog) : dialog.exec() == QDialog::Accepted;
    TakeFocusBack();
    if (ok) {
        mailExchange_->SetAccount(dialog.ChosenAccount());
    }
}

ChatWindow* TableWindow::Chat() const {
    return chat_.data();
}

RuleDifferencesDialog* TableWindow::RuleDifferences() const {
    return ruleDifferences_.data();
}

QString TableWindow::ConnectionText() const {
    QString text = Utf8(texts::kStatusTexts[static_cast<int>(connectionStatus_)]);
    if (connectionStatus_ == ConnectionStatus::Established) {
        text += Utf8(session_->partnerNickname());
    }
    return text;
}

void TableWindow::SetConnectionStatus(ConnectionStatus status) {
    connectionStatus_ = status;
    everConnected_ = everConnected_ || status != ConnectionStatus::NotConnected;
    connectionPanel_->setText(ConnectionText());
    // Before the first connection the panel would only take room from the
    // hint line in games against the computer.
    connectionPanel_->setVisible(everConnected_);
    UpdateNetworkMenu();
}

void TableWindow::UpdateNetworkMenu() {
    const bool idle = connectionStatus_ == ConnectionStatus::NotConnected;
    Action(QStringLiteral("ConnecttoPartner1"))->setEnabled(idle);
    Action(QStringLiteral("StopWaiting1"))->setEnabled(!idle);
    Action(QStringLiteral("ShowRuleDifferences1"))->setEnabled(!idle);
    Action(QStringLiteral("CompareTables1"))
        ->setEnabled(connectionStatus_ == ConnectionStatus::Established);
    QAction* chat = Action(QStringLiteral("HideChatWindow1"));
    chat->setEnabled(!idle);
    const bool hidden = chat_ != nullptr && !chat_->isVisible();
    chat->setText(Text(hidden ? texts::kMenuShowChat : texts::kMenuHideChat));
}

// ---- connecting -------------------------------------------------------------------

void TableWindow::ConnecttoPartner1Click() {
    if (connectionStatus_ != ConnectionStatus::NotConnected || controller_->Busy() ||
        controller_->Closing()) {
        return;
    }
    addressExchangeStopped_ = false;
    ConnectServices services;
    services.query = services_.ownAddressQuery ? services_.ownAddressQuery()
                                               : std::make_unique<InternetAddressQuery>();
    services.stunQuery =
        services_.stunQuery ? services_.stunQuery() : std::make_unique<StunAddressQuery>();
    // The router is made and asked only when the dialog wants its address,
    // which it does once "Internet" is chosen.
    services.routerAddress = [this](std::function<void(const QString&)> done) {
        if (PortMapper* router = Router()) {
            router->AskAddress([done](const RouterAnswer& answer) {
                done(answer.ok ? QString::fromStdString(answer.externalAddress) : QString());
            });
        }
    };
    services.localAddresses = services_.localAddresses;
    services.message = dialogs_.message;
    services.yesNo = dialogs_.yesNo;
    ConnectDialog dialog(*store_, std::move(services), this);
    const bool ok =
        dialogs_.connect ? dialogs_.connect(dialog) : dialog.exec() == QDialog::Accepted;
    ownNickname_ = dialog.Nickname().left(255);
    session_->ownNickname = ownNickname_.toStdString();
    TakeFocusBack();
    if (!ok) {
        return;
    }
    ownAddressList_ = dialog.OwnAddressList();
    SetConnectionStatus(ConnectionStatus::Waiting);
    if (dialog.ChosenMethod() == ConnectDialog::Method::IpNumber) {
        DecideRole(dialog.OwnAddress(), dialog.PartnerAddress());
        return;
    }
    if (!startAddressMail) {
        dialogs_.message(MessageKind::Error, Text(texts::kMailNotAvailable));
        SetConnectionStatus(ConnectionStatus::NotConnected);
        return;
    }
    status_->ShowHintText(Text(texts::kSendingToPartner));
    startAddressMail(ownAddressList_, dialog.EmailPartner());
}

void TableWindow::DecideRole(const QString& own, const QString& partner) {
    // A side that was waiting already starts over with the new pair.
    tmTryConnect_.stop();
    if (session_->sessionRole() != SessionRole::Idle && !session_->sessionOpen()) {
        session_->CloseSession();
    }
    const DecidedRole role = varenta::DecideRole(own.toStdString(), partner.toStdString(), [this] {
        return dialogs_.yesNo(Text(texts::kAskSameAddress) + '\n' +
                              Text(texts::kAskSameAddressNote));
    });
    // A partner on this machine needs nothing of the router.
    mapRouterPort_ = !IsLoopback(own) && !IsLoopback(partner);
    if (role == DecidedRole::Server) {
        BecomeServer();
        return;
    }
    CloseRouterPort();
    BecomeClient(partner);
    partnerAddress_ = partner;
    tmTryConnect_.start();
}

std::string TableWindow::SessionPort() const {
    return services_.sessionPort.empty() ? std::string(kSessionPort) : services_.sessionPort;
}

void TableWindow::BecomeServer() {
    // Two copies on this computer that both chose to listen: the second
    // finds the port taken and should tell its user why.
    const std::string portTaken = mapRouterPort_ ? std::string()
                                                 : Text(texts::kPortTakenByOtherCopy)
                                                       .arg(QString::fromStdString(SessionPort()))
                                                       .toStdString();
    session_->Listen(SessionPort(), portTaken);
    SetConnectionStatus(static_cast<ConnectionStatus>(session_->connectionStatus()));
    if (mapRouterPort_ && session_->Socket().Listening()) {
        OpenRouterPort(session_->ListenPort());
    }
}

// ---- the game port on the router ----------------------------------------------------

PortMapper* TableWindow::Router() {
    if (!portMapperMade_) {
        portMapperMade_ = true;
        portMapper_ =
            services_.portMapper ? services_.portMapper() : std::make_unique<PortMapping>();
    }
    return portMapper_.get();
}

void TableWindow::OpenRouterPort(int port) {
    PortMapper* router = Router();
    if (router == nullptr) {
        return;
    }
    routerPortOpen_ = false;
    // The answer may take seconds (or never come): the listening socket
    // already waits, and a partner on the local network can connect anyway.
    router->Open(port, [this, port](const RouterAnswer& answer) {
        RouterPortAnswered(port, answer.ok, QString::fromStdString(answer.problem));
    });
}

void TableWindow::RouterPortAnswered(int port, bool ok, const QString& problem) {
    if (ok) {
        routerNote_ = Text(texts::kPortOpened).arg(port);
    } else if (routerPortOpen_) {
        routerNote_ = Text(texts::kPortLost).arg(port).arg(problem);
    } else {
        routerNote_ = Text(texts::kPortNotOpened).arg(port).arg(problem);
    }
    routerPortOpen_ = ok;
    status_->ShowHintText(routerNote_);
    if (chat_ != nullptr) {
        chat_->AddNote(routerNote_);
    }
}

void TableWindow::CloseRouterPort() {
    routerPortOpen_ = false;
    routerNote_.clear();
    if (portMapper_) {
        portMapper_->Close();
    }
}

void TableWindow::BecomeClient(const QString& partner) {
    // Without an address there is nobody to call: the side waits (the
    // e-mail exchange may still bring one).
    if (partner.isEmpty()) {
        return;
    }
    session_->Connect(partner.toStdString(), SessionPort());
}

void TableWindow::tmTryConnectTimer() {
    if (session_->sessionRole() == SessionRole::Client) {
        session_->TryConnect();
    } else if (session_->sessionRole() == SessionRole::Idle && !partnerAddress_.isEmpty() &&
               connectionStatus_ == ConnectionStatus::Waiting) {
        BecomeClient(partnerAddress_);
    }
    // Refusal after refusal: nobody listens there, most often because both
    // players chose to connect. Retrying goes on; the user is told (on the
    // hint line, no box) once per run of refusals.
    const int runs = session_->RefusedAttempts() / kRefusalsBeforeHint;
    if (runs > refusalHintsShown_) {
        const QString hint = Text(texts::kNobodyListens)
                                 .arg(partnerAddress_, QString::fromStdString(SessionPort()))
                                 .arg(session_->RefusedAttempts());
        status_->ShowHintText(hint);
        if (chat_ != nullptr) {
            chat_->AddNote(hint);
        }
    }
    refusalHintsShown_ = runs;
}

void TableWindow::StopAddressExchange() {
    addressExchangeStopped_ = true;
    tmTryConnect_.stop();
    if (stopAddressMail) {
        stopAddressMail();
    }
}

void TableWindow::StopWaiting1Click() {
    if (connectionStatus_ == ConnectionStatus::NotConnected) {
        return;
    }
    if (session_->sessionOpen() && !dialogs_.yesNo(Utf8(texts::kConfirmDisconnect))) {
        return;
    }
    CloseSession();
    StopAddressExchange();
}

void TableWindow::CloseSession() {
    const bool hadGame = connectionStatus_ == ConnectionStatus::Established;
    session_->CloseSession();
    SessionEnded(hadGame);
}

void TableWindow::SessionEnded(bool hadGame) {
    tmTryConnect_.stop();
    CloseRouterPort();
    partnerAddress_.clear();
    SetConnectionStatus(ConnectionStatus::NotConnected);
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
        dealPending_ = true;
        if (!controller_->Busy()) {
            DealAfterSession();
        }
    }
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

// ---- chat and rule differences ----------------------------------------------------

void TableWindow::MakeChatWindow() {
    if (chat_ != nullptr) {
        return;
    }
    chat_ = new ChatWindow(this);
    chat_->maySend = [this] { return session_->sessionRole() != SessionRole::Idle; };
    chat_->send = [this](const QString& line) { session_->SendChat(line.toStdString()); };
    chat_->inform = [this](const QString& text) {
        dialogs_.message(MessageKind::Information, text);
    };
    chat_->show();
    if (!routerNote_.isEmpty()) {
        chat_->AddNote(routerNote_); // the hint line may have moved on since
    }
    UpdateNetworkMenu();
}

void TableWindow::ShowRuleDifferences1Click() {
    if (connectionStatus_ == ConnectionStatus::NotConnected || session_->partnerRules().empty()) {
        return; // nothing to compare with before the partner's rules came
    }
    if (ruleDifferences_ == nullptr) {
        ruleDifferences_ = new RuleDifferencesDialog(this);
    }
    ruleDifferences_->CompareRules(BuildRulesText(engine_.Rules()), session_->partnerRules());
}

void TableWindow::CompareTablesClick() {
    if (connectionStatus_ != ConnectionStatus::Established || controller_->Busy()) {
        return;
    }
    session_->CompareTables();
}

void TableWindow::HideChatWindow1Click() {
    if (!session_->sessionOpen() || chat_ == nullptr) {
        return;
    }
    QAction* item = Action(QStringLiteral("HideChatWindow1"));
    if (chat_->isVisible()) {
        chat_->hide();
        item->setText(Text(texts::kMenuShowChat));
        item->setStatusTip(StatusText(texts::kHintShowChatToggled));
    } else {
        chat_->show();
        chat_->raise();
        item->setText(Text(texts::kMenuHideChat));
        item->setStatusTip(StatusText(texts::kHintHideChatToggled));
    }
}

bool TableWindow::ChatTakesKey(QKeyEvent* event) {
    if (!session_->sessionOpen() || chat_ == nullptr) {
        return false;
    }
    chat_->TypeKey(event->key(), event->modifiers(), event->text());
    return true;
}

// ---- what the session reports -------------------------------------------------------

void TableWindow::SessionEvents::PartnerReached(SessionRole role) {
    window_.StopAddressExchange();
    if (role == SessionRole::Server) {
        window_.MakeChatWindow();
    }
}

void TableWindow::SessionEvents::SessionOpened(std::string_view partnerNickname) {
    window_.MakeChatWindow();
    if (window_.ruleDifferences_ == nullptr) {
        window_.ruleDifferences_ = new RuleDifferencesDialog(&window_);
    }
    window_.chat_->Greet(Utf8(partnerNickname));
    window_.SetConnectionStatus(ConnectionStatus::Established);
}

void TableWindow::SessionEvents::ChatReceived(std::string_view line) {
    if (window_.chat_ != nullptr) {
        window_.chat_->ReceiveLine(Utf8(line));
    }
}

void TableWindow::SessionEvents::Note(std::string_view text) {
    if (window_.chat_ != nullptr) {
        window_.chat_->AddNote(Utf8(text));
    }
}

void TableWindow::SessionEvents::TablesCompared(std::string_view text) {
    window_.status_->ShowHintText(Utf8(text));
    Note(text);
}

void TableWindow::SessionEvents::RulesReceived(std::string_view partnerRules) {
    if (window_.ruleDifferences_ == nullptr) {
        window_.ruleDifferences_ = new RuleDifferencesDialog(&window_);
    }
    window_.ruleDifferences_->CompareRules(BuildRulesText(window_.engine_.Rules()), partnerRules);
}

void TableWindow::SessionEvents::StatusChanged(int connectionStatus) {
    // The e-mail exchange waits with no socket yet: its status is the window's.
    if (connectionStatus == kNotConnected) {
        return;
    }
    window_.SetConnectionStatus(static_cast<ConnectionStatus>(connectionStatus));
}

void TableWindow::SessionEvents::SessionClosed(Ending ending, std::string_view message) {
    const bool hadGame = window_.connectionStatus_ == ConnectionStatus::Established;
    switch (ending) {
    case Ending::VersionMismatch:
        window_.dialogs_.message(MessageKind::Information, Utf8(message));
        break;
    case Ending::ConnectionLost:
    case Ending::TablesParted:
        window_.dialogs_.message(MessageKind::Warning, Utf8(message));
        break;
    case Ending::SocketProblem:
        window_.dialogs_.message(MessageKind::Error, Utf8(message));
        break;
    }
    window_.StopAddressExchange();
    window_.SessionEnded(hadGame);
}

} // namespace varenta
