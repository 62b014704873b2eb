// Time as the table window sees it: a steady millisecond count and pauses
// that keep the window painted and responsive. Tests inject a clock that only
// counts, so nothing in them waits for real time.
#pragma once

#include <QElapsedTimer>
#include <QEventLoop>

#include <cstdint>

namespace varenta {

class TableClock {
public:
    virtual ~TableClock() = default;
    virtual std::int64_t NowMs() const = 0;
    // Waits that long while window events keep being handled.
    virtual void Pause(int milliseconds) = 0;
    // Makes running and later pauses return at once (the window is closing).
    virtual void Abort() = 0;
    virtual bool Aborted() const = 0;
};

// The real clock: a nested event loop until the time is up.
class EventLoopClock : public TableClock {
public:
    EventLoopClock() { timer_.start(); }
    std::int64_t NowMs() const override { return timer_.elapsed(); }
    void Pause(int milliseconds) override;
    void Abort() override;
    bool Aborted() const override { return aborted_; }

private:
    QElapsedTimer timer_;
    bool aborted_ = false;
    QEventLoop* loop_ = nullptr; // the pause running now, if any
};

// A clock for tests: every pause is recorded and advances the time at once.
class ManualClock : public TableClock {
public:
    std::int64_t NowMs() const override { return now_; }
    void Pause(int milliseconds) override {
        ++pauses_;
        if (!aborted_ && milliseconds > 0) {
            now_ += milliseconds;
        }
    }
    void Abort() override { aborted_ = true; }
    bool Aborted() const override { return aborted_; }
    int Pauses() const { return pauses_; }
    void Advance(std::int64_t ms) { now_ += ms; }

private:
    std::int64_t now_ = 0;
    int pauses_ = 0;
    bool aborted_ = false;
};

} // namespace varenta
