// Where the Varenta program keeps its files: settings (and the old
// varenta.ini) in the per-user configuration folder, the files it writes
// itself (autosave.var, saved games) in the per-user data folder. Both honour
// XDG_CONFIG_HOME / XDG_DATA_HOME, read anew on every call, so tests can
// point the program at a private set of files. Its read-only media come
// from the folder VarentaMediaDir names.
#pragma once

#include <QString>

namespace varenta {

QString VarentaConfigDir(); // $XDG_CONFIG_HOME/varenta, default ~/.config/varenta
QString VarentaDataDir();   // $XDG_DATA_HOME/varenta, default ~/.local/share/varenta
QString SettingsFilePath(); // VarentaConfigDir() + "/settings.conf"
// The game saved on exit and resumed at the next start:
// VarentaDataDir() + "/autosave.var".
QString AutosaveFileName();
// A network game kept over a lost connection, beside it:
// VarentaDataDir() + "/network-game.kept".
QString KeptNetworkGameFileName();
// Read-only media (sounds, tunes, help pages) of a program in `programDir`:
// $VARENTA_DATA_DIR when set, else share/varenta beside its bin/ folder when
// that holds the help pages (an installed copy), else the source tree's
// resources, so a build runs uninstalled.
QString VarentaMediaDir(const QString& programDir);

} // namespace varenta
