#include "varenta/store/StorePaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdlib>

namespace varenta {

namespace {

// A relative or empty XDG variable is ignored, as the base directory rules
// ask, and the fallback below the home folder is used.
QString XdgBase(const char* variable, const char* fallbackBelowHome) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] == '/') {
        return QString::fromLocal8Bit(value);
    }
    return QDir::homePath() + QLatin1Char('/') + QLatin1String(fallbackBelowHome);
}

} // namespace

QString VarentaConfigDir() {
    return XdgBase("XDG_CONFIG_HOME", ".config") + "/varenta";
}

QString VarentaDataDir() {
    return XdgBase("XDG_DATA_HOME", ".local/share") + "/varenta";
}

QString SettingsFilePath() {
    return VarentaConfigDir() + "/settings.conf";
}

QString AutosaveFileName() {
    return VarentaDataDir() + "/autosave.var";
}

QString KeptNetworkGameFileName() {
    return VarentaDataDir() + QStringLiteral("/network-game.kept");
}

QString VarentaMediaDir(const QString& programDir) {
    if (const char* dir = std::getenv("VARENTA_DATA_DIR"); dir != nullptr && *dir != '\0') {
        return QString::fromLocal8Bit(dir);
    }
    const QString installed = QDir::cleanPath(programDir + "/../share/varenta");
    if (QFileInfo(installed + "/help/index.html").isFile()) {
        return installed;
    }
    // Run from a build folder: its note names the source tree's resources.
    QDir at(programDir);
    for (int up = 0; up < 4; ++up) {
        QFile note(at.filePath(QStringLiteral("cardgames-resources.txt")));
        if (note.open(QIODevice::ReadOnly)) {
            const QString resources = QString::fromLocal8Bit(note.readLine(4096)).trimmed();
            if (!resources.isEmpty()) {
                return QDir::cleanPath(resources + "/varenta");
            }
        }
        if (!at.cdUp()) {
            break;
        }
    }
    return installed;
}

} // namespace varenta
