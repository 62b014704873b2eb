#include "varenta/net/mail/Pop3Dialogue.h"

#include "varenta/net/mail/MailLineReader.h"
#include "varenta/net/mail/MailTexts.h"

#include <QCoreApplication>

#include <utility>

namespace varenta {

namespace {

constexpr qsizetype kMaxIdLength = 70; // the longest identifier POP3 allows

// A fixed text in the user's language (the program's one translation context).
QString Text(const char* text) {
    return QCoreApplication::translate("varenta", text);
}

// A decimal count as a server sends it: digits only, and not absurdly large.
int ParseCount(const QByteArray& word, int limit) {
    if (word.isEmpty() || word.size() > 9) {
        return -1;
    }
    int value = 0;
    for (const char c : word) {
        if (c < '0' || c > '9') {
            return -1;
        }
        value = value * 10 + (c - '0');
    }
    return value <= limit ? value : -1;
}

} // namespace

Pop3Dialogue::Pop3Dialogue(MailDialogueSink& sink, Pop3Options options, QSet<QByteArray>& seen)
    : sink_(sink), options_(std::move(options)), seen_(seen) {}

void Pop3Dialogue::ReplyLine(const QByteArray& line) {
    switch (state_) {
    case State::Done:
    case State::TlsHandshake:
        return;
    case State::UidlList:
    case State::TopData:
    case State::RetrData:
        Data(line);
        return;
    default:
        break;
    }
    if (line.startsWith('+')) {
        Status(true, line);
    } else if (line.startsWith('-')) {
        Status(false, line);
    } else {
        Fail(Text(texts::kMailMalformedReply).arg(PrintableReply(line)));
    }
}

void Pop3Dialogue::Status(bool ok, const QByteArray& line) {
    const QString unexpected = Text(texts::kMailUnexpectedResponse).arg(PrintableReply(line));
    switch (state_) {
    case State::Greeting:
        if (!ok) {
            Fail(unexpected);
        } else if (options_.security == MailSecurity::StartTls) {
            state_ = State::Stls;
            sink_.SendLine("STLS");
        } else {
            state_ = State::User;
            sink_.SendLine("USER " + options_.user.toUtf8());
        }
        return;
    case State::Stls:
        if (!ok) {
            Fail(Text(texts::kMailNoStartTls));
            return;
        }
        state_ = State::TlsHandshake;
        sink_.StartTls();
        return;
    case State::User:
    case State::Pass:
        if (!ok) {
            Fail(Text(texts::kMailAccessDenied));
        } else if (state_ == State::User) {
            state_ = State::Pass;
            sink_.SendLine("PASS " + options_.password.toUtf8());
        } else {
            state_ = State::Uidl;
            sink_.SendLine("UIDL");
        }
        return;
    case State::Uidl:
        if (ok) {
            state_ = State::UidlList;
        } else {
            state_ = State::Stat;
            sink_.SendLine("STAT");
        }
        return;
    case State::Stat: {
        const QList<QByteArray> words = line.simplified().split(' ');
        const int count = words.size() >= 2 ? ParseCount(words[1], kMaxMessages) : -1;
        if (!ok) {
            Fail(unexpected);
            return;
        }
        if (count < 0) {
            Fail(Text(texts::kMailMalformedReply).arg(PrintableReply(line)));
            return;
        }
        for (int number = 1; number <= count; ++number) {
            queue_.push_back({number, {}});
        }
        NextMessage();
        return;
    }
    case State::Top:
    case State::Retr:
        if (!ok) {
            Fail(unexpected);
            return;
        }
        data_.clear();
        state_ = state_ == State::Top ? State::TopData : State::RetrData;
        return;
    case State::Dele:
        if (!ok) {
            Fail(unexpected);
            return;
        }
        Examined();
        return;
    case State::Quit:
        Succeed();
        return;
    default:
        return;
    }
}

void Pop3Dialogue::Data(const QByteArray& line) {
    if (line == ".") {
        if (state_ == State::UidlList) {
            NextMessage();
            return;
        }
        if (state_ == State::TopData) {
            const bool skip = headersLoaded && headersLoaded(data_);
            if (state_ != State::TopData) {
                return; // the owner ended the check from its handler
            }
            if (skip) {
                Examined();
            } else {
                state_ = State::Retr;
                sink_.SendLine("RETR " + QByteArray::number(queue_[current_].number));
            }
            return;
        }
        const bool remove = messageLoaded && messageLoaded(data_);
        if (state_ != State::RetrData) {
            return;
        }
        if (remove) {
            state_ = State::Dele;
            sink_.SendLine("DELE " + QByteArray::number(queue_[current_].number));
        } else {
            Examined();
        }
        return;
    }
    const QByteArray text = line.startsWith('.') ? line.mid(1) : line;
    if (state_ == State::UidlList) {
        UidlEntry(text);
    } else if (data_.size() < kMaxKeptLines) {
        data_.append(text);
    }
}

void Pop3Dialogue::UidlEntry(const QByteArray& line) {
    const QList<QByteArray> words = line.simplified().split(' ');
    const int number = words.size() == 2 ? ParseCount(words[0], kMaxMessages) : -1;
    if (number <= 0 || words[1].isEmpty() || words[1].size() > kMaxIdLength ||
        queue_.size() >= static_cast<std::size_t>(kMaxMessages)) {
        Fail(Text(texts::kMailMalformedReply).arg(PrintableReply(line)));
        return;
    }
    if (!seen_.contains(words[1])) {
        queue_.push_back({number, words[1]});
    }
}

void Pop3Dialogue::NextMessage() {
    if (current_ < queue_.size()) {
        Fetch();
        return;
    }
    state_ = State::Quit;
    sink_.SendLine("QUIT");
}

void Pop3Dialogue::Fetch() {
    const QByteArray number = QByteArray::number(queue_[current_].number);
    if (options_.preview) {
        state_ = State::Top;
        sink_.SendLine("TOP " + number + " 0");
    } else {
        state_ = State::Retr;
        sink_.SendLine("RETR " + number);
    }
}

void Pop3Dialogue::Examined() {
    if (!queue_[current_].id.isEmpty()) {
        seen_.insert(queue_[current_].id);
    }
    ++current_;
    NextMessage();
}

void Pop3Dialogue::TlsReady() {
    if (state_ != State::TlsHandshake) {
        return;
    }
    state_ = State::User;
    sink_.SendLine("USER " + options_.user.toUtf8());
}

void Pop3Dialogue::Closed() {
    if (state_ == State::Quit) {
        Succeed();
    } else if (state_ != State::Done) {
        Fail(Text(texts::kMailServerClosed));
    }
}

void Pop3Dialogue::Fail(const QString& message) {
    state_ = State::Done;
    sink_.Finish(false, message);
}

void Pop3Dialogue::Succeed() {
    state_ = State::Done;
    sink_.Finish(true, QString());
}

} // namespace varenta
