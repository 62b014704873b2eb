#include "varenta/table/TableTranslation.h"

#include "varenta/table/TableTextConversion.h"

#include "varenta/engine/Texts.h"
#include "varenta/net/nat/InternetAddressQuery.h"
#include "varenta/net/nat/RouterClient.h"
#include "varenta/net/nat/StunAddressQuery.h"
#include "varenta/net/nat/StunQuery.h"
#include "varenta/net/nat/TurnMessage.h"
#include "varenta/net/nat/TurnRelay.h"
#include "varenta/net/session/ConnectionStatus.h"
#include "varenta/net/session/NetworkSession.h"
#include "varenta/net/socket/SocketErrors.h"
#include "varenta/net/socket/TlsClientSocket.h"
#include "varenta/net/socket/TlsOnDemand.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace varenta {

namespace {

using namespace std::string_view_literals;

QPointer<QTranslator> programTexts;
QPointer<QTranslator> qtTexts;
QString shownLanguage;

void Remove(QPointer<QTranslator>& translator) {
    if (translator != nullptr) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

// The pieces the engine joins with names and numbers. A name is free text, so
// it is never looked up; only these pieces are.
constexpr std::array kPieces = {
    texts::kTurnNoticeRemotePrefix,
    texts::kTurnNoticeRemoteSuffix,
    texts::kRemotePassesSuffix,
    texts::kReasonFirstMeldPrefix,
    texts::kReasonFirstMeldMiddle,
    texts::kReasonFirstMeldSuffix,
    texts::kRemoteScoreSuffix,
    texts::kGameOverScoreSuffix,
    texts::kCongratulations,
    texts::kYouCrushed,
    texts::kYouDefeated,
    texts::kYouBeat,
    texts::kWonClose,
    texts::kYouWon,
    texts::kTooBad,
    texts::kCrushedYou,
    texts::kDefeatedYou,
    texts::kBeatYou,
    texts::kLostClose,
    texts::kYouLost,
    texts::kOpponentTheComputer,
    // The session's, joined with the partner's name, a version or a reason.
    texts::kVersionMismatch[0],
    texts::kVersionMismatch[1],
    texts::kVersionMismatch[2],
    texts::kConnectionLost[0],
    texts::kConnectionLost[1],
    texts::kSocketProblem,
    texts::kUnknownToken,
    texts::kNoteMalformed,
    texts::kNoteNotNow,
    texts::kNoteMoveRefused,
    texts::kTablesParted[0],
    texts::kTablesParted[1],
    texts::kPartedAfterHand,
    texts::kPartedNow,
    texts::kPartedByPartner,
    texts::kPartedAtResume,
    texts::kPartnerAway[0],
    texts::kPartnerAway[1],
    texts::kStatusTexts[2],
    // The relay's, joined with its name and its reason.
    texts::kRelayLogin[0],
    texts::kRelayLogin[1],
    texts::kRelayRefused[1],
    texts::kRelayUnreadable[1],
    texts::kRelayUnsigned[1],
    texts::kRelayUnreachable[1],
    texts::kRelayLost[0],
    texts::kRelayLost[1],
    texts::kRelayBindFailed[0],
    texts::kRelayBindFailed[1],
    // Why the address helpers and the router failed: the reason the session,
    // the relay or the router's hint joins into its own message.
    texts::kUpnpSilent,
    texts::kUpnpNotAsked,
    texts::kUpnpNobody,
    texts::kUpnpNobodyIPv6,
    texts::kUpnpOffline,
    texts::kUpnpNoFirewallControl,
    texts::kUpnpFirewallShut,
    texts::kUpnpRefused,
    texts::kNoIPv6Address,
    texts::kNatPmpNoGateway,
    texts::kNatPmpNobody,
    texts::kNatPmpNotAllowed,
    texts::kNatPmpOffline,
    texts::kNatPmpFull,
    texts::kNatPmpNoMapping,
    texts::kNatPmpError,
    texts::kNatPmpBadGateway,
    texts::kNatPmpNotAsked,
    texts::kNatPmpMismatch,
    texts::kNatPmpOtherPort[0],
    texts::kNatPmpOtherPort[1],
    std::string_view(RouterClient::kNoRouter),
    texts::kStunUnreachable,
    texts::kStunSilent,
    texts::kStunRefused,
    texts::kStunUnreadable,
    texts::kStunLookupSlow,
    texts::kStunNameUnusable,
    texts::kStunNameUnknown,
    texts::kIdServerSilent,
    texts::kIdServerClosed,
    texts::kReadNotStun,
    texts::kReadPastEnd,
    texts::kReadWrongFingerprint,
    texts::kReadIntegritySize,
    texts::kReadIntegrityMismatch,
    texts::kReadLongText,
    std::string_view(texts::kTlsLibraryMissing),
    texts::kNoPortSpecified,
    texts::kNoAddressSpecified,
    texts::kBlockingCallTimedOut,
    // The relay's own reasons.
    texts::kRelayErrorCode,
    texts::kRelayAnError,
    texts::kRelayNotAnswer,
    texts::kRelayBindClosed,
    texts::kRelayOtherAnswer,
    texts::kRelayNoAnswer,
    texts::kRelayAnswerUnsigned,
    texts::kRelayNotMessage,
    texts::kRelayNoLifetime,
    texts::kRelayNoAddress,
    // A secured connection's.
    texts::kTlsNotTrusted,
    texts::kTlsFailed,
    texts::kTlsClosed,
};

// The pieces above and the socket's error table.
const std::vector<std::string_view>& Pieces() {
    static const std::vector<std::string_view> pieces = [] {
        std::vector<std::string_view> all(kPieces.begin(), kPieces.end());
        const std::vector<std::string_view> socket = SocketErrorTexts();
        all.insert(all.end(), socket.begin(), socket.end());
        return all;
    }();
    return pieces;
}

// The longest piece found at `at`, empty when none is.
std::string_view PieceAt(std::string_view text, std::size_t at) {
    std::string_view best;
    for (std::string_view piece : Pieces()) {
        if (piece.size() > best.size() && text.substr(at).starts_with(piece)) {
            best = piece;
        }
    }
    return best;
}

} // namespace

QString InstallTranslation(const QLocale& locale) {
    Remove(programTexts);
    Remove(qtTexts);
    shownLanguage.clear();
    // The user's languages in the order the locale prefers them (LANGUAGE
    // may name several); the program's own English ends the search, so
    // "en:de" stays English. The translations are built into the program
    // (the resource folder ":/i18n").
    auto* program = new QTranslator(QCoreApplication::instance());
    QLocale language = QLocale::c();
    for (const QString& name : locale.uiLanguages()) {
        const QLocale preferred(name);
        if (preferred.language() == QLocale::English) {
            break;
        }
        if (program->load(preferred, QStringLiteral("varenta"), QStringLiteral("_"),
                          QStringLiteral(":/i18n"))) {
            language = preferred;
            break;
        }
    }
    if (language == QLocale::c()) {
        delete program;
        return {};
    }
    programTexts = program;
    QCoreApplication::installTranslator(program);
    shownLanguage = program->language().section(QLatin1Char('_'), 0, 0);
    // Qt's own buttons follow when the machine has Qt's translations; the
    // program's texts do not depend on them.
    auto* qt = new QTranslator(QCoreApplication::instance());
    if (qt->load(language, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        qtTexts = qt;
        QCoreApplication::installTranslator(qt);
    } else {
        delete qt;
    }
    return shownLanguage;
}

QString ShownLanguage() {
    return shownLanguage;
}

QString ShownText(std::string_view text) {
    const QString whole = Tr(text);
    if (programTexts == nullptr || whole != Q(text)) {
        return whole;
    }
    QString shown;
    std::size_t copied = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::string_view piece = PieceAt(text, at);
        if (piece.empty()) {
            ++at;
            continue;
        }
        shown += Q(text.substr(copied, at - copied)) + Tr(piece);
        at += piece.size();
        copied = at;
    }
    return shown + Q(text.substr(copied));
}

QString ShownText(const QString& text) {
    const std::string utf8 = text.toStdString();
    return ShownText(std::string_view(utf8));
}

} // namespace varenta
