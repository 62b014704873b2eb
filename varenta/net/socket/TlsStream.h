// TLS on top of a connected TcpSocket. The TLS library reads the bytes the
// socket received, as the owner hands them in, and writes through the
// socket's own send queue: the secured connection stays one socket with one
// source of events, and nothing here ever waits.
#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <sys/types.h>

namespace varenta {

class TcpSocket;

class TlsStream {
public:
    enum class Step { Done, Again, Failed };

    explicit TlsStream(TcpSocket& socket);
    ~TlsStream();
    TlsStream(const TlsStream&) = delete;
    TlsStream& operator=(const TlsStream&) = delete;

    // Sets up a client session that trusts the authorities of trustFile (a
    // PEM file; empty: the system's store) and accepts only a certificate
    // that names host. False, with Problem(), when the session cannot be set up.
    bool Begin(const QString& host, const QString& trustFile);

    // Received bytes of the connection, in order; End: the peer closed it.
    void Feed(const char* data, qsizetype size);
    void End() { ended_ = true; }

    // One step of the handshake with what has been fed so far; Again waits
    // for more bytes.
    Step Handshake();
    // Appends what can be decrypted now to out. Done: the peer ended the
    // secured connection; Again: wait for more bytes.
    Step Read(QByteArray& out);
    // Encrypts data into the socket's send queue.
    bool Write(const QByteArray& data);
    // Fed bytes, or records already decrypted, not yet read.
    bool HasUnread() const;

    QString Problem() const { return problem_; }
    // The last failure was the server's certificate, not the connection.
    bool NotVerified() const { return notVerified_; }

private:
    struct Session;
    static ssize_t Push(void* self, const void* data, size_t size);
    static ssize_t Pull(void* self, void* data, size_t size);
    static int PullTimeout(void* self, unsigned milliseconds);
    Step Failed(int result);

    TcpSocket& socket_;
    std::unique_ptr<Session> session_;
    QByteArray inbound_;
    qsizetype inboundRead_ = 0;
    bool ended_ = false;
    QString problem_;
    bool notVerified_ = false;
};

} // namespace varenta
