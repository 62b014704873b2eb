#include "varenta/table/HelpTopics.h"

#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <array>

namespace varenta {

namespace {

struct TopicEntry {
    int topic;
    const char* target;
};

constexpr std::array<TopicEntry, 40> kTopics = {{
    {topics::kCustomize, "options.html#customize"},
    {topics::kCustomizeScreen, "options.html#screen"},
    {topics::kCustomizePlayers, "options.html#players"},
    {topics::kCustomizeLevel, "options.html#level"},
    {topics::kCustomizeGeneral, "options.html#general"},
    {topics::kCardBack, "options.html#decks"},
    {topics::kCardBackPattern, "options.html#patterns"},
    {topics::kSound, "options.html#sound"},
    {topics::kSoundEvents, "options.html#sound-events"},
    {topics::kSoundMusic, "options.html#music"},
    {topics::kJukeboxFolder, "options.html#jukebox-folder"},
    {topics::kRulesOk, "rules.html#variants"},
    {topics::kRulesCancel, "rules.html#variants"},
    {topics::kHallOfFame, "records.html#hiscores"},
    {topics::kHighScoreName, "records.html#highscore-name"},
    {topics::kWinRatio, "records.html#winratio"},
    {topics::kHandResult, "scoring.html#hand-result"},
    {topics::kDetailedScoring, "scoring.html#details"},
    {topics::kGameOver, "scoring.html#game-over"},
    {topics::kConnect, "network.html#connect"},
    {topics::kNetworkSetup, "network.html#setup"},
    {topics::kChat, "network.html#chat"},
    {topics::kRuleDifferences, "network.html#rule-differences"},
    {topics::kAbout, "index.html#about"},
    {topics::kSavedGames, "records.html#saved-games"},
    {topics::kRules, "rules.html#variants"},
    {topics::kNumberOfVarentas, "rules.html#number-of-varentas"},
    {topics::kNumberOfCards, "rules.html#number-of-cards"},
    {topics::kVarentaRequired, "rules.html#varenta-required"},
    {topics::kBonusCounts, "rules.html#bonus-counts"},
    {topics::kDiscardPileGroup, "rules.html#pile-options"},
    {topics::kAddToVarenta, "rules.html#add-to-varenta"},
    {topics::kTopCardCounts, "rules.html#top-card-counts"},
    {topics::kInitiallyFrozen, "rules.html#initially-frozen"},
    {topics::kNaturalPair, "rules.html#natural-pair"},
    {topics::kDrawExtra, "rules.html#draw-extra"},
    {topics::kThreeBlock, "rules.html#three-block"},
    {topics::kRedThreeGroup, "rules.html#red-three-options"},
    {topics::kSeparatelyFrozen, "rules.html#separately-frozen"},
    {topics::kReuse, "rules.html#reuse-pile"},
}};

struct KeywordEntry {
    const char* keyword;
    const char* target;
};

// Topics by word, and every dialog by its caption.
constexpr std::array<KeywordEntry, 47> kKeywords = {{
    {"contents", "index.html"},
    {"how to play", "play.html"},
    {"rules", "rules.html#variants"},
    {"variants", "rules.html#variants"},
    {"melds", "rules.html#melds"},
    {"varentas", "rules.html#varentas"},
    {"first meld", "rules.html#first-meld"},
    {"black threes", "rules.html#black-threes"},
    {"discard pile", "rules.html#pile"},
    {"frozen pile", "rules.html#frozen"},
    {"red threes", "rules.html#red-threes"},
    {"scoring", "scoring.html"},
    {"controls", "controls.html"},
    {"keyboard", "controls.html#keyboard"},
    {"mouse", "controls.html#mouse"},
    {"status bar", "controls.html#status-bar"},
    {"menus", "controls.html#menus"},
    {"customize", "options.html#customize"},
    {"players", "options.html#players"},
    {"highscores", "records.html#hiscores"},
    {"saved games", "records.html#saved-games"},
    {"network", "network.html"},
    {"Customize Varenta", "options.html#customize"},
    {"New Player", "options.html#players"},
    {"Rename Player", "options.html#players"},
    {"Select Card Back", "options.html#decks"},
    {"Select Bitmap", "options.html#decks"},
    {"Select Card Back Pattern", "options.html#patterns"},
    {"Varenta Sound", "options.html#sound"},
    {"Select Sound File", "options.html#sound-events"},
    {"Select Music File", "options.html#music"},
    {"Select Jukebox Folder", "options.html#jukebox-folder"},
    {"Varenta Hall of Fame", "records.html#hiscores"},
    {"Hand Score in Highscore List", "records.html#highscore-name"},
    {"Match Score in Highscore List", "records.html#highscore-name"},
    {"Win Ratio", "records.html#winratio"},
    {"Load Varenta Game", "records.html#saved-games"},
    {"Save Varenta Game", "records.html#saved-games"},
    {"Hand Finished", "scoring.html#hand-result"},
    {"Detailed Scoring Results", "scoring.html#details"},
    {"Game Over", "scoring.html#game-over"},
    {"Connect to Opponent", "network.html#connect"},
    {"Network Setup", "network.html#setup"},
    {"Varenta Chat Window", "network.html#chat"},
    {"Rule Differences", "network.html#rule-differences"},
    {"About Varenta", "index.html#about"},
    {"Varenta Help", "index.html"},
}};

QString Plain(const QString& text) {
    QString plain = text;
    plain.remove(QLatin1Char('&'));
    return plain.trimmed();
}

} // namespace

QString HelpTopicUrl(int topic) {
    for (const TopicEntry& entry : kTopics) {
        if (entry.topic == topic) {
            return QString::fromLatin1(entry.target);
        }
    }
    return {};
}

std::vector<int> HelpTopicNumbers() {
    std::vector<int> numbers;
    numbers.reserve(kTopics.size());
    for (const TopicEntry& entry : kTopics) {
        numbers.push_back(entry.topic);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

QString HelpKeywordUrl(const QString& keyword) {
    const QString wanted = Plain(keyword);
    if (wanted.isEmpty()) {
        return {};
    }
    for (const KeywordEntry& entry : kKeywords) {
        if (wanted.compare(QLatin1String(entry.keyword), Qt::CaseInsensitive) == 0) {
            return QString::fromLatin1(entry.target);
        }
    }
    return {};
}

void SetHelpTopic(QWidget* widget, int topic) {
    widget->setProperty(kHelpTopicProperty, topic);
}

int HelpTopicOf(const QWidget* widget) {
    for (; widget != nullptr; widget = widget->parentWidget()) {
        const QVariant topic = widget->property(kHelpTopicProperty);
        if (topic.isValid() && topic.toInt() != 0) {
            return topic.toInt();
        }
    }
    return 0;
}

QString HelpTargetFor(const QWidget* widget) {
    // Window by window, from the one the widget is in out to the windows
    // that own it: a topic of the widget or of a parent inside that window,
    // then the window's caption. So the name box of a new player (caption
    // "New Player") leads to the players, a colour dialog without a topic of
    // its own to the dialog that opened it.
    const QWidget* at = widget;
    while (at != nullptr) {
        const QWidget* window = at->window();
        for (; at != nullptr; at = at->parentWidget()) {
            const QVariant topic = at->property(kHelpTopicProperty);
            if (const QString url = HelpTopicUrl(topic.toInt());
                topic.isValid() && !url.isEmpty()) {
                return url;
            }
            if (at == window) {
                break;
            }
        }
        if (const QString url = HelpKeywordUrl(window->windowTitle()); !url.isEmpty()) {
            return url;
        }
        at = window->parentWidget();
    }
    return {};
}

} // namespace varenta
