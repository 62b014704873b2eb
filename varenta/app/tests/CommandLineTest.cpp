// The window program's own command line, read and answered.
#include "varenta/app/cli/CommandLine.h"

#include <gtest/gtest.h>

#include <QProcess>

namespace varenta {
namespace {

TEST(CommandLine, TheProgramsArgumentsAreReadAndWrongOnesRefused) {
    struct Row {
        QStringList args;
        bool ok;
        bool setup;
        const char* savedGame; // or the problem's beginning
    };
    const Row rows[] = {
        {{}, true, false, ""},
        {{"/SETUP"}, true, true, ""},
        {{"game.var", "/setup"}, true, true, "game.var"},
        {{"--", "-odd name.var"}, true, false, "-odd name.var"},
        {{"--help-me"}, false, false, "varenta: unknown option '--help-me'"},
        {{"a.var", "b.var"}, false, false, "varenta: only one saved game"},
    };
    for (const Row& row : rows) {
        QString problem;
        const auto line = ReadCommandLine(row.args, problem);
        ASSERT_EQ(line.has_value(), row.ok) << row.args.join(' ').toStdString();
        if (row.ok) {
            EXPECT_EQ(line->setup, row.setup);
            EXPECT_EQ(line->savedGame, QString::fromUtf8(row.savedGame));
        } else {
            EXPECT_TRUE(problem.startsWith(QString::fromUtf8(row.savedGame)))
                << problem.toStdString();
        }
    }
}

#ifdef VARENTA_PROGRAM
// Answered without a display, as the manual page says.
TEST(CommandLine, HelpAndVersionAnswerWithoutADisplay) {
    for (const QString& option : {QStringLiteral("--version"), QStringLiteral("-v"),
                                  QStringLiteral("--help"), QStringLiteral("-h")}) {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("none-such"));
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(VARENTA_PROGRAM), {option});
        ASSERT_TRUE(program.waitForFinished(60000));
        EXPECT_EQ(program.exitCode(), 0) << option.toStdString();
        const QString out = QString::fromUtf8(program.readAllStandardOutput());
        if (option.contains('v')) {
            EXPECT_EQ(out, QStringLiteral("varenta " CARDGAMES_VERSION "\n"));
        } else {
            EXPECT_EQ(out.toStdString(), UsageText());
        }
    }
}
#endif

} // namespace
} // namespace varenta
