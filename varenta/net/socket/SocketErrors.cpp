#include "varenta/net/socket/SocketErrors.h"

#include <QtGlobal>

#include <cerrno>
#include <netdb.h>

namespace varenta {

namespace {

// The description of a code outside the table.
constexpr std::string_view kNotInTable = QT_TRANSLATE_NOOP("varenta", "Not a WinSock error");

struct ErrorRow {
    int code;
    std::string_view text;
};

constexpr ErrorRow kErrorTable[] = {
    {10004, QT_TRANSLATE_NOOP("varenta", "Interrupted system call")},
    {10009, QT_TRANSLATE_NOOP("varenta", "Bad file number")},
    {10013, QT_TRANSLATE_NOOP("varenta", "Permission denied")},
    {10014, QT_TRANSLATE_NOOP("varenta", "Bad address")},
    {10022, QT_TRANSLATE_NOOP("varenta", "Invalid argument")},
    {10024, QT_TRANSLATE_NOOP("varenta", "Too many open files")},
    {10035, QT_TRANSLATE_NOOP("varenta", "Operation would block")},
    {10036, QT_TRANSLATE_NOOP("varenta", "Operation now in progress")},
    {10037, QT_TRANSLATE_NOOP("varenta", "Operation already in progress")},
    {10038, QT_TRANSLATE_NOOP("varenta", "Socket operation on non-socket")},
    {10039, QT_TRANSLATE_NOOP("varenta", "Destination address required")},
    {10040, QT_TRANSLATE_NOOP("varenta", "Message too long")},
    {10041, QT_TRANSLATE_NOOP("varenta", "Protocol wrong type for socket")},
    {10042, QT_TRANSLATE_NOOP("varenta", "Protocol not available")},
    {10043, QT_TRANSLATE_NOOP("varenta", "Protocol not supported")},
    {10044, QT_TRANSLATE_NOOP("varenta", "Socket type not supported")},
    {10045, QT_TRANSLATE_NOOP("varenta", "Operation not supported on socket")},
    {10046, QT_TRANSLATE_NOOP("varenta", "Protocol family not supported")},
    {10047, QT_TRANSLATE_NOOP("varenta", "Address family not supported by protocol family")},
    {10048, QT_TRANSLATE_NOOP("varenta", "Address already in use")},
    {10049, QT_TRANSLATE_NOOP("varenta", "Can't assign requested address")},
    {10050, QT_TRANSLATE_NOOP("varenta", "Network is down")},
    {10051, QT_TRANSLATE_NOOP("varenta", "Network is unreachable")},
    {10052, QT_TRANSLATE_NOOP("varenta", "Network dropped connection on reset")},
    {10053, QT_TRANSLATE_NOOP("varenta", "Software caused connection abort")},
    {10054, QT_TRANSLATE_NOOP("varenta", "Connection reset by peer")},
    {10055, QT_TRANSLATE_NOOP("varenta", "No buffer space available")},
    {10056, QT_TRANSLATE_NOOP("varenta", "Socket is already connected")},
    {10057, QT_TRANSLATE_NOOP("varenta", "Socket is not connected")},
    {10058, QT_TRANSLATE_NOOP("varenta", "Can't send after socket shutdown")},
    {10059, QT_TRANSLATE_NOOP("varenta", "Too many references: can't splice")},
    {10060, QT_TRANSLATE_NOOP("varenta", "Connection timed out")},
    {10061, QT_TRANSLATE_NOOP("varenta", "Connection refused")},
    {10062, QT_TRANSLATE_NOOP("varenta", "Too many levels of symbolic links")},
    {10063, QT_TRANSLATE_NOOP("varenta", "File name too long")},
    {10064, QT_TRANSLATE_NOOP("varenta", "Host is down")},
    {10065, QT_TRANSLATE_NOOP("varenta", "No route to host")},
    {10066, QT_TRANSLATE_NOOP("varenta", "Directory not empty")},
    {10067, QT_TRANSLATE_NOOP("varenta", "Too many processes")},
    {10068, QT_TRANSLATE_NOOP("varenta", "Too many users")},
    {10069, QT_TRANSLATE_NOOP("varenta", "Disc quota exceeded")},
    {10070, QT_TRANSLATE_NOOP("varenta", "Stale NFS file handle")},
    {10071, QT_TRANSLATE_NOOP("varenta", "Too many levels of remote in path")},
    {10091, QT_TRANSLATE_NOOP("varenta", "Network sub-system is unusable")},
    {10092, QT_TRANSLATE_NOOP("varenta", "WinSock DLL cannot support this application")},
    {10093, QT_TRANSLATE_NOOP("varenta", "WinSock not initialized")},
    {11001, QT_TRANSLATE_NOOP("varenta", "Host not found")},
    {11002, QT_TRANSLATE_NOOP("varenta", "Non-authoritative host not found")},
    {11003, QT_TRANSLATE_NOOP("varenta", "Non-recoverable error")},
    {11004, QT_TRANSLATE_NOOP("varenta", "No Data")},
};

struct ErrnoRow {
    int err;
    int code;
};

// The table's codes are the old BSD errno numbers plus 10000; Linux numbers
// them differently, so each is mapped by name.
constexpr ErrnoRow kErrnoTable[] = {
    {EINTR, 10004},        {EBADF, 10009},           {EACCES, 10013},
    {EPERM, 10013},        {EFAULT, 10014},          {EINVAL, 10022},
    {EMFILE, 10024},       {ENFILE, 10024},          {EAGAIN, 10035},
    {EINPROGRESS, 10036},  {EALREADY, 10037},        {ENOTSOCK, 10038},
    {EDESTADDRREQ, 10039}, {EMSGSIZE, 10040},        {EPROTOTYPE, 10041},
    {ENOPROTOOPT, 10042},  {EPROTONOSUPPORT, 10043}, {ESOCKTNOSUPPORT, 10044},
    {EOPNOTSUPP, 10045},   {EPFNOSUPPORT, 10046},    {EAFNOSUPPORT, 10047},
    {EADDRINUSE, 10048},   {EADDRNOTAVAIL, 10049},   {ENETDOWN, 10050},
    {ENETUNREACH, 10051},  {ENETRESET, 10052},       {ECONNABORTED, 10053},
    {ECONNRESET, 10054},   {ENOBUFS, 10055},         {ENOMEM, 10055},
    {EISCONN, 10056},      {ENOTCONN, 10057},        {ESHUTDOWN, 10058},
    {EPIPE, 10058},        {ETOOMANYREFS, 10059},    {ETIMEDOUT, 10060},
    {ECONNREFUSED, 10061}, {ELOOP, 10062},           {ENAMETOOLONG, 10063},
    {EHOSTDOWN, 10064},    {EHOSTUNREACH, 10065},    {ENOTEMPTY, 10066},
    {EUSERS, 10068},       {EDQUOT, 10069},          {ESTALE, 10070},
    {EREMOTE, 10071},
};

} // namespace

std::string_view SocketErrorText(int code) {
    for (const ErrorRow& row : kErrorTable) {
        if (row.code == code) {
            return row.text;
        }
    }
    return kNotInTable;
}

std::vector<std::string_view> SocketErrorTexts() {
    std::vector<std::string_view> texts;
    for (const ErrorRow& row : kErrorTable) {
        texts.push_back(row.text);
    }
    texts.push_back(kNotInTable);
    return texts;
}

int SocketErrorFromErrno(int err) {
    if (err == EWOULDBLOCK) {
        return kErrorWouldBlock;
    }
    for (const ErrnoRow& row : kErrnoTable) {
        if (row.err == err) {
            return row.code;
        }
    }
    return err;
}

int SocketErrorFromResolver(int gaiError) {
    switch (gaiError) {
    case EAI_AGAIN:
        return 11002;
    case EAI_FAIL:
        return 11003;
#ifdef EAI_NODATA
    case EAI_NODATA:
#endif
#ifdef EAI_ADDRFAMILY
    case EAI_ADDRFAMILY:
#endif
        return 11004;
    case EAI_SYSTEM:
        return SocketErrorFromErrno(errno);
    default:
        return kErrorHostNotFound;
    }
}

SocketError MakeSocketError(int code, std::string_view function) {
    return SocketError{code, std::string(function), std::string(SocketErrorText(code)), 0};
}

std::string SocketErrorBoxText(const SocketError& error) {
    return "Error " + std::to_string(error.code) + " in function " + error.function + "\r\n" +
           error.text;
}

} // namespace varenta
