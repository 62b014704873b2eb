// The table window's two helpers of network play (private to the window):
// the loop its session's socket lives in, and the session's listener.
#pragma once

#include "varenta/net/session/NetworkSession.h"
#include "varenta/net/socket/NotifierWatcher.h"
#include "varenta/table/TableWindow.h"

namespace varenta {

// The Qt loop, with every socket event run as one of the window's engine
// operations.
class TableWindow::SocketLoop : public SocketWatcher {
public:
    explicit SocketLoop(TableWindow& window) : window_(window) {}
    void Watch(int fd, bool read, bool write, ReadyCall onReady) override;
    void Defer(std::function<void()> call) override;
    WaitResult WaitFor(int fd, bool write, int timeoutSeconds) override {
        return loop_.WaitFor(fd, write, timeoutSeconds);
    }
    void CancelWait() override { loop_.CancelWait(); }

private:
    TableWindow& window_;
    NotifierWatcher loop_;
};

class TableWindow::SessionEvents : public SessionListener {
public:
    explicit SessionEvents(TableWindow& window) : window_(window) {}
    void PartnerReached(SessionRole role) override;
    void SessionOpened(std::string_view partnerNickname) override;
    void ChatReceived(std::string_view line) override;
    void Note(std::string_view text) override;
    void TablesCompared(std::string_view text) override;
    void RulesReceived(std::string_view partnerRules) override;
    void StatusChanged(int connectionStatus) override;
    void SessionClosed(Ending ending, std::string_view message) override;

private:
    TableWindow& window_;
};

} // namespace varenta
