#include "kiv/shell/KivDocFiles.h"

#include "kiv/shell/KivFileAccess.h"
#include "kiv/shell/KivPrompter.h"
#include "kiv/shell/KivSound.h"
#include "kiv/shell/KivStrings.h"

#include <limits>

namespace kiv {
namespace {

QString FolderFile(const KivDocument& doc, const std::string& name) {
    return QString::fromStdString(doc.programFolder) + QLatin1Char('/') +
           QString::fromStdString(name);
}

int ClampToInt(std::int64_t v) {
    if (v > std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    if (v < std::numeric_limits<int>::min()) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(v);
}

} // namespace

KivSettings SettingsFromDoc(const KivDocument& doc) {
    const GameSettings& game = doc.Settings();
    KivSettings s;
    for (int i = 0; i < 4; ++i) {
        s.seats[i].name = QString::fromStdString(game.seats[i].name);
        s.seats[i].plays = game.seats[i].plays;
        s.seats[i].computer = game.seats[i].computer;
    }
    s.pointsToWin = game.pointsToWin;
    s.cardsPerPlayer = game.cardsPerPlayer;
    s.animateCards = game.animateCards;
    s.ruleLayAfterDraw = game.ruleLayAfterDraw;
    s.ruleEightOnEight = game.ruleEightOnEight;
    s.ruleJackAlways = game.ruleJackAlways;
    s.ruleAnyOnFirstJack = game.ruleAnyOnFirstJack;
    s.ruleEndOnFirstOut = game.ruleEndOnFirstOut;
    s.soundOn = game.soundOn;
    s.musicOn = game.musicOn;
    s.midiFile = QString::fromStdString(doc.midiFile);
    s.deckBack = game.deckBack;
    s.backgroundColor = doc.backgroundColor;
    s.computerDelay = game.computerDelay;
    s.languageBase = game.languageBase;
    s.cardSpeed = game.cardSpeed;
    s.windowWidth = doc.windowWidth;
    s.windowHeight = doc.windowHeight;
    s.fullScreen = doc.fullScreen;
    return s;
}

void ApplySettings(KivDocument& doc, const KivSettings& s) {
    // What the window shows and the program keeps stays as it was.
    GameSettings game = doc.Settings();
    for (int i = 0; i < 4; ++i) {
        game.seats[i].name = s.seats[i].name.toStdString();
        game.seats[i].plays = s.seats[i].plays;
        game.seats[i].computer = s.seats[i].computer;
    }
    game.pointsToWin = s.pointsToWin;
    game.cardsPerPlayer = s.cardsPerPlayer;
    game.animateCards = s.animateCards;
    game.ruleLayAfterDraw = s.ruleLayAfterDraw;
    game.ruleEightOnEight = s.ruleEightOnEight;
    game.ruleJackAlways = s.ruleJackAlways;
    game.ruleAnyOnFirstJack = s.ruleAnyOnFirstJack;
    game.ruleEndOnFirstOut = s.ruleEndOnFirstOut;
    game.soundOn = s.soundOn;
    game.musicOn = s.musicOn;
    game.deckBack = s.deckBack;
    game.computerDelay = s.computerDelay;
    game.languageBase = s.languageBase;
    game.cardSpeed = s.cardSpeed;
    doc.ApplySettings(game);
    doc.midiFile = s.midiFile.toStdString();
    doc.backgroundColor = s.backgroundColor;
    doc.windowWidth = s.windowWidth;
    doc.windowHeight = s.windowHeight;
    doc.fullScreen = s.fullScreen;
}

QString ConfigPath(const KivDocument& doc) {
    return FolderFile(doc, doc.configFileName);
}

QString RankingPath(const KivDocument& doc) {
    return FolderFile(doc, doc.rankingFileName);
}

void ReadConfig(KivDocument& doc, Prompter& prompter, QWidget* parent) {
    // Once at the start: what a crashed copy left half written goes.
    RemoveStaleTemporaryFiles(QString::fromStdString(doc.programFolder));
    const int detected = doc.Settings().languageBase;
    KivSettings settings = SettingsFromDoc(doc);
    switch (ReadConfigFile(ConfigPath(doc), settings)) {
    case ConfigRead::Missing: {
        // A first start speaks the locale's language, and keeps it.
        prompter.Inform(parent, LoadText(detected + 83));
        doc.SetLanguageBase(detected);
        WriteConfig(doc, prompter, parent);
        return;
    }
    case ConfigRead::InitFile:
        WriteConfig(doc, prompter, parent);
        return;
    case ConfigRead::Read:
        RepairSettings(settings, detected);
        ApplySettings(doc, settings);
        return;
    }
}

bool WriteConfig(const KivDocument& doc, Prompter& prompter, QWidget* parent) {
    if (WriteConfigFile(ConfigPath(doc), SettingsFromDoc(doc))) {
        return true;
    }
    prompter.Inform(parent, LoadText(doc.TextId(84)));
    return false;
}

bool ResetRanking(const KivDocument& doc, Prompter& prompter, QWidget* parent) {
    if (WriteRankingFile(RankingPath(doc), RankingValues{})) {
        return true;
    }
    prompter.Inform(parent, LoadText(doc.TextId(112)));
    return false;
}

bool AddToRanking(const KivDocument& doc, Prompter& prompter, QWidget* parent) {
    // Read, add and write as one step: another copy of the program adding
    // its scores at the same moment waits instead of writing over ours.
    const FileLock lock(RankingPath(doc));
    RankingValues values{};
    if (!ReadRankingFile(RankingPath(doc), values)) {
        prompter.Inform(parent, LoadText(doc.TextId(113)));
        ResetRanking(doc, prompter, parent);
        if (!ReadRankingFile(RankingPath(doc), values)) {
            return false;
        }
    }
    for (int i = 0; i < 4; ++i) {
        values[i] = AddSaturating(values[i], doc.State().seats[i].score);
    }
    if (!WriteRankingFile(RankingPath(doc), values)) {
        prompter.Inform(parent, LoadText(doc.TextId(112)));
        return false;
    }
    return true;
}

FourPlaces RankingPlaces(const KivGame& doc, const RankingValues& values) {
    std::array<int, 4> clamped{};
    for (int i = 0; i < 4; ++i) {
        clamped[i] = ClampToInt(values[i]);
    }
    const std::array<int, 4> order = KivGame::RankOrder(clamped);
    FourPlaces places;
    for (int place = 0; place < 4; ++place) {
        const int seat = order[place];
        places[place] = {QString::fromStdString(doc.Settings().seats[seat].name), values[seat]};
    }
    return places;
}

void ShowRanking(const KivDocument& doc, bool add, Prompter& prompter, SoundOutput* sound,
                 QWidget* parent) {
    if (add) {
        AddToRanking(doc, prompter, parent);
    }
    RankingValues values{};
    if (!ReadRankingFile(RankingPath(doc), values)) {
        values = {};
    }
    if (doc.Settings().soundOn && sound != nullptr) {
        sound->PlayWave(QStringLiteral("topten.wav"));
    }
    RankingDialog dialog(doc.Settings().languageBase, RankingPlaces(doc, values), parent);
    prompter.Run(dialog);
}

} // namespace kiv
