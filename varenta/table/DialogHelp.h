// F1 in the windows a table window owns (its dialogs, the chat window, the
// message and file boxes they open): help on what has the focus there. The
// table window itself answers F1 with its menu's Help Topics.
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace varenta {

class DialogHelp : public QObject {
    Q_OBJECT
public:
    // `show` gets the page and anchor to open (empty: the contents).
    DialogHelp(QWidget* owner, std::function<void(const QString&)> show);

    // Watches every key press of the program; installed on the application.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Owns(const QWidget* window) const;

    QWidget* owner_;
    std::function<void(const QString&)> show_;
};

} // namespace varenta
