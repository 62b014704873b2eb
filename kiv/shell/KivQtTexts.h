// Qt's own texts (the buttons of message boxes and button boxes, the colour
// and file dialogs) follow the program's active text block: German with the
// German block, Qt's English defaults with the second block.
#pragma once

namespace kiv {

// Installs Qt's German translations when `languageBase` is the German block
// and removes them otherwise. Needs the QApplication. False when the German
// block is active but Qt's translations are not installed on this machine
// (Qt's dialogs then stay English).
bool FollowLanguageInQtDialogs(int languageBase);

} // namespace kiv
