#include "kiv/app/cli/CommandLine.h"

#include <cstring>

namespace kiv {

std::string UsageText() {
    return "Usage: kiv [-h | --help] [-v | --version]\n"
           "Kiv Kiv, a shedding card game for up to four players.\n"
           "\n"
           "  -h, --help      show this help and end\n"
           "  -v, --version   show the version and end\n"
           "\n"
           "The options every Qt program understands (-platform NAME, -style NAME, ...)\n"
           "are understood as well. See kiv(6).\n";
}

bool AnswersAtOnce(int argc, char** argv, std::string& output) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) {
            output = UsageText();
            return true;
        }
        if (std::strcmp(argv[i], "-v") == 0 || std::strcmp(argv[i], "--version") == 0) {
            output = "kiv " CARDGAMES_VERSION "\n";
            return true;
        }
    }
    return false;
}

QString WrongArgument(const QStringList& arguments) {
    if (arguments.isEmpty()) {
        return {};
    }
    return QStringLiteral("kiv: unknown argument '%1'").arg(arguments.first());
}

} // namespace kiv
