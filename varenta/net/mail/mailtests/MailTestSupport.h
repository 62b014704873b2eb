// What the mail tests share: the private mail servers' ports and
// certificates, a hand-fired timer, and a small scripted server for replies
// a real server will not give.
#pragma once

#include "varenta/net/mail/MailConnection.h"
#include "varenta/net/socket/testing/ManualNetTimer.h"

#include <QByteArrayList>
#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

namespace varenta::testing {

struct MailServers {
    quint16 smtpPlain = 0, smtpStartTls = 0, smtpTls = 0, pop3Plain = 0, pop3Tls = 0;

    static QString Dir() { return QStringLiteral(MAIL_SERVERS_DIR); }
    static QString Ca() { return Dir() + "/ca.pem"; }
    static QString OtherCa() { return Dir() + "/other-ca.pem"; }

    static MailServers Read() {
        MailServers ports;
        QFile file(Dir() + "/ports.env");
        if (!file.open(QIODevice::ReadOnly)) {
            ADD_FAILURE() << "the mail servers are not running (no " << Dir().toStdString()
                          << "/ports.env); run the tests through ctest";
            return ports;
        }
        for (const QByteArray& line : file.readAll().split('\n')) {
            const QList<QByteArray> pair = line.split('=');
            if (pair.size() != 2) {
                continue;
            }
            const auto port = static_cast<quint16>(pair[1].toUInt());
            if (pair[0] == "SMTP_PLAIN")
                ports.smtpPlain = port;
            if (pair[0] == "SMTP_STARTTLS")
                ports.smtpStartTls = port;
            if (pair[0] == "SMTP_TLS")
                ports.smtpTls = port;
            if (pair[0] == "POP3_PLAIN")
                ports.pop3Plain = port;
            if (pair[0] == "POP3_TLS")
                ports.pop3Tls = port;
        }
        return ports;
    }

    // Messages waiting in a mailbox (delivered, read or not).
    static int MailCount(const QString& user) {
        int count = 0;
        for (const char* sub : {"/new", "/cur"}) {
            count += static_cast<int>(
                QDir(Dir() + "/mail/" + user + "/Maildir" + sub).entryList(QDir::Files).size());
        }
        return count;
    }
    // Delivery happens after the server accepted the mail; wait for it.
    static bool WaitForMail(const QString& user, int count) {
        return QTest::qWaitFor([&] { return MailCount(user) >= count; }, 20000);
    }
};

// Answers each command with the next scripted reply. A reply of "<close>"
// hangs up, "<silent>" says nothing; the greeting is the first entry.
class ScriptedServer : public QObject {
public:
    explicit ScriptedServer(std::vector<QByteArray> replies) : replies_(std::move(replies)) {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, this, [this] { Accept(); });
    }
    QString Address() const { return QStringLiteral("127.0.0.1:%1").arg(server_.serverPort()); }
    QByteArrayList received;
    int connections = 0;

private:
    void Accept() {
        socket_ = server_.nextPendingConnection();
        ++connections;
        QObject::connect(socket_, &QTcpSocket::readyRead, this, [this] {
            while (socket_ != nullptr && socket_->canReadLine()) {
                received.append(socket_->readLine().trimmed());
                Answer();
            }
        });
        Answer();
    }
    void Answer() {
        if (next_ >= replies_.size()) {
            return;
        }
        const QByteArray reply = replies_[next_++];
        if (reply == "<close>") {
            socket_->disconnectFromHost();
            socket_ = nullptr;
        } else if (reply != "<silent>") {
            socket_->write(reply + "\r\n");
        }
    }

    QTcpServer server_;
    QTcpSocket* socket_ = nullptr;
    std::vector<QByteArray> replies_;
    std::size_t next_ = 0;
};

} // namespace varenta::testing
