#include "varenta/table/ConnectDialog.h"

#include "varenta/table/TableTextConversion.h"

#include "varenta/net/mail/MailAccount.h"
#include "varenta/net/nat/OwnAddresses.h"
#include "varenta/net/session/NetworkPlay.h"
#include "varenta/store/SettingsFile.h"
#include "varenta/table/HelpTopics.h"
#include "varenta/table/MailAccountSettings.h"
#include "varenta/table/NetworkTexts.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace varenta {

namespace {

constexpr char kKeyNickname[] = "Network\\Nickname";
constexpr char kKeyLanOrInternet[] = "Network\\LANorInternet";
constexpr char kKeyEmailOrIp[] = "Network\\EmailorIP";
constexpr char kKeyLanAddress[] = "Network\\LANAddress";
constexpr char kKeyInternetAddress[] = "Network\\InternetAddress";
constexpr char kKeyIdServer[] = "Network\\ID Server";
constexpr char kKeyStunServer[] = "Network\\STUN Server";
constexpr char kLanHistory[] = "Network\\LANHist";
constexpr char kEmailHistory[] = "Network\\EmailHist";
constexpr int kMaxText = 255; // texts the program keeps are at most this long

QString Text(const char* text) {
    return QString::fromLatin1(text);
}

// A time-out in whole seconds, rounded up, as the user is told it.
int Seconds(int milliseconds) {
    return (milliseconds + 999) / 1000;
}

template <typename W> W* Named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QComboBox* MakeHistoryBox(QWidget* parent, const char* name) {
    auto* box = Named(new QComboBox(parent), name);
    box->setEditable(true);
    // The history changes only when the dialog closes, not on every Enter.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxCount(ConnectDialog::kHistorySize + 1);
    box->lineEdit()->setMaxLength(kMaxText);
    return box;
}

void ReadHistory(SettingsFile& store, const char* prefix, QComboBox* box) {
    for (int i = 0; i < ConnectDialog::kHistorySize; ++i) {
        const QString value = store.ReadString(Text(prefix) + QString::number(i), QString());
        if (value.isEmpty()) {
            break;
        }
        box->addItem(value);
    }
}

// The box's text joins the history at the top unless it is there already;
// the oldest entries beyond the ten newest fall out.
QStringList UpdatedHistory(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) {
        items << box->itemText(i);
    }
    const QString text = box->currentText();
    if (!text.isEmpty() && !items.contains(text)) {
        items.prepend(text);
    }
    while (items.size() > ConnectDialog::kHistorySize) {
        items.removeLast();
    }
    return items;
}

} // namespace

ConnectDialog::ConnectDialog(SettingsFile& store, ConnectServices services, QWidget* parent)
    : QDialog(parent), store_(store), services_(std::move(services)),
      edNickname_(Named(new QLineEdit(this), "edNickname")),
      rbLAN_(Named(new QRadioButton(Tr(texts::kRadioLan), this), "rbLAN")),
      rbInternet_(Named(new QRadioButton(Tr(texts::kRadioInternet), this), "rbInternet")),
      rbEmail_(Named(new QRadioButton(Tr(texts::kRadioEmail), this), "rbEmail")),
      rbIPnumber_(Named(new QRadioButton(Tr(texts::kRadioIpNumber), this), "rbIPnumber")),
      lbIPPartner_(Named(new QLabel(Tr(texts::kLabelIpPartner), this), "lbIPPartner")),
      cbIPPartner_(MakeHistoryBox(this, "cbIPPartner")),
      lbEmailPartner_(Named(new QLabel(Tr(texts::kLabelEmailPartner), this), "lbEmailPartner")),
      cbEmailPartner_(MakeHistoryBox(this, "cbEmailPartner")),
      edIDServer_(Named(new QLineEdit(this), "edIDServer")),
      edSTUNServer_(Named(new QLineEdit(this), "edSTUNServer")),
      lbRouterAddress_(Named(new QLabel(this), "lbRouterAddress")),
      lbAddressStatus_(Named(new QLabel(this), "lbAddressStatus")),
      lbIPAddress_(Named(new QListWidget(this), "lbIPAddress")),
      bnRefreshIP_(Named(new QPushButton(Tr(texts::kButtonRefresh), this), "bnRefreshIP")),
      bnCopy_(Named(new QPushButton(Tr(texts::kButtonCopy), this), "bnCopy")),
      bnConnect_(Named(new QPushButton(Tr(texts::kButtonConnect), this), "bnConnect")),
      bnCancel_(Named(new QPushButton(Tr(texts::kButtonCancel), this), "bnCancel")) {
    if (!services_.localAddresses) {
        services_.localAddresses = LocalIPv4Addresses;
    }
    if (!services_.localAddressTowards) {
        services_.localAddressTowards = LocalAddressTowards;
    }
    if (!services_.message) {
        services_.message = [this](MessageKind kind, const QString& text) {
            const QString caption = QString::fromLatin1("Varenta");
            if (kind == MessageKind::Error) {
                QMessageBox::critical(this, caption, text);
            } else if (kind == MessageKind::Warning) {
                QMessageBox::warning(this, caption, text);
            } else {
                QMessageBox::information(this, caption, text);
            }
        };
    }
    if (!services_.yesNo) {
        services_.yesNo = [this](const QString& question) {
            return QMessageBox::question(this, QString::fromLatin1("Varenta"), question,
                                         QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
        };
    }
    if (!services_.mailAccountComplete) {
        services_.mailAccountComplete = [this] { return ReadMailAccount(store_).Complete(); };
    }
    setWindowTitle(Tr(texts::kConnectCaption));
    SetHelpTopic(this, topics::kConnect);
    edNickname_->setMaxLength(kMaxText);
    edIDServer_->setMaxLength(kMaxText);
    edSTUNServer_->setMaxLength(kMaxText);
    lbRouterAddress_->setWordWrap(true);
    lbRouterAddress_->hide();
    lbAddressStatus_->setWordWrap(true);
    lbAddressStatus_->hide();
    bnConnect_->setDefault(true);
    bnConnect_->setAutoDefault(true);
    bnCancel_->setAutoDefault(false);
    bnRefreshIP_->setAutoDefault(false);
    bnCopy_->setAutoDefault(false);

    auto* playOver = Named(new QGroupBox(Tr(texts::kGroupPlayOver), this), "rgPlayOver");
    auto* playOverLayout = new QHBoxLayout(playOver);
    playOverLayout->addWidget(rbLAN_);
    playOverLayout->addWidget(rbInternet_);
    auto* method = Named(new QGroupBox(Tr(texts::kGroupMethod), this), "rgMethod");
    auto* methodLayout = new QHBoxLayout(method);
    methodLayout->addWidget(rbEmail_);
    methodLayout->addWidget(rbIPnumber_);
    auto* idServer = Named(new QGroupBox(Tr(texts::kGroupIdServer), this), "gbIDServer");
    auto* idServerLayout = new QVBoxLayout(idServer);
    auto* stunLabel = new QLabel(Tr(texts::kLabelStunServer), idServer);
    stunLabel->setBuddy(edSTUNServer_);
    idServerLayout->addWidget(stunLabel);
    idServerLayout->addWidget(edSTUNServer_);
    auto* idLabel = new QLabel(Tr(texts::kLabelIdServer), idServer);
    idLabel->setBuddy(edIDServer_);
    idServerLayout->addWidget(idLabel);
    idServerLayout->addWidget(edIDServer_);

    auto* left = new QVBoxLayout;
    auto* nickname = new QLabel(Tr(texts::kLabelNickname), this);
    nickname->setBuddy(edNickname_);
    left->addWidget(nickname);
    left->addWidget(edNickname_);
    left->addWidget(playOver);
    left->addWidget(method);
    lbIPPartner_->setBuddy(cbIPPartner_);
    left->addWidget(lbIPPartner_);
    left->addWidget(cbIPPartner_);
    lbEmailPartner_->setBuddy(cbEmailPartner_);
    left->addWidget(lbEmailPartner_);
    left->addWidget(cbEmailPartner_);
    left->addStretch();

    auto* right = new QVBoxLayout;
    auto* own = new QLabel(Tr(texts::kLabelOwnAddresses), this);
    own->setBuddy(lbIPAddress_);
    right->addWidget(own);
    right->addWidget(lbIPAddress_, 1);
    auto* ownButtons = new QHBoxLayout;
    ownButtons->addWidget(bnRefreshIP_);
    ownButtons->addWidget(bnCopy_);
    right->addLayout(ownButtons);
    right->addWidget(lbAddressStatus_);
    lbRelayPath_ = Named(new QLabel(this), "lbRelayPath");
    lbRelayPath_->setWordWrap(true);
    lbRelayPath_->hide();
    right->addWidget(lbRelayPath_);
    right->addWidget(lbRouterAddress_);
    right->addWidget(idServer);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bnConnect_);
    buttons->addWidget(bnCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    connect(edNickname_, &QLineEdit::textChanged, this, &ConnectDialog::EnableRule);
    connect(cbIPPartner_, &QComboBox::editTextChanged, this, &ConnectDialog::EnableRule);
    connect(cbEmailPartner_, &QComboBox::editTextChanged, this, &ConnectDialog::EnableRule);
    connect(rbEmail_, &QRadioButton::clicked, this, &ConnectDialog::MethodChanged);
    connect(rbIPnumber_, &QRadioButton::clicked, this, &ConnectDialog::MethodChanged);
    connect(rbLAN_, &QRadioButton::clicked, this, &ConnectDialog::RefreshOwnAddresses);
    connect(rbInternet_, &QRadioButton::clicked, this, &ConnectDialog::RefreshOwnAddresses);
    connect(bnRefreshIP_, &QPushButton::clicked, this, &ConnectDialog::RefreshOwnAddresses);
    connect(bnCopy_, &QPushButton::clicked, this, &ConnectDialog::CopyClick);
    connect(bnConnect_, &QPushButton::clicked, this, &ConnectDialog::ConnectClick);
    connect(bnCancel_, &QPushButton::clicked, this, &QDialog::reject);

    FormCreate();
}

ConnectDialog::~ConnectDialog() {
    CancelQueries();
    if (!settingsWritten_) {
        WriteSettings();
    }
}

void ConnectDialog::FormCreate() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ReadHistory(store_, kLanHistory, cbIPPartner_);
    ReadHistory(store_, kEmailHistory, cbEmailPartner_);
    edNickname_->setText(store_.ReadString(Text(kKeyNickname), QString()));
    const bool lan = store_.ReadBool(Text(kKeyLanOrInternet), false);
    const bool email = store_.ReadBool(Text(kKeyEmailOrIp), true);
    cbIPPartner_->setEditText(store_.ReadString(Text(kKeyLanAddress), QString()));
    cbEmailPartner_->setEditText(store_.ReadString(Text(kKeyInternetAddress), QString()));
    edIDServer_->setText(store_.ReadString(Text(kKeyIdServer), Text(kDefaultIdServer)));
    edSTUNServer_->setText(store_.ReadString(Text(kKeyStunServer), Text(kDefaultStunServer)));
    QApplication::restoreOverrideCursor();
    (lan ? rbLAN_ : rbInternet_)->setChecked(true);
    (email ? rbEmail_ : rbIPnumber_)->setChecked(true);
    MethodChanged();
    RefreshOwnAddresses();
}

void ConnectDialog::AskRouter() {
    if (routerAsked_ || !services_.routerAddress) {
        return;
    }
    // Asked once per dialog, the first time "Internet" is chosen. The router
    // may answer before or after the servers; the note is written whenever
    // either arrives.
    routerAsked_ = true;
    services_.routerAddress([this, alive = std::weak_ptr<bool>(alive_)](const QString& address) {
        if (!alive.expired()) {
            routerAddress_ = address;
            ShowRouterNote();
        }
    });
}

QString ConnectDialog::Nickname() const {
    return edNickname_->text();
}

QString ConnectDialog::EmailPartner() const {
    return cbEmailPartner_->currentText();
}

void ConnectDialog::MethodChanged() {
    const bool email = rbEmail_->isChecked();
    lbEmailPartner_->setEnabled(email);
    cbEmailPartner_->setEnabled(email);
    lbIPPartner_->setEnabled(!email);
    cbIPPartner_->setEnabled(!email);
    EnableRule();
    FillAddressList();
}

void ConnectDialog::EnableRule() {
    // While a server has not answered, the address list is not complete
    // yet, and Connect would tell the partner the wrong ones.
    const bool ip = rbIPnumber_->isChecked();
    const bool partner =
        ip ? !cbIPPartner_->currentText().isEmpty() : !cbEmailPartner_->currentText().isEmpty();
    const bool nickname = !edNickname_->text().isEmpty();
    bnConnect_->setEnabled(!refreshing_ && nickname && partner);
    // A disabled Connect always comes with the reason.
    QStringList lines;
    if (!queryNote_.isEmpty()) {
        lines << queryNote_;
    }
    if (!nickname) {
        lines << Tr(texts::kNeedNickname);
    } else if (!partner) {
        lines << Tr(ip ? texts::kNeedIpPartner : texts::kNeedEmailPartner);
    }
    lbAddressStatus_->setText(lines.join(QLatin1Char('\n')));
    lbAddressStatus_->setVisible(!lines.isEmpty());
    // The address to give the partner then comes from the relay, and the
    // path it takes is said here.
    if (RelayInUse() && !relayAsked_ && services_.allocateRelay) {
        AskRelay();
    }
    ShowRelay();
}

void ConnectDialog::AskRelay() {
    // Asked once per dialog, the first time "Internet" is chosen with the
    // relay set up: the allocation then waits, refreshed, for Connect.
    relayAsked_ = true;
    services_.allocateRelay([this, alive = std::weak_ptr<bool>(alive_)](const QString& relayed,
                                                                        const QString& problem) {
        if (alive.expired()) {
            return;
        }
        relayed_ = relayed;
        relayProblem_ = problem;
        FillAddressList();
        ShowRelay();
    });
}

QString ConnectDialog::RelayPathText() const {
    if (!RelayInUse()) {
        return {};
    }
    if (!relayProblem_.isEmpty()) {
        return relayProblem_; // the relay's own words: no box while the player types
    }
    if (!relayed_.isEmpty()) {
        return Tr(texts::kRelayReady).arg(relayed_, services_.relayName);
    }
    return relayAsked_ ? Tr(texts::kRelayWaiting).arg(services_.relayName)
                       : Tr(texts::kRelayPath).arg(services_.relayName);
}

void ConnectDialog::ShowRelay() {
    if (lbRelayPath_ == nullptr) {
        return; // the dialog is still being built
    }
    const QString text = RelayPathText();
    lbRelayPath_->setText(text);
    lbRelayPath_->setVisible(!text.isEmpty());
}

bool ConnectDialog::RelayInUse() const {
    return !services_.relayName.isEmpty() && rbInternet_->isChecked() && rbIPnumber_->isChecked();
}

QString ConnectDialog::AddressStatus() const {
    return lbAddressStatus_->text();
}

void ConnectDialog::CancelQueries() {
    if (services_.query) {
        services_.query->Cancel();
    }
    if (services_.stunQuery) {
        services_.stunQuery->Cancel();
    }
}

void ConnectDialog::RefreshOwnAddresses() {
    CancelQueries();
    localAddresses_ = services_.localAddresses();
    stunAddress_.clear();
    stunFailed_.clear();
    stunProblem_.clear();
    idAsked_.clear();
    queryNote_.clear();
    if (!rbInternet_->isChecked()) {
        // A LAN game asks nobody outside. Which local address faces the
        // outside (and so is left out) the routing table tells, for a
        // numeric identification server; a name would need a look-up.
        const auto facing =
            services_.localAddressTowards(edIDServer_->text().trimmed().toStdString());
        FinishRefresh(facing ? QString::fromStdString(*facing) : QString(), false);
        return;
    }
    AskRouter();
    const QString stun = edSTUNServer_->text().trimmed();
    if (stun.isEmpty() || !services_.stunQuery) {
        StartIdQuery();
        return;
    }
    BeginQuery(Tr(texts::kAskingStun).arg(stun).arg(Seconds(services_.stunQuery->TimeoutMs())));
    services_.stunQuery->Start(stun, [this, stun](const QString& address) {
        if (address.isEmpty()) {
            stunFailed_ = stun;
            stunProblem_ = QString::fromStdString(services_.stunQuery->Problem());
            StartIdQuery(); // no STUN answer in time: the older way
            return;
        }
        stunAddress_ = address;
        FinishRefresh(address, true);
    });
}

void ConnectDialog::BeginQuery(const QString& note) {
    refreshing_ = true;
    queryNote_ = note;
    setCursor(Qt::BusyCursor);
    bnRefreshIP_->setEnabled(false);
    EnableRule();
}

void ConnectDialog::StartIdQuery() {
    const QString server = edIDServer_->text().trimmed();
    if (server.isEmpty() || !services_.query) {
        FinishRefresh(QString(), false);
        return;
    }
    idAsked_ = server;
    BeginQuery(Tr(texts::kAskingIdServer).arg(server).arg(Seconds(services_.query->TimeoutMs())));
    services_.query->Start(server,
                           [this](const QString& address) { FinishRefresh(address, false); });
}

QString ConnectDialog::NotFoundNote(const QString& idAnswer) const {
    QStringList reasons;
    const auto withProblem = [](const QString& reason, const QString& problem) {
        return problem.isEmpty() ? reason : Tr(texts::kWithProblem).arg(reason, problem);
    };
    if (!stunFailed_.isEmpty()) {
        // The STUN query's own words name the server's part already ("the
        // STUN server's name is unknown").
        reasons << (stunProblem_.isEmpty() ? Tr(texts::kStunNoAnswer).arg(stunFailed_)
                                           : stunProblem_);
    }
    if (!idAsked_.isEmpty()) {
        const QString idProblem =
            services_.query ? QString::fromStdString(services_.query->Problem()) : QString();
        reasons << (idAnswer.isEmpty()
                        ? withProblem(Tr(texts::kIdServerNoAnswer).arg(idAsked_), idProblem)
                        : Tr(texts::kIdServerNotOwn).arg(idAsked_, idAnswer));
    }
    QString why = reasons.isEmpty() ? Tr(texts::kNoServerGiven) : reasons.first();
    if (reasons.size() > 1) {
        why = Tr(texts::kReasonsJoined).arg(reasons.at(0), reasons.at(1));
    }
    return Tr(texts::kNoInternetAddress).arg(why);
}

void ConnectDialog::FinishRefresh(const QString& internetAddress, bool seenFromOutside) {
    refreshing_ = false;
    queryNote_.clear();
    unsetCursor();
    bnRefreshIP_->setEnabled(true);
    QStringList addresses;
    for (const std::string& address : localAddresses_) {
        addresses << QString::fromStdString(address);
    }
    const qsizetype found = internetAddress.isEmpty() ? -1 : addresses.indexOf(internetAddress);
    if (rbInternet_->isChecked()) {
        addresses.clear();
        // The STUN server's answer is the router's public side, which is no
        // address of this machine; it is what a partner outside must call.
        if (found >= 0 || (seenFromOutside && !internetAddress.isEmpty())) {
            addresses << internetAddress;
        } else {
            queryNote_ = NotFoundNote(internetAddress);
        }
    } else if (found >= 0) {
        addresses.removeAt(found);
    }
    foundAddresses_ = addresses;
    FillAddressList();
    ShowRouterNote();
    EnableRule();
}

void ConnectDialog::FillAddressList() {
    // The relayed address is the one the partner calls: it goes first.
    QStringList addresses = foundAddresses_;
    if (RelayInUse() && !relayed_.isEmpty()) {
        addresses.removeAll(relayed_);
        addresses.prepend(relayed_);
    }
    lbIPAddress_->clear();
    lbIPAddress_->addItems(addresses);
}

QString ConnectDialog::RouterNote() const {
    if (routerAddress_.isEmpty()) {
        return {};
    }
    if (!stunAddress_.isEmpty() && stunAddress_ != routerAddress_) {
        return Tr(texts::kRouterSecondNat).arg(routerAddress_, stunAddress_);
    }
    return Tr(texts::kRouterReports).arg(routerAddress_);
}

void ConnectDialog::ShowRouterNote() {
    const QString note = RouterNote();
    lbRouterAddress_->setText(note);
    lbRouterAddress_->setVisible(!note.isEmpty());
}

void ConnectDialog::CopyClick() {
    if (lbIPAddress_->count() == 1) {
        lbIPAddress_->setCurrentRow(0);
    }
    const QListWidgetItem* item = lbIPAddress_->currentItem();
    if (item != nullptr && item->isSelected()) {
        QApplication::clipboard()->setText(item->text());
    }
}

void ConnectDialog::Tell(MessageKind kind, const char* text) {
    services_.message(kind, Tr(text));
}

void ConnectDialog::ConnectClick() {
    bnConnect_->setEnabled(false);
    ownAddressList_.clear();
    for (int i = 0; i < lbIPAddress_->count(); ++i) {
        ownAddressList_ << lbIPAddress_->item(i)->text();
    }
    internet_ = rbInternet_->isChecked();
    if (rbIPnumber_->isChecked()) {
        method_ = Method::IpNumber;
        QString partner = cbIPPartner_->currentText().trimmed();
        // A partner named with a port (a relayed address) keeps it.
        const auto withPort = NetworkPlay::PartnerWithPort(partner);
        const std::string host = withPort ? withPort->host : partner.toStdString();
        if (IsHostName(host)) {
            const auto resolved = ResolveIPv4(host);
            if (!resolved) {
                Tell(MessageKind::Warning, texts::kCannotResolve);
                EnableRule();
                return;
            }
            partner = QString::fromStdString(*resolved);
            if (withPort) {
                partner += ':' + QString::number(withPort->port);
            }
        }
        QString own;
        if (RelayInUse()) {
            own = ownAddressList_.value(0); // the relay decides nothing by it
        } else if (ownAddressList_.isEmpty()) {
            if (!services_.yesNo(Tr(texts::kAskLoopback))) {
                EnableRule();
                return;
            }
            own = partner = QStringLiteral("127.0.0.1");
        } else if (IsLoopbackIPv4(partner.toStdString())) {
            // A partner on this computer: the own list leaves the loopback
            // out, so each copy would compare its LAN address with the
            // loopback and both would choose the same role. With the same
            // text on both sides the users decide which copy listens.
            own = partner = QStringLiteral("127.0.0.1");
        } else {
            own = ownAddressList_.first();
        }
        ownAddress_ = own;
        partnerAddress_ = partner;
        accept();
        return;
    }
    method_ = Method::Email;
    if (!services_.mailAccountComplete()) {
        Tell(MessageKind::Error, texts::kMailSetupIncomplete);
        EnableRule();
        return;
    }
    if (ownAddressList_.isEmpty()) {
        Tell(MessageKind::Information, texts::kNoAddressForMail);
        EnableRule();
        return;
    }
    ownAddress_ = ownAddressList_.first();
    accept();
}

void ConnectDialog::done(int result) {
    CancelQueries();
    refreshing_ = false;
    if (!settingsWritten_) {
        WriteSettings();
    }
    QDialog::done(result);
}

void ConnectDialog::WriteSettings() {
    settingsWritten_ = true;
    SettingsFile::NamedValues values = {
        {Text(kKeyNickname), edNickname_->text()},
        {Text(kKeyLanOrInternet), rbLAN_->isChecked()},
        {Text(kKeyEmailOrIp), rbEmail_->isChecked()},
        {Text(kKeyLanAddress), cbIPPartner_->currentText()},
        {Text(kKeyInternetAddress), cbEmailPartner_->currentText()},
        {Text(kKeyIdServer), edIDServer_->text()},
        {Text(kKeyStunServer), edSTUNServer_->text()},
    };
    const auto addHistory = [&values](const char* prefix, const QStringList& items) {
        for (int k = 0; k < items.size(); ++k) {
            values.emplace_back(Text(prefix) + QString::number(k), items.at(k));
        }
    };
    const QStringList lan = UpdatedHistory(cbIPPartner_);
    const QStringList email = UpdatedHistory(cbEmailPartner_);
    addHistory(kLanHistory, lan);
    addHistory(kEmailHistory, email);
    try {
        store_.WriteValues(values);
    } catch (const SettingsError& e) {
        services_.message(MessageKind::Error, e.Message());
    }
}

} // namespace varenta
