// The settings the table window holds, by their store keys, and the values
// the Customize dialog edits as one record.
#pragma once

#include <QColor>

namespace varenta {

inline constexpr char kKeyBackground[] = "Settings\\Background Color";
inline constexpr int kDefaultBackground = 0x8000;
inline constexpr char kKeyResolution[] = "Settings\\Resolution";
inline constexpr char kKeyShowStatusbar[] = "Settings\\Show Statusbar";
inline constexpr char kKeyShowTurns[] = "Settings\\Show Turns";
inline constexpr char kKeyShowHighscores[] = "Settings\\Show Highscores";
// Written in this spelling, read as "Mouse options": the store matches
// names without regard to case, so both reach one value.
inline constexpr char kKeyMouseOptionsWrite[] = "Settings\\Mouse Options";
inline constexpr char kKeyMouseOptions[] = "Settings\\Mouse options";
inline constexpr char kSingleRightClick[] = "Single Right Click";
inline constexpr char kDoubleRightClick[] = "Double Right Click";
inline constexpr char kKeyDelay[] = "Settings\\Delay";
inline constexpr char kKeyCardMovement[] = "Settings\\Card Movement";
inline constexpr char kKeyCardSpeed[] = "Settings\\Card Speed";
inline constexpr char kKeySound[] = "Settings\\Sound";
inline constexpr char kKeyMusic[] = "Settings\\Music";
inline constexpr char kKeyMusicType[] = "Settings\\Music Type";
inline constexpr char kKeyMusicFile[] = "Music\\File";
inline constexpr char kKeyMusicDir[] = "Music\\Dir";
inline constexpr char kDefaultMusicFile[] = "ARCADIA.MID";
inline constexpr char kKeyLevel[] = "Settings\\Level";
inline constexpr char kKeyAggression[] = "Settings\\Aggression";
inline constexpr char kKeyAutoSave[] = "Settings\\AutoSave";

// What the Customize dialog shows and stores.
struct TableOptions {
    QColor background;
    int layout = 0;
    bool showStatusbar = true;
    bool showTurns = true;
    bool showHighscores = true;
    int level = 0; // 0 Beginner, 1 Advanced, 2 Expert
    int aggression = 50;
    int mouseOption = 0; // 0 single, 1 double right click
    int meldDelay = 300; // milliseconds
    bool cardMovement = true;
    int cardSpeed = 10;
    bool autoSave = true;
    bool operator==(const TableOptions&) const = default;
};

} // namespace varenta
