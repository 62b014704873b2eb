// Help topics: the numbers by which dialogs and controls ask for help, the
// sections of the help pages they lead to, and the keywords (dialog
// captions among them) that lead there too.
//
// A widget carries its topic in the property "helpTopic"; F1 anywhere in a
// dialog asks for the topic of the nearest widget, from the focused control
// up to the dialog, that carries one. A dialog without any topic is found by
// its caption as a keyword.
#pragma once

#include <QString>

#include <vector>

class QWidget;

namespace varenta {

namespace topics {
// The Rules dialog's controls.
inline constexpr int kRulesOk = 1019;
inline constexpr int kRulesCancel = 1020;
inline constexpr int kNumberOfVarentas = 1072;
inline constexpr int kNumberOfCards = 1073;
inline constexpr int kVarentaRequired = 1074;
inline constexpr int kBonusCounts = 1075;
inline constexpr int kDiscardPileGroup = 1076;
inline constexpr int kAddToVarenta = 1077;
inline constexpr int kTopCardCounts = 1078;
inline constexpr int kInitiallyFrozen = 1079;
inline constexpr int kNaturalPair = 1080;
inline constexpr int kDrawExtra = 1081;
inline constexpr int kThreeBlock = 1082;
inline constexpr int kRedThreeGroup = 1083;
inline constexpr int kSeparatelyFrozen = 1104;
inline constexpr int kReuse = 1108;

// The other dialogs, and the tabs of those that have tabs.
inline constexpr int kCustomize = 1001;
inline constexpr int kCustomizeScreen = 1002;
inline constexpr int kCustomizePlayers = 1003;
inline constexpr int kCustomizeLevel = 1004;
inline constexpr int kCustomizeGeneral = 1005;
inline constexpr int kCardBack = 1200;
inline constexpr int kCardBackPattern = 1201;
inline constexpr int kSoundEvents = 1210; // the Sound dialog's tabs
inline constexpr int kSoundMusic = 1211;
inline constexpr int kSound = 1212;
inline constexpr int kJukeboxFolder = 1213;
inline constexpr int kHallOfFame = 1030;
inline constexpr int kHighScoreName = 1031;
inline constexpr int kWinRatio = 1032;
inline constexpr int kHandResult = 1040;
inline constexpr int kDetailedScoring = 1041;
inline constexpr int kGameOver = 1042;
inline constexpr int kConnect = 1050;
inline constexpr int kNetworkSetup = 1051;
inline constexpr int kChat = 1052;
inline constexpr int kRuleDifferences = 1053;
inline constexpr int kAbout = 1060;
inline constexpr int kSavedGames = 1061;
inline constexpr int kRules = 1071;
} // namespace topics

// Page and anchor of a topic number ("rules.html#natural-pair"); empty when
// the number is unknown.
QString HelpTopicUrl(int topic);
// Every topic number that leads somewhere, in ascending order.
std::vector<int> HelpTopicNumbers();
// Page and anchor of a keyword or dialog caption, matched without regard to
// case and to the "&" of a mnemonic; empty when unknown.
QString HelpKeywordUrl(const QString& keyword);

inline constexpr char kHelpTopicProperty[] = "helpTopic";
void SetHelpTopic(QWidget* widget, int topic);
// The topic of the widget or of its nearest parent that has one; 0 for none.
int HelpTopicOf(const QWidget* widget);
// Where F1 on this widget leads: its topic's section, else the caption of
// its window (or of a window that owns it) as a keyword, else nothing.
QString HelpTargetFor(const QWidget* widget);

} // namespace varenta
