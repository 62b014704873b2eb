// Texts of the mail clients and of the address exchange. Tests compare
// against these, so a wording changes in one place only.
#pragma once

namespace varenta::texts {

inline constexpr char kMailSubject[] = "Varenta IP Address Exchange";
inline constexpr char kMailer[] = "X-Mailer: Varenta for Windows";

// Status bar of the address exchange.
inline constexpr char kMailSendingMessage[] = "Sending message to partner...";
inline constexpr char kMailSendError[] = "An error occurred while sending message.";
inline constexpr char kMailWaitingForReply[] = "Waiting for reply from partner...";
inline constexpr char kMailReplyReceived[] = "Reply received...waiting for opponent.";
// %1: what went wrong
inline constexpr char kMailSendErrorBecause[] = "An error occurred while sending message: %1";
inline constexpr char kMailPollError[] =
    "Checking the mailbox failed (trying again every 5 seconds): %1";
inline constexpr char kMailReplyWithoutAddress[] =
    "The partner's mail holds no usable address; still waiting for a reply.";

// Why a mail action failed (%1 the server, %2 more detail).
inline constexpr char kMailUnexpectedResponse[] = "Unexpected response: %1";
inline constexpr char kMailAccessDenied[] = "Access Denied";
inline constexpr char kMailMalformedReply[] = "The mail server sent a malformed reply: %1";
inline constexpr char kMailLineTooLong[] = "The mail server sent a line that is too long.";
inline constexpr char kMailServerClosed[] = "The mail server closed the connection.";
inline constexpr char kMailServerSilent[] = "The mail server %1 did not answer in time.";
inline constexpr char kMailNoServer[] = "No mail server is given.";
inline constexpr char kMailBadServer[] =
    "The mail server \"%1\" is not a host name with an optional port.";
inline constexpr char kMailResolveFailed[] = "The mail server %1 could not be found (%2).";
inline constexpr char kMailConnectFailed[] = "The mail server %1 could not be reached (%2).";
inline constexpr char kMailConnectionLost[] = "The connection to the mail server %1 was lost (%2).";
inline constexpr char kMailNotVerified[] =
    "The certificate of the mail server %1 could not be verified: %2";
inline constexpr char kMailTlsFailed[] = "The secure connection to the mail server %1 failed: %2";
inline constexpr char kMailNoStartTls[] = "The mail server does not offer a secure connection.";
inline constexpr char kMailDataBeforeTls[] =
    "The mail server sent data before the secure connection began.";
inline constexpr char kMailNoLogin[] =
    "The mail server offers no sign-in method this program knows (PLAIN or LOGIN).";
inline constexpr char kMailLoginRefused[] = "The mail server refused the user name or password: %1";
inline constexpr char kMailBadAddress[] = "The mail address \"%1\" is not valid.";
inline constexpr char kMailNoRecipient[] = "The mail server refused every recipient: %1";

// Network Setup dialog.
inline constexpr char kMailSetupCaption[] = "Network Setup";
inline constexpr char kMailGroupProvider[] = "Information about your Internet service provider";
inline constexpr char kMailGroupAccount[] = "Information about your Internet account";
inline constexpr char kMailLabelSmtpServer[] = "SMTP server";
inline constexpr char kMailLabelPopServer[] = "POP3 server";
inline constexpr char kMailLabelOwnName[] = "Your Name";
inline constexpr char kMailLabelOwnAddress[] = "Your email address";
inline constexpr char kMailLabelUsername[] = "Your Username";
inline constexpr char kMailLabelPassword[] = "Your Password";
inline constexpr char kMailGroupSecurity[] = "Secure connections";
inline constexpr char kMailLabelSmtpSecurity[] = "SMTP";
inline constexpr char kMailLabelPopSecurity[] = "POP3";
inline constexpr char kMailSecurityNone[] = "None (plain text)";
inline constexpr char kMailSmtpStartTls[] = "STARTTLS (port 587)";
inline constexpr char kMailSmtpTls[] = "TLS (port 465)";
inline constexpr char kMailPopStartTls[] = "STLS (port 110)";
inline constexpr char kMailPopTls[] = "TLS (port 995)";
inline constexpr char kMailSmtpLogin[] =
    "Sign in to the SMTP server with the user name and password";
inline constexpr char kMailServerHint[] = "A server may be given as host:port.";

} // namespace varenta::texts
