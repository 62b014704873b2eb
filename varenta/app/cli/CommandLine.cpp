#include "varenta/app/cli/CommandLine.h"

#include <cstring>

namespace varenta {

std::string UsageText() {
    return "Usage: varenta [-h | --help] [-v | --version] [/setup] [SAVED-GAME.var]\n"
           "Varenta, a two-handed rummy card game.\n"
           "\n"
           "  -h, --help        show this help and end\n"
           "  -v, --version     show the version and end\n"
           "  /setup            carry the settings of an older installation over\n"
           "  SAVED-GAME.var    resume this saved game instead of the automatic one\n"
           "\n"
           "The options every Qt program understands (-platform NAME, -style NAME, ...)\n"
           "are understood as well. See varenta(6).\n";
}

bool AnswersAtOnce(int argc, char** argv, std::string& output) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--") == 0) {
            return false; // what follows is a file name
        }
        if (std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "--help") == 0) {
            output = UsageText();
            return true;
        }
        if (std::strcmp(arg, "-v") == 0 || std::strcmp(arg, "--version") == 0) {
            output = "varenta " CARDGAMES_VERSION "\n";
            return true;
        }
    }
    return false;
}

std::optional<CommandLine> ReadCommandLine(const QStringList& arguments, QString& problem) {
    CommandLine line;
    bool filesOnly = false;
    for (const QString& arg : arguments) {
        if (!filesOnly && arg == QLatin1String("--")) {
            filesOnly = true;
            continue;
        }
        if (!filesOnly && arg.compare(QLatin1String("/setup"), Qt::CaseInsensitive) == 0) {
            line.setup = true;
            continue;
        }
        if (!filesOnly && arg.startsWith(QLatin1Char('-'))) {
            problem = QStringLiteral("varenta: unknown option '%1'").arg(arg);
            return std::nullopt;
        }
        if (!line.savedGame.isEmpty()) {
            problem = QStringLiteral("varenta: only one saved game can be resumed, not also '%1'")
                          .arg(arg);
            return std::nullopt;
        }
        line.savedGame = arg;
    }
    return line;
}

} // namespace varenta
