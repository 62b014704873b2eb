// Texts of the mail clients and of the address exchange. Tests compare
// against these, so a wording changes in one place only.
#pragma once

#include <QtGlobal>

namespace varenta::texts {

inline constexpr char kMailSubject[] = "Varenta IP Address Exchange";
inline constexpr char kMailer[] = "X-Mailer: Varenta for Windows";

// Status bar of the address exchange.
inline constexpr char kMailSendingMessage[] =
    QT_TRANSLATE_NOOP("varenta", "Sending message to partner...");
inline constexpr char kMailSendError[] =
    QT_TRANSLATE_NOOP("varenta", "An error occurred while sending message.");
inline constexpr char kMailWaitingForReply[] =
    QT_TRANSLATE_NOOP("varenta", "Waiting for reply from partner...");
inline constexpr char kMailReplyReceived[] =
    QT_TRANSLATE_NOOP("varenta", "Reply received...waiting for opponent.");
// %1: what went wrong
inline constexpr char kMailSendErrorBecause[] =
    QT_TRANSLATE_NOOP("varenta", "An error occurred while sending message: %1");
inline constexpr char kMailPollError[] =
    QT_TRANSLATE_NOOP("varenta", "Checking the mailbox failed (trying again every 5 seconds): %1");
inline constexpr char kMailReplyWithoutAddress[] = QT_TRANSLATE_NOOP(
    "varenta", "The partner's mail holds no usable address; still waiting for a reply.");

// Why a mail action failed (%1 the server, %2 more detail).
inline constexpr char kMailUnexpectedResponse[] =
    QT_TRANSLATE_NOOP("varenta", "Unexpected response: %1");
inline constexpr char kMailAccessDenied[] = QT_TRANSLATE_NOOP("varenta", "Access Denied");
inline constexpr char kMailMalformedReply[] =
    QT_TRANSLATE_NOOP("varenta", "The mail server sent a malformed reply: %1");
inline constexpr char kMailLineTooLong[] =
    QT_TRANSLATE_NOOP("varenta", "The mail server sent a line that is too long.");
inline constexpr char kMailServerClosed[] =
    QT_TRANSLATE_NOOP("varenta", "The mail server closed the connection.");
inline constexpr char kMailServerSilent[] =
    QT_TRANSLATE_NOOP("varenta", "The mail server %1 did not answer in time.");
inline constexpr char kMailNoServer[] = QT_TRANSLATE_NOOP("varenta", "No mail server is given.");
inline constexpr char kMailBadServer[] = QT_TRANSLATE_NOOP(
    "varenta", "The mail server \"%1\" is not a host name with an optional port.");
inline constexpr char kMailResolveFailed[] =
    QT_TRANSLATE_NOOP("varenta", "The mail server %1 could not be found (%2).");
inline constexpr char kMailConnectFailed[] =
    QT_TRANSLATE_NOOP("varenta", "The mail server %1 could not be reached (%2).");
inline constexpr char kMailConnectionLost[] =
    QT_TRANSLATE_NOOP("varenta", "The connection to the mail server %1 was lost (%2).");
inline constexpr char kMailNotVerified[] =
    QT_TRANSLATE_NOOP("varenta", "The certificate of the mail server %1 could not be verified: %2");
inline constexpr char kMailTlsFailed[] =
    QT_TRANSLATE_NOOP("varenta", "The secure connection to the mail server %1 failed: %2");
inline constexpr char kMailNoStartTls[] =
    QT_TRANSLATE_NOOP("varenta", "The mail server does not offer a secure connection.");
inline constexpr char kMailDataBeforeTls[] =
    QT_TRANSLATE_NOOP("varenta", "The mail server sent data before the secure connection began.");
inline constexpr char kMailNoLogin[] = QT_TRANSLATE_NOOP(
    "varenta", "The mail server offers no sign-in method this program knows (PLAIN or LOGIN).");
inline constexpr char kMailLoginRefused[] =
    QT_TRANSLATE_NOOP("varenta", "The mail server refused the user name or password: %1");
inline constexpr char kMailBadAddress[] =
    QT_TRANSLATE_NOOP("varenta", "The mail address \"%1\" is not valid.");
inline constexpr char kMailNoRecipient[] =
    QT_TRANSLATE_NOOP("varenta", "The mail server refused every recipient: %1");

// Network Setup dialog.
inline constexpr char kMailSetupCaption[] = QT_TRANSLATE_NOOP("varenta", "Network Setup");
inline constexpr char kMailGroupProvider[] =
    QT_TRANSLATE_NOOP("varenta", "Information about your Internet service provider");
inline constexpr char kMailGroupAccount[] =
    QT_TRANSLATE_NOOP("varenta", "Information about your Internet account");
inline constexpr char kMailLabelSmtpServer[] = QT_TRANSLATE_NOOP("varenta", "SMTP server");
inline constexpr char kMailLabelPopServer[] = QT_TRANSLATE_NOOP("varenta", "POP3 server");
inline constexpr char kMailLabelOwnName[] = QT_TRANSLATE_NOOP("varenta", "Your Name");
inline constexpr char kMailLabelOwnAddress[] = QT_TRANSLATE_NOOP("varenta", "Your email address");
inline constexpr char kMailLabelUsername[] = QT_TRANSLATE_NOOP("varenta", "Your Username");
inline constexpr char kMailLabelPassword[] = QT_TRANSLATE_NOOP("varenta", "Your Password");
inline constexpr char kMailGroupSecurity[] = QT_TRANSLATE_NOOP("varenta", "Secure connections");
inline constexpr char kMailLabelSmtpSecurity[] = QT_TRANSLATE_NOOP("varenta", "SMTP");
inline constexpr char kMailLabelPopSecurity[] = QT_TRANSLATE_NOOP("varenta", "POP3");
inline constexpr char kMailSecurityNone[] = QT_TRANSLATE_NOOP("varenta", "None (plain text)");
inline constexpr char kMailSmtpStartTls[] = QT_TRANSLATE_NOOP("varenta", "STARTTLS (port 587)");
inline constexpr char kMailSmtpTls[] = QT_TRANSLATE_NOOP("varenta", "TLS (port 465)");
inline constexpr char kMailPopStartTls[] = QT_TRANSLATE_NOOP("varenta", "STLS (port 110)");
inline constexpr char kMailPopTls[] = QT_TRANSLATE_NOOP("varenta", "TLS (port 995)");
inline constexpr char kMailSmtpLogin[] =
    QT_TRANSLATE_NOOP("varenta", "Sign in to the SMTP server with the user name and password");
inline constexpr char kMailServerHint[] =
    QT_TRANSLATE_NOOP("varenta", "A server may be given as host:port.");

} // namespace varenta::texts
