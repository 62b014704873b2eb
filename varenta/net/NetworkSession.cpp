#include "varenta/net/NetworkSession.h"

#include "varenta/engine/VarentaEngine.h"
#include "varenta/store/RuleVariants.h"

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

} // namespace

NetworkSession::NetworkSession(VarentaEngine& engine, SocketWatcher& watcher)
    : engine_(engine), socket_(std::make_unique<TcpSocket>(watcher)) {
    socket_->SetEvents(this);
}

NetworkSession::~NetworkSession() {
    alive_.reset();
    socket_->SetEvents(nullptr);
    if (handshakeDone_) {
        engine_.SetReporter(nullptr);
        engine_.SetDealsLevelHands(true);
    }
}

std::string NetworkSession::StatusText() const {
    std::string text(texts::kStatusTexts[connectionStatus_]);
    if (connectionStatus_ == kConnectionEstablished) {
        text += partnerNickname_;
    }
    return text;
}

void NetworkSession::SetStatus(int status) {
    if (status != connectionStatus_) {
        connectionStatus_ = status;
        listener_->StatusChanged(status);
    }
}

void NetworkSession::StartSession(SessionRole role) {
    if (role_ != SessionRole::Idle) {
        CloseSession();
    }
    partnerNickname_ = std::string(texts::kNoPartnerYet);
    partnerRules_.clear();
    reader_.Clear();
    frames_.clear();
    role_ = role;
}

bool NetworkSession::Listen(std::string_view port, std::string_view portTakenHint) {
    StartSession(SessionRole::Server);
    portTakenHint_ = std::string(portTakenHint);
    socket_->Port = std::string(port);
    SetStatus(kWaitingForConnection);
    if (!socket_->Listen()) {
        if (role_ != SessionRole::Idle) {
            CloseSession();
        }
        return false;
    }
    return true;
}

bool NetworkSession::Connect(std::string_view host, std::string_view port) {
    StartSession(SessionRole::Client);
    socket_->IPAddr = std::string(host);
    socket_->Port = std::string(port);
    refusedAttempts_ = 0;
    SetStatus(kWaitingForConnection);
    return TryConnect();
}

bool NetworkSession::TryConnect() {
    if (role_ != SessionRole::Client || connectionStatus_ != kWaitingForConnection ||
        socket_->Connected() || socket_->Connecting()) {
        return false;
    }
    return socket_->Connect();
}

void NetworkSession::CloseSession() {
    if (socket_->Listening()) {
        socket_->CancelListen();
    }
    if (socket_->Socket() >= 0) {
        socket_->Disconnect();
    }
    if (handshakeDone_) {
        // The table plays the computer again; the window deals afresh.
        engine_.SetReporter(nullptr);
        engine_.SetDealsLevelHands(true);
        engine_.SetComputerOpponent();
    }
    role_ = SessionRole::Idle;
    sessionOpen_ = false;
    handshakeDone_ = false;
    reader_.Clear();
    frames_.clear();
    SetStatus(kNotConnected);
}

void NetworkSession::End(SessionListener::Ending ending, const std::string& message) {
    CloseSession();
    listener_->SessionClosed(ending, message);
}

// ---- sending ------------------------------------------------------------------

void NetworkSession::SendSessionMessage(Keyword keyword, std::string_view payload) {
    if (!sessionOpen_) {
        return;
    }
    socket_->SendText(BuildFrame(keyword, payload));
}

void NetworkSession::SendChat(std::string_view line) {
    SendSessionMessage(Keyword::Chat, CleanField(line));
}

void NetworkSession::SendRules() {
    SendSessionMessage(Keyword::Rules, BuildRulesText(engine_.Rules()));
}

void NetworkSession::Deal(std::string_view dealString) {
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
    sessionOpen_ = true;
    SendSessionMessage(Keyword::PlayerId,
                       JoinFields({Cut255(ownNickname), std::to_string(kProtocolVersion)}));
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
    End(SessionListener::Ending::ConnectionLost, message);
}

void NetworkSession::ErrorOccurred(TcpSocket&, const SocketError& error) {
    // A connect attempt that failed is simply tried again by the caller's
    // timer; refusals are counted, since a long run of them means nobody
    // listens at all.
    if (role_ == SessionRole::Client && connectionStatus_ == kWaitingForConnection) {
        refusedAttempts_ = error.code == kErrorConnectionRefused ? refusedAttempts_ + 1 : 0;
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
    std::vector<std::string> frames;
    int oversized = 0;
    reader_.Feed(bytes, frames, oversized);
    for (int i = 0; i < oversized; ++i) {
        listener_->Note(texts::kNoteFrameTooLong);
    }
    for (std::string& frame : frames) {
        frames_.push_back(std::move(frame));
    }
    // A handler may open a box whose loop delivers more bytes: those frames
    // wait in the queue, so the order on the wire is kept.
    if (handling_) {
        return;
    }
    handling_ = true;
    std::weak_ptr<bool> token = alive_;
    while (!frames_.empty()) {
        const std::string frame = std::move(frames_.front());
        frames_.pop_front();
        HandleFrame(frame);
        if (token.expired()) {
            return;
        }
    }
    handling_ = false;
}

void NetworkSession::Note(std::string_view prefix, const SessionMessage& message) {
    listener_->Note(std::string(prefix) + Readable(message));
}

void NetworkSession::HandleFrame(std::string_view frame) {
    const SessionMessage message = ParseFrame(frame);
    switch (message.keyword) {
    case Keyword::Ok:
    case Keyword::SendAgain:
    case Keyword::Quit:
        return;
    case Keyword::Unknown:
        Note(texts::kUnknownToken, message);
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
    SetStatus(kConnectionEstablished);
    engine_.SetNetworkOpponent(partnerNickname_);
    engine_.SetReporter(this);
    engine_.SetDealsLevelHands(role_ == SessionRole::Server);
    if (role_ == SessionRole::Server) {
        engine_.NewGame(); // sends the deal
    } else {
        // A new game starts with the server's deal; until it comes this
        // side takes no card actions.
        GameState& s = engine_.State();
        s.playerScore = 0;
        s.opponentScore = 0;
        s.gameInProgress = false;
        s.opponentToMove = true;
        sessionOpen_ = true;
        SendSessionMessage(Keyword::PlayerId,
                           JoinFields({Cut255(ownNickname), std::to_string(kProtocolVersion)}));
    }
    std::weak_ptr<bool> token = alive_;
    listener_->SessionOpened(partnerNickname_);
    if (!token.expired() && sessionOpen_) {
        SendRules();
    }
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
    GameState& s = engine_.State();
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
        return true;
    }
    if (!s.opponentToMove) {
        Note(texts::kNoteNotNow, message);
        return false;
    }
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
    if (!applied) {
        Note(texts::kNoteMoveRefused, message);
    }
    return applied;
}

} // namespace varenta
