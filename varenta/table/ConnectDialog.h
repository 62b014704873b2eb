// The "Connect to Opponent" dialog: the player's nickname, how to reach the
// partner (typed IP number or host name, or an address exchange by e-mail),
// the own addresses to tell the partner, and the servers that reveal the
// address this machine shows the Internet: a STUN server first (it sees the
// public address even behind a home router), the identification server when
// no STUN server answers in time. What the router itself reports as its
// public address is shown beside it. Those three are asked only while
// "Internet" is chosen; a LAN game sends nothing beyond this machine. Its
// settings are read when it opens and written when it closes, confirmed or
// not.
#pragma once

#include "varenta/engine/VarentaPort.h"
#include "varenta/net/nat/OwnAddressQuery.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace varenta {

class SettingsFile;

// Everything the dialog uses from outside; empty fields get the real thing.
struct ConnectServices {
    std::function<std::vector<std::string>()> localAddresses;
    // This machine's address on the route towards a dotted IPv4 address,
    // found without sending anything (the LAN list leaves it out).
    std::function<std::optional<std::string>(const std::string&)> localAddressTowards;
    std::unique_ptr<OwnAddressQuery> query; // the identification server
    // The STUN server (its Start gets "host:port"); none: not asked.
    std::unique_ptr<OwnAddressQuery> stunQuery;
    // Asks the router for its public address; the answer (empty: no router
    // told one) comes later from the event loop. None: not asked.
    std::function<void(std::function<void(const QString&)>)> routerAddress;
    std::function<void(MessageKind, const QString&)> message;
    std::function<bool(const QString&)> yesNo;
    // Whether the six mail account settings are all filled in.
    std::function<bool()> mailAccountComplete;
    // The relay set up in Network | Setup ("host:port"; empty: none). An
    // Internet game then waits at a relayed address instead of listening.
    QString relayName;
    // Asks the relay for the relayed address; the address ("HOST:PORT") or,
    // with it empty, the relay's failure text in the user's language comes
    // later from the event loop, once. None: the address is named only
    // after Connect.
    std::function<void(std::function<void(const QString& relayed, const QString& problem)>)>
        allocateRelay;
};

class ConnectDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHistorySize = 10;
    // Used when the store names no identification server.
    static constexpr const char* kDefaultIdServer = "1.1.1.1";
    // Used when the store names no STUN server: a well-known public one.
    static constexpr const char* kDefaultStunServer = "stun.l.google.com:19302";

    ConnectDialog(SettingsFile& store, ConnectServices services, QWidget* parent = nullptr);
    ~ConnectDialog() override;

    enum class Method { IpNumber, Email };
    // What Connect decided (valid after the dialog was accepted).
    Method ChosenMethod() const { return method_; }
    // "Internet" was chosen (not "LAN").
    bool InternetChosen() const { return internet_; }
    const QStringList& OwnAddressList() const { return ownAddressList_; }
    QString OwnAddress() const { return ownAddress_; }
    QString PartnerAddress() const { return partnerAddress_; }
    QString EmailPartner() const;
    QString Nickname() const;

    // Refreshing the own addresses: true while the STUN or identification
    // server has not answered yet.
    bool Refreshing() const { return refreshing_; }
    void RefreshOwnAddresses();
    // What the router reported and how it compares with the STUN answer.
    QString RouterNote() const;
    // What a running query asks, why none found the Internet address, or
    // what Connect still needs (empty: nothing to say).
    QString AddressStatus() const;
    // The relayed address once the relay granted it (empty: not yet, or
    // no relay is used).
    QString RelayedAddress() const { return relayed_; }
    // The relay was asked for its address while this dialog is open.
    bool RelayAsked() const { return relayAsked_; }

    void done(int result) override;

private:
    void FormCreate();
    void WriteSettings();
    void EnableRule();
    bool RelayInUse() const;
    void MethodChanged();
    void CancelQueries();
    void AskRouter();
    void BeginQuery(const QString& note);
    void StartIdQuery();
    void FinishRefresh(const QString& internetAddress, bool seenFromOutside);
    QString NotFoundNote(const QString& idAnswer) const;
    void ShowRouterNote();
    void AskRelay();
    void ShowRelay();
    QString RelayPathText() const;
    void FillAddressList();
    void ConnectClick();
    void CopyClick();
    void Tell(MessageKind kind, const char* text);

    SettingsFile& store_;
    ConnectServices services_;

    QLineEdit* edNickname_;
    QRadioButton* rbLAN_;
    QRadioButton* rbInternet_;
    QRadioButton* rbEmail_;
    QRadioButton* rbIPnumber_;
    QLabel* lbIPPartner_;
    QComboBox* cbIPPartner_;
    QLabel* lbEmailPartner_;
    QComboBox* cbEmailPartner_;
    QLineEdit* edIDServer_;
    QLineEdit* edSTUNServer_;
    QLabel* lbRouterAddress_;
    QLabel* lbAddressStatus_;
    QLabel* lbRelayPath_ = nullptr;
    QListWidget* lbIPAddress_;
    QPushButton* bnRefreshIP_;
    QPushButton* bnCopy_;
    QPushButton* bnConnect_;
    QPushButton* bnCancel_;

    std::vector<std::string> localAddresses_; // of the running refresh
    QStringList foundAddresses_;              // what the last refresh found
    bool relayAsked_ = false;
    QString relayed_;      // the relayed address (empty: none yet)
    QString relayProblem_; // why the relay gave none
    bool refreshing_ = false;
    QString queryNote_;   // what is being asked, or why nothing was found
    QString stunFailed_;  // the STUN server asked in vain during this refresh
    QString stunProblem_; // and why, as its query tells
    QString idAsked_;     // the identification server asked during this refresh
    bool routerAsked_ = false;
    QString stunAddress_;   // the last STUN answer (empty: none)
    QString routerAddress_; // what the router reported (empty: nothing yet)
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    bool settingsWritten_ = false;
    Method method_ = Method::IpNumber;
    bool internet_ = false;
    QStringList ownAddressList_;
    QString ownAddress_;
    QString partnerAddress_;
};

} // namespace varenta
