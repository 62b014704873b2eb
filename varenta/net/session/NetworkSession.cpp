#include "varenta/net/session/NetworkSession.h"

#include "varenta/engine/RuleText.h"
#include "varenta/engine/VarentaEngine.h"

namespace varenta {

namespace {

// A frame as a short readable line for a note: fields separated by spaces,
// bytes that are not printable ASCII shown as '?'.
std::string Readable(const SessionMessage& message) {
    std::string text = message.keywordText;
    for (const std::string& field : message.fields) {
        text += ' ';
        text += field;
    }
    constexpr std::size_t kLongest = 120;
    if (text.size() > kLongest) {
        text.resize(kLongest);
        text += "...";
    }
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E) {
            c = '?';
        }
    }
    return text;
}

std::string Cut255(std::string_view text) {
    return std::string(text.substr(0, 255));
}

bool IsGameMove(Keyword keyword) {
    return keyword >= Keyword::Deal && keyword <= Keyword::PassDiscard;
}

// The announcement's payload: keywords that are ignored wherever they stand.
constexpr std::string_view kAnnouncementFields[2] = {"SENDAGAIN", "OK"};

// The resume's announcement: one ignored keyword more, so that the checks'
// announcement (exactly two fields) never matches it.
constexpr std::string_view kResumeFields[3] = {"SENDAGAIN", "OK", "QUIT"};

bool IsResumeAnnouncement(const SessionMessage& message) {
    return message.fields.size() == 3 && message.fields[0] == kResumeFields[0] &&
           message.fields[1] == kResumeFields[1] && message.fields[2] == kResumeFields[2];
}

// RESUME fields: the kind, then by kind FROM sent received; READY; CHECK
// sent received digest; NONE (no game kept); END (the partner leaves on
// purpose, the close that follows is no lost line).
constexpr std::string_view kResumeFrom = "FROM";
constexpr std::string_view kResumeReady = "READY";
constexpr std::string_view kResumeCheck = "CHECK";
constexpr std::string_view kResumeNone = "NONE";
constexpr std::string_view kResumeEnd = "END";

bool IsAnnouncement(const SessionMessage& message) {
    return message.fields.size() == 2 && message.fields[0] == kAnnouncementFields[0] &&
           message.fields[1] == kAnnouncementFields[1];
}

// DIGEST fields: the kind, then by kind HAND n digest; ASK/TELL sent
// received digest; PARTED.
constexpr std::string_view kDigestHand = "HAND";
constexpr std::string_view kDigestAsk = "ASK";
constexpr std::string_view kDigestTell = "TELL";
constexpr std::string_view kDigestParted = "PARTED";
constexpr int kHandsKept = 8; // digests of older hands are forgotten

std::string Hex(std::uint64_t value) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text(16, '0');
    for (int i = 15; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
        value >>= 4;
    }
    return text;
}

std::optional<std::uint64_t> ParseHex(std::string_view text) {
    if (text.size() != 16) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        }
        if (digit < 0) {
            return std::nullopt;
        }
        value = value << 4 | static_cast<std::uint64_t>(digit);
    }
    return value;
}

} // namespace

std::uint64_t ResumeDigest(const VarentaEngine& engine, std::string_view ownRules,
                           std::string_view partnerRules, bool mirrored) {
    // FNV-1a over the game's fingerprint and both rule texts, the first
    // side's rules first as the game's own digest orders the sides.
    std::uint64_t hash = 14695981039346656037ull;
    const auto add = [&hash](unsigned char byte) {
        hash ^= byte;
        hash *= 1099511628211ull;
    };
    const std::uint64_t game = engine.GameDigest(mirrored, true, true);
    for (int shift = 0; shift < 64; shift += 8) {
        add(static_cast<unsigned char>(game >> shift));
    }
    for (const std::string_view rules :
         {mirrored ? partnerRules : ownRules, mirrored ? ownRules : partnerRules}) {
        for (const char c : rules) {
            add(static_cast<unsigned char>(c));
        }
        add(static_cast<unsigned char>(kFieldSeparator));
    }
    return hash;
}

std::string ChecksAnnouncement() {
    return BuildFrame(Keyword::Ok, JoinFields({kAnnouncementFields[0], kAnnouncementFields[1]}));
}

std::string ResumeAnnouncement() {
    return BuildFrame(Keyword::Ok,
                      JoinFields({kResumeFields[0], kResumeFields[1], kResumeFields[2]}));
}

NetworkSession::NetworkSession(VarentaEngine& engine, SocketWatcher& watcher)
    : engine_(engine), socket_(std::make_unique<TcpSocket>(watcher)), watcher_(watcher) {
    socket_->SetEvents(this);
    SetKeepAliveTimers(nullptr, nullptr);
}

void NetworkSession::SetKeepAliveTimers(std::unique_ptr<NetTimer> alive,
                                        std::unique_ptr<NetTimer> silence) {
    aliveTimer_ = alive ? std::move(alive) : std::make_unique<QtNetTimer>();
    silenceTimer_ = silence ? std::move(silence) : std::make_unique<QtNetTimer>();
    aliveTimer_->expired = [this] {
        if (sessionOpen_ && partnerChecks_) {
            SendSessionMessage(Keyword::Alive, {}); // restarts the timer
        }
    };
    silenceTimer_->expired = [this] { PartnerSilent(); };
}

NetworkSession::~NetworkSession() {
    alive_.reset();
    socket_->SetEvents(nullptr);
    if (handshakeDone_ || suspended_) {
        engine_.SetReporter(nullptr);
        engine_.SetDealsLevelHands(true);
    }
}

std::string NetworkSession::StatusText() const {
    return ConnectionStatusText(connectionStatus_, partnerNickname_);
}

void NetworkSession::SetStatus(ConnectionStatus status) {
    if (status != connectionStatus_) {
        connectionStatus_ = status;
        listener_->StatusChanged(status);
    }
}

void NetworkSession::StartSession(SessionRole role) {
    // A kept game waits through the new listen or connect.
    if (role_ != SessionRole::Idle && !suspended_) {
        CloseSession();
    }
    if (!suspended_) {
        partnerNickname_ = std::string(texts::kNoPartnerYet);
    }
    partnerRules_.clear();
    reader_.Clear();
    frames_.clear();
    role_ = role;
}

bool NetworkSession::Listen(std::string_view port, std::string_view portTakenHint) {
    StartSession(SessionRole::Server);
    relayed_ = false;
    portTakenHint_ = std::string(portTakenHint);
    socket_->Port = std::string(port);
    SetStatus(ConnectionStatus::Waiting);
    if (!socket_->Listen()) {
        if (role_ != SessionRole::Idle) {
            CloseSession();
        }
        return false;
    }
    listenedPort_ = socket_->ListenPort();
    return true;
}

void NetworkSession::AwaitRelayed() {
    StartSession(SessionRole::Server);
    relayed_ = true;
    SetStatus(ConnectionStatus::Waiting);
}

bool NetworkSession::TakeConnection(std::unique_ptr<TcpSocket> connection) {
    if (!connection) {
        return false;
    }
    if (role_ != SessionRole::Server || !relayed_ || sessionOpen_ || !connection->Connected()) {
        // Handed in from inside its own socket event: it goes after it.
        std::shared_ptr<TcpSocket> refused(std::move(connection));
        refused->SetEvents(nullptr);
        refused->Disconnect();
        watcher_.Defer([refused] {});
        return false;
    }
    // The old socket may still have a report on its way: it goes after it.
    std::shared_ptr<TcpSocket> old(std::move(socket_));
    old->SetEvents(nullptr);
    watcher_.Defer([old] {});
    socket_ = std::move(connection);
    socket_->SetEvents(this);
    listener_->PartnerReached(SessionRole::Server);
    Accepted();
    return true;
}

bool NetworkSession::Connect(std::string_view host, std::string_view port) {
    StartSession(SessionRole::Client);
    relayed_ = false;
    socket_->IPAddr = std::string(host);
    socket_->Port = std::string(port);
    refusedAttempts_ = 0;
    SetStatus(ConnectionStatus::Waiting);
    return TryConnect();
}

bool NetworkSession::TryConnect() {
    if (role_ != SessionRole::Client || connectionStatus_ != ConnectionStatus::Waiting ||
        socket_->Connected() || socket_->Connecting()) {
        return false;
    }
    return socket_->Connect();
}

void NetworkSession::CloseSession() {
    if (sessionOpen_ && handshakeDone_ && partnerResume_) {
        SendSessionMessage(Keyword::Resume, kResumeEnd);
    }
    if (socket_->Listening()) {
        socket_->CancelListen();
    }
    if (socket_->Socket() >= 0) {
        socket_->Disconnect();
    }
    if (handshakeDone_ || suspended_) {
        // The table plays the computer again; the window deals afresh.
        engine_.SetReporter(nullptr);
        engine_.SetDealsLevelHands(true);
        engine_.SetComputerOpponent();
    }
    role_ = SessionRole::Idle;
    ForgetLine();
    handsScored_ = 0;
    handsCompared_ = 0;
    handDigests_.clear();
    movesSent_ = 0;
    movesReceived_ = 0;
    sentLog_.clear();
    partnerTurnStart_.reset();
    partnerMidTurnUnknown_ = false;
    dealAwaited_ = false;
    partnerResume_ = false;
    suspended_ = false;
    partnerLeft_ = false;
    rulesDifferNoted_ = false;
    StopKeepAlive();
    SetStatus(ConnectionStatus::NotConnected);
}

void NetworkSession::End(SessionListener::Ending ending, const std::string& message) {
    if (ending == SessionListener::Ending::ConnectionLost && KeepsGame()) {
        Suspend();
        return;
    }
    CloseSession();
    listener_->SessionClosed(ending, message);
}

void NetworkSession::EndWhenApplied(SessionListener::Ending ending, std::string message,
                                    bool afterFrames, std::string partedWhere) {
    if (pendingEnd_ && !pendingEnd_->afterFrames) {
        return; // the tables parted: that ending stands
    }
    pendingEnd_ = PendingEnd{ending, std::move(message), afterFrames, std::move(partedWhere)};
    // From the loop, so that an operation running now ends first.
    std::weak_ptr<bool> token = alive_;
    watcher_.Defer([this, token] {
        if (!token.expired()) {
            ProcessFrames();
        }
    });
}

// ---- keep-alive ------------------------------------------------------------------

void NetworkSession::StartKeepAlive() {
    if (!partnerChecks_ || !handshakeDone_ || !sessionOpen_) {
        return;
    }
    aliveTimer_->Start(kAliveIntervalMs);
    silenceTimer_->Start(kSilenceLimitMs);
}

// What belongs to one connection: its handshake, the bytes and frames not
// yet read, and what the partner said it understands.
void NetworkSession::ForgetLine() {
    sessionOpen_ = false;
    handshakeDone_ = false;
    reader_.Clear();
    frames_.clear();
    pendingEnd_.reset();
    partnerChecks_ = false;
}

void NetworkSession::StopKeepAlive() {
    if (aliveTimer_) {
        aliveTimer_->Stop();
    }
    if (silenceTimer_) {
        silenceTimer_->Stop();
    }
}

void NetworkSession::PartnerSilent() {
    if (role_ == SessionRole::Idle || !partnerChecks_) {
        return;
    }
    // A link gone without a word (a sleeping laptop, a router restarted):
    // the same end as a connection that closed.
    CutLine();
    EndWhenApplied(SessionListener::Ending::ConnectionLost,
                   std::string(texts::kConnectionLost[0]) + partnerNickname_ +
                       std::string(texts::kConnectionLost[1]),
                   true);
}

// ---- sending ------------------------------------------------------------------

void NetworkSession::SendSessionMessage(Keyword keyword, std::string_view payload) {
    std::string frame = BuildFrame(keyword, payload);
    if (!sessionOpen_) {
        if (suspended_ && IsGameMove(keyword)) {
            // A move that was on its way when the line went (the rest of an
            // operation): kept, and sent after the reconnect.
            ++movesSent_;
            sentLog_.push_back(std::move(frame));
            if (sentLog_.size() > kResendKept) {
                sentLog_.pop_front();
            }
        }
        return;
    }
    if (IsGameMove(keyword)) {
        ++movesSent_;
        sentLog_.push_back(frame);
        if (sentLog_.size() > kResendKept) {
            sentLog_.pop_front();
        }
    }
    if (partnerChecks_ && handshakeDone_) {
        aliveTimer_->Start(kAliveIntervalMs); // only an idle side needs to say it is there
    }
    socket_->SendText(frame);
}

void NetworkSession::SendChat(std::string_view line) {
    SendSessionMessage(Keyword::Chat, CleanField(line));
}

void NetworkSession::SendRules() {
    SendSessionMessage(Keyword::Rules, BuildRulesText(engine_.Rules()));
}

void NetworkSession::Deal(std::string_view dealString) {
    dealAwaited_ = false;
    SendSessionMessage(Keyword::Deal, dealString);
    alsoReport_->Deal(dealString);
}
void NetworkSession::DrawNew(const Card& card) {
    SendSessionMessage(Keyword::DrawNew, {});
    alsoReport_->DrawNew(card);
}
void NetworkSession::DrawPileTop(const Card& card) {
    SendSessionMessage(Keyword::DrawPileTop, {});
    alsoReport_->DrawPileTop(card);
}
void NetworkSession::DrawPileRest() {
    SendSessionMessage(Keyword::DrawPileRest, {});
    alsoReport_->DrawPileRest();
}
void NetworkSession::UndoPile() {
    SendSessionMessage(Keyword::UndoPile, {});
    alsoReport_->UndoPile();
}
void NetworkSession::Meld(int code) {
    SendSessionMessage(Keyword::Meld, std::to_string(code));
    alsoReport_->Meld(code);
}
void NetworkSession::MeldWildCard(int code, int column) {
    const std::string a = std::to_string(code);
    const std::string b = std::to_string(column);
    SendSessionMessage(Keyword::MeldWildCard, JoinFields({a, b}));
    alsoReport_->MeldWildCard(code, column);
}
void NetworkSession::Undo(int column, int code) {
    const std::string a = std::to_string(column);
    const std::string b = std::to_string(code);
    SendSessionMessage(Keyword::Undo, JoinFields({a, b}));
    alsoReport_->Undo(column, code);
}
void NetworkSession::Discard(int code) {
    SendSessionMessage(Keyword::Discard, std::to_string(code));
    alsoReport_->Discard(code);
}
void NetworkSession::DiscardRedThree(int code) {
    SendSessionMessage(Keyword::DiscardRedThree, std::to_string(code));
    alsoReport_->DiscardRedThree(code);
}
void NetworkSession::PassDiscard() {
    SendSessionMessage(Keyword::PassDiscard, {});
    alsoReport_->PassDiscard();
}
void NetworkSession::Rules(std::string_view rulesText) {
    SendSessionMessage(Keyword::Rules, rulesText);
    alsoReport_->Rules(rulesText);
}

// ---- socket events -------------------------------------------------------------

void NetworkSession::SessionAvailable(TcpSocket& socket) {
    if (role_ != SessionRole::Server || sessionOpen_) {
        return;
    }
    listener_->PartnerReached(SessionRole::Server);
    if (!socket.Accept()) {
        return;
    }
    socket.CancelListen(); // one partner only
    Accepted();
}

void NetworkSession::Accepted() {
    sessionOpen_ = true;
    if (resumable_) {
        socket_->SendText(ResumeAnnouncement());
    }
    SendSessionMessage(Keyword::PlayerId,
                       JoinFields({Cut255(ownNickname), std::to_string(kProtocolVersion)}));
    socket_->SendText(ChecksAnnouncement());
}

void NetworkSession::SessionConnected(TcpSocket&) {
    if (role_ == SessionRole::Client) {
        listener_->PartnerReached(SessionRole::Client);
    }
}

void NetworkSession::SessionClosed(TcpSocket&) {
    if (role_ == SessionRole::Idle) {
        return;
    }
    const std::string message = std::string(texts::kConnectionLost[0]) + partnerNickname_ +
                                std::string(texts::kConnectionLost[1]);
    if (HasHeldFrames() || handling_ || !mayApply_()) {
        // What the partner sent before it went is applied first.
        EndWhenApplied(SessionListener::Ending::ConnectionLost, message, true);
        return;
    }
    End(SessionListener::Ending::ConnectionLost, message);
}

void NetworkSession::ErrorOccurred(TcpSocket&, const SocketError& error) {
    // A connect attempt that failed is simply tried again by the caller's
    // timer; refusals are counted, since a long run of them means nobody
    // listens at all.
    if (role_ == SessionRole::Client && connectionStatus_ == ConnectionStatus::Waiting) {
        refusedAttempts_ = error.code == kErrorConnectionRefused ? refusedAttempts_ + 1 : 0;
        return;
    }
    if (handshakeDone_ && KeepsGame()) {
        // A line reset in the middle of a game is a lost line like any other.
        End(SessionListener::Ending::ConnectionLost, std::string(texts::kConnectionLost[0]) +
                                                         partnerNickname_ +
                                                         std::string(texts::kConnectionLost[1]));
        return;
    }
    std::string message = std::string(texts::kSocketProblem) + "\n" + error.text;
    if (role_ == SessionRole::Server && error.code == kErrorAddressInUse &&
        !portTakenHint_.empty()) {
        message += "\n\n" + portTakenHint_;
    }
    End(SessionListener::Ending::SocketProblem, message);
}

void NetworkSession::DataAvailable(TcpSocket& socket) {
    const std::string bytes = socket.ReceiveAvailable();
    if (!bytes.empty()) {
        ReceiveBytes(bytes);
    }
}

// ---- receiving -----------------------------------------------------------------

void NetworkSession::ReceiveBytes(std::string_view bytes) {
    if (!bytes.empty() && partnerChecks_ && handshakeDone_) {
        silenceTimer_->Start(kSilenceLimitMs);
    }
    std::vector<std::string> frames;
    int oversized = 0;
    reader_.Feed(bytes, frames, oversized);
    for (int i = 0; i < oversized; ++i) {
        listener_->Note(texts::kNoteFrameTooLong);
    }
    for (std::string& frame : frames) {
        frames_.push_back(std::move(frame));
    }
    ProcessFrames();
}

void NetworkSession::ProcessFrames() {
    // A handler may open a box whose loop delivers more bytes, and the table
    // may be in the middle of its own move: those frames wait in the queue,
    // so the order on the wire is kept and every move is applied.
    if (handling_ || !mayApply_()) {
        return;
    }
    handling_ = true;
    std::weak_ptr<bool> token = alive_;
    while (!frames_.empty() && !(pendingEnd_ && !pendingEnd_->afterFrames)) {
        const std::string frame = std::move(frames_.front());
        frames_.pop_front();
        HandleFrame(frame);
        if (token.expired()) {
            return;
        }
    }
    handling_ = false;
    if (!pendingEnd_) {
        return;
    }
    const PendingEnd end = *pendingEnd_;
    pendingEnd_.reset();
    if (!end.partedWhere.empty()) {
        SendSessionMessage(Keyword::Digest, JoinFields({kDigestParted, end.partedWhere}));
    }
    End(end.ending, end.message);
}

void NetworkSession::Note(std::string_view prefix, const SessionMessage& message) {
    listener_->Note(std::string(prefix) + Readable(message));
}

void NetworkSession::HandleFrame(std::string_view frame) {
    const SessionMessage message = ParseFrame(frame);
    switch (message.keyword) {
    case Keyword::Ok:
        if (IsAnnouncement(message) && role_ != SessionRole::Idle) {
            partnerChecks_ = true;
            StartKeepAlive();
        } else if (IsResumeAnnouncement(message) && role_ != SessionRole::Idle) {
            partnerResume_ = true;
        }
        return;
    case Keyword::SendAgain:
    case Keyword::Quit:
        return;
    case Keyword::Unknown:
        listener_->UnknownToken(std::string(texts::kUnknownToken) + Readable(message));
        return;
    case Keyword::Digest:
    case Keyword::Alive:
        if (!partnerChecks_) {
            // Only a partner that announced them may use the added keywords.
            listener_->UnknownToken(std::string(texts::kUnknownToken) + Readable(message));
        } else if (message.keyword == Keyword::Digest && handshakeDone_) {
            HandleDigest(message);
        }
        return;
    case Keyword::Resume:
        if (!partnerResume_) {
            listener_->UnknownToken(std::string(texts::kUnknownToken) + Readable(message));
        } else if (handshakeDone_) {
            HandleResume(message);
        }
        return;
    case Keyword::Chat:
        if (handshakeDone_) {
            listener_->ChatReceived(message.payload);
        } else {
            Note(texts::kNoteNotNow, message);
        }
        return;
    case Keyword::PlayerId:
        HandlePlayerId(message);
        return;
    case Keyword::Rules:
        HandleRules(message);
        return;
    default:
        break;
    }
    if (!handshakeDone_) {
        Note(texts::kNoteNotNow, message);
        return;
    }
    ++movesReceived_;
    ApplyMove(message);
}

void NetworkSession::HandlePlayerId(const SessionMessage& message) {
    if (handshakeDone_ || role_ == SessionRole::Idle) {
        Note(texts::kNoteNotNow, message);
        return;
    }
    if (message.fields.empty()) {
        Note(texts::kNoteMalformed, message);
        return;
    }
    partnerNickname_ = Cut255(message.fields[0]);
    const std::optional<int> version =
        message.fields.size() >= 2 ? ParseNumberField(message.fields[1], 0, 999999999) : 0;
    if (version.value_or(0) != kProtocolVersion) {
        const std::string text =
            std::string(texts::kVersionMismatch[0]) + std::to_string(kProtocolVersion) +
            std::string(texts::kVersionMismatch[1]) + std::to_string(version.value_or(0)) +
            std::string(texts::kVersionMismatch[2]);
        sessionOpen_ = false;
        End(SessionListener::Ending::VersionMismatch, text);
        return;
    }
    handshakeDone_ = true;
    SetStatus(ConnectionStatus::Established);
    // A kept game goes on only with a partner that can resume it too.
    const bool resuming = suspended_ && partnerResume_ && resumable_;
    const std::weak_ptr<bool> kept = alive_;
    if (suspended_ && !resuming) {
        DropKeptGame();
        if (kept.expired()) {
            return;
        }
    }
    engine_.SetNetworkOpponent(partnerNickname_);
    engine_.SetReporter(this);
    engine_.SetDealsLevelHands(role_ == SessionRole::Server);
    if (role_ == SessionRole::Client) {
        sessionOpen_ = true;
        if (resumable_) {
            socket_->SendText(ResumeAnnouncement());
        }
        SendSessionMessage(Keyword::PlayerId,
                           JoinFields({Cut255(ownNickname), std::to_string(kProtocolVersion)}));
        socket_->SendText(ChecksAnnouncement());
    }
    if (resuming) {
        // Each side says how far it got; the frames the other missed follow.
        SendSessionMessage(Keyword::Resume, JoinFields({kResumeFrom, std::to_string(movesSent_),
                                                        std::to_string(movesReceived_)}));
    } else {
        if (partnerResume_ && resumable_) {
            SendSessionMessage(Keyword::Resume, kResumeNone);
        }
        StartGame();
    }
    StartKeepAlive();
    std::weak_ptr<bool> token = alive_;
    listener_->SessionOpened(partnerNickname_);
    if (!token.expired() && sessionOpen_) {
        SendRules();
    }
}

void NetworkSession::StartGame() {
    if (role_ == SessionRole::Server) {
        engine_.NewGame(); // sends the deal
    } else {
        // A new game starts with the server's deal; until it comes this
        // side takes no card actions.
        engine_.AwaitPartnerDeal();
        dealAwaited_ = true;
    }
}

// ---- a game kept over a lost connection -------------------------------------------

bool NetworkSession::HandOverToComputer() {
    if (!CanHandOverToComputer()) {
        return false;
    }
    const std::optional<GameState> turnStart = std::move(partnerTurnStart_);
    const bool deal = dealAwaited_;
    CloseSession(); // the line is gone already: nothing is sent
    engine_.GoOnAgainstComputer(turnStart ? &*turnStart : nullptr, deal);
    return true;
}

bool NetworkSession::KeepsGame() const {
    return resumable_ && !partnerLeft_ && (suspended_ || (handshakeDone_ && partnerResume_));
}

void NetworkSession::Suspend() {
    if (socket_->Listening()) {
        socket_->CancelListen();
    }
    CutLine();
    StopKeepAlive();
    // The table stays as it is, a network game; frames received but not
    // applied are dropped, and since only applied moves are counted the
    // partner sends them again after the reconnect.
    suspended_ = true;
    keptPartnerRules_ = partnerRules_;
    ForgetLine();
    partnerResume_ = false;
    SetStatus(ConnectionStatus::Waiting);
    const std::string away = std::string(texts::kPartnerAway[0]) + partnerNickname_ +
                             std::string(texts::kPartnerAway[1]);
    std::weak_ptr<bool> token = alive_;
    if (role_ == SessionRole::Server && relayed_) {
        AwaitRelayed(); // the relay hands the partner in again
    } else if (role_ == SessionRole::Server) {
        // The listening side listens again for the same partner.
        if (!Listen(std::to_string(listenedPort_), portTakenHint_)) {
            return;
        }
    }
    if (!token.expired()) {
        listener_->ConnectionInterrupted(away);
    }
}

// A line taken for lost ends at once: a relayed one does not linger for
// frames that would reach nobody.
void NetworkSession::CutLine() {
    if (socket_->Socket() >= 0) {
        socket_->CloseLingerMs = 0;
        socket_->Disconnect();
    }
}

void NetworkSession::DropConnection() {
    if (role_ == SessionRole::Idle || !sessionOpen_) {
        return;
    }
    CutLine();
    End(SessionListener::Ending::ConnectionLost, std::string(texts::kConnectionLost[0]) +
                                                     partnerNickname_ +
                                                     std::string(texts::kConnectionLost[1]));
}

void NetworkSession::DropKeptGame() {
    suspended_ = false;
    partnerTurnStart_.reset();
    partnerMidTurnUnknown_ = false;
    movesSent_ = 0;
    movesReceived_ = 0;
    sentLog_.clear();
    handsScored_ = 0;
    handDigests_.clear();
    listener_->GameNotResumed(texts::kNothingToResume);
}

void NetworkSession::HandleResume(const SessionMessage& message) {
    const auto& f = message.fields;
    const std::string_view kind = f.empty() ? std::string_view() : std::string_view(f[0]);
    constexpr int kMost = 1000000000;
    if (kind == kResumeEnd) {
        partnerLeft_ = true; // the close that follows ends the game
        return;
    }
    if (kind == kResumeNone) {
        if (suspended_) {
            std::weak_ptr<bool> token = alive_;
            DropKeptGame();
            if (!token.expired()) {
                StartGame();
            }
        }
        return;
    }
    if (!suspended_) {
        return; // this side told NONE already: a new game begins
    }
    if (kind == kResumeFrom && f.size() == 3) {
        const auto sent = ParseNumberField(f[1], 0, kMost);
        const auto received = ParseNumberField(f[2], 0, kMost);
        const int kept = static_cast<int>(sentLog_.size());
        if (!sent || !received) {
            Note(texts::kNoteMalformed, message);
            return;
        }
        // The partner cannot have received more than this side sent, nor
        // this side more than the partner sent; and what it missed must
        // still be kept here.
        if (*received > movesSent_ || *received < movesSent_ - kept || *sent < movesReceived_) {
            Part(std::string(texts::kPartedAtResume), true);
            return;
        }
        // The very frames that were sent before, never made anew.
        for (int i = *received; i < movesSent_; ++i) {
            socket_->SendText(sentLog_[static_cast<std::size_t>(kept - (movesSent_ - i))]);
        }
        SendSessionMessage(Keyword::Resume, kResumeReady);
        return;
    }
    if (kind == kResumeReady) {
        // Everything the partner missed went out before its READY came in:
        // the tables are in step once the partner has read this side's.
        SendSessionMessage(
            Keyword::Resume,
            JoinFields({kResumeCheck, std::to_string(movesSent_), std::to_string(movesReceived_),
                        Hex(ResumeDigest(engine_, BuildRulesText(engine_.Rules()),
                                         keptPartnerRules_, false))}));
        return;
    }
    if (kind == kResumeCheck && f.size() == 4) {
        const auto sent = ParseNumberField(f[1], 0, kMost);
        const auto received = ParseNumberField(f[2], 0, kMost);
        const auto digest = ParseHex(f[3]);
        if (!sent || !received || !digest) {
            Note(texts::kNoteMalformed, message);
            return;
        }
        if (*sent != movesReceived_ || *received != movesSent_ ||
            *digest !=
                ResumeDigest(engine_, BuildRulesText(engine_.Rules()), keptPartnerRules_, true)) {
            Part(std::string(texts::kPartedAtResume), true);
            return;
        }
        suspended_ = false;
        listener_->GameResumed(texts::kGameResumed);
        return;
    }
    Note(texts::kNoteMalformed, message);
}

void NetworkSession::HandleRules(const SessionMessage& message) {
    if (!sessionOpen_ || !handshakeDone_) {
        return; // rules only count inside an open session
    }
    const auto fields = ReadRulesText(message.payload);
    if (message.fields.size() != static_cast<std::size_t>(kRuleCount)) {
        Note(texts::kNoteMalformed, message);
        return;
    }
    for (const std::string& field : fields) {
        if (field != "T" && field != "F" && field != "1" && field != "2") {
            Note(texts::kNoteMalformed, message);
            return;
        }
    }
    partnerRules_ = message.payload;
    listener_->RulesReceived(partnerRules_);
}

bool NetworkSession::ApplyMove(const SessionMessage& message) {
    const auto& f = message.fields;
    const auto code = [&](std::size_t i) {
        return i < f.size() ? ParseNumberField(f[i], 1, kJokerCode) : std::nullopt;
    };
    const auto column = [&](std::size_t i) {
        return i < f.size() ? ParseNumberField(f[i], 0, kColumns - 1) : std::nullopt;
    };
    if (message.keyword == Keyword::Deal) {
        if (f.size() == 1) {
            listener_->MoveReceived(message);
        }
        if (f.size() != 1 || !engine_.ReceiveDeal(f[0])) {
            Note(texts::kNoteMalformed, message);
            return false;
        }
        dealAwaited_ = false;
        partnerTurnStart_.reset();
        return true;
    }
    // The turn is not checked: a move that arrives is the other table's, and
    // the frames come in the order that table made them.
    bool wellFormed = true;
    switch (message.keyword) {
    case Keyword::Meld:
    case Keyword::Discard:
    case Keyword::DiscardRedThree:
        wellFormed = code(0).has_value();
        break;
    case Keyword::MeldWildCard:
        wellFormed = code(0).has_value() && column(1).has_value();
        break;
    case Keyword::Undo:
        wellFormed = column(0).has_value() && code(1).has_value();
        break;
    default:
        break;
    }
    if (!wellFormed) {
        Note(texts::kNoteMalformed, message);
        return false;
    }
    listener_->MoveReceived(message);
    // The table as it stood before the partner's turn began: a computer
    // that takes the partner's seat plays that turn from its start.
    const bool endsTurn = message.keyword == Keyword::Discard ||
                          message.keyword == Keyword::DiscardRedThree ||
                          message.keyword == Keyword::PassDiscard;
    if (!endsTurn && !partnerTurnStart_) {
        partnerTurnStart_ = engine_.State();
    }
    bool applied = false;
    switch (message.keyword) {
    case Keyword::DrawNew:
        applied = engine_.RemoteDrawNew();
        break;
    case Keyword::DrawPileTop:
        applied = engine_.RemoteDrawPileTop();
        break;
    case Keyword::DrawPileRest:
        applied = engine_.RemoteDrawPileRest();
        break;
    case Keyword::UndoPile:
        applied = engine_.RemoteUndoPile();
        break;
    case Keyword::PassDiscard:
        engine_.RemotePassDiscard();
        applied = true;
        break;
    case Keyword::Meld:
        applied = engine_.RemoteMeld(*code(0));
        break;
    case Keyword::Discard:
        applied = engine_.RemoteDiscard(*code(0));
        break;
    case Keyword::DiscardRedThree:
        applied = engine_.RemoteDiscardRedThree(*code(0));
        break;
    case Keyword::MeldWildCard:
        applied = engine_.RemoteMeldWildCard(*code(0), *column(1));
        break;
    case Keyword::Undo:
        applied = engine_.RemoteUndo(*column(0), *code(1));
        break;
    default:
        break;
    }
    if (endsTurn) {
        partnerTurnStart_.reset();
    }
    if (!applied) {
        Note(texts::kNoteMoveRefused, message);
    }
    return applied;
}

// ---- comparing the two tables ----------------------------------------------------

bool NetworkSession::RulesAgree() const {
    // Each table plays by its own rules; where they differ the games may part
    // by design, so only tables under the same rules are compared.
    return !partnerRules_.empty() && BuildRulesText(engine_.Rules()) == partnerRules_;
}

void NetworkSession::HandScored() {
    alsoReport_->HandScored();
    // The next hand's deal is the next move, this side's or the partner's.
    dealAwaited_ = true;
    partnerTurnStart_.reset();
    if (!handshakeDone_ && !suspended_) {
        return;
    }
    const int hand = ++handsScored_;
    if (!partnerChecks_) {
        return;
    }
    SendSessionMessage(Keyword::Digest, JoinFields({kDigestHand, std::to_string(hand),
                                                    Hex(engine_.GameDigest(false, true, false))}));
    handDigests_[hand].expected = engine_.GameDigest(true, true, false);
    handDigests_.erase(handDigests_.begin(), handDigests_.lower_bound(hand - kHandsKept));
    CompareHand(hand);
}

void NetworkSession::CompareHand(int hand) {
    const auto found = handDigests_.find(hand);
    if (found == handDigests_.end() || !found->second.expected || !found->second.partner) {
        return; // the other half comes later
    }
    const bool same = *found->second.expected == *found->second.partner;
    handDigests_.erase(found);
    if (!RulesAgree()) {
        if (!rulesDifferNoted_) {
            rulesDifferNoted_ = true;
            listener_->TablesCompared(texts::kTablesRulesDiffer);
        }
        return;
    }
    ++handsCompared_;
    if (!same) {
        Part(std::string(texts::kPartedAfterHand) + std::to_string(hand), true);
    }
}

void NetworkSession::SendTablesNow(std::string_view kind) {
    SendSessionMessage(Keyword::Digest,
                       JoinFields({kind, std::to_string(movesSent_), std::to_string(movesReceived_),
                                   Hex(engine_.GameDigest(false, true, true))}));
}

bool NetworkSession::CompareTables() {
    if (!handshakeDone_ || !sessionOpen_) {
        return false;
    }
    if (!partnerChecks_) {
        listener_->TablesCompared(texts::kTablesCannotCompare);
        return false;
    }
    SendTablesNow(kDigestAsk);
    return true;
}

void NetworkSession::Part(const std::string& where, bool tellPartner) {
    const std::string text =
        std::string(texts::kTablesParted[0]) + where + std::string(texts::kTablesParted[1]);
    EndWhenApplied(SessionListener::Ending::TablesParted, text, false,
                   tellPartner ? where : std::string());
}

void NetworkSession::HandleDigest(const SessionMessage& message) {
    const auto& f = message.fields;
    const std::string_view kind = f.empty() ? std::string_view() : std::string_view(f[0]);
    constexpr int kMost = 1000000000;
    if (kind == kDigestParted) {
        // The partner found the difference: give the game up here alike.
        Part(std::string(texts::kPartedByPartner), false);
        return;
    }
    if (kind == kDigestHand && f.size() == 3) {
        const auto hand = ParseNumberField(f[1], 1, kMost);
        const auto digest = ParseHex(f[2]);
        if (hand && digest) {
            handDigests_[*hand].partner = *digest;
            CompareHand(*hand);
            return;
        }
    }
    if ((kind == kDigestAsk || kind == kDigestTell) && f.size() == 4) {
        const auto sent = ParseNumberField(f[1], 0, kMost);
        const auto received = ParseNumberField(f[2], 0, kMost);
        const auto digest = ParseHex(f[3]);
        if (sent && received && digest) {
            // Comparable only when no move is on its way either way.
            const bool inStep = *sent == movesReceived_ && *received == movesSent_;
            if (kind == kDigestAsk) {
                SendTablesNow(kDigestTell);
            }
            if (!inStep) {
                listener_->TablesCompared(texts::kTablesNotCompared);
            } else if (!RulesAgree()) {
                listener_->TablesCompared(texts::kTablesRulesDiffer);
            } else if (*digest != engine_.GameDigest(true, true, true)) {
                Part(std::string(texts::kPartedNow), true);
            } else {
                listener_->TablesCompared(texts::kTablesAgree);
            }
            return;
        }
    }
    Note(texts::kNoteMalformed, message);
}

} // namespace varenta
