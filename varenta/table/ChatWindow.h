// The chat window of a network game: the partner's lines (and the session's
// notes) above, the local player's typing below. Enter sends the last line
// typed; a received line lights the upper area up for a moment.
#pragma once

#include <QTimer>
#include <QWidget>

#include <functional>

class QPlainTextEdit;

namespace varenta {

class ChatWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMaxLines = 101;
    static constexpr int kMaxLineLength = 255;
    static constexpr int kHighlightMs = 200;

    explicit ChatWindow(QWidget* parent = nullptr);

    // Adds a line at the end of a memo, first dropping lines from the top
    // so that it never holds more than kMaxLines.
    static void AppendLine(QPlainTextEdit* memo, const QString& text);

    // A line from the partner: appended above and highlighted, also while
    // the window is hidden.
    void ReceiveLine(const QString& text);
    // A note of the session (a dropped frame, ...): appended above, no highlight.
    void AddNote(const QString& text);
    // The greeting lines once the partner is known.
    void Greet(const QString& partnerNickname);

    // The Enter key in the lower area (also reached from the table's keys).
    void SendLastLine();
    // A key typed on the table: goes to the lower area, the window comes forward.
    void TypeKey(int key, Qt::KeyboardModifiers modifiers, const QString& text);

    // Whether Enter may send (false while no session exists).
    std::function<bool()> maySend;
    // Sends one line to the partner.
    std::function<void(const QString&)> send;
    // The information box (tests answer it).
    std::function<void(const QString&)> inform;

    QPlainTextEdit* OppChat() const { return mmOppChat_; }
    QPlainTextEdit* SelfChat() const { return mmSelfChat_; }
    bool Highlighted() const { return tmMessage_.isActive(); }
    // What the highlight timer does when it fires.
    void EndHighlight();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOut();

    QPlainTextEdit* mmOppChat_;
    QPlainTextEdit* mmSelfChat_;
    QTimer tmMessage_;
};

} // namespace varenta
