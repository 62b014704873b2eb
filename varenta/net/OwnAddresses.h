// The addresses a player tells the partner: this machine's IPv4 addresses,
// and partner names typed as host names turned into an address.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varenta {

// Every IPv4 address of this machine's network interfaces that are up, in
// dotted form and in the system's order, without the loopback interface:
// these are the addresses a partner on another machine could reach.
std::vector<std::string> LocalIPv4Addresses();

// Does the partner text name a host (it holds a letter A-Z or a-z) rather
// than give a dotted address?
bool IsHostName(std::string_view text);

// The first IPv4 address of a host name in dotted form; nothing when the
// name does not resolve or resolves to 0.0.0.0.
std::optional<std::string> ResolveIPv4(const std::string& hostName);

} // namespace varenta
