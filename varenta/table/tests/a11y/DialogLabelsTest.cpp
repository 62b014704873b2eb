// Every control of every dialog that a screen reader cannot name from its
// own text has a name: a label that is its buddy, or an accessible name.
#include "TableFixture.h"

#include "varenta/table/ChatWindow.h"
#include "varenta/table/NetworkSetupDialog.h"
#include "varenta/table/RulesDialog.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace varenta::testing {
namespace {

// The input controls without a text of their own, named by object name.
QStringList Unnamed(QWidget& dialog) {
    QList<QWidget*> named;
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->buddy() != nullptr) {
            named << label->buddy();
        }
    }
    QStringList unnamed;
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        const bool input = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                           qobject_cast<QAbstractSpinBox*>(w) ||
                           qobject_cast<QAbstractSlider*>(w) ||
                           qobject_cast<QAbstractItemView*>(w) ||
                           qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w);
        // A combo box's own line edit and list, and a view's scroll bars, belong to it.
        const bool part = qobject_cast<QComboBox*>(w->parentWidget()) ||
                          w->window() != dialog.window() || w->objectName().startsWith("qt_") ||
                          w->parentWidget()->objectName().startsWith("qt_");
        if (input && !part && !named.contains(w) && w->accessibleName().isEmpty()) {
            unnamed << (w->objectName().isEmpty() ? QString(w->metaObject()->className())
                                                  : w->objectName());
        }
    }
    return unnamed;
}

class DialogLabelsTest : public TableFixture {};

TEST_F(DialogLabelsTest, EveryInputOfEveryDialogHasABuddyLabelOrAName) {
    store->Write("Player Names\\PlayerName1", "Ann,1,2");
    Open();
    for (const char* action : {"Customize1", "Decks1", "Sound1", "Hiscore1", "WinRatio1",
                               "ConnecttoPartner1", "Network2"}) {
        int opened = 0;
        const auto check = [&](QDialog& dialog) {
            ++opened;
            EXPECT_EQ(Unnamed(dialog).join(" ").toStdString(), "") << action;
        };
        window->Dialogs().modal = check;
        window->Dialogs().networkSetup = [&](NetworkSetupDialog& dialog) {
            check(dialog);
            return false;
        };
        window->Dialogs().connect = [&](ConnectDialog& dialog) {
            check(dialog);
            return false;
        };
        window->Action(action)->trigger();
        EXPECT_EQ(opened, 1) << action;
    }
    // The Rules dialog and the chat window open on their own.
    RulesDialog rules(E(), *store);
    EXPECT_EQ(Unnamed(rules).join(" ").toStdString(), "");
    ChatWindow chat;
    EXPECT_EQ(Unnamed(chat).join(" ").toStdString(), "");
}

} // namespace
} // namespace varenta::testing
