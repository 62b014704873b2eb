#include "varenta/table/HelpWindow.h"

#include "varenta/table/TableTexts.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <array>

namespace varenta {

namespace {

struct TopicEntry {
    int topic;
    const char* target;
};

// Topic numbers given to the Rules dialog's controls.
constexpr std::array<TopicEntry, 20> kTopics = {{
    {1019, "rules.html#variants"},
    {1020, "rules.html#variants"},
    {1072, "rules.html#number-of-varentas"},
    {1073, "rules.html#number-of-cards"},
    {1074, "rules.html#varenta-required"},
    {1075, "rules.html#bonus-counts"},
    {1076, "rules.html#pile-options"},
    {1077, "rules.html#add-to-varenta"},
    {1078, "rules.html#top-card-counts"},
    {1079, "rules.html#initially-frozen"},
    {1080, "rules.html#natural-pair"},
    {1081, "rules.html#draw-extra"},
    {1082, "rules.html#three-block"},
    {1083, "rules.html#red-three-options"},
    {1104, "rules.html#separately-frozen"},
    {1108, "rules.html#reuse-pile"},
    // The card back and sound dialogs.
    {1200, "options.html#decks"},
    {1201, "options.html#decks"},
    {1210, "options.html#sound"},
    {1211, "options.html#music"},
}};

struct KeywordEntry {
    const char* keyword;
    const char* target;
};

constexpr std::array<KeywordEntry, 13> kKeywords = {{
    {"contents", "index.html"},
    {"how to play", "play.html"},
    {"rules", "rules.html"},
    {"variants", "rules.html#variants"},
    {"discard pile", "rules.html#pile"},
    {"red threes", "rules.html#red-threes"},
    {"scoring", "scoring.html"},
    {"controls", "controls.html"},
    {"keyboard", "controls.html#keyboard"},
    {"mouse", "controls.html#mouse"},
    {"customize", "options.html#customize"},
    {"players", "options.html#players"},
    {"highscores", "options.html#hiscores"},
}};

} // namespace

QString HelpTopicUrl(int topic) {
    for (const TopicEntry& entry : kTopics) {
        if (entry.topic == topic) {
            return QString::fromLatin1(entry.target);
        }
    }
    return {};
}

QString HelpKeywordUrl(const QString& keyword) {
    for (const KeywordEntry& entry : kKeywords) {
        if (keyword.compare(QLatin1String(entry.keyword), Qt::CaseInsensitive) == 0) {
            return QString::fromLatin1(entry.target);
        }
    }
    return {};
}

HelpWindow::HelpWindow(const QString& helpDir, QWidget* parent)
    : QDialog(parent), browser_(new QTextBrowser(this)) {
    setWindowTitle(QString::fromUtf8(texts::kHelpCaption));
    setModal(false);
    resize(640, 560);
    browser_->setSearchPaths({helpDir});
    browser_->setOpenLinks(false);
    connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.scheme() == QLatin1String("command")) {
            emit WindowCommand(url.path().toInt());
        } else if (url.scheme().isEmpty() || url.isRelative()) {
            browser_->setSource(url);
        }
    });
    auto* contents = new QPushButton(tr("&Contents"), this);
    auto* back = new QPushButton(tr("&Back"), this);
    auto* close = new QPushButton(tr("Close"), this);
    connect(contents, &QPushButton::clicked, this, &HelpWindow::ShowContents);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    back->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);
}

void HelpWindow::Open(const QString& target) {
    browser_->setSource(QUrl(target.isEmpty() ? QStringLiteral("index.html") : target));
    show();
    raise();
    activateWindow();
}

void HelpWindow::ShowContents() {
    Open(QStringLiteral("index.html"));
}

void HelpWindow::ShowTopic(int topic) {
    Open(HelpTopicUrl(topic));
}

void HelpWindow::ShowKeyword(const QString& keyword) {
    Open(HelpKeywordUrl(keyword));
}

QUrl HelpWindow::CurrentSource() const {
    return browser_->source();
}

} // namespace varenta
