// The document's side of kiv32.ini and kiv32.rng: reading and writing the
// configuration into the document's fields, and the ranking list operations
// with their messages.
#pragma once

#include "kiv/engine/KivGame.h"
#include "kiv/shell/KivDialogs.h"
#include "kiv/shell/KivDocument.h"
#include "kiv/shell/KivFiles.h"

#include <QString>

class QWidget;

namespace kiv {

class Prompter;
class SoundOutput;

// The values kiv32.ini keeps, taken from the document, and back.
KivSettings SettingsFromDoc(const KivDocument& doc);
void ApplySettings(KivDocument& doc, const KivSettings& settings);

QString ConfigPath(const KivDocument& doc);
QString RankingPath(const KivDocument& doc);

// Reads kiv32.ini into the document (once, when the document is created). A
// missing file is reported with text 83 of the block the locale chose, the
// language becomes German and a fresh file is written; a file that starts
// with "Init" is silently replaced by the defaults.
void ReadConfig(KivDocument& doc, Prompter& prompter, QWidget* parent = nullptr);

// Writes kiv32.ini; text 84 when that fails. Returns whether it was written.
bool WriteConfig(const KivDocument& doc, Prompter& prompter, QWidget* parent = nullptr);

// A fresh list of four zeros; text 112 when it cannot be written.
bool ResetRanking(const KivDocument& doc, Prompter& prompter, QWidget* parent = nullptr);

// Adds the four seat scores to the list (text 113 and a fresh list when it
// is missing; text 112 when it cannot be written).
bool AddToRanking(const KivDocument& doc, Prompter& prompter, QWidget* parent = nullptr);

// The four places of the ranking dialog for `values`, best first, with the
// seats' current names.
FourPlaces RankingPlaces(const KivGame& doc, const RankingValues& values);

// Optionally adds the scores, then shows the list (zeros when it cannot be
// read) after "topten.wav".
void ShowRanking(const KivDocument& doc, bool add, Prompter& prompter, SoundOutput* sound,
                 QWidget* parent = nullptr);

} // namespace kiv
