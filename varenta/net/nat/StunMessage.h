// The two messages of asking a STUN server which address and port this
// machine's requests come from: the Binding request, and the reading of the
// server's answer. The server may be of the current kind (the mapped
// address XOR-ed with the magic cookie and the transaction id) or an old one
// that sends it plainly. No sockets in here.
#pragma once

#include "varenta/net/nat/StunCodec.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace varenta {

using StunTransactionId = stun::TransactionId;

inline constexpr int kStunDefaultPort = 3478;
inline constexpr std::size_t kStunHeaderSize = stun::kHeaderSize;

// A Binding request without attributes: 20 bytes.
std::string StunBindingRequest(const StunTransactionId& id);

struct StunAnswer {
    enum class Kind {
        Address,  // a success answer with a mapped address
        Foreign,  // not an answer to this request (other transaction, not STUN)
        Refused,  // the server answered the request with an error
        Malformed // an answer to this request that cannot be read
    };
    Kind kind = Kind::Foreign;
    std::string address; // dotted IPv4 or IPv6 text
    int port = 0;
    int errorCode = 0; // with Refused: the server's code (300..699), 0 when absent
};

// Reads one datagram as the answer to the request with this transaction id.
// XOR-MAPPED-ADDRESS wins over MAPPED-ADDRESS when both are present.
StunAnswer ReadStunAnswer(std::string_view datagram, const StunTransactionId& id);

} // namespace varenta
