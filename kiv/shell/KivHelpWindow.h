// The program's help: its own HTML pages in a help window. Keywords of the
// dialogs lead to anchors of the pages; an empty keyword opens the contents.
#pragma once

#include <QDialog>
#include <QString>
#include <QUrl>

class QTextBrowser;

namespace kiv {

// The page (and anchor) a keyword leads to, relative to the help folder;
// unknown keywords lead to the contents.
QString HelpTarget(const QString& keyword);

// The folder of the pages in the language of block `languageBase`: the
// German pages are the help folder's own, the second block's are in its
// subfolder "en" (the German ones when that is missing).
QString HelpFolderFor(int languageBase, const QString& helpFolder);

class KivHelpWindow : public QDialog {
    Q_OBJECT
public:
    KivHelpWindow(int languageBase, const QString& helpFolder, QWidget* parent = nullptr);
    // Shows the page of `keyword` and raises the window; false when the help
    // pages are missing.
    bool ShowKeyword(const QString& keyword);
    QUrl CurrentSource() const;

private:
    QString folder_;
    QTextBrowser* browser_ = nullptr;
};

} // namespace kiv
