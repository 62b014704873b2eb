#include "varenta/table/ChatWindow.h"

#include "varenta/net/session/NetworkSession.h"
#include "varenta/table/HelpTopics.h"
#include "varenta/table/NetworkTexts.h"
#include "varenta/table/TableTextConversion.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>

namespace varenta {

namespace {

// The short part of a stored "short|long" hint is the tooltip, the long part
// the status text.
void SetHint(QWidget* widget, const char* hint) {
    const QString text = Tr(hint);
    const qsizetype bar = text.indexOf('|');
    widget->setToolTip(bar >= 0 ? text.left(bar) : text);
    // What the tooltip tells a sighted player names the area for a screen reader.
    widget->setAccessibleName(widget->toolTip());
    widget->setStatusTip(bar >= 0 ? text.mid(bar + 1) : QString());
}

int LineCount(const QPlainTextEdit* memo) {
    return memo->document()->isEmpty() ? 0 : memo->document()->blockCount();
}

void DropFirstLine(QPlainTextEdit* memo) {
    QTextCursor cursor(memo->document()->firstBlock());
    cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
    if (!cursor.hasSelection()) {
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    }
    cursor.removeSelectedText();
}

bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

ChatWindow::ChatWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), mmOppChat_(new QPlainTextEdit(this)),
      mmSelfChat_(new QPlainTextEdit(this)) {
    setWindowTitle(Tr(texts::kChatCaption));
    SetHelpTopic(this, topics::kChat);
    mmOppChat_->setObjectName(QStringLiteral("mmOppChat"));
    mmOppChat_->setReadOnly(true);
    mmOppChat_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    SetHint(mmOppChat_, texts::kHintOppChat);
    mmSelfChat_->setObjectName(QStringLiteral("mmSelfChat"));
    mmSelfChat_->setLineWrapMode(QPlainTextEdit::NoWrap);
    SetHint(mmSelfChat_, texts::kHintSelfChat);
    mmSelfChat_->installEventFilter(this);

    tmMessage_.setSingleShot(true);
    tmMessage_.setInterval(kHighlightMs);
    connect(&tmMessage_, &QTimer::timeout, this, &ChatWindow::EndHighlight);

    resize(360, 280);
    if (const QScreen* screen = QApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    LayOut();
    mmSelfChat_->setFocus();
}

void ChatWindow::AppendLine(QPlainTextEdit* memo, const QString& text) {
    while (LineCount(memo) > kMaxLines - 1) {
        DropFirstLine(memo);
    }
    memo->appendPlainText(text);
}

void ChatWindow::ReceiveLine(const QString& text) {
    tmMessage_.start();
    QPalette palette = mmOppChat_->palette();
    palette.setColor(QPalette::Base, QColor(255, 255, 128));
    mmOppChat_->setPalette(palette);
    AppendLine(mmOppChat_, text);
}

void ChatWindow::EndHighlight() {
    tmMessage_.stop();
    mmOppChat_->setPalette(QPalette());
}

void ChatWindow::AddNote(const QString& text) {
    AppendLine(mmOppChat_, text);
}

void ChatWindow::Greet(const QString& partnerNickname) {
    mmSelfChat_->setPlainText(Tr(texts::kSelfChatGreeting) + '\n');
    mmSelfChat_->moveCursor(QTextCursor::End);
    AppendLine(mmOppChat_,
               Tr(texts::kOppChatGreeting[0]) + partnerNickname + Tr(texts::kOppChatGreeting[1]));
}

void ChatWindow::SendLastLine() {
    if (!maySend || !maySend()) {
        return;
    }
    const QString all = mmSelfChat_->toPlainText();
    const qsizetype start = all.lastIndexOf('\n') + 1;
    // An empty last line sends nothing: taking the line above it instead
    // would send the previous message a second time.
    const QString line = all.mid(start).left(kMaxLineLength);
    if (line.isEmpty()) {
        return;
    }
    if (line.toLower().contains(QLatin1String("fuck")) && inform) {
        inform(Tr(texts::kSanta));
    }
    if (send) {
        send(line);
    }
    mmSelfChat_->setPlainText(all.left(start) + line + '\n');
    while (LineCount(mmSelfChat_) > kMaxLines) {
        DropFirstLine(mmSelfChat_);
    }
    mmSelfChat_->moveCursor(QTextCursor::End);
    mmSelfChat_->ensureCursorVisible();
}

void ChatWindow::TypeKey(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(mmSelfChat_, &press);
    if (isVisible()) {
        raise();
        activateWindow();
        mmSelfChat_->setFocus();
    }
}

bool ChatWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mmSelfChat_ && event->type() == QEvent::KeyPress &&
        IsEnter(static_cast<QKeyEvent*>(event)->key())) {
        SendLastLine();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ChatWindow::closeEvent(QCloseEvent* event) {
    // The close box only hides the window; the session keeps it.
    hide();
    event->ignore();
}

void ChatWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

void ChatWindow::LayOut() {
    const int self = height() / 2;
    mmOppChat_->setGeometry(0, 0, width(), height() - self);
    mmSelfChat_->setGeometry(0, height() - self, width(), self);
}

} // namespace varenta
