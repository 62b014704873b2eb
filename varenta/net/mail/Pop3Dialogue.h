// The POP3 side of one mailbox check: USER and PASS, UIDL (or STAT when
// the server has no UIDL), then for every message not examined before in
// this run TOP n 0 for its header, RETR n unless the owner skips it, DELE n
// when the owner wants it gone, and QUIT. Multi-line answers end with a
// line holding a single "."; a leading "." of a data line is removed.
#pragma once

#include "varenta/net/mail/MailDialogue.h"

#include <QByteArrayList>
#include <QSet>
#include <QString>

#include <functional>
#include <vector>

namespace varenta {

struct Pop3Options {
    MailSecurity security = MailSecurity::None;
    QString user;
    QString password;
    bool preview = true; // fetch each header first (TOP n 0)
};

class Pop3Dialogue {
public:
    // Lines kept of one header or message; a longer one is still read to
    // its end, but only this much of it is handed on.
    static constexpr qsizetype kMaxKeptLines = 2000;
    static constexpr int kMaxMessages = 100000;

    // `seen` holds the identifiers examined earlier in this run and gains
    // those examined now.
    Pop3Dialogue(MailDialogueSink& sink, Pop3Options options, QSet<QByteArray>& seen);

    // Header of a message (preview on): return true to skip the message.
    std::function<bool(const QByteArrayList& header)> headersLoaded;
    // A whole message: return true to have it deleted.
    std::function<bool(const QByteArrayList& message)> messageLoaded;

    void Connected() {}
    void ReplyLine(const QByteArray& line);
    void TlsReady();
    void Closed();

    bool Finished() const { return state_ == State::Done; }
    // The owner ended the action: nothing more is sent or reported.
    void Abort() { state_ = State::Done; }

private:
    enum class State {
        Greeting,
        Stls,
        TlsHandshake,
        User,
        Pass,
        Uidl,
        UidlList,
        Stat,
        Top,
        TopData,
        Retr,
        RetrData,
        Dele,
        Quit,
        Done,
    };
    struct Pending {
        int number = 0;
        QByteArray id; // empty without UIDL
    };

    void Status(bool ok, const QByteArray& line);
    void Data(const QByteArray& line);
    void UidlEntry(const QByteArray& line);
    void NextMessage();
    void Fetch();
    void Examined();
    void Fail(const QString& message);
    void Succeed();

    MailDialogueSink& sink_;
    Pop3Options options_;
    QSet<QByteArray>& seen_;
    State state_ = State::Greeting;
    std::vector<Pending> queue_;
    std::size_t current_ = 0;
    QByteArrayList data_;
};

} // namespace varenta
