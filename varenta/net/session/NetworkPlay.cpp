#include "varenta/net/session/NetworkPlay.h"

#include "varenta/net/mail/AddressExchange.h"
#include "varenta/net/nat/OwnAddresses.h"
#include "varenta/net/nat/PortMapping.h"
#include "varenta/net/session/DecideRole.h"
#include "varenta/net/session/NetworkPlayTexts.h"

#include "varenta/net/socket/HostPort.h"

#include <QCoreApplication>

#include <algorithm>

namespace varenta {

namespace {

// A fixed text in the user's language (the program's one translation context).
QString Text(const char* text) {
    return QCoreApplication::translate("varenta", text);
}

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool IsLoopback(const QString& address) {
    return address.startsWith(QLatin1String("127.")) || address == QLatin1String("::1") ||
           address.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0;
}

MessageKind BoxKind(SessionListener::Ending ending) {
    switch (ending) {
    case SessionListener::Ending::VersionMismatch:
        return MessageKind::Information;
    case SessionListener::Ending::ConnectionLost:
    case SessionListener::Ending::TablesParted:
        return MessageKind::Warning;
    case SessionListener::Ending::SocketProblem:
        break;
    }
    return MessageKind::Error;
}

} // namespace

NetworkPlay::NetworkPlay(VarentaEngine& engine, SocketWatcher& watcher,
                         NetworkPlayServices services)
    : services_(std::move(services)), watcher_(watcher),
      session_(std::make_unique<NetworkSession>(engine, watcher)) {
    if (!services_.retryTimer) {
        services_.retryTimer = std::make_unique<QtNetTimer>();
    }
    services_.retryTimer->expired = [this] {
        if (reconnecting_) {
            ReconnectTimer();
            return;
        }
        // The timer is one-shot: it goes on until the retries are stopped.
        services_.retryTimer->Start(kTryConnectMs);
        tmTryConnectTimer();
    };
    session_->SetListener(this);
    session_->SetResumable(services_.resumable);
    if (services_.mailExchange) {
        AttachAddressExchange();
    }
}

NetworkPlay::~NetworkPlay() {
    relay_.reset();
    lingeringRelay_.reset();
    services_.retryTimer->expired = nullptr;
    session_->SetListener(nullptr);
}

void NetworkPlay::SetListener(NetworkPlayListener* listener) {
    listener_ = listener != nullptr ? listener : &defaultListener_;
}

std::string NetworkPlay::StatusText() const {
    return ConnectionStatusText(status_, session_->partnerNickname());
}

void NetworkPlay::SetStatus(ConnectionStatus status) {
    status_ = status;
    listener_->ConnectionChanged(status);
}

std::string NetworkPlay::SessionPort() const {
    return services_.sessionPort.empty() ? std::string(kSessionPort) : services_.sessionPort;
}

// ---- the address exchange by e-mail -----------------------------------------------

void NetworkPlay::AttachAddressExchange() {
    mailExchange_ = std::make_unique<AddressExchange>();
    mailExchange_->SetAccount(services_.mailAccount);
    mailExchange_->SetTrustFile(services_.mailTrustFile);
    mailExchange_->showStatus = [this](const QString& text) { listener_->Hint(text); };
    // The partner's address arrives from a socket event of the mail client.
    mailExchange_->decideRole = [this](const QString& own, const QString& partner) {
        if (addressExchangeStopped_) {
            return;
        }
        if (services_.runEvent) {
            services_.runEvent([&] { DecideRole(own, partner); });
        } else {
            DecideRole(own, partner);
        }
    };
    startAddressMail = [this](const QStringList& own, const QString& partner) {
        mailExchange_->SendAddressMail(own, partner);
    };
    stopAddressMail = [this] { mailExchange_->StopAddressExchange(); };
}

void NetworkPlay::SetMailAccount(const MailAccount& account) {
    if (mailExchange_) {
        mailExchange_->SetAccount(account);
    }
}

void NetworkPlay::StopAddressExchange() {
    addressExchangeStopped_ = true;
    StopRetries();
    if (stopAddressMail) {
        stopAddressMail();
    }
}

// ---- connecting -------------------------------------------------------------------

void NetworkPlay::DecideRole(const QString& own, const QString& partner) {
    // A side that was waiting already starts over with the new pair.
    StopRetries();
    if (session_->sessionRole() != SessionRole::Idle && !session_->sessionOpen()) {
        session_->CloseSession();
    }
    // An address with its own port ("203.0.113.9:50000", "[2001:db8::1]:50000")
    // is a side that listens there, a relayed address most often: this side
    // connects to it, and nobody need ask the router.
    partnerPort_.clear();
    if (const auto listener = PartnerWithPort(partner)) {
        mapRouterPort_ = false;
        CloseRouterPort();
        partnerPort_ = std::to_string(listener->port);
        ConnectTo(QString::fromStdString(listener->host));
        return;
    }
    const DecidedRole role = varenta::DecideRole(own.toStdString(), partner.toStdString(), [this] {
        return services_.yesNo && services_.yesNo(Text(texts::kAskSameAddress) + '\n' +
                                                  Text(texts::kAskSameAddressNote));
    });
    // A partner on this machine needs nothing of the router.
    mapRouterPort_ = !IsLoopback(own) && !IsLoopback(partner);
    if (role == DecidedRole::Server) {
        BecomeServer();
        return;
    }
    CloseRouterPort();
    ConnectTo(partner);
}

bool NetworkPlay::BecomeServer() {
    // Two copies on this computer that both chose to listen: the second
    // finds the port taken and should tell its user why.
    const std::string portTaken = mapRouterPort_ || !services_.portTakenHint
                                      ? std::string()
                                      : Text(texts::kPortTakenByOtherCopy)
                                            .arg(QString::fromStdString(SessionPort()))
                                            .toStdString();
    const bool listening = session_->Listen(SessionPort(), portTaken);
    SetStatus(session_->connectionStatus());
    if (mapRouterPort_ && session_->Socket().Listening()) {
        OpenRouterPort(session_->ListenPort());
    }
    return listening;
}

void NetworkPlay::BecomeClient(const QString& partner) {
    // Without an address there is nobody to call: the side waits (the
    // e-mail exchange may still bring one).
    if (partner.isEmpty()) {
        return;
    }
    session_->Connect(partner.toStdString(), partnerPort_.empty() ? SessionPort() : partnerPort_);
}

std::optional<HostPort> NetworkPlay::PartnerWithPort(const QString& partner) {
    const std::string text = partner.trimmed().toStdString();
    // A bare IPv6 address has colons of its own and no port.
    const bool bracketed = text.rfind('[', 0) == 0;
    if (!bracketed && std::count(text.begin(), text.end(), ':') != 1) {
        return std::nullopt;
    }
    return ParseHostPort(text, 0);
}

void NetworkPlay::MakeRelay() {
    if (relay_ && relay_->Lingering()) {
        // The last game's allocation still lets its final frames pass: it
        // ends on its own clock, beside the new one.
        lingeringRelay_ = std::move(relay_);
    }
    if (!relay_) {
        relay_ = std::make_unique<TurnRelay>(watcher_, std::move(services_.relayTimer),
                                             services_.relaySockets);
    }
}

void NetworkPlay::PrepareRelay(
    const TurnServer& server,
    std::function<void(const std::string& relayed, const std::string& problem)> told) {
    MakeRelay();
    relayPrepared_ = true;
    TurnRelay::Events events;
    events.allocated = [told](const std::string& relayed) { told(relayed, {}); };
    events.failed = [this, told](const std::string& problem) {
        relayPrepared_ = false;
        told({}, problem);
    };
    relay_->Allocate(server, std::move(events));
}

void NetworkPlay::EndPreparedRelay() {
    if (relayPrepared_) {
        relayPrepared_ = false;
        relay_->Stop();
    }
}

void NetworkPlay::BecomeRelayedServer(const TurnServer& server, std::vector<std::string> peers) {
    MakeRelay();
    const bool same = relayPrepared_ && relay_->Running() && relay_->Server() == server;
    relayPrepared_ = false;
    session_->AwaitRelayed();
    SetStatus(session_->connectionStatus());
    TurnRelay::Events events;
    events.ready = [this](const std::string& relayed) {
        listener_->RelayReady(QString::fromStdString(relayed));
    };
    events.partner = [this](std::unique_ptr<TcpSocket> connection, const std::string&) {
        relayName_ = QString::fromStdString(relay_->Server().Name());
        if (!session_->TakeConnection(std::move(connection))) {
            relayName_.clear();
        }
    };
    events.failed = [this](const std::string& problem) { RelayFailed(problem); };
    events.note = [this](const std::string& text) { listener_->Hint(Utf8(text)); };
    if (same) {
        relay_->Permit(std::move(peers), std::move(events));
    } else {
        relay_->Start(server, std::move(peers), std::move(events));
    }
}

void NetworkPlay::RelayFailed(const std::string& problem) {
    // A partner's line ends with the relay's: the session reports that
    // itself, as any lost connection.
    if (session_->sessionOpen()) {
        listener_->Hint(Utf8(problem));
        return;
    }
    listener_->RelayFailed(Utf8(problem));
    listener_->Box(MessageKind::Error, Utf8(problem));
    session_->CloseSession();
    SessionEnded(false);
}

QString NetworkPlay::PathText() const {
    if (status_ != ConnectionStatus::Established) {
        return {};
    }
    return relayName_.isEmpty() ? Text(texts::kConnectedDirectly)
                                : Text(texts::kConnectedThroughRelay).arg(relayName_);
}

void NetworkPlay::ConnectTo(const QString& partner) {
    BecomeClient(partner);
    partnerAddress_ = partner;
    retries_ = 0;
    StartRetries();
}

void NetworkPlay::StartRetries() {
    retrying_ = true;
    services_.retryTimer->Start(kTryConnectMs);
}

void NetworkPlay::StopRetries() {
    retrying_ = false;
    reconnecting_ = false;
    services_.retryTimer->Stop();
}

void NetworkPlay::tmTryConnectTimer() {
    if (services_.connectAttempts > 0) {
        // A run that gives up: it stops once the partner answered, and after
        // the last attempt it was given.
        if (session_->connectionStatus() != ConnectionStatus::Waiting) {
            StopRetries();
            return;
        }
        if (++retries_ >= services_.connectAttempts) {
            StopRetries();
            listener_->ConnectGivenUp();
            return;
        }
    }
    if (session_->sessionRole() == SessionRole::Client) {
        session_->TryConnect();
    } else if (session_->sessionRole() == SessionRole::Idle && !partnerAddress_.isEmpty() &&
               status_ == ConnectionStatus::Waiting) {
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
        listener_->Hint(hint);
        listener_->ChatNote(hint);
    }
    refusalHintsShown_ = runs;
}

void NetworkPlay::CloseSession() {
    const bool hadGame = status_ == ConnectionStatus::Established;
    session_->CloseSession();
    SessionEnded(hadGame);
}

bool NetworkPlay::WaitWithKeptGame(std::string_view record) {
    if (!session_->WaitWithKeptLine(record)) {
        SetStatus(session_->connectionStatus());
        return false;
    }
    ConnectionInterrupted(std::string(texts::kPartnerAway[0]) + session_->partnerNickname() +
                          std::string(texts::kPartnerAway[1]));
    return true;
}

bool NetworkPlay::HandOverToComputer() {
    if (!session_->HandOverToComputer()) {
        return false;
    }
    StopAddressExchange();
    SessionEnded(false);
    return true;
}

void NetworkPlay::ReconnectTimer() {
    if (!session_->GameWaits() || session_->connectionStatus() != ConnectionStatus::Waiting) {
        StopRetries();
        return;
    }
    if (services_.connectAttempts > 0 && ++retries_ >= services_.connectAttempts) {
        StopRetries();
        listener_->ConnectGivenUp();
        return;
    }
    session_->TryConnect();
    reconnectPauseMs_ = std::min(reconnectPauseMs_ * 2, kReconnectLongestMs);
    services_.retryTimer->Start(reconnectPauseMs_);
}

void NetworkPlay::SessionEnded(bool hadGame) {
    StopRetries();
    partnerPort_.clear();
    if (!session_->GameWaits()) {
        LingerRelay();
    }
    relayName_.clear();
    CloseRouterPort();
    partnerAddress_.clear();
    SetStatus(ConnectionStatus::NotConnected);
    listener_->SessionEnded(hadGame);
}

// ---- the game port on the router ----------------------------------------------------

PortMapper* NetworkPlay::Router() {
    if (!portMapperMade_) {
        portMapperMade_ = true;
        portMapper_ =
            services_.portMapper ? services_.portMapper() : std::make_unique<PortMapping>();
    }
    return portMapper_.get();
}

void NetworkPlay::ReleaseRouter() {
    portMapper_.reset();
}

void NetworkPlay::OpenRouterPort(int port) {
    PortMapper* router = Router();
    if (router == nullptr) {
        return;
    }
    routerPortOpen_ = false;
    pinholeOpen_ = false;
    // The answer may take seconds (or never come): the listening socket
    // already waits, and a partner on the local network can connect anyway.
    router->Open(port, [this, port](const RouterAnswer& answer) {
        RouterPortAnswered(port, answer.ok, QString::fromStdString(answer.problem));
    });
    // Over IPv6 nothing is translated, but the router's firewall keeps an
    // unasked partner out as surely as a closed port does.
    const std::vector<std::string> ipv6 =
        services_.ownIPv6 ? services_.ownIPv6() : GlobalIPv6Addresses();
    if (!ipv6.empty()) {
        const QString address = QString::fromStdString(ipv6.front());
        router->OpenPinhole(ipv6.front(), port, [this, address, port](const RouterAnswer& answer) {
            PinholeAnswered(address, port, answer.ok, QString::fromStdString(answer.problem));
        });
    }
}

void NetworkPlay::PinholeAnswered(const QString& address, int port, bool ok,
                                  const QString& problem) {
    const QString note = ok ? Text(texts::kPinholeOpened).arg(port).arg(address)
                         : pinholeOpen_
                             ? Text(texts::kPinholeLost).arg(port).arg(address, problem)
                             : Text(texts::kPinholeNotOpened).arg(port).arg(address, problem);
    pinholeOpen_ = ok;
    listener_->Hint(note);
    listener_->ChatNote(note);
}

void NetworkPlay::RouterPortAnswered(int port, bool ok, const QString& problem) {
    if (ok) {
        routerNote_ = Text(texts::kPortOpened).arg(port);
    } else if (routerPortOpen_) {
        routerNote_ = Text(texts::kPortLost).arg(port).arg(problem);
    } else {
        routerNote_ = Text(texts::kPortNotOpened).arg(port).arg(problem);
    }
    routerPortOpen_ = ok;
    listener_->Hint(routerNote_);
    listener_->ChatNote(routerNote_);
}

void NetworkPlay::CloseRouterPort() {
    routerPortOpen_ = false;
    pinholeOpen_ = false;
    routerNote_.clear();
    if (portMapper_) {
        portMapper_->Close();
        portMapper_->ClosePinhole();
    }
}

// ---- what the session reports -------------------------------------------------------

void NetworkPlay::PartnerReached(SessionRole role) {
    StopAddressExchange();
    listener_->PartnerReached(role);
}

void NetworkPlay::SessionOpened(std::string_view partnerNickname) {
    listener_->SessionOpened(partnerNickname);
    SetStatus(ConnectionStatus::Established);
    // Which way the bytes go, so that a slow game can be put down to the relay.
    const QString path = PathText();
    listener_->Hint(path);
    listener_->ChatNote(path);
}

void NetworkPlay::ChatReceived(std::string_view line) {
    listener_->ChatReceived(line);
}

void NetworkPlay::Note(std::string_view text) {
    listener_->Note(text);
}

void NetworkPlay::UnknownToken(std::string_view text) {
    listener_->UnknownToken(text);
}

void NetworkPlay::TablesCompared(std::string_view text) {
    listener_->TablesCompared(text);
}

void NetworkPlay::RulesReceived(std::string_view partnerRules) {
    listener_->RulesReceived(partnerRules);
}

void NetworkPlay::StatusChanged(ConnectionStatus status) {
    listener_->StatusChanged(status);
    // The e-mail exchange waits with no socket yet: its status is this one's.
    if (status == ConnectionStatus::NotConnected) {
        return;
    }
    SetStatus(status);
}

void NetworkPlay::MoveReceived(const SessionMessage& message) {
    listener_->MoveReceived(message);
}

void NetworkPlay::ConnectionInterrupted(std::string_view message) {
    // The listening side listens again already; the connecting side calls
    // again, with a pause that grows while nobody answers.
    SetStatus(ConnectionStatus::Waiting);
    if (session_->sessionRole() == SessionRole::Client) {
        retrying_ = true;
        reconnecting_ = true;
        reconnectPauseMs_ = kReconnectFirstMs;
        retries_ = 0;
        services_.retryTimer->Start(reconnectPauseMs_);
    }
    listener_->ConnectionInterrupted(message);
    listener_->Hint(Utf8(message));
    listener_->ChatNote(Utf8(message));
}

void NetworkPlay::GameResumed(std::string_view message) {
    listener_->GameResumed(message);
    listener_->Hint(Utf8(message));
    listener_->ChatNote(Utf8(message));
}

void NetworkPlay::GameNotResumed(std::string_view message) {
    listener_->GameNotResumed(message);
    listener_->ChatNote(Utf8(message));
}

void NetworkPlay::SessionClosed(Ending ending, std::string_view message) {
    const bool hadGame = status_ == ConnectionStatus::Established;
    listener_->SessionClosed(ending, message);
    listener_->Box(BoxKind(ending), Utf8(message));
    StopAddressExchange();
    SessionEnded(hadGame);
}

} // namespace varenta
