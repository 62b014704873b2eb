// The program's help: its own HTML pages (how to play, the rules and their
// variants, scoring, the controls) in a browser window. Dialogs ask for a
// topic number or a keyword; both lead to a section of a page.
#pragma once

#include "varenta/table/HelpTopics.h"

#include <QDialog>
#include <QString>
#include <QUrl>

class QTextBrowser;

namespace varenta {

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    // helpDir holds the pages; index.html is the contents.
    explicit HelpWindow(const QString& helpDir, QWidget* parent = nullptr);

    void ShowContents();
    // Unknown topics and keywords show the contents.
    void ShowTopic(int topic);
    void ShowKeyword(const QString& keyword);
    // A page with an optional anchor ("options.html#sound"); empty: the contents.
    // A help window not yet shown opens beside the window that asked for it
    // (by default the one it belongs to); a shown one stays where it is.
    void ShowTarget(const QString& target, const QWidget* asker = nullptr);

    // Where a help window of this size goes beside the asking window's frame:
    // right of it where the screen has room, else left of it, else over the
    // side with more room; top edges aligned, the whole help on the screen.
    static QPoint PlaceBeside(const QRect& asker, const QSize& help, const QRect& screen);

    QUrl CurrentSource() const;
    QTextBrowser* Browser() const { return browser_; }

signals:
    // A page asked the table window for a window command: a link
    // "command:9999?2" gives the command 9999 with the parameter 2.
    void WindowCommand(int id, int param);

private:
    void Open(const QString& target, const QWidget* asker = nullptr);

    QTextBrowser* browser_;
};

} // namespace varenta
