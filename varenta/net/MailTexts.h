// Texts of the mail clients and of the address exchange. Tests compare
// against these, so a wording changes in one place only.
#pragma once

namespace varenta::texts {

inline constexpr char kMailSubject[] = "Varenta IP Address Exchange";
inline constexpr char kMailer[] = "X-Mailer: Varenta for Windows";

// Status bar of the address exchange.
inline constexpr char kSendingMessage[] = "Sending message to partner...";
inline constexpr char kSendError[] = "An error occurred while sending message.";
inline constexpr char kWaitingForReply[] = "Waiting for reply from partner...";
inline constexpr char kReplyReceived[] = "Reply received...waiting for opponent.";
// %1: what went wrong
inline constexpr char kSendErrorBecause[] = "An error occurred while sending message: %1";
inline constexpr char kPollError[] = "Checking the mailbox failed: %1";
inline constexpr char kReplyWithoutAddress[] =
    "The partner's mail holds no usable address; still waiting for a reply.";

// Why a mail action failed (%1 the server, %2 more detail).
inline constexpr char kUnexpectedResponse[] = "Unexpected response: %1";
inline constexpr char kAccessDenied[] = "Access Denied";
inline constexpr char kMalformedReply[] = "The mail server sent a malformed reply: %1";
inline constexpr char kLineTooLong[] = "The mail server sent a line that is too long.";
inline constexpr char kServerClosed[] = "The mail server closed the connection.";
inline constexpr char kServerSilent[] = "The mail server %1 did not answer in time.";
inline constexpr char kNoServer[] = "No mail server is given.";
inline constexpr char kBadServer[] =
    "The mail server \"%1\" is not a host name with an optional port.";
inline constexpr char kResolveFailed[] = "The mail server %1 could not be found (%2).";
inline constexpr char kConnectFailed[] = "The mail server %1 could not be reached (%2).";
inline constexpr char kConnectionLost[] = "The connection to the mail server %1 was lost (%2).";
inline constexpr char kNotVerified[] =
    "The certificate of the mail server %1 could not be verified: %2";
inline constexpr char kTlsFailed[] = "The secure connection to the mail server %1 failed: %2";
inline constexpr char kNoStartTls[] = "The mail server does not offer a secure connection.";
inline constexpr char kDataBeforeTls[] =
    "The mail server sent data before the secure connection began.";
inline constexpr char kNoLogin[] =
    "The mail server offers no sign-in method this program knows (PLAIN or LOGIN).";
inline constexpr char kLoginRefused[] = "The mail server refused the user name or password: %1";
inline constexpr char kBadAddress[] = "The mail address \"%1\" is not valid.";
inline constexpr char kNoRecipient[] = "The mail server refused every recipient: %1";

// Network Setup dialog.
inline constexpr char kSetupCaption[] = "Network Setup";
inline constexpr char kGroupProvider[] = "Information about your Internet service provider";
inline constexpr char kGroupAccount[] = "Information about your Internet account";
inline constexpr char kLabelSmtpServer[] = "SMTP server";
inline constexpr char kLabelPopServer[] = "POP3 server";
inline constexpr char kLabelOwnName[] = "Your Name";
inline constexpr char kLabelOwnAddress[] = "Your email address";
inline constexpr char kLabelUsername[] = "Your Username";
inline constexpr char kLabelPassword[] = "Your Password";
inline constexpr char kGroupSecurity[] = "Secure connections";
inline constexpr char kLabelSmtpSecurity[] = "SMTP";
inline constexpr char kLabelPopSecurity[] = "POP3";
inline constexpr char kSecurityNone[] = "None (ports 25 and 110)";
inline constexpr char kSmtpStartTls[] = "STARTTLS (port 587)";
inline constexpr char kSmtpTls[] = "TLS (port 465)";
inline constexpr char kPopStartTls[] = "STLS (port 110)";
inline constexpr char kPopTls[] = "TLS (port 995)";
inline constexpr char kSmtpLogin[] = "Sign in to the SMTP server with the user name and password";
inline constexpr char kServerHint[] = "A server may be given as host:port.";

} // namespace varenta::texts
