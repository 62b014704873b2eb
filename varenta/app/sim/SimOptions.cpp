#include "varenta/app/sim/SimOptions.h"

#include "varenta/net/socket/HostPort.h"

#include <arpa/inet.h>

#include <array>
#include <charconv>

namespace varenta::sim {

namespace {

// The session's port, which every copy of the window program listens on and
// the older ones always call (NetworkPlay::kSessionPort).
constexpr int kDefaultSessionPort = 31415;

template <typename T> bool ParseNumber(std::string_view text, T& value) {
    if (text.empty()) {
        return false;
    }
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

bool ParseBoundedInt(std::string_view text, int low, int high, int& value) {
    int v = 0;
    if (!ParseNumber(text, v) || v < low || v > high) {
        return false;
    }
    value = v;
    return true;
}

} // namespace

std::string_view LevelName(ComputerLevel level) {
    switch (level) {
    case ComputerLevel::Advanced:
        return "advanced";
    case ComputerLevel::Expert:
        return "expert";
    case ComputerLevel::Beginner:
    default:
        return "beginner";
    }
}

bool ApplyRules(std::string_view list, RuleSet& rules, std::string& error) {
    if (list.empty()) {
        return true; // nothing to change
    }
    // Every item counts, the one after a trailing comma too.
    for (bool more = true; more;) {
        const std::size_t comma = list.find(',');
        const std::string_view entry = list.substr(0, comma);
        more = comma != std::string_view::npos;
        list = more ? list.substr(comma + 1) : std::string_view{};
        const std::size_t eq = entry.find('=');
        if (eq == std::string_view::npos) {
            error = "rule without a value: " + std::string(entry);
            return false;
        }
        const std::string_view name = entry.substr(0, eq);
        const std::string_view text = entry.substr(eq + 1);
        int value = 0;
        const bool isCount = name == "NumberOfVarentas" || name == "NumberOfCards";
        if (!ParseBoundedInt(text, isCount ? 1 : 0, isCount ? 2 : 1, value)) {
            error = "bad value for rule " + std::string(name) + ": " + std::string(text);
            return false;
        }
        const bool on = value != 0;
        if (name == "VarentaRequired") {
            rules.varentaRequired = on;
        } else if (name == "NumberOfVarentas") {
            rules.numberOfVarentas = value;
        } else if (name == "NumberOfCards") {
            rules.numberOfCards = value;
        } else if (name == "AddToVarenta") {
            rules.addToVarenta = on;
        } else if (name == "TopCardCounts") {
            rules.topCardCounts = on;
        } else if (name == "InitialBlock") {
            rules.initialBlock = on;
        } else if (name == "InitialBlockForBoth") {
            rules.initialBlockForBoth = on;
        } else if (name == "NaturalPair") {
            rules.naturalPair = on;
        } else if (name == "DrawExtra") {
            rules.drawExtra = on;
        } else if (name == "ThreeBlock") {
            rules.threeBlock = on;
        } else if (name == "BonusCounts") {
            rules.bonusCounts = on;
        } else if (name == "ReuseDiscardPile") {
            rules.reuseDiscardPile = on;
        } else {
            error = "unknown rule: " + std::string(name);
            return false;
        }
    }
    return true;
}

std::optional<SimOptions> ParseSimOptions(const std::vector<std::string_view>& args,
                                          std::string& error) {
    SimOptions o;
    bool gamesGiven = false;
    bool handsGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        auto value = [&](std::string_view& out) {
            if (i + 1 >= args.size()) {
                error = "missing value after " + std::string(arg);
                return false;
            }
            out = args[++i];
            return true;
        };
        std::string_view v;
        if (arg == "--json") {
            o.json = true;
        } else if (arg == "--level") {
            if (!value(v)) {
                return std::nullopt;
            }
            if (v == "beginner") {
                o.level = ComputerLevel::Beginner;
            } else if (v == "advanced") {
                o.level = ComputerLevel::Advanced;
            } else if (v == "expert") {
                o.level = ComputerLevel::Expert;
            } else {
                error = "unknown level: " + std::string(v);
                return std::nullopt;
            }
        } else if (arg == "--aggression") {
            if (!value(v)) {
                return std::nullopt;
            }
            if (!ParseBoundedInt(v, 0, 100, o.aggression)) {
                error = "aggression must be 0..100: " + std::string(v);
                return std::nullopt;
            }
        } else if (arg == "--games" || arg == "--hands") {
            if (!value(v)) {
                return std::nullopt;
            }
            int n = 0;
            if (!ParseBoundedInt(v, 1, 100000000, n)) {
                error = std::string(arg) + " needs a positive number: " + std::string(v);
                return std::nullopt;
            }
            if (arg == "--games") {
                o.games = n;
                gamesGiven = true;
            } else {
                o.hands = n;
                handsGiven = true;
            }
            if (gamesGiven && handsGiven) {
                error = "--games and --hands exclude each other";
                return std::nullopt;
            }
        } else if (arg == "--moves") {
            if (!value(v)) {
                return std::nullopt;
            }
            if (!ParseNumber(v, o.moves) || o.moves < 1) {
                error = "--moves needs a positive number: " + std::string(v);
                return std::nullopt;
            }
        } else if (arg == "--load" || arg == "--save") {
            if (!value(v)) {
                return std::nullopt;
            }
            if (v.empty()) {
                error = std::string(arg) + " needs a file name";
                return std::nullopt;
            }
            (arg == "--load" ? o.loadPath : o.savePath) = std::string(v);
        } else if (arg == "--seed") {
            if (!value(v)) {
                return std::nullopt;
            }
            if (!ParseNumber(v, o.seed)) {
                error = "seed must be a non-negative number: " + std::string(v);
                return std::nullopt;
            }
            o.seedGiven = true;
        } else if (arg == "--rules") {
            if (!value(v)) {
                return std::nullopt;
            }
            // An empty list on the command line is a mistake, as an empty
            // item is (kiv-sim says the same).
            if (v.empty()) {
                error = "--rules needs a list";
                return std::nullopt;
            }
            if (!ApplyRules(v, o.rules, error)) {
                return std::nullopt;
            }
        } else if (arg == "--trace") {
            if (!value(v)) {
                return std::nullopt;
            }
            if (v.empty()) {
                error = "--trace needs a file name or -";
                return std::nullopt;
            }
            o.tracePath = std::string(v);
        } else if (arg == "--listen") {
            if (!value(v)) {
                return std::nullopt;
            }
            int port = 0;
            if (!ParseBoundedInt(v, 0, 65535, port)) {
                error = "--listen needs a port number 0..65535: " + std::string(v);
                return std::nullopt;
            }
            o.listenPort = std::to_string(port);
        } else if (arg == "--connect") {
            if (!value(v)) {
                return std::nullopt;
            }
            // HOST:PORT, the host of an IPv6 address in brackets; a host
            // alone is called at the game's port, as an older copy does.
            const std::optional<HostPort> server = ParseHostPort(v, kDefaultSessionPort);
            if (!server) {
                error = "--connect needs HOST:PORT: " + std::string(v);
                return std::nullopt;
            }
            o.connectHost = server->host;
            o.connectPort = std::to_string(server->port);
        } else if (arg == "--drop-after") {
            if (!value(v)) {
                return std::nullopt;
            }
            o.dropAfter.clear();
            for (bool more = true; more;) {
                const std::size_t comma = v.find(',');
                std::int64_t n = 0;
                if (!ParseNumber(v.substr(0, comma), n) || n < 1 ||
                    (!o.dropAfter.empty() && n <= o.dropAfter.back())) {
                    error = "--drop-after needs increasing positive numbers: " + std::string(v);
                    return std::nullopt;
                }
                o.dropAfter.push_back(n);
                more = comma != std::string_view::npos;
                v = more ? v.substr(comma + 1) : std::string_view{};
            }
        } else if (arg == "--turn") {
            if (!value(v)) {
                return std::nullopt;
            }
            const std::optional<HostPort> server = ParseHostPort(v, 0);
            if (!server) {
                error = "--turn needs HOST:PORT: " + std::string(v);
                return std::nullopt;
            }
            o.turnHost = server->host;
            o.turnPort = server->port;
        } else if (arg == "--turn-user" || arg == "--turn-password") {
            if (!value(v)) {
                return std::nullopt;
            }
            if (v.empty() || v.size() > 500) {
                error = std::string(arg) + " needs 1..500 characters";
                return std::nullopt;
            }
            (arg == "--turn-user" ? o.turnUser : o.turnPassword) = std::string(v);
        } else if (arg == "--turn-peer") {
            if (!value(v)) {
                return std::nullopt;
            }
            std::array<unsigned char, 16> raw{};
            const std::string peer(v);
            if (inet_pton(AF_INET, peer.c_str(), raw.data()) != 1 &&
                inet_pton(AF_INET6, peer.c_str(), raw.data()) != 1) {
                error = "--turn-peer needs an IPv4 or IPv6 address: " + peer;
                return std::nullopt;
            }
            o.turnPeers.push_back(peer);
        } else if (arg == "--turn-tls") {
            o.turnTls = true;
        } else if (arg == "--turn-trust") {
            if (!value(v)) {
                return std::nullopt;
            }
            if (v.empty()) {
                error = "--turn-trust needs a file";
                return std::nullopt;
            }
            o.turnTrust = std::string(v);
        } else if (arg == "--resume") {
            o.resume = true;
        } else if (arg == "--map-port") {
            o.mapPort = true;
        } else if (arg == "--timing") {
            o.timing = true;
        } else if (arg == "--stun") {
            if (!value(v)) {
                return std::nullopt;
            }
            if (!ParseHostPort(v, 0)) {
                error = "--stun needs HOST:PORT: " + std::string(v);
                return std::nullopt;
            }
            o.stunServer = std::string(v);
        } else if (arg == "--nick") {
            if (!value(v)) {
                return std::nullopt;
            }
            if (v.empty() || v.size() > 255) {
                error = "--nick needs a name of 1..255 characters";
                return std::nullopt;
            }
            o.nick = std::string(v);
        } else {
            error = "unknown argument: " + std::string(arg);
            return std::nullopt;
        }
    }
    if (!o.listenPort.empty() && !o.connectHost.empty()) {
        error = "--listen and --connect exclude each other";
        return std::nullopt;
    }
    // A network game starts from a fresh deal on both tables and ends at a
    // hand's end, where the next deal is the last frame.
    if (o.Networked() && (o.moves > 0 || !o.loadPath.empty() || !o.savePath.empty())) {
        error = "--moves, --load and --save do not apply to a network game";
        return std::nullopt;
    }
    const bool turnParts = !o.turnUser.empty() || !o.turnPassword.empty() || !o.turnPeers.empty() ||
                           o.turnTls || !o.turnTrust.empty();
    if ((o.Relayed() || turnParts) && o.listenPort.empty()) {
        error = "--turn and its options need --listen";
        return std::nullopt;
    }
    if (turnParts && !o.Relayed()) {
        error = "--turn-user, --turn-password, --turn-peer and --turn-tls need --turn";
        return std::nullopt;
    }
    if (!o.turnTrust.empty() && !o.turnTls) {
        error = "--turn-trust needs --turn-tls";
        return std::nullopt;
    }
    if (o.Relayed() && (o.turnUser.empty() || o.turnPassword.empty() || o.turnPeers.empty())) {
        error = "--turn needs --turn-user, --turn-password and --turn-peer";
        return std::nullopt;
    }
    if ((o.resume || !o.dropAfter.empty()) && !o.Networked()) {
        error = "--drop-after and --resume need --listen or --connect";
        return std::nullopt;
    }
    // Only a network game has an address to learn or a port to open.
    if ((!o.stunServer.empty() || o.timing) && !o.Networked()) {
        error = "--stun and --timing need --listen or --connect";
        return std::nullopt;
    }
    if (o.mapPort && o.listenPort.empty()) {
        error = "--map-port needs --listen";
        return std::nullopt;
    }
    // A side that cuts its own line must make it again.
    if (!o.dropAfter.empty() && !o.resume) {
        error = "--drop-after needs --resume";
        return std::nullopt;
    }
    return o;
}

} // namespace varenta::sim
