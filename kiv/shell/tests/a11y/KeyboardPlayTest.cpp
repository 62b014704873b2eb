// Kiv played from the keyboard alone, with keys sent to the real main
// window as the window system would deliver them, and what a screen reader
// finds on the table.
#include "kiv/engine/testing/GameAccess.h"
#include "kiv/shell/KivAccessible.h"
#include "kiv/shell/KivDialogs.h"
#include "kiv/shell/KivMainWindow.h"
#include "kiv/shell/KivStrings.h"
#include "kiv/shell/KivTableView.h"
#include "kiv/shell/tests/ShellFakes.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace kiv {
namespace {

class KivKeys : public ::testing::Test {
public:
    void SetUp() override {
        doc_ = std::make_unique<KivDocument>(1000);
        doc_->programFolder = dir_.path().toStdString();
        doc_->SetMusicOn(false);
        frame_ = std::make_unique<KivMainWindow>(*doc_, prompter_, &sound_);
        View().SetSeedSource([] { return 1u; });
        View().SetPauser([](int ms) { return ms; });
        View().SetFrameDelay(0);
        frame_->show();
        frame_->activateWindow();
        QCoreApplication::processEvents(); // the first deal
        ASSERT_TRUE(View().Started());
    }
    void TearDown() override {
        testing::MutableState(*doc_).computerBusy = false;
        frame_->close();
        frame_.reset();
    }

    KivTableView& View() { return *frame_->View(); }
    const PlayState& Game() { return doc_->State(); }
    // A key as the window system hands it to the window: to the widget with
    // the focus, through the menus' shortcuts.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(frame_->windowHandle(), key, modifiers);
    }
    int SelectedIndex() {
        return Game().seats[0].hand.PositionOf(View().Keyboard().SelectedCard());
    }
    // Walks the selection to `card` with the arrow keys.
    void SelectByKeys(int card) {
        const int target = Game().seats[0].hand.PositionOf(card);
        ASSERT_GE(target, 0);
        if (!View().Keyboard().Shown()) {
            Key(Qt::Key_Right); // the first key shows where the selection is
        }
        while (SelectedIndex() != target) {
            Key(SelectedIndex() < target ? Qt::Key_Right : Qt::Key_Left);
        }
    }

    PrivateRuntimeFolder runtime_;
    QTemporaryDir dir_;
    FakePrompter prompter_;
    FakeSound sound_;
    std::unique_ptr<KivDocument> doc_;
    std::unique_ptr<KivMainWindow> frame_;
};

TEST_F(KivKeys, TheArrowKeysWalkTheHandAndStopAtItsEnds) {
    ASSERT_EQ(Game().currentSeat, 0);
    const int last = Game().seats[0].hand.Count() - 1;
    struct Case {
        std::vector<Qt::Key> keys;
        int index;
    };
    const Case cases[] = {
        {{Qt::Key_Right}, 0}, // the first key only shows the selection
        {{Qt::Key_Right, Qt::Key_Right}, 1},
        {{Qt::Key_Right, Qt::Key_Right, Qt::Key_Left}, 0},
        {{Qt::Key_Left, Qt::Key_Left}, 0},
        {{Qt::Key_End}, last},
        {{Qt::Key_End, Qt::Key_Right}, last},
        {{Qt::Key_End, Qt::Key_Left, Qt::Key_Home}, 0},
    };
    for (const Case& c : cases) {
        View().Keyboard().SelectAt(0);
        View().Keyboard().Hide();
        for (Qt::Key key : c.keys) {
            Key(key);
        }
        EXPECT_EQ(SelectedIndex(), c.index) << c.keys.size() << " keys";
        EXPECT_TRUE(View().Keyboard().Shown());
    }
    // The mouse on the table hides the mark.
    QTest::mousePress(&View(), Qt::LeftButton, {}, QPoint(600, 20));
    QTest::mouseRelease(&View(), Qt::LeftButton, {}, QPoint(600, 20));
    EXPECT_FALSE(View().Keyboard().Shown());
}

// The selected card is framed where it shows, and only while the keys are in use.
TEST_F(KivKeys, TheSelectedCardIsMarkedOnTheTable) {
    auto markedAt = [this](int card) {
        const PlayingCard& c = Game().cards[card];
        const QImage table = View().Render(1.0);
        return table.pixelColor(c.x + 1, c.y + 40) == QColor(255, 215, 0);
    };
    const int first = Game().seats[0].hand.At(0);
    const int second = Game().seats[0].hand.At(1);
    EXPECT_FALSE(markedAt(first));
    Key(Qt::Key_Right);
    EXPECT_TRUE(markedAt(first));
    Key(Qt::Key_Right);
    EXPECT_FALSE(markedAt(first));
    EXPECT_TRUE(markedAt(second));
}

// Enter lays the selected card as a right click would, and is refused the
// same way; F5 draws as a click on the stock does and passes the turn after it.
TEST_F(KivKeys, EnterLaysTheSelectedCardAndF5DrawsAsClicksWould) {
    PlayState& staged = testing::MutableState(*doc_);
    staged.firstJackOpen = false;
    staged.wishedSuit = 0;
    // A card that matches the pile neither by suit nor by rank is refused.
    const int top = Game().discardPile.Top();
    int misfit = 0;
    for (int card : Game().seats[0].hand) {
        if (SuitOfCard(card) != SuitOfCard(top) && RankOfCard(card) != RankOfCard(top) &&
            RankOfCard(card) != kBube) {
            misfit = card;
        }
    }
    if (misfit != 0) {
        SelectByKeys(misfit);
        Key(Qt::Key_Return);
        EXPECT_EQ(prompter_.informed.last(), LoadText(1092));
        EXPECT_TRUE(Game().seats[0].hand.Contains(misfit));
        EXPECT_EQ(Game().heldCard, 0);
    }
    // Anything may be laid on a first jack: Space lays the card selected.
    staged.firstJackOpen = true;
    const int laid = Game().seats[0].hand.At(1);
    SelectByKeys(laid);
    Key(Qt::Key_Space);
    EXPECT_FALSE(Game().seats[0].hand.Contains(laid));
    EXPECT_TRUE(Game().discardPile.cards.Contains(laid));
    EXPECT_EQ(Game().currentSeat, 0) << "the computer seats have played";

    // F5 draws; the rules without laying after a draw pass the turn at once.
    const int stock = Game().stock.Count();
    const int held = Game().seats[0].hand.Count();
    ASSERT_EQ(frame_->Action(command::kDrawCard)->shortcut(), QKeySequence(Qt::Key_F5));
    Key(Qt::Key_F5);
    EXPECT_GE(Game().seats[0].hand.Count(), held) << "drew, unless a round ended";
    EXPECT_NE(Game().stock.Count(), stock);
    EXPECT_EQ(Game().currentSeat, 0);
    EXPECT_FALSE(Game().computerBusy);
    // Where the window is not the active one its shortcuts do not fire, and
    // the table takes F6 itself: without a card drawn it asks for one first.
    QApplication::setActiveWindow(nullptr);
    prompter_.informed.clear();
    staged.seats[0].hasDrawn = false;
    staged.eightServed = true;
    Key(Qt::Key_F6);
    EXPECT_EQ(prompter_.informed, QStringList{LoadText(1116)});
    QApplication::setActiveWindow(frame_.get());
    // A second draw without a penalty is refused as a second click is.
    staged.seats[0].hasDrawn = true;
    staged.cardsToDraw = 0;
    staged.eightServed = true;
    prompter_.informed.clear();
    Key(Qt::Key_F5);
    EXPECT_EQ(prompter_.informed, QStringList{LoadText(1102)});
}

// The jack's question takes its suit from the arrow keys and Enter.
TEST_F(KivKeys, TheJacksSuitIsChosenByArrowKeysAndEnter) {
    struct Case {
        std::vector<Qt::Key> keys;
        int suit;
    };
    const Case cases[] = {{{}, kKaro},
                          {{Qt::Key_Up}, kHerz},
                          {{Qt::Key_Down}, kKreuz},
                          {{Qt::Key_Down, Qt::Key_Down}, kPik}};
    for (const Case& c : cases) {
        JackSuitDialog dialog(1000, frame_.get());
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        for (Qt::Key key : c.keys) {
            QTest::keyClick(dialog.windowHandle(), key);
        }
        QTest::keyClick(dialog.windowHandle(), Qt::Key_Return);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.ChosenSuit(), c.suit) << c.keys.size();
    }
}

// Alt+S opens the game menu, N starts a new game after its question.
TEST_F(KivKeys, ANewGameStartsFromTheMenusKeys) {
    testing::MutableState(*doc_).seats[1].score = 40;
    prompter_.answers = {true};
    Key(Qt::Key_S, Qt::AltModifier);
    QWidget* menu = QApplication::activePopupWidget();
    ASSERT_NE(menu, nullptr);
    QTest::keyClick(menu->windowHandle(), Qt::Key_N);
    EXPECT_EQ(prompter_.asked, QStringList{LoadText(1115)});
    EXPECT_EQ(Game().seats[1].score, 0);
    EXPECT_EQ(Game().seats[0].hand.Count(), 5);
}

// Keys pressed while the cards are dealt are dropped, not carried out on the
// new hand afterwards.
TEST_F(KivKeys, KeysDuringADealAreDroppedNotQueued) {
    bool posted = false;
    View().SetFrameHook([&] {
        if (posted) {
            return;
        }
        posted = true;
        for (Qt::Key key : {Qt::Key_Right, Qt::Key_Return, Qt::Key_F5, Qt::Key_F6}) {
            QCoreApplication::postEvent(&View(), new QKeyEvent(QEvent::KeyPress, key, {}));
            QCoreApplication::postEvent(&View(), new QKeyEvent(QEvent::KeyRelease, key, {}));
        }
    });
    prompter_.answers = {true};
    frame_->Command(command::kNewGame);
    View().SetFrameHook(nullptr);
    QCoreApplication::processEvents();
    ASSERT_TRUE(posted);
    EXPECT_FALSE(View().Keyboard().Shown());
    EXPECT_EQ(Game().seats[0].hand.Count(), 5);
    EXPECT_EQ(Game().discardPile.Count(), 1);
    EXPECT_EQ(Game().currentSeat, 0);
    EXPECT_FALSE(prompter_.informed.contains(LoadText(1116)));
    // Once the cards lie, the keys work again.
    Key(Qt::Key_Right);
    EXPECT_TRUE(View().Keyboard().Shown());
}

// A whole round from the deal to its end by keys alone: the arrows and
// Enter lay, F5 draws, F6 sits out on an eight, the jack's question is
// answered by keys. The computer seats move in between.
TEST_F(KivKeys, AWholeRoundByKeyboardAgainstThreeComputerSeats) {
    int jacks = 0;
    prompter_.onDialog = [&](QDialog& dialog) {
        if (auto* jack = qobject_cast<JackSuitDialog*>(&dialog)) {
            ++jacks;
            jack->show();
            QApplication::setActiveWindow(jack);
            QTest::keyClick(jack->windowHandle(), Qt::Key_Up);
            QTest::keyClick(jack->windowHandle(), Qt::Key_Return);
            jack->hide();
            QApplication::setActiveWindow(frame_.get()); // as the window system does
            return jack->result();
        }
        return int(QDialog::Accepted);
    };
    int keysPressed = 0;
    int laid = 0;
    while (View().RoundsScored() == 0 && keysPressed < 400) {
        ASSERT_FALSE(Game().computerBusy);
        ASSERT_EQ(doc_->CardsAccountedFor(), 32);
        ASSERT_EQ(Game().currentSeat, 0);
        const bool mustDraw = doc_->Current().hasDrawn && Game().cardsToDraw > 0;
        const int choice = mustDraw ? kChooseDraw : doc_->ChooseComputerCard();
        if (choice >= 1) {
            SelectByKeys(choice);
            ASSERT_EQ(View().Keyboard().SelectedCard(), choice);
            Key(Qt::Key_Return);
            ++laid;
        } else if (choice == kChooseDraw) {
            Key(Qt::Key_F5);
        } else {
            Key(Qt::Key_F6);
        }
        ++keysPressed;
    }
    EXPECT_EQ(View().RoundsScored(), 1);
    EXPECT_GT(laid, 0);
    int total = 0;
    for (const Seat& seat : Game().seats) {
        total += seat.score;
    }
    EXPECT_GT(total, 0);
    EXPECT_TRUE(prompter_.informed.last().startsWith(LoadText(1110)));
    EXPECT_EQ(Game().seats[0].hand.Count(), 5) << "the next round is dealt";
    EXPECT_EQ(Game().currentSeat, 0);
    EXPECT_EQ(prompter_.dialogs.count("Bube ausgelegt"), jacks);
}

// ---- What a screen reader finds ----------------------------------------------

TEST(KivCardNames, EverySuitAndRankIsReadByItsGermanName) {
    const std::pair<int, const char*> cases[] = {
        {1, "Karo Sieben"}, {5, "Karo Bube"},  {14, "Herz Dame"},
        {17, "Pik Sieben"}, {23, "Pik König"}, {28, "Kreuz Zehn"},
        {32, "Kreuz As"},   {0, ""},           {33, ""}};
    for (const auto& [card, name] : cases) {
        EXPECT_EQ(CardName(card, 1000), QString::fromUtf8(name)) << card;
    }
}

// Events the table sends to a screen reader.
std::vector<std::pair<QAccessible::Event, QAccessibleInterface*>>& Heard() {
    static std::vector<std::pair<QAccessible::Event, QAccessibleInterface*>> heard;
    return heard;
}
void Listen(QAccessibleEvent* event) {
    Heard().emplace_back(event->type(), event->accessibleInterface());
}

class KivScreenReader : public KivKeys {
public:
    void SetUp() override {
        KivKeys::SetUp();
        Heard().clear();
        SetAccessibleListener(&Listen);
    }
    void TearDown() override {
        SetAccessibleListener(nullptr);
        KivKeys::TearDown();
    }
    QAccessibleInterface* Table() { return QAccessible::queryAccessibleInterface(&View()); }
    QAccessibleInterface* Named(const QString& name) {
        QAccessibleInterface* table = Table();
        for (int i = 0; i < table->childCount(); ++i) {
            if (table->child(i)->text(QAccessible::Name) == name) {
                return table->child(i);
            }
        }
        return nullptr;
    }
    bool HeardThat(QAccessible::Event type, QAccessibleInterface* item) {
        for (const auto& [t, i] : Heard()) {
            if (t == type && i == item) {
                return true;
            }
        }
        return false;
    }
};

TEST_F(KivScreenReader, TheTableNamesTheStockThePileTheSeatsAndEveryHandCard) {
    QAccessibleInterface* table = Table();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->text(QAccessible::Name), "Spieltisch");
    EXPECT_TRUE(table->text(QAccessible::Description).contains("F5"));
    const Hand& hand = Game().seats[0].hand;
    ASSERT_EQ(table->childCount(), 2 + 4 + hand.Count());
    const int top = Game().discardPile.Top();
    struct Row {
        int index;
        QString name;
        QAccessible::Role role;
    };
    std::vector<Row> rows = {
        {0, QString("Stapel: %1 Karten").arg(Game().stock.Count()), QAccessible::Button},
        {1, QString("Ablagestapel: 1 Karte, oben ") + CardName(top, 1000), QAccessible::StaticText},
        {2, QString::fromUtf8("Peter: 5 Karten, 0 Punkte, Am Zug"), QAccessible::StaticText},
        {3, QString::fromUtf8("Frank (Rechner): 5 Karten, 0 Punkte"), QAccessible::StaticText},
    };
    for (int i = 0; i < hand.Count(); ++i) {
        rows.push_back({6 + i, CardName(hand.At(i), 1000), QAccessible::Button});
    }
    for (const Row& row : rows) {
        QAccessibleInterface* item = table->child(row.index);
        ASSERT_NE(item, nullptr) << row.index;
        EXPECT_EQ(item->text(QAccessible::Name), row.name) << row.index;
        EXPECT_EQ(item->role(), row.role) << row.index;
        EXPECT_EQ(item->parent(), table);
        EXPECT_EQ(table->indexOfChild(item), row.index);
        EXPECT_FALSE(item->rect().isEmpty());
        // The topmost item under a point of what shows of it is the item.
        EXPECT_EQ(table->childAt(item->rect().center().x(), item->rect().center().y()), item)
            << row.name.toStdString();
        EXPECT_EQ(item->actionInterface() != nullptr, row.role == QAccessible::Button);
    }
    // The status panes read as their texts.
    QAccessibleInterface* pane = QAccessible::queryAccessibleInterface(frame_->StatusPane(0));
    EXPECT_EQ(pane->text(QAccessible::Name), "Bereit");
}

TEST_F(KivScreenReader, FocusFollowsTheSelectionAndPressingACardLaysIt) {
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    const int selected = View().Keyboard().SelectedCard();
    QAccessibleInterface* item = Named(CardName(selected, 1000));
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(HeardThat(QAccessible::Focus, item));
    EXPECT_EQ(Table()->focusChild(), item);
    EXPECT_TRUE(item->state().focused);

    // Anything may be laid on a first jack: pressing the card lays it, the
    // pile's new name is told, and the card is gone from the table's children.
    testing::MutableState(*doc_).firstJackOpen = true;
    const int card = Game().seats[0].hand.Last();
    QAccessibleInterface* last = Named(CardName(card, 1000));
    ASSERT_NE(last, nullptr);
    QAccessibleInterface* pile = Table()->child(1);
    QAccessibleInterface* mine = Table()->child(2);
    Heard().clear();
    last->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(Game().seats[0].hand.Contains(card)) << "the caller does not wait for the move";
    QCoreApplication::processEvents();
    EXPECT_EQ(Game().discardPile.cards.Contains(card) || View().RoundsScored() > 0, true);
    EXPECT_FALSE(Game().seats[0].hand.Contains(card));
    EXPECT_TRUE(HeardThat(QAccessible::NameChanged, pile));
    EXPECT_TRUE(HeardThat(QAccessible::NameChanged, mine)) << "the turn went round";
    EXPECT_EQ(Named(CardName(card, 1000)), nullptr);
    EXPECT_FALSE(last->isValid());

    // Pressing the stock draws as a click does.
    const int stock = Game().stock.Count();
    QAccessibleInterface* stockItem = Table()->child(0);
    stockItem->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    EXPECT_NE(Game().stock.Count(), stock);
    EXPECT_EQ(stockItem->text(QAccessible::Name),
              QString("Stapel: %1 Karten").arg(Game().stock.Count()));
}

} // namespace
} // namespace kiv
