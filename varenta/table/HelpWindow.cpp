#include "varenta/table/HelpWindow.h"

#include "varenta/table/TableTextConversion.h"
#include "varenta/table/TableTranslation.h"

#include "varenta/table/TableTexts.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <algorithm>

namespace varenta {

HelpWindow::HelpWindow(const QString& helpDir, QWidget* parent)
    : QDialog(parent), browser_(new QTextBrowser(this)) {
    setWindowTitle(Tr(texts::kHelpCaption));
    setModal(false);
    resize(640, 560);
    // The pages of the language shown first (help/de for German); a page it
    // lacks comes from the program's own English ones.
    QStringList folders;
    if (const QString language = ShownLanguage(); !language.isEmpty()) {
        folders << helpDir + QLatin1Char('/') + language;
    }
    browser_->setSearchPaths(folders << helpDir);
    browser_->setOpenLinks(false);
    connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.scheme() == QLatin1String("command")) {
            // "command:9999?2": the window command 9999 with its parameter 2.
            bool idOk = false;
            bool paramOk = false;
            const int id = url.path().toInt(&idOk);
            const int param = url.query().toInt(&paramOk);
            if (idOk && paramOk) {
                emit WindowCommand(id, param);
            }
        } else if (url.scheme().isEmpty() || url.isRelative()) {
            browser_->setSource(url);
        }
    });
    auto* contents = new QPushButton(Tr(texts::kHelpContents), this);
    auto* back = new QPushButton(Tr(texts::kHelpBack), this);
    auto* close = new QPushButton(Tr(texts::kHelpClose), this);
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

QPoint HelpWindow::PlaceBeside(const QRect& asker, const QSize& help, const QRect& screen) {
    constexpr int kGap = 8;
    const int roomRight = screen.right() - asker.right() - kGap;
    const int roomLeft = asker.left() - screen.left() - kGap;
    int x = 0;
    if (roomRight >= help.width()) {
        x = asker.right() + 1 + kGap;
    } else if (roomLeft >= help.width()) {
        x = asker.left() - kGap - help.width();
    } else if (roomRight >= roomLeft) {
        x = screen.right() + 1 - help.width();
    } else {
        x = screen.left();
    }
    const int y = asker.top();
    // On the screen, the top-left corner first where the help is larger.
    x = std::max(screen.left(), std::min(x, screen.right() + 1 - help.width()));
    return {x, std::max(screen.top(), std::min(y, screen.bottom() + 1 - help.height()))};
}

void HelpWindow::Open(const QString& target, const QWidget* asker) {
    browser_->setSource(QUrl(target.isEmpty() ? QStringLiteral("index.html") : target));
    if (asker == nullptr || asker == this) {
        asker = parentWidget();
    }
    if (!isVisible() && asker != nullptr) {
        const QWidget* beside = asker->window();
        const QScreen* screen = beside->screen();
        // The frame's width as the asking window has it; a help window
        // never shown yet has no frame to measure.
        const QSize frame = beside->frameGeometry().size() - beside->geometry().size();
        if (screen != nullptr) {
            const QPoint at =
                PlaceBeside(beside->frameGeometry(), size() + frame, screen->availableGeometry());
            move(at);
        }
    }
    show();
    raise();
    activateWindow();
}

void HelpWindow::ShowTarget(const QString& target, const QWidget* asker) {
    Open(target, asker);
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
