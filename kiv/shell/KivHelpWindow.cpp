#include "kiv/shell/KivHelpWindow.h"

#include "kiv/shell/KivStrings.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace kiv {

QString HelpTarget(const QString& keyword) {
    static const std::pair<const char*, const char*> kTargets[] = {
        {"Mitspieler bestimmen", "einstellungen.html#mitspieler"},
        {"Einstellungen verändern", "einstellungen.html#einstellungen"},
        {"Spielregeln einstellen", "einstellungen.html#regeln"},
        {"Sound einstellen", "einstellungen.html#sound"},
    };
    for (const auto& [word, target] : kTargets) {
        if (keyword == QString::fromUtf8(word)) {
            return QString::fromLatin1(target);
        }
    }
    return QStringLiteral("index.html");
}

QString HelpFolderFor(int languageBase, const QString& helpFolder) {
    const QString second = helpFolder + QStringLiteral("/en");
    if (languageBase == kSecondBase && QFileInfo::exists(second + QStringLiteral("/index.html"))) {
        return second;
    }
    return helpFolder;
}

namespace {

// The window's own words, in the language of the pages it shows: the second
// block keeps German texts at these offsets, and its pages are English.
struct HelpWords {
    QString title, contents, back, close;
};
HelpWords WordsFor(int base, bool englishPages) {
    if (englishPages) {
        return {QStringLiteral("Kiv Kiv Help"), QStringLiteral("Contents"), QStringLiteral("Back"),
                QStringLiteral("Close")};
    }
    return {Text(base, 20), Text(base, 130), Text(base, 129), Text(base, 128)};
}

} // namespace

KivHelpWindow::KivHelpWindow(int base, const QString& helpFolder, QWidget* parent)
    : QDialog(parent), folder_(HelpFolderFor(base, helpFolder)) {
    const HelpWords words = WordsFor(base, folder_ != helpFolder);
    setWindowTitle(words.title);
    setModal(false);
    resize(620, 520);
    browser_ = new QTextBrowser;
    browser_->setOpenLinks(true);
    browser_->setSearchPaths({folder_});
    auto* buttons = new QDialogButtonBox;
    QPushButton* contents = buttons->addButton(words.contents, QDialogButtonBox::ActionRole);
    QPushButton* back = buttons->addButton(words.back, QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(words.close, QDialogButtonBox::RejectRole);
    connect(contents, &QPushButton::clicked, this, [this] { ShowKeyword(QString()); });
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    // Escape closes the window from any of its parts, the page included.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_);
    layout->addWidget(buttons);
}

bool KivHelpWindow::ShowKeyword(const QString& keyword) {
    if (!QFileInfo::exists(folder_ + QStringLiteral("/index.html"))) {
        return false;
    }
    const QString target = HelpTarget(keyword);
    const QString page = target.section('#', 0, 0);
    QUrl url = QUrl::fromLocalFile(folder_ + '/' + page);
    url.setFragment(target.section('#', 1));
    browser_->setSource(url);
    show();
    raise();
    activateWindow();
    return true;
}

QUrl KivHelpWindow::CurrentSource() const {
    return browser_->source();
}

} // namespace kiv
