// Socket failures in the form the game reports them: the failing function's
// name, a numeric code from the classic socket error table, and its text.
#pragma once

#include <QtGlobal>

#include <string>
#include <string_view>
#include <vector>

namespace varenta {

struct SocketError {
    int code = 0;
    std::string function;
    std::string text;
    // The system's errno behind the failure, 0 when it came from elsewhere
    // (a time-out, a bad argument, the name server): callers that report in
    // the system's own words use it.
    int systemError = 0;
};

// Codes the game's messages use directly.
inline constexpr int kErrorInterrupted = 10004;
inline constexpr int kErrorInvalidArgument = 10022;
inline constexpr int kErrorWouldBlock = 10035;
inline constexpr int kErrorAddressInUse = 10048;
inline constexpr int kErrorNotConnected = 10057;
inline constexpr int kErrorTimedOut = 10060;
inline constexpr int kErrorConnectionRefused = 10061;
inline constexpr int kErrorHostNotFound = 11001;

// The description of a code; any code outside the table reads
// "Not a WinSock error".
std::string_view SocketErrorText(int code);

// Every description SocketErrorText gives, each marked for translation in
// the error table: a window translates them where they show up inside a
// longer message (after the session's "problem occurred" line, in the
// relay's parentheses).
std::vector<std::string_view> SocketErrorTexts();

// errno of a failed socket call, as a code of the table. An errno the table
// has no row for is passed on unchanged (and so reads "Not a WinSock error").
int SocketErrorFromErrno(int err);

// A getaddrinfo failure (EAI_...), as one of the 11001..11004 host codes.
int SocketErrorFromResolver(int gaiError);

SocketError MakeSocketError(int code, std::string_view function);

// The message box shown when nobody handles the error:
// "Error <code> in function <function>" CR LF <text>.
std::string SocketErrorBoxText(const SocketError& error);

namespace texts {
inline constexpr std::string_view kSocketErrorTitle = QT_TRANSLATE_NOOP("varenta", "WINSOCK ERROR");
inline constexpr std::string_view kSocketCancelTitle =
    QT_TRANSLATE_NOOP("varenta", "WINSOCK CALL CANCELED");
inline constexpr std::string_view kNoPortSpecified =
    QT_TRANSLATE_NOOP("varenta", "No Port Specified");
inline constexpr std::string_view kNoAddressSpecified =
    QT_TRANSLATE_NOOP("varenta", "No IP Address Specified");
inline constexpr std::string_view kBlockingCallTimedOut =
    QT_TRANSLATE_NOOP("varenta", "Blocking call timed out");
} // namespace texts

} // namespace varenta
