// What the tests of simulators playing over the network share: their
// processes, the port or relayed address the listening one announces, and
// the traces they write.
#pragma once

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>

#include <fstream>
#include <string>
#include <vector>

namespace varenta::testing {

inline QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "netsim-test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

inline std::string TracePath(const char* name) {
    return std::string(CARDGAMES_BINARY_DIR) + "/netsim-" + name + ".trace";
}

inline std::vector<std::string> Lines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

struct SimRun {
    QProcess process;
    std::string errors;
};

// Starts the listening simulator and returns what it announced after
// `announce` (the port, by default).
inline std::string
StartListener(SimRun& run, const QStringList& extra,
              const std::string& announce = "varenta-sim: listening on 127.0.0.1:") {
    App();
    run.process.start(VARENTA_SIM, QStringList{"--listen", "0"} + extra);
    run.process.setReadChannel(QProcess::StandardError);
    while (run.process.waitForReadyRead(60000) || run.process.bytesAvailable() > 0) {
        while (run.process.canReadLine()) {
            const std::string line = run.process.readLine().trimmed().toStdString();
            run.errors += line + "\n";
            if (line.rfind(announce, 0) == 0) {
                return line.substr(announce.size());
            }
        }
        if (run.process.state() == QProcess::NotRunning) {
            break;
        }
    }
    return {};
}

inline int Finish(SimRun& run) {
    if (!run.process.waitForFinished(300000)) {
        run.process.kill();
        run.process.waitForFinished();
        return -1;
    }
    run.errors += run.process.readAllStandardError().toStdString();
    return run.process.exitStatus() == QProcess::NormalExit ? run.process.exitCode() : -1;
}

} // namespace varenta::testing
