#include "varenta/table/DialogHelp.h"

#include "varenta/table/HelpTopics.h"
#include "varenta/table/HelpWindow.h"

#include <QKeyEvent>
#include <QWidget>

namespace varenta {

DialogHelp::DialogHelp(QWidget* owner, std::function<void(const QString&)> show)
    : QObject(owner), owner_(owner), show_(std::move(show)) {}

bool DialogHelp::Owns(const QWidget* window) const {
    for (const QWidget* at = window; at != nullptr; at = at->parentWidget()) {
        if (at == owner_) {
            return true;
        }
    }
    return false;
}

bool DialogHelp::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr) {
        return false;
    }
    const QWidget* window = widget->window();
    if (window == owner_ || qobject_cast<const HelpWindow*>(window) != nullptr || !Owns(window)) {
        return false;
    }
    show_(HelpTargetFor(widget));
    return true;
}

} // namespace varenta
