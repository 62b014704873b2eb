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

// This machine's IPv6 addresses that a partner on the Internet could call
// (see IsGlobalIPv6), of the interfaces that are up, in the system's order.
std::vector<std::string> GlobalIPv6Addresses();

// Is the text an IPv6 address of global reach: not the loopback, a
// link-local, a unique-local (private network), a multicast, an IPv4-mapped
// or the unspecified address?
bool IsGlobalIPv6(const std::string& text);

// This machine's address on the route towards a dotted IPv4 address,
// learnt from a UDP socket's connect, which picks the route and sends
// nothing. Nothing when the text is no dotted IPv4 address (a host name is
// not looked up) or no route leads there.
std::optional<std::string> LocalAddressTowards(const std::string& dottedIPv4);

// Is the text a dotted IPv4 address of the loopback network (127.x.x.x)?
bool IsLoopbackIPv4(const std::string& text);

// Does the partner text name a host (it holds a letter A-Z or a-z) rather
// than give a dotted address?
bool IsHostName(std::string_view text);

// The first IPv4 address of a host name in dotted form; nothing when the
// name does not resolve or resolves to 0.0.0.0.
std::optional<std::string> ResolveIPv4(const std::string& hostName);

} // namespace varenta
