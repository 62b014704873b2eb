// The table window's network play: the Network menu, the connect and setup
// dialogs, the chat window, the rule differences, the connection status
// panel, and the loop the session's socket lives in. The connection's life
// itself is NetworkPlay's; this class shows it.
#pragma once

#include "varenta/net/session/NetworkPlay.h"
#include "varenta/net/socket/NotifierWatcher.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QKeyEvent;
class QLabel;
class QMenu;

namespace varenta {

class ChatWindow;
class RuleDifferencesDialog;
class SecretStore;
class SettingsFile;
class TableWindow;
struct TableServices;

// What network play needs of the window's engine operations. Kept to these
// four, so that the operation depth and the pending flags can live where
// the window keeps them.
struct TableNetworkHost {
    // Runs an engine operation; input stays refused until it returns.
    std::function<void(const std::function<void()>&)> runEngine;
    std::function<bool()> busy;    // an operation is running (depth > 0)
    std::function<bool()> closing; // the window closes as soon as it can
    // A game played with the partner gives way to a new one against the
    // computer, now or once the running operation is over.
    std::function<void()> dealAfterSession;
    std::function<void()> takeFocusBack; // after a modal dialog
};

class TableNetwork : private NetworkPlayListener {
public:
    TableNetwork(TableWindow& window, SettingsFile& store, const TableServices& services,
                 TableNetworkHost host);
    ~TableNetwork() override;
    TableNetwork(const TableNetwork&) = delete;
    TableNetwork& operator=(const TableNetwork&) = delete;

    // The Network menu goes before `before` in the menu bar; the connection
    // panel into the status bar.
    void BuildMenu(QMenu* before);

    NetworkPlay& Play() { return *play_; }
    NetworkSession& Session() { return play_->Session(); }
    QMenu* NetworkMenu() const { return networkMenu_; }
    ChatWindow* Chat() const;
    RuleDifferencesDialog* RuleDifferences() const;
    ConnectionStatus Connection() const { return play_->Status(); }
    QString ConnectionText() const;
    const QString& OwnNickname() const { return ownNickname_; }
    const QStringList& OwnAddressList() const { return ownAddressList_; }
    bool AddressExchangeStopped() const { return play_->AddressExchangeStopped(); }
    bool TryingToConnect() const { return play_->TryingToConnect(); }
    void tmTryConnectTimer() { play_->tmTryConnectTimer(); }
    void DecideRole(const QString& own, const QString& partner) { play_->DecideRole(own, partner); }
    AddressExchange& MailExchange() { return play_->MailExchange(); }
    PortMapper* RouterPortMapper() const { return play_->RouterPortMapper(); }
    const QString& RouterPortNote() const { return play_->RouterPortNote(); }

    // Keys typed on the table in a network game go to the chat input.
    bool ChatTakesKey(QKeyEvent* event);
    // The partner's frames that waited for an operation of this table.
    void ApplyHeldFrames();
    void CloseSession() { play_->CloseSession(); }

    // A game that waits for its partner is kept in a file of its own beside
    // the autosave, so that it can be taken up again after a restart: written
    // when the line is lost and again when the program closes, removed once
    // the game goes on, is given up or handed to the computer.
    void KeepWaitingGame();
    // A program started again takes the kept game up (the table is loaded
    // already): it waits for the partner as the line's record says. False
    // when the record cannot be taken (the table then plays the computer).
    bool TakeUpKeptGame(const std::string& lineRecord);

private:
    class SocketLoop;

    // Socket events run like engine operations: card actions wait for them,
    // and the panels show their outcome.
    void RunSocketEvent(const std::function<void()>& event);
    void ConnecttoPartner1Click();
    void Network2Click();
    void StopWaiting1Click();
    void ShowRuleDifferences1Click();
    void CompareTablesClick();
    void HideChatWindow1Click();
    void UpdateNetworkMenu();
    void MakeChatWindow();
    QString StatusHint(const char* hint) const;

    // What NetworkPlay reports.
    void PartnerReached(SessionRole role) override;
    void SessionOpened(std::string_view partnerNickname) override;
    void ChatReceived(std::string_view line) override;
    void Note(std::string_view text) override;
    void TablesCompared(std::string_view text) override;
    void RulesReceived(std::string_view partnerRules) override;
    void ConnectionChanged(ConnectionStatus status) override;
    void Hint(const QString& text) override;
    void ChatNote(const QString& text) override;
    void Box(MessageKind kind, const QString& text) override;
    void SessionEnded(bool hadGame) override;
    void ConnectionInterrupted(std::string_view message) override;
    void GameResumed(std::string_view message) override;
    void GameNotResumed(std::string_view message) override;
    void RelayReady(const QString& relayed) override;
    // Where the relay's password is kept (made on first use).
    SecretStore* Secrets();
    // The player chooses between waiting for the partner, playing on
    // against the computer and giving up.
    void AskWhileWaiting();
    void GoOnAgainstComputer();
    void ForgetKeptGame();

    TableWindow& window_;
    SettingsFile& store_;
    const TableServices& services_;
    TableNetworkHost host_;
    std::unique_ptr<SocketLoop> socketLoop_;
    std::unique_ptr<NetworkPlay> play_;
    std::unique_ptr<SecretStore> secrets_;
    bool secretsMade_ = false;
    QMenu* networkMenu_ = nullptr;
    QLabel* connectionPanel_ = nullptr;
    QPointer<ChatWindow> chat_;
    QPointer<RuleDifferencesDialog> ruleDifferences_;
    QString ownNickname_;
    QStringList ownAddressList_;
    bool everConnected_ = false;
    bool holdFrames_ = false;     // the partner's frames wait for the operation running
    bool gameWaits_ = false;      // a kept game waits for the partner to come back
    bool askWhileWaiting_ = true; // not when the player just chose to take a kept game up
};

} // namespace varenta
