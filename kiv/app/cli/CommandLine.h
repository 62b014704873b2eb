// The program's own command line: only --help and --version; Qt's options
// (-platform, -style, ...) are Qt's.
#pragma once

#include <QString>
#include <QStringList>

#include <string>

namespace kiv {

// Before any window: --help and --version are answered on standard output
// (true: the program ends here with status 0), without a display.
bool AnswersAtOnce(int argc, char** argv, std::string& output);
// After Qt took its own options: empty when nothing is left, else the
// message for the first argument the program does not take.
QString WrongArgument(const QStringList& arguments);
std::string UsageText();

} // namespace kiv
