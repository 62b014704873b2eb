// Fixed texts of network play on the table side: the connect dialog, the
// chat window, the Network menu and the connection status panel.
#pragma once

#include <QtGlobal>

#include "varenta/net/session/NetworkPlayTexts.h"

namespace varenta::texts {

// Network menu (caption, status hint).
inline constexpr const char* kMenuNetwork = QT_TRANSLATE_NOOP("varenta", "&Network");
inline constexpr const char* kMenuConnect = QT_TRANSLATE_NOOP("varenta", "&Connect to Opponent...");
inline constexpr const char* kHintConnect =
    QT_TRANSLATE_NOOP("varenta", "|Connect to another person over a network");
inline constexpr const char* kMenuSetup = QT_TRANSLATE_NOOP("varenta", "&Setup...");
inline constexpr const char* kHintSetup =
    QT_TRANSLATE_NOOP("varenta", "|Set information needed for email connections");
inline constexpr const char* kMenuRuleDifferences =
    QT_TRANSLATE_NOOP("varenta", "&Rule Differences...");
inline constexpr const char* kHintRuleDifferences = QT_TRANSLATE_NOOP(
    "varenta",
    "|Shows the differences in rule settings between you and your opponent, if there are any");
inline constexpr const char* kMenuCompareTables = QT_TRANSLATE_NOOP("varenta", "&Compare Tables");
inline constexpr const char* kHintCompareTables = QT_TRANSLATE_NOOP(
    "varenta", "|Check that your table and your opponent's still hold the same game");
inline constexpr const char* kNewInNetworkGame = QT_TRANSLATE_NOOP(
    "varenta",
    "A new game cannot be started while a network game is running. The next hand is dealt "
    "when this one ends; choose Network | Disconnect to play a new game against the computer.");
inline constexpr const char* kMenuDisconnect = QT_TRANSLATE_NOOP("varenta", "&Disconnect");
inline constexpr const char* kHintDisconnect =
    QT_TRANSLATE_NOOP("varenta", "Cancel network connection");
inline constexpr const char* kMenuHideChat = QT_TRANSLATE_NOOP("varenta", "&Hide Chat Window");
inline constexpr const char* kHintHideChat =
    QT_TRANSLATE_NOOP("varenta", "|Hide the chat window during a network game");
inline constexpr const char* kMenuShowChat = QT_TRANSLATE_NOOP("varenta", "&Show Chat Window");
// After a toggle the hints say what the item does in the third person.
inline constexpr const char* kHintShowChatToggled =
    QT_TRANSLATE_NOOP("varenta", "|Shows the chat window during a network game");
inline constexpr const char* kHintHideChatToggled =
    QT_TRANSLATE_NOOP("varenta", "|Hides the chat window during a network game");

// Questions and messages of connecting and disconnecting.
inline constexpr const char* kCannotResolve =
    QT_TRANSLATE_NOOP("varenta", "Varenta could not resolve the partner name.");
inline constexpr const char* kAskLoopback = QT_TRANSLATE_NOOP(
    "varenta",
    "Varenta did not detect an IP address. Do you want to connect to another instance of "
    "Varenta on your computer?");
inline constexpr const char* kNoAddressForMail = QT_TRANSLATE_NOOP(
    "varenta", "Varenta did not detect an IP address. Please connect to the network first.");
inline constexpr const char* kMailSetupIncomplete = QT_TRANSLATE_NOOP(
    "varenta", "Please enter all information in the Network|Setup screen before connecting.");
inline constexpr const char* kSendingToPartner =
    QT_TRANSLATE_NOOP("varenta", "Sending message to partner...");
// A network game whose connection was lost waits for the partner (%1).
inline constexpr const char* kWaitingForPartner =
    QT_TRANSLATE_NOOP("varenta", "Waiting for %1 to come back...");
inline constexpr const char* kAskWaitForPartner = QT_TRANSLATE_NOOP(
    "varenta",
    "The connection to %1 was lost. The table keeps the game and connects again by itself "
    "while you wait for %1 to come back. You may also play on against the computer from "
    "here, or give the network game up (a new game against the computer begins).");
// The game was taken up again in the middle of %1's turn: where that turn
// began is not known, so the computer cannot take it over.
inline constexpr const char* kAskWaitForPartnerMidTurn = QT_TRANSLATE_NOOP(
    "varenta",
    "The connection to %1 was lost. The table keeps the game and connects again by itself "
    "while you wait for %1 to come back. You may also give the network game up (a new game "
    "against the computer begins).");
inline constexpr const char* kButtonWait = QT_TRANSLATE_NOOP("varenta", "&Wait");
inline constexpr const char* kButtonPlayComputer =
    QT_TRANSLATE_NOOP("varenta", "Play the &Computer");
inline constexpr const char* kButtonGiveUp = QT_TRANSLATE_NOOP("varenta", "&Give Up");
// At start: a network game was kept when its line was lost (%1 the partner).
inline constexpr const char* kAskTakeUpKeptGame = QT_TRANSLATE_NOOP(
    "varenta",
    "Your network game with %1 was kept when the connection was lost. Go on with it and wait "
    "for %1 to come back? (No gives that game up.)");
// %1 the reason the file could not be written
inline constexpr const char* kKeptGameNotWritten = QT_TRANSLATE_NOOP(
    "varenta", "The waiting network game could not be kept for the next start: %1");
inline constexpr const char* kMailNotAvailable = QT_TRANSLATE_NOOP(
    "varenta",
    "This copy of Varenta cannot exchange addresses by e-mail. Please choose \"IP Number\".");

// Connect dialog.
inline constexpr const char* kConnectCaption = QT_TRANSLATE_NOOP("varenta", "Connect to Opponent");
inline constexpr const char* kLabelNickname = QT_TRANSLATE_NOOP("varenta", "Your nickname");
inline constexpr const char* kGroupPlayOver = QT_TRANSLATE_NOOP("varenta", "Play over");
inline constexpr const char* kRadioLan = QT_TRANSLATE_NOOP("varenta", "LAN");
inline constexpr const char* kRadioInternet = QT_TRANSLATE_NOOP("varenta", "Internet");
inline constexpr const char* kGroupMethod = QT_TRANSLATE_NOOP("varenta", "Connection method");
inline constexpr const char* kRadioEmail = QT_TRANSLATE_NOOP("varenta", "Email");
inline constexpr const char* kRadioIpNumber = QT_TRANSLATE_NOOP("varenta", "IP Number");
inline constexpr const char* kLabelIpPartner =
    QT_TRANSLATE_NOOP("varenta", "IP number of your opponent");
inline constexpr const char* kLabelEmailPartner =
    QT_TRANSLATE_NOOP("varenta", "Email address of your opponent");
inline constexpr const char* kGroupIdServer =
    QT_TRANSLATE_NOOP("varenta", "Internet Identification Server");
inline constexpr const char* kLabelStunServer =
    QT_TRANSLATE_NOOP("varenta", "STUN server (host:port)");
inline constexpr const char* kLabelIdServer =
    QT_TRANSLATE_NOOP("varenta", "Identification server (when STUN fails)");
// What the router says about its public address (%1), and %2 the address
// the STUN server saw.
inline constexpr const char* kRouterReports =
    QT_TRANSLATE_NOOP("varenta", "Your router reports the public address %1.");
inline constexpr const char* kRouterSecondNat = QT_TRANSLATE_NOOP(
    "varenta",
    "Your router reports the public address %1, but the Internet sees %2: a second router "
    "(NAT) lies in between, and a partner outside may not reach you.");

inline constexpr const char* kLabelOwnAddresses =
    QT_TRANSLATE_NOOP("varenta", "Your own IP Address(es)");
// What the connect dialog is asking about the own addresses (%1 the server,
// %2 the longest wait in seconds), and why none was found.
inline constexpr const char* kAskingStun = QT_TRANSLATE_NOOP(
    "varenta", "Asking the STUN server %1 for your Internet address (up to %2 s)...");
inline constexpr const char* kAskingIdServer = QT_TRANSLATE_NOOP(
    "varenta",
    "Asking the identification server %1 which of your addresses faces the Internet (up to %2 "
    "s)...");
inline constexpr const char* kNoInternetAddress = QT_TRANSLATE_NOOP(
    "varenta",
    "Your Internet address could not be found: %1. Check your network connection and press "
    "Refresh.");
inline constexpr const char* kStunNoAnswer =
    QT_TRANSLATE_NOOP("varenta", "the STUN server %1 did not answer");
inline constexpr const char* kIdServerNoAnswer =
    QT_TRANSLATE_NOOP("varenta", "the identification server %1 could not be reached");
inline constexpr const char* kIdServerNotOwn = QT_TRANSLATE_NOOP(
    "varenta", "the identification server %1 saw the address %2, which is none of this computer's");
inline constexpr const char* kNoServerGiven =
    QT_TRANSLATE_NOOP("varenta", "neither a STUN server nor an identification server is given");
inline constexpr const char* kReasonsJoined = QT_TRANSLATE_NOOP("varenta", "%1, and %2");
// A server's reason, where the query learnt one, follows it in brackets.
inline constexpr const char* kWithProblem = QT_TRANSLATE_NOOP("varenta", "%1 (%2)");
// Why Connect is not available yet.
inline constexpr const char* kNeedNickname =
    QT_TRANSLATE_NOOP("varenta", "Type your nickname to connect.");
inline constexpr const char* kNeedIpPartner =
    QT_TRANSLATE_NOOP("varenta", "Type the IP number of your opponent to connect.");
inline constexpr const char* kNeedEmailPartner =
    QT_TRANSLATE_NOOP("varenta", "Type the email address of your opponent to connect.");
inline constexpr const char* kButtonConnect = QT_TRANSLATE_NOOP("varenta", "Connect");
inline constexpr const char* kButtonCancel = QT_TRANSLATE_NOOP("varenta", "Cancel");
inline constexpr const char* kButtonRefresh = QT_TRANSLATE_NOOP("varenta", "Refresh");
inline constexpr const char* kButtonCopy = QT_TRANSLATE_NOOP("varenta", "Copy to clipboard");

// Chat window.
inline constexpr const char* kChatCaption = QT_TRANSLATE_NOOP("varenta", "Varenta Chat Window");
inline constexpr const char* kHintOppChat =
    QT_TRANSLATE_NOOP("varenta", "This area shows the messages that your partner sent you.|");
inline constexpr const char* kHintSelfChat =
    QT_TRANSLATE_NOOP("varenta", "In this area you can type messages to your partner.|");
inline constexpr const char* kSanta =
    QT_TRANSLATE_NOOP("varenta", "Ho ho ho, what would Santa think of that?");

// Network | Setup's relay, and what the table says of it.
inline constexpr const char* kRelayGroup =
    QT_TRANSLATE_NOOP("varenta", "Relay (when no port can be opened)");
inline constexpr const char* kRelayLabelServer =
    QT_TRANSLATE_NOOP("varenta", "Relay server (host:port):");
inline constexpr const char* kRelayLabelUser = QT_TRANSLATE_NOOP("varenta", "User name:");
inline constexpr const char* kRelayLabelPassword = QT_TRANSLATE_NOOP("varenta", "Password:");
inline constexpr const char* kRelayTls = QT_TRANSLATE_NOOP(
    "varenta", "Reach the relay over &TLS (port 5349 unless given; its certificate is checked)");
inline constexpr const char* kRelayHint = QT_TRANSLATE_NOOP(
    "varenta",
    "A TURN server, for example your own: it carries only the two players' game bytes. "
    "With \"Internet\" chosen, this side then waits for the partner at the relayed address.");
inline constexpr const char* kRelayPath = QT_TRANSLATE_NOOP(
    "varenta",
    "Through the relay at %1: this side waits at a relayed address, named once you press "
    "Connect. Give that address to your partner.");
inline constexpr const char* kRelayWaiting =
    QT_TRANSLATE_NOOP("varenta", "Asking the relay at %1 for an address...");
inline constexpr const char* kRelayReady = QT_TRANSLATE_NOOP(
    "varenta", "Give your partner the relayed address %1 (through the relay at %2).");

} // namespace varenta::texts
