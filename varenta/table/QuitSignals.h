// SIGINT and SIGTERM end the program the way closing its window does. The
// signal handler only writes the signal's number into a pipe; a socket
// notifier on the pipe hands it to the window's thread, where the program
// can save and close in peace. One watcher at a time.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace varenta {

class QuitSignals : public QObject {
    Q_OBJECT
public:
    explicit QuitSignals(QObject* parent = nullptr);
    // Puts the handlers back that were there before.
    ~QuitSignals() override;
    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

    // False when the pipe or the handlers could not be set up.
    bool Watching() const { return notifier_ != nullptr; }
    // The first signal received (SIGINT or SIGTERM), 0 before any.
    int Received() const { return received_; }

signals:
    // Once, for the first signal; later ones are only counted as that one.
    void Requested(int signalNumber);

private:
    void ReadPipe();

    QSocketNotifier* notifier_ = nullptr;
    int received_ = 0;
};

// The exit status of a program ended by `signalNumber`: 128 + the number,
// as a shell reports a program killed by it; 0 means no signal.
inline int ExitStatusAfterSignal(int signalNumber, int normalStatus) {
    return signalNumber != 0 ? 128 + signalNumber : normalStatus;
}

} // namespace varenta
