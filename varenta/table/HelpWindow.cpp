#include "varenta/table/HelpWindow.h"

#include "varenta/table/TableTexts.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace varenta {

HelpWindow::HelpWindow(const QString& helpDir, QWidget* parent)
    : QDialog(parent), browser_(new QTextBrowser(this)) {
    setWindowTitle(QString::fromUtf8(texts::kHelpCaption));
    setModal(false);
    resize(640, 560);
    browser_->setSearchPaths({helpDir});
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

void HelpWindow::ShowTarget(const QString& target) {
    Open(target);
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
