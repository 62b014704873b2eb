// The program's help: its own HTML pages (how to play, the rules and their
// variants, scoring, the controls) in a browser window. Dialogs ask for a
// topic number or a keyword; both lead to a section of a page.
#pragma once

#include <QDialog>
#include <QString>
#include <QUrl>

class QTextBrowser;

namespace varenta {

// Page and anchor of a topic number ("rules.html#natural-pair"); empty when
// the number is unknown.
QString HelpTopicUrl(int topic);
// Page and anchor of a keyword, matched without regard to case; empty when unknown.
QString HelpKeywordUrl(const QString& keyword);

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    // helpDir holds the pages; index.html is the contents.
    explicit HelpWindow(const QString& helpDir, QWidget* parent = nullptr);

    void ShowContents();
    // Unknown topics and keywords show the contents.
    void ShowTopic(int topic);
    void ShowKeyword(const QString& keyword);

    QUrl CurrentSource() const;
    QTextBrowser* Browser() const { return browser_; }

signals:
    // A page asked the table window to open a dialog ("command:N" links).
    void WindowCommand(int which);

private:
    void Open(const QString& target);

    QTextBrowser* browser_;
};

} // namespace varenta
