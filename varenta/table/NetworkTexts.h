// Fixed texts of network play on the table side: the connect dialog, the
// chat window, the Network menu and the connection status panel.
#pragma once

#include "varenta/net/session/NetworkPlayTexts.h"

namespace varenta::texts {

// Network menu (caption, status hint).
inline constexpr const char* kMenuNetwork = "&Network";
inline constexpr const char* kMenuConnect = "&Connect to Opponent...";
inline constexpr const char* kHintConnect = "|Connect to another person over a network";
inline constexpr const char* kMenuSetup = "&Setup...";
inline constexpr const char* kHintSetup = "|Set information needed for email connections";
inline constexpr const char* kMenuRuleDifferences = "&Rule Differences...";
inline constexpr const char* kHintRuleDifferences =
    "|Shows the differences in rule settings between you and your opponent, if there are any";
inline constexpr const char* kMenuCompareTables = "&Compare Tables";
inline constexpr const char* kHintCompareTables =
    "|Check that your table and your opponent's still hold the same game";
inline constexpr const char* kNewInNetworkGame =
    "A new game cannot be started while a network game is running. The next hand is dealt "
    "when this one ends; choose Network | Disconnect to play a new game against the computer.";
inline constexpr const char* kMenuDisconnect = "&Disconnect";
inline constexpr const char* kHintDisconnect = "Cancel network connection";
inline constexpr const char* kMenuHideChat = "&Hide Chat Window";
inline constexpr const char* kHintHideChat = "|Hide the chat window during a network game";
inline constexpr const char* kMenuShowChat = "&Show Chat Window";
// After a toggle the hints say what the item does in the third person.
inline constexpr const char* kHintShowChatToggled = "|Shows the chat window during a network game";
inline constexpr const char* kHintHideChatToggled = "|Hides the chat window during a network game";

// Questions and messages of connecting and disconnecting.
inline constexpr const char* kCannotResolve = "Varenta could not resolve the partner name.";
inline constexpr const char* kAskLoopback =
    "Varenta did not detect an IP address. Do you want to connect to another instance of "
    "Varenta on your computer?";
inline constexpr const char* kNoAddressForMail =
    "Varenta did not detect an IP address. Please connect to the network first.";
inline constexpr const char* kMailSetupIncomplete =
    "Please enter all information in the Network|Setup screen before connecting.";
inline constexpr const char* kSendingToPartner = "Sending message to partner...";
// A network game whose connection was lost waits for the partner (%1).
inline constexpr const char* kWaitingForPartner = "Waiting for %1 to come back...";
inline constexpr const char* kAskWaitForPartner =
    "The connection to %1 was lost. The table keeps the game and connects again by itself "
    "while you wait for %1 to come back. You may also play on against the computer from "
    "here, or give the network game up (a new game against the computer begins).";
// The game was taken up again in the middle of %1's turn: where that turn
// began is not known, so the computer cannot take it over.
inline constexpr const char* kAskWaitForPartnerMidTurn =
    "The connection to %1 was lost. The table keeps the game and connects again by itself "
    "while you wait for %1 to come back. You may also give the network game up (a new game "
    "against the computer begins).";
inline constexpr const char* kButtonWait = "&Wait";
inline constexpr const char* kButtonPlayComputer = "Play the &Computer";
inline constexpr const char* kButtonGiveUp = "&Give Up";
// At start: a network game was kept when its line was lost (%1 the partner).
inline constexpr const char* kAskTakeUpKeptGame =
    "Your network game with %1 was kept when the connection was lost. Go on with it and wait "
    "for %1 to come back? (No gives that game up.)";
// %1 the reason the file could not be written
inline constexpr const char* kKeptGameNotWritten =
    "The waiting network game could not be kept for the next start: %1";
inline constexpr const char* kMailNotAvailable =
    "This copy of Varenta cannot exchange addresses by e-mail. Please choose \"IP Number\".";

// Connect dialog.
inline constexpr const char* kConnectCaption = "Connect to Opponent";
inline constexpr const char* kLabelNickname = "Your nickname";
inline constexpr const char* kGroupPlayOver = "Play over";
inline constexpr const char* kRadioLan = "LAN";
inline constexpr const char* kRadioInternet = "Internet";
inline constexpr const char* kGroupMethod = "Connection method";
inline constexpr const char* kRadioEmail = "Email";
inline constexpr const char* kRadioIpNumber = "IP Number";
inline constexpr const char* kLabelIpPartner = "IP number of your opponent";
inline constexpr const char* kLabelEmailPartner = "Email address of your opponent";
inline constexpr const char* kGroupIdServer = "Internet Identification Server";
inline constexpr const char* kLabelStunServer = "STUN server (host:port)";
inline constexpr const char* kLabelIdServer = "Identification server (when STUN fails)";
// What the router says about its public address (%1), and %2 the address
// the STUN server saw.
inline constexpr const char* kRouterReports = "Your router reports the public address %1.";
inline constexpr const char* kRouterSecondNat =
    "Your router reports the public address %1, but the Internet sees %2: a second router "
    "(NAT) lies in between, and a partner outside may not reach you.";

inline constexpr const char* kLabelOwnAddresses = "Your own IP Address(es)";
// What the connect dialog is asking about the own addresses (%1 the server,
// %2 the longest wait in seconds), and why none was found.
inline constexpr const char* kAskingStun =
    "Asking the STUN server %1 for your Internet address (up to %2 s)...";
inline constexpr const char* kAskingIdServer =
    "Asking the identification server %1 which of your addresses faces the Internet (up to %2 "
    "s)...";
inline constexpr const char* kNoInternetAddress =
    "Your Internet address could not be found: %1. Check your network connection and press "
    "Refresh.";
inline constexpr const char* kStunNoAnswer = "the STUN server %1 did not answer";
inline constexpr const char* kIdServerNoAnswer =
    "the identification server %1 could not be reached";
inline constexpr const char* kIdServerNotOwn =
    "the identification server %1 saw the address %2, which is none of this computer's";
inline constexpr const char* kNoServerGiven =
    "neither a STUN server nor an identification server is given";
inline constexpr const char* kReasonsJoined = "%1, and %2";
// A server's reason, where the query learnt one, follows it in brackets.
inline constexpr const char* kWithProblem = "%1 (%2)";
// Why Connect is not available yet.
inline constexpr const char* kNeedNickname = "Type your nickname to connect.";
inline constexpr const char* kNeedIpPartner = "Type the IP number of your opponent to connect.";
inline constexpr const char* kNeedEmailPartner =
    "Type the email address of your opponent to connect.";
inline constexpr const char* kButtonConnect = "Connect";
inline constexpr const char* kButtonCancel = "Cancel";
inline constexpr const char* kButtonRefresh = "Refresh";
inline constexpr const char* kButtonCopy = "Copy to clipboard";

// Chat window.
inline constexpr const char* kChatCaption = "Varenta Chat Window";
inline constexpr const char* kHintOppChat =
    "This area shows the messages that your partner sent you.|";
inline constexpr const char* kHintSelfChat = "In this area you can type messages to your partner.|";
inline constexpr const char* kSanta = "Ho ho ho, what would Santa think of that?";

// Network | Setup's relay, and what the table says of it.
inline constexpr const char* kRelayGroup = "Relay (when no port can be opened)";
inline constexpr const char* kRelayLabelServer = "Relay server (host:port):";
inline constexpr const char* kRelayLabelUser = "User name:";
inline constexpr const char* kRelayLabelPassword = "Password:";
inline constexpr const char* kRelayHint =
    "A TURN server, for example your own: it carries only the two players' game bytes. "
    "With \"Internet\" chosen, this side then waits for the partner at the relayed address.";
inline constexpr const char* kRelayPath =
    "Through the relay at %1: this side waits at a relayed address, named once you press "
    "Connect. Give that address to your partner.";
inline constexpr const char* kRelayWaiting = "Asking the relay at %1 for an address...";
inline constexpr const char* kRelayReady =
    "Give your partner the relayed address %1 (through the relay at %2).";

} // namespace varenta::texts
