// The program's own command line: --help, --version, "/setup" and a saved
// game to resume. Qt's options (-platform, -style, ...) are Qt's.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <string>

namespace varenta {

struct CommandLine {
    bool setup = false;
    QString savedGame;
};

// Before any window: --help and --version are answered on standard output
// (true: the program ends here with status 0), without a display.
bool AnswersAtOnce(int argc, char** argv, std::string& output);
// After Qt took its own options: the rest, or the message of a wrong one
// (an option that is not the program's, or a second saved game).
std::optional<CommandLine> ReadCommandLine(const QStringList& arguments, QString& problem);

std::string UsageText();

} // namespace varenta
