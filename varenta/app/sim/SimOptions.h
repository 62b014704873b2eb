#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "varenta/computer/ComputerSettings.h"
#include "varenta/engine/RuleSet.h"

namespace varenta::sim {

struct SimOptions {
    ComputerLevel level = ComputerLevel::Beginner;
    int aggression = 50;
    int games = 1; // stop after this many games (when hands is 0)
    int hands = 0; // stop after this many hands instead, when > 0
    std::uint64_t seed = 0;
    bool seedGiven = false;
    RuleSet rules;
    std::int64_t moves = 0; // stop after the player bot's N-th move, when > 0
    std::string tracePath;  // "" no trace, "-" standard output
    std::string loadPath;   // start from this saved game instead of a deal
    std::string savePath;   // write the game here when the run stops
    bool json = false;
    // Network play against another program instead of the computer player:
    // listen on listenPort, or connect to connectHost:connectPort.
    std::string listenPort;
    std::string connectHost;
    std::string connectPort;
    std::string nick = "sim";
    // A network game kept over lost connections: this side cuts its
    // connection once the trace has counted each of these many moves, and
    // (resume) waits for and makes the reconnection, then goes on.
    std::vector<std::int64_t> dropAfter;
    bool resume = false;
    // As the connect dialog does over the Internet: learn this side's public
    // address from a STUN server (host:port) before the game, and (the
    // listening side) ask the home router to forward the game port.
    std::string stunServer;
    bool mapPort = false;
    // Name on standard error how long the handshake and the moves' round
    // trips took (the benchmark's figures).
    bool timing = false;
    // A listening side that nobody can reach takes its partner through a
    // relay server (host, port, user, password), open to these IP addresses.
    std::string turnHost;
    int turnPort = 0;
    std::string turnUser;
    std::string turnPassword;
    std::vector<std::string> turnPeers;
    bool turnTls = false;
    std::string turnTrust; // PEM authorities for the relay's certificate; empty: the system's
    bool Relayed() const { return !turnHost.empty(); }
    bool Networked() const { return !listenPort.empty() || !connectHost.empty(); }
};

// Reads the command line (without the program name). On a bad argument
// returns nothing and puts the reason into error.
std::optional<SimOptions> ParseSimOptions(const std::vector<std::string_view>& args,
                                          std::string& error);

// Applies "NAME=VALUE,..." to a rule set; false (with the reason) on a bad entry.
bool ApplyRules(std::string_view list, RuleSet& rules, std::string& error);

std::string_view LevelName(ComputerLevel level);

inline constexpr std::string_view kUsage =
    "usage: varenta-sim [--level beginner|advanced|expert] [--aggression 0..100]\n"
    "                   [--games N | --hands N] [--moves N] [--seed N] [--rules LIST]\n"
    "                   [--load FILE] [--save FILE]\n"
    "                   [--listen PORT | --connect HOST:PORT] [--nick NAME]\n"
    "                   [--drop-after N[,N...]] [--resume]\n"
    "                   [--stun HOST:PORT] [--map-port] [--timing]\n"
    "                   [--turn HOST:PORT --turn-user USER --turn-password PASS\n"
    "                    --turn-peer IP... [--turn-tls [--turn-trust FILE]]]\n"
    "                   [--trace FILE|-] [--json]\n"
    "  --moves N    stop after the player bot's N-th move (also within a hand)\n"
    "  --load FILE  continue the saved game FILE, the player bot on turn\n"
    "  --save FILE  when the run stops, save the game to FILE as Game | Save does\n"
    "  --listen PORT        play another program over the network; it connects here\n"
    "                       (PORT 0 picks a free port and names it on standard error)\n"
    "  --connect HOST:PORT  play the program listening there (HOST may be a name, an\n"
    "                       IPv4 address or an IPv6 address in brackets); HOST alone\n"
    "                       calls the game's port 31415, as older programs do\n"
    "  --nick NAME          own nickname in a network game (default sim)\n"
    "  --drop-after N[,N...]  cut the connection once the trace has counted N moves,\n"
    "                       for each N in increasing order (needs --resume)\n"
    "  --resume             keep the game when the connection is lost: wait for and\n"
    "                       make the reconnection, then go on; trace lines that\n"
    "                       report a cut or a resume begin with #\n"
    "  --stun HOST:PORT     before the game, ask that STUN server for this side's\n"
    "                       public address and name it on standard error as\n"
    "                       \"public address: IP\"\n"
    "  --map-port           (with --listen) ask the home router (UPnP IGD, then\n"
    "                       NAT-PMP) to forward the port, name it on standard error\n"
    "                       as \"mapped address: IP:PORT (METHOD)\"; with a global\n"
    "                       IPv6 address, ask its IPv6 firewall for a pinhole too,\n"
    "                       named as \"pinhole: [IPV6]:PORT\"; both go at the end\n"
    "  --timing             at the end, name on standard error the time from the\n"
    "                       connect to the handshake done (connecting side) and the\n"
    "                       round trip from an own turn's end to the partner's move\n"
    "  --turn HOST:PORT     with --listen: nothing listens here; the partner connects\n"
    "                       to an address relayed by this relay server, named on\n"
    "                       standard error as \"relayed address: IP:PORT\" (the\n"
    "                       partner needs no relay of its own: plain --connect)\n"
    "  --turn-user USER, --turn-password PASS  the relay's credentials\n"
    "  --turn-peer IP       the partner's address as the relay sees it; only it may\n"
    "                       come in (repeat for several)\n"
    "  --turn-tls           reach the relay over TLS, its certificate checked against\n"
    "                       the system's authorities and the host name\n"
    "  --turn-trust FILE    with --turn-tls: trust the authorities of this PEM file\n"
    "                       instead of the system's\n";

} // namespace varenta::sim
