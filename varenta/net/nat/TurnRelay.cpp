#include "varenta/net/nat/TurnRelay.h"

#include "varenta/net/socket/TlsClientSocket.h"

#include <algorithm>
#include <random>

namespace varenta {

namespace {

constexpr char kProtocolTcp = 6; // REQUESTED-TRANSPORT's protocol number

stun::TransactionId NewTransactionId() {
    // Unpredictable, so that nobody on the path answers in the server's place.
    static std::random_device random;
    stun::TransactionId id{};
    for (auto& byte : id) {
        byte = static_cast<std::uint8_t>(random() & 0xFF);
    }
    return id;
}

std::string EndpointText(const stun::Endpoint& endpoint) {
    const bool v6 = endpoint.address.find(':') != std::string::npos;
    return (v6 ? "[" + endpoint.address + "]" : endpoint.address) + ":" +
           std::to_string(endpoint.port);
}

// "error 486: Allocation Quota Reached"
std::string Refusal(const TurnMessage& answer) {
    const int code = answer.ErrorCode();
    std::string text = code != 0 ? std::string(texts::kRelayErrorCode) + std::to_string(code)
                                 : std::string(texts::kRelayAnError);
    const std::string reason = answer.ErrorReason();
    return reason.empty() ? text : text + ": " + reason;
}

} // namespace

std::string TurnServer::Name() const {
    const bool v6 = host.find(':') != std::string::npos;
    return (v6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

// The control connection's events, handed to the relay.
class TurnRelay::ControlEvents : public SocketEvents {
public:
    explicit ControlEvents(TurnRelay& relay) : relay_(relay) {}
    void SessionConnected(TcpSocket&) override {
        relay_.SendRequest(TurnMessage(turn::kAllocate, TurnMessage::Class::Request, {})
                               .Add(turn::kRequestedTransport, std::string{kProtocolTcp, 0, 0, 0})
                               .AddNumber(turn::kLifetime, kAskedLifetimeS));
    }
    void DataAvailable(TcpSocket&) override { relay_.ControlReadable(); }
    void SessionClosed(TcpSocket&) override { relay_.ControlClosed(); }
    void ErrorOccurred(TcpSocket&, const SocketError& error) override {
        relay_.ControlError(error);
    }

private:
    TurnRelay& relay_;
};

// One partner's data connection, until the server confirmed its binding.
// It reads exactly the answer's bytes, so that the partner's first bytes,
// which may follow at once, stay in the socket for the session.
class TurnRelay::Binding : public SocketEvents {
public:
    Binding(TurnRelay& relay, std::uint32_t connectionId, std::string peer)
        : peer(std::move(peer)), relay_(relay), connectionId_(connectionId) {}

    std::unique_ptr<TcpSocket> socket;
    std::string peer;

    void Send() {
        id_ = NewTransactionId();
        TurnMessage bind(turn::kConnectionBind, TurnMessage::Class::Request, id_);
        bind.AddNumber(turn::kConnectionId, connectionId_);
        socket->SendText(bind.Encode(relay_.credentials_ ? &*relay_.credentials_ : nullptr));
    }
    void SessionConnected(TcpSocket&) override { Send(); }
    void DataAvailable(TcpSocket&) override {
        while (!done_) {
            const std::size_t need =
                answer_.size() < stun::kHeaderSize
                    ? stun::kHeaderSize - answer_.size()
                    : TurnFrameLength(answer_).value_or(answer_.size()) - answer_.size();
            if (need == 0) {
                Finish();
                return;
            }
            std::string chunk(need, '\0');
            const long got = socket->Receive(chunk.data(), need);
            if (got <= 0) {
                return;
            }
            answer_.append(chunk, 0, static_cast<std::size_t>(got));
            if (!TurnFrameLength(answer_)) {
                Done(false, std::string(texts::kRelayNotAnswer));
                return;
            }
        }
    }
    void SessionClosed(TcpSocket&) override { Done(false, std::string(texts::kRelayBindClosed)); }
    void ErrorOccurred(TcpSocket&, const SocketError& error) override { Done(false, error.text); }

private:
    void Finish() {
        const std::string bytes = std::move(answer_);
        answer_.clear();
        const std::string* key = relay_.credentials_ ? &relay_.credentials_->key : nullptr;
        const TurnRead read = ReadTurnMessage(bytes, key);
        if (!read.message || read.message->id != id_ ||
            read.message->method != turn::kConnectionBind) {
            Done(false, read.message ? std::string(texts::kRelayOtherAnswer) : read.problem);
            return;
        }
        const TurnMessage& answer = *read.message;
        if (answer.kind == TurnMessage::Class::Error) {
            if (answer.ErrorCode() == turn::kStaleNonce && renewals_ < kNonceRenewals &&
                relay_.TakeNonce(answer)) {
                ++renewals_;
                Send();
                return;
            }
            Done(false, Refusal(answer));
            return;
        }
        if (answer.kind != TurnMessage::Class::Success) {
            Done(false, std::string(texts::kRelayNoAnswer));
            return;
        }
        if (key != nullptr && !answer.authenticated) {
            Done(false, std::string(texts::kRelayAnswerUnsigned));
            return;
        }
        Done(true, {});
    }
    void Done(bool ok, const std::string& problem) {
        if (!done_) {
            done_ = true;
            relay_.Bound(*this, ok, problem);
        }
    }

    TurnRelay& relay_;
    std::uint32_t connectionId_;
    stun::TransactionId id_{};
    std::string answer_;
    int renewals_ = 0;
    bool done_ = false;
};

TurnRelay::TurnRelay(SocketWatcher& watcher, std::unique_ptr<NetTimer> refreshTimer,
                     SocketMaker makeSocket)
    : watcher_(watcher),
      timer_(refreshTimer ? std::move(refreshTimer) : std::make_unique<QtNetTimer>()),
      makeSocket_(
          makeSocket ? std::move(makeSocket) : [](SocketWatcher& w, const TurnServer& server) {
              return server.tls ? std::make_unique<TlsClientSocket>(w, server.trustFile)
                                : std::make_unique<TcpSocket>(w);
          }) {
    timer_->expired = [this] { Refresh(); };
}

TurnRelay::~TurnRelay() {
    Close();
    timer_->expired = nullptr;
}

int TurnRelay::RefreshDelayMs(std::uint32_t lifetimeS) {
    const std::uint32_t shorter = std::min(lifetimeS, kPermissionLifetimeS);
    const std::uint32_t seconds =
        shorter > 2 * kRefreshMarginS ? shorter - kRefreshMarginS : shorter / 2;
    return static_cast<int>(std::max<std::uint32_t>(seconds, 1)) * 1000;
}

std::string TurnRelay::Text(const std::string_view (&parts)[2]) const {
    return std::string(parts[0]) + server_.Name() + std::string(parts[1]);
}

void TurnRelay::Start(TurnServer server, std::vector<std::string> peers, Events events) {
    Allocate(std::move(server), std::move(events));
    peers_ = std::move(peers);
}

void TurnRelay::Allocate(TurnServer server, Events events) {
    Close();
    server_ = std::move(server);
    peers_.clear();
    events_ = std::move(events);
    running_ = true;
    watcher_.Defer([this, generation = std::weak_ptr<int>(generation_), number = *generation_] {
        if (!generation.expired() && number == *generation_) {
            Connect();
        }
    });
}

void TurnRelay::Permit(std::vector<std::string> peers, Events events) {
    if (!running_) {
        return;
    }
    peers_ = std::move(peers);
    events_ = std::move(events);
    // Before the allocation is granted, its answer grants them.
    if (!relayed_.empty()) {
        GrantPermissions();
    }
}

void TurnRelay::Connect() {
    controlEvents_ = std::make_unique<ControlEvents>(*this);
    control_ = makeSocket_(watcher_, server_);
    control_->SetEvents(controlEvents_.get());
    control_->IPAddr = server_.host;
    control_->Port = std::to_string(server_.port);
    control_->Connect(); // a failure is reported to ControlError
}

void TurnRelay::Stop() {
    Close();
}

void TurnRelay::Linger() {
    if (!running_ || lingering_) {
        return;
    }
    if (!ready_) {
        Close(); // nobody came: nothing is on its way
        return;
    }
    lingering_ = true;
    events_ = {};
    pending_.clear(); // a late answer must not set the clock again
    RetireBindings();
    timer_->Start(kLingerMs);
}

// Sockets die only outside their own events: the loop ends them later.
void TurnRelay::RetireBindings() {
    if (bindings_.empty()) {
        return;
    }
    auto bindings = std::make_shared<std::vector<std::unique_ptr<Binding>>>(std::move(bindings_));
    bindings_.clear();
    for (auto& binding : *bindings) {
        binding->socket->SetEvents(nullptr);
        binding->socket->Disconnect();
    }
    watcher_.Defer([bindings] {});
}

void TurnRelay::Close() {
    ++*generation_;
    timer_->Stop();
    if (control_) {
        control_->SetEvents(nullptr);
        control_->Disconnect();
        auto control = std::shared_ptr<TcpSocket>(std::move(control_));
        auto events = std::shared_ptr<ControlEvents>(std::move(controlEvents_));
        watcher_.Defer([control, events] {});
    }
    RetireBindings();
    control_.reset();
    controlEvents_.reset();
    buffer_.clear();
    pending_.clear();
    credentials_.reset();
    relayed_.clear();
    running_ = false;
    ready_ = false;
    lingering_ = false;
}

void TurnRelay::Fail(const std::string& problem) {
    if (!running_) {
        return;
    }
    auto failed = std::move(events_.failed);
    Close();
    events_ = {};
    if (failed) {
        failed(problem);
    }
}

void TurnRelay::SendRequest(TurnMessage request, int nonceRenewals) {
    request.id = NewTransactionId();
    const stun::TransactionId id = request.id;
    pending_[id] = Pending{std::move(request), false, nonceRenewals};
    Send(id);
}

void TurnRelay::Send(const stun::TransactionId& id) {
    Pending& pending = pending_.at(id);
    pending.sentSigned = credentials_.has_value();
    control_->SendText(pending.request.Encode(credentials_ ? &*credentials_ : nullptr));
}

void TurnRelay::ControlReadable() {
    if (!control_) {
        return;
    }
    buffer_ += control_->ReceiveAvailable();
    const int generation = *generation_;
    while (running_ && generation == *generation_) {
        const auto length = TurnFrameLength(buffer_);
        if (!length) {
            Fail(Text(texts::kRelayUnreadable) + std::string(texts::kRelayNotMessage) + ")");
            return;
        }
        if (*length == 0 || buffer_.size() < *length) {
            return;
        }
        const std::string frame = buffer_.substr(0, *length);
        buffer_.erase(0, *length);
        Handle(frame);
    }
}

void TurnRelay::ControlClosed() {
    Fail(Text(texts::kRelayLost));
}

void TurnRelay::ControlError(const SocketError& error) {
    Fail(ready_ ? Text(texts::kRelayLost)
                : Text(texts::kRelayUnreachable) +
                      (error.text.empty() ? error.function : error.text) + ")");
}

void TurnRelay::Handle(std::string_view frame) {
    const TurnRead read = ReadTurnMessage(frame, credentials_ ? &credentials_->key : nullptr);
    if (!read.message) {
        Fail(Text(texts::kRelayUnreadable) + read.problem + ")");
        return;
    }
    const TurnMessage& message = *read.message;
    if (message.kind == TurnMessage::Class::Indication) {
        if (message.method == turn::kConnectionAttempt) {
            Attempt(message);
        }
        return;
    }
    const auto found = pending_.find(message.id);
    if (message.kind == TurnMessage::Class::Request || found == pending_.end() ||
        found->second.request.method != message.method) {
        return; // nothing this side asked for
    }
    Pending pending = std::move(found->second);
    pending_.erase(found);
    Answered(std::move(pending), message);
}

bool TurnRelay::TakeNonce(const TurnMessage& answer) {
    const std::string* nonce = answer.Find(turn::kNonce);
    const std::string* realm = answer.Find(turn::kRealm);
    if (nonce == nullptr || (realm == nullptr && !credentials_)) {
        return false;
    }
    if (!credentials_ || (realm != nullptr && *realm != credentials_->realm)) {
        const std::string& r = realm != nullptr ? *realm : credentials_->realm;
        credentials_ =
            TurnCredentials{server_.user, r, {}, TurnKey(server_.user, r, server_.password)};
    }
    credentials_->nonce = *nonce;
    return true;
}

void TurnRelay::Answered(Pending pending, const TurnMessage& answer) {
    if (answer.kind == TurnMessage::Class::Error) {
        const int code = answer.ErrorCode();
        // The first request goes out unsigned and learns the realm and nonce;
        // a signed one refused with 401 had the wrong user name or password.
        if (code == turn::kUnauthorized && !pending.sentSigned && TakeNonce(answer)) {
            SendRequest(std::move(pending.request), pending.nonceRenewals);
            return;
        }
        if (code == turn::kUnauthorized) {
            Fail(Text(texts::kRelayLogin));
            return;
        }
        if (code == turn::kStaleNonce && pending.nonceRenewals < kNonceRenewals &&
            TakeNonce(answer)) {
            SendRequest(std::move(pending.request), pending.nonceRenewals + 1);
            return;
        }
        Fail(Text(texts::kRelayRefused) + Refusal(answer) + ")");
        return;
    }
    if (credentials_ && !answer.authenticated) {
        Fail(Text(texts::kRelayUnsigned));
        return;
    }
    switch (pending.request.method) {
    case turn::kAllocate:
        Allocated(answer);
        break;
    case turn::kRefresh: {
        const auto lifetime = answer.Number(turn::kLifetime);
        if (!lifetime || *lifetime == 0) {
            Fail(Text(texts::kRelayUnreadable) + std::string(texts::kRelayNoLifetime) + ")");
            return;
        }
        timer_->Start(RefreshDelayMs(*lifetime));
        break;
    }
    case turn::kCreatePermission:
        if (!ready_) {
            ready_ = true;
            if (events_.ready) {
                events_.ready(relayed_);
            }
        }
        break;
    default:
        break;
    }
}

void TurnRelay::Allocated(const TurnMessage& answer) {
    const auto relayed = answer.Address(turn::kXorRelayedAddress);
    const auto lifetime = answer.Number(turn::kLifetime);
    if (!relayed || relayed->port == 0 || !lifetime || *lifetime == 0) {
        Fail(Text(texts::kRelayUnreadable) + std::string(texts::kRelayNoAddress) + ")");
        return;
    }
    relayed_ = EndpointText(*relayed);
    timer_->Start(RefreshDelayMs(*lifetime));
    if (events_.allocated) {
        const int generation = *generation_;
        events_.allocated(relayed_);
        if (generation != *generation_) {
            return; // stopped by the news
        }
    }
    GrantPermissions();
}

void TurnRelay::GrantPermissions() {
    TurnMessage permission(turn::kCreatePermission, TurnMessage::Class::Request, {});
    // The address is XOR-ed with the transaction id, which is only made when
    // the request is sent: the peers are added then.
    permission.id = NewTransactionId();
    for (const std::string& peer : peers_) {
        permission.AddAddress(turn::kXorPeerAddress, peer, 0);
    }
    if (permission.attributes.empty()) {
        return; // nobody may come in: the relay is never ready
    }
    const stun::TransactionId id = permission.id;
    pending_[id] = Pending{std::move(permission), false, 0};
    Send(id);
}

void TurnRelay::Refresh() {
    if (lingering_) {
        Close();
        return;
    }
    if (!running_ || !control_) {
        return;
    }
    SendRequest(TurnMessage(turn::kRefresh, TurnMessage::Class::Request, {})
                    .AddNumber(turn::kLifetime, kAskedLifetimeS));
    GrantPermissions();
}

void TurnRelay::Attempt(const TurnMessage& indication) {
    const auto connectionId = indication.Number(turn::kConnectionId);
    const auto peer = indication.Address(turn::kXorPeerAddress);
    if (!connectionId || !ready_ || lingering_) {
        return;
    }
    auto binding = std::make_unique<Binding>(*this, *connectionId,
                                             peer ? EndpointText(*peer) : std::string("?"));
    binding->socket = makeSocket_(watcher_, server_);
    binding->socket->SetEvents(binding.get());
    binding->socket->IPAddr = server_.host;
    binding->socket->Port = std::to_string(server_.port);
    Binding& added = *binding;
    bindings_.push_back(std::move(binding));
    added.socket->Connect(); // a failure is reported to the binding
}

void TurnRelay::Bound(Binding& binding, bool ok, const std::string& problem) {
    const auto at = std::find_if(bindings_.begin(), bindings_.end(),
                                 [&](const auto& b) { return b.get() == &binding; });
    if (at == bindings_.end()) {
        return;
    }
    std::shared_ptr<Binding> done(std::move(*at));
    bindings_.erase(at);
    std::unique_ptr<TcpSocket> socket = std::move(done->socket);
    socket->SetEvents(nullptr);
    // The binding is inside its own socket's event: both go after it.
    if (ok && events_.partner) {
        // The server drops what it still holds for the partner when this
        // end closes: a game's last frames must have passed first.
        socket->CloseLingerMs = kLingerMs;
        watcher_.Defer([done] {});
        events_.partner(std::move(socket), done->peer);
        return;
    }
    socket->Disconnect();
    auto orphan = std::shared_ptr<TcpSocket>(std::move(socket));
    watcher_.Defer([done, orphan] {});
    if (!ok && events_.note) {
        events_.note(Text(texts::kRelayBindFailed) + problem + ")");
    }
}

} // namespace varenta
