#include "kiv/engine/testing/GameAccess.h"
#include "kiv/shell/KivArt.h"
#include "kiv/shell/KivDialogs.h"
#include "kiv/shell/KivDocFiles.h"
#include "kiv/shell/KivMainWindow.h"
#include "kiv/shell/KivSetupDialogs.h"
#include "kiv/shell/KivStrings.h"
#include "kiv/shell/KivTableView.h"
#include "kiv/shell/tests/ShellFakes.h"
#include "testsupport/Sharpness.h"

#include <QAction>
#include <QApplication>
#include <QBackingStore>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>
#include <vector>

namespace kiv {
namespace {

// A whole program: document, main window and view, with recording fakes for
// the dialogs and the sound, no pauses and no frame delay.
class KivShell : public ::testing::Test {
public:
    void Start(int languageBase = 1000, bool show = true) {
        doc_ = std::make_unique<KivDocument>(languageBase);
        doc_->programFolder = dir_.path().toStdString();
        doc_->SetMusicOn(false);
        frame_ = std::make_unique<KivMainWindow>(*doc_, prompter_, &sound_);
        if (fixedSeed_) {
            View().SetSeedSource([] { return 1u; }); // the deals the tests were written for
        }
        View().SetPauser([](int ms) { return ms; });
        View().SetFrameDelay(0);
        if (show) {
            frame_->show();
            QCoreApplication::processEvents(); // the first deal
            ASSERT_TRUE(View().Started());
        }
    }
    void TearDown() override {
        if (frame_ != nullptr) {
            Staged().computerBusy = false;
            frame_->close();
        }
        frame_.reset();
    }

    KivTableView& View() { return *frame_->View(); }
    // The position, for tests that stage one.
    PlayState& Staged() { return testing::MutableState(*doc_); }
    // A point on the visible part of `card`.
    QPoint On(int card) {
        return QPoint(doc_->State().cards[card].x + 5, doc_->State().cards[card].y + 40);
    }
    QPoint StockPoint() { return QPoint(doc_->State().stock.x + 30, doc_->State().stock.y + 40); }
    QToolButton* ToolButton(int id) {
        return qobject_cast<QToolButton*>(frame_->ToolBar()->widgetForAction(
            frame_->findChild<QAction*>(QStringLiteral("button%1").arg(id))));
    }

    PrivateRuntimeFolder runtime_;
    QTemporaryDir dir_;
    bool fixedSeed_ = true;
    FakePrompter prompter_;
    FakeSound sound_;
    std::unique_ptr<KivDocument> doc_;
    std::unique_ptr<KivMainWindow> frame_;
};

QStringList MenuTitles(KivMainWindow& frame) {
    QStringList titles;
    for (QAction* menu : frame.menuBar()->actions()) {
        titles.append(menu->text());
    }
    return titles;
}

TEST_F(KivShell, WindowHasItsTitleSizeToolbarStatusPanesAndGermanMenus) {
    Start();
    EXPECT_EQ(frame_->windowTitle(), "Kiv Kiv");
    EXPECT_EQ(frame_->size(), QSize(800, 600));
    QStringList tips;
    for (QAction* action : frame_->ToolBar()->actions()) {
        tips.append(action->isSeparator() ? "|" : action->toolTip());
    }
    EXPECT_EQ(tips, QStringList({"Neues Spiel", "|", QString::fromUtf8("Nächster Spieler"), "|",
                                 "Rangliste", "Einstellungen", QString::fromUtf8("Über Kiv Kiv")}));
    EXPECT_TRUE(frame_->ToolBar()->isMovable());
    EXPECT_EQ(frame_->StatusPane(0)->text(), "Bereit");
    EXPECT_EQ(frame_->StatusPane(1)->text(), " ");
    frame_->Action(command::kToolbar)->trigger();
    EXPECT_FALSE(frame_->ToolBar()->isVisible());
    frame_->Action(command::kStatusBar)->trigger();
    EXPECT_FALSE(frame_->statusBar()->isVisible());
    frame_->Action(command::kToolbar)->trigger();
    EXPECT_TRUE(frame_->ToolBar()->isVisible());
    EXPECT_EQ(MenuTitles(*frame_),
              QStringList({"&Spiel", "&Einstellungen", "&Rangliste", "&Ansicht", "&Hilfe"}));
    EXPECT_EQ(frame_->Action(command::kNextPlayer)->text(), QString::fromUtf8("Nächster &Spieler"));
}

// Line 28 of the file decides the block at the next start; 5000 relabels the menus.
TEST_F(KivShell, ConfigLine28Of5000GivesEnglishMenusAtTheNextStart) {
    KivSettings s;
    s.languageBase = 5000;
    ASSERT_TRUE(WriteConfigFile(dir_.path() + "/kiv32.ini", s));
    KivDocument doc(1000);
    doc.programFolder = dir_.path().toStdString();
    ReadConfig(doc, prompter_);
    KivMainWindow frame(doc, prompter_, &sound_);
    EXPECT_EQ(MenuTitles(frame),
              QStringList({"&Game", "&Settings", "&Rangliste", "&Ansicht", "&Help"}));
    QStringList items;
    for (int id : {command::kNewGame, command::kNextPlayer, command::kQuit, command::kAbout,
                   command::kResetRanking}) {
        items.append(frame.Action(id)->text());
    }
    EXPECT_EQ(items, QStringList({"&Start new game", "&Next player", "&Quit", "&About Kiv Kiv...",
                                  QString::fromUtf8("Rangliste &löschen")}));
}

// Each start of the window deals another game; a seed given deals its own
// game again.
TEST_F(KivShell, EachStartDealsAnotherGame) {
    auto firstDeal = [this](bool fixed) {
        fixedSeed_ = fixed;
        Start();
        std::vector<int> cards;
        for (const Seat& seat : doc_->State().seats) {
            cards.insert(cards.end(), seat.hand.begin(), seat.hand.end());
        }
        cards.push_back(doc_->State().discardPile.Top());
        TearDown();
        return cards;
    };
    std::set<std::vector<int>> unseeded;
    for (int run = 0; run < 3; ++run) {
        unseeded.insert(firstDeal(false));
    }
    EXPECT_EQ(unseeded.size(), 3u);
    EXPECT_EQ(firstDeal(true), firstDeal(true));
}

// The piles keep to the table's lower right corner, counted in the table's
// own pixels: a view too low to be drawn larger is the table itself; a view
// of 1250 x 875 draws a table of 800 x 560 at 1.5625 times.
TEST_F(KivShell, PilesFollowTheWindowSize) {
    Start();
    View().resize(1000, 500);
    EXPECT_EQ(QPoint(doc_->State().stock.x, doc_->State().stock.y), QPoint(919, 238));
    EXPECT_EQ(QPoint(doc_->State().discardPile.x, doc_->State().discardPile.y), QPoint(919, 354));
    View().resize(1250, 875);
    ASSERT_EQ(View().TableSize(), QSize(800, 560));
    EXPECT_EQ(QPoint(doc_->State().stock.x, doc_->State().stock.y), QPoint(719, 298));
    EXPECT_EQ(QPoint(doc_->State().discardPile.x, doc_->State().discardPile.y), QPoint(719, 414));
    for (int n = 1; n <= 32; ++n) {
        if (doc_->State().cards[n].owner < 0) {
            EXPECT_EQ(doc_->State().cards[n].x, 719) << n;
        }
    }
}

// However small the window is made, every seat's panel and hand and both
// piles stay on the table, and the status bar stays below it.
TEST_F(KivShell, TheWindowKeepsEverySeatAndBothPilesInSight) {
    Start();
    for (const QSize size : {QSize(300, 250), QSize(100, 100), QSize(1000, 200), QSize(200, 900)}) {
        frame_->resize(size);
        QCoreApplication::processEvents();
        const QRect table = View().rect();
        const PlayState& game = doc_->State();
        for (int seat = 0; seat < kSeatCount; ++seat) {
            // A hand of six cards, the most ever dealt.
            const QRect hand(game.seats[seat].handX, game.seats[seat].handY, 5 * 18 + kCardWidth,
                             kCardHeight);
            EXPECT_TRUE(table.contains(hand)) << size.width() << "x" << size.height();
            EXPECT_TRUE(table.contains(QRect(0, 100 * seat, 100, 100)));
            const QRect stock(game.stock.x, game.stock.y, kCardWidth, kCardHeight);
            const QRect pile(game.discardPile.x, game.discardPile.y, kCardWidth, kCardHeight);
            EXPECT_TRUE(table.contains(stock) && table.contains(pile));
            EXPECT_FALSE(stock.intersects(hand) || pile.intersects(hand));
        }
        EXPECT_LE(View().geometry().bottom(), frame_->statusBar()->geometry().top());
    }
}

TEST_F(KivShell, TheStripOfACoveredCardPicksItAndItsHiddenPartPicksTheNextCard) {
    Start();
    const Hand& hand = doc_->State().seats[0].hand;
    ASSERT_GE(hand.Count(), 2);
    const int first = hand.At(0);
    const int second = hand.At(1);
    ASSERT_TRUE(doc_->State().cards[first].covered);
    const QPoint strip(doc_->State().cards[first].x + 17, doc_->State().cards[first].y + 95);
    const QPoint hidden(doc_->State().cards[first].x + 19, doc_->State().cards[first].y + 50);

    QTest::mousePress(&View(), Qt::LeftButton, {}, strip);
    EXPECT_EQ(doc_->State().heldCard, first);
    // The card follows the pointer with its centre.
    QMouseEvent move(QEvent::MouseMove, QPointF(500, 300), QPointF(500, 300), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&View(), &move);
    EXPECT_EQ(QPoint(doc_->State().cards[first].x, doc_->State().cards[first].y), QPoint(465, 252));
    QTest::mouseRelease(&View(), Qt::LeftButton, {}, QPoint(500, 300));
    EXPECT_EQ(doc_->State().heldCard, 0);
    EXPECT_TRUE(doc_->State().cards[first].covered); // back home, covered again
    EXPECT_TRUE(sound_.waves.contains("zurueck.wav"));

    QTest::mousePress(&View(), Qt::LeftButton, {}, hidden);
    EXPECT_EQ(doc_->State().heldCard, second);
    QTest::mouseRelease(&View(), Qt::LeftButton, {}, hidden);
    // Cards of another seat are never picked up.
    QTest::mousePress(&View(), Qt::LeftButton, {}, On(doc_->State().seats[1].hand.At(0)));
    EXPECT_EQ(doc_->State().heldCard, 0);
    QTest::mouseRelease(&View(), Qt::LeftButton, {}, On(doc_->State().seats[1].hand.At(0)));
}

TEST_F(KivShell, CardFlightRepaintsEverySpeedPlusOneSteps) {
    Start();
    const int card = doc_->State().stock.cards.At(0);
    doc_->PlaceCard(card, 100, 10);
    const int before = View().AnimationFrames();
    doc_->AnimateCard(card, 919, 554); // at the card speed 40
    // 819 steps along the longer axis, a repaint after every 41st.
    EXPECT_EQ(View().AnimationFrames() - before, 819 / 41);
    EXPECT_EQ(QPoint(doc_->State().cards[card].x, doc_->State().cards[card].y), QPoint(919, 554));
}

TEST_F(KivShell, TheViewsFlightLeavesTheCardWhereTheGameHasIt) {
    Start();
    const int card = doc_->State().stock.cards.At(0);
    doc_->PlaceCard(card, 100, 10);
    const int before = View().AnimationFrames();
    View().AnimateCard(card, 919, 554, 20);
    EXPECT_EQ(QPoint(doc_->State().cards[card].x, doc_->State().cards[card].y), QPoint(100, 10));
    EXPECT_EQ(View().AnimationFrames() - before, 819 / 21);
}

// A click made while the cards are collected and dealt is not carried out
// afterwards on the new hand, nor is a click on the toolbar.
TEST_F(KivShell, InputDuringADealIsDroppedNotQueued) {
    Start();
    const int discardsBefore = doc_->State().discardPile.Count();
    bool posted = false;
    View().SetFrameHook([&] {
        if (posted) {
            return;
        }
        posted = true;
        const QPointF card(105, 50); // where seat 0's first card lies
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QCoreApplication::postEvent(&View(), new QMouseEvent(type, card, card, Qt::LeftButton,
                                                                 Qt::LeftButton, Qt::NoModifier));
            const QPointF button(5, 5);
            QCoreApplication::postEvent(ToolButton(command::kNextPlayer),
                                        new QMouseEvent(type, button, button, Qt::LeftButton,
                                                        Qt::LeftButton, Qt::NoModifier));
        }
    });
    prompter_.answers = {true};
    frame_->Command(command::kNewGame);
    View().SetFrameHook(nullptr);
    QCoreApplication::processEvents();
    ASSERT_TRUE(posted);
    EXPECT_EQ(doc_->State().heldCard, 0);
    EXPECT_FALSE(prompter_.informed.contains(LoadText(1116))); // "Nächster Spieler" not run
    EXPECT_EQ(doc_->State().seats[0].hand.Count(), 5);
    EXPECT_LE(doc_->State().discardPile.Count(), discardsBefore + 1);
    // Once the cards lie, the table takes clicks again.
    QTest::mousePress(&View(), Qt::LeftButton, {}, On(doc_->State().seats[0].hand.At(0)));
    EXPECT_EQ(doc_->State().heldCard, doc_->State().seats[0].hand.At(0));
    QTest::mouseRelease(&View(), Qt::LeftButton, {}, On(doc_->State().seats[0].hand.At(0)));
}

// What the window really shows of the view: its part of the back buffer.
QImage OnScreen(KivMainWindow& frame, KivTableView& view) {
    auto* buffer = dynamic_cast<QImage*>(frame.backingStore()->paintDevice());
    if (buffer == nullptr) {
        return QImage();
    }
    const QRect area(view.mapTo(&frame, QPoint(0, 0)), view.size());
    return buffer->copy(area).convertToFormat(QImage::Format_RGB32);
}

// A question box closed just before a deal leaves nothing on the table, and
// every frame of the flights shows the table as it is, without traces.
TEST_F(KivShell, EveryFrameOfADealShowsTheTableClean) {
    Start();
    QImage* buffer = dynamic_cast<QImage*>(frame_->backingStore()->paintDevice());
    ASSERT_NE(buffer, nullptr);
    {
        // Where the box stood, nothing has been painted yet.
        QPainter stale(buffer);
        stale.fillRect(QRect(View().mapTo(frame_.get(), QPoint(200, 150)), QSize(300, 150)),
                       Qt::magenta);
    }
    int frames = 0;
    int unclean = 0;
    View().SetFrameHook([&] {
        if (frames++ % 7 == 0 &&
            OnScreen(*frame_, View()) != View().Render(1.0).convertToFormat(QImage::Format_RGB32)) {
            ++unclean;
        }
    });
    prompter_.answers = {true};
    frame_->Command(command::kNewGame);
    View().SetFrameHook(nullptr);
    EXPECT_GT(frames, 20);
    EXPECT_EQ(unclean, 0);
}

// On a table drawn larger the flights repaint their enlarged path: every
// frame shows the table as it is.
TEST_F(KivShell, EveryFrameOfADealIsCleanOnALargerTable) {
    Start();
    for (const QSize size : {QSize(1300, 900), QSize(1900, 1200)}) {
        frame_->resize(size);
        QCoreApplication::processEvents();
        ASSERT_GT(View().Scale(), 1.2);
        int frames = 0;
        int unclean = 0;
        View().SetFrameHook([&] {
            if (frames++ % 5 == 0 && OnScreen(*frame_, View()) !=
                                         View().Render(1.0).convertToFormat(QImage::Format_RGB32)) {
                ++unclean;
            }
        });
        prompter_.answers = {true};
        frame_->Command(command::kNewGame);
        View().SetFrameHook(nullptr);
        EXPECT_GT(frames, 20) << size.width();
        EXPECT_EQ(unclean, 0) << size.width();
    }
}

// What the view shows at (x, y), 71 x 96, against the picture it should show
// there, drawn on the table colour.
bool Shows(QWidget& view, int x, int y, const QPixmap& picture, int width = 71) {
    const QImage shown =
        view.grab(QRect(x, y, width, 96)).toImage().convertToFormat(QImage::Format_RGB32);
    QImage expected(width, 96, QImage::Format_RGB32);
    expected.fill(QColor(0, 128, 0));
    QPainter painter(&expected);
    painter.drawPixmap(0, 0, picture, 0, 0, width, 96);
    painter.end();
    return shown == expected;
}

TEST_F(KivShell, PaintingShowsFacesBacksThePileTopAndThePlaceholder) {
    Start();
    const int top = doc_->State().discardPile.Top();
    ASSERT_GT(top, 0);
    EXPECT_TRUE(Shows(View(), doc_->State().discardPile.x, doc_->State().discardPile.y,
                      KivBitmap(FaceBitmapId(top))));
    EXPECT_TRUE(Shows(View(), doc_->State().stock.x, doc_->State().stock.y, KivBitmap(130)));
    const int mine = doc_->State().seats[0].hand.At(0);
    EXPECT_TRUE(Shows(View(), doc_->State().cards[mine].x, doc_->State().cards[mine].y,
                      KivBitmap(FaceBitmapId(mine)), 18));
    const int theirs = doc_->State().seats[2].hand.Last();
    EXPECT_TRUE(Shows(View(), doc_->State().cards[theirs].x, doc_->State().cards[theirs].y,
                      KivBitmap(130)));

    Staged().discardPile.cards.Clear();
    View().RepaintDiscardPile();
    EXPECT_TRUE(
        Shows(View(), doc_->State().discardPile.x, doc_->State().discardPile.y, KivBitmap(184)));
    doc_->SetDeckBack(3);
    View().RepaintStock();
    EXPECT_TRUE(Shows(View(), doc_->State().stock.x, doc_->State().stock.y, KivBitmap(197)));
}

TEST_F(KivShell, WithoutAnimationCardsJumpToTheirPlaces) {
    Start();
    const int before = View().AnimationFrames();
    EXPECT_GT(before, 0); // the first deal flew
    doc_->SetAnimateCards(false);
    prompter_.answers = {true};
    frame_->Command(command::kNewGame);
    EXPECT_EQ(View().AnimationFrames(), before);
    EXPECT_EQ(doc_->State().seats[0].hand.Count(), 5);
}

TEST_F(KivShell, CommandsThatStartANewGameAreRefusedWhileTheComputerMoves) {
    Start();
    Staged().computerBusy = true;
    for (int id : {command::kPlayers, command::kSettings, command::kDeckBack, command::kNewGame,
                   command::kNextPlayer}) {
        frame_->Command(id);
    }
    EXPECT_TRUE(prompter_.dialogs.isEmpty());
    EXPECT_TRUE(prompter_.asked.isEmpty());
    EXPECT_EQ(prompter_.informed, QStringList(5, LoadText(1137)));
    EXPECT_FALSE(frame_->close());
    EXPECT_EQ(prompter_.informed.size(), 6);
    Staged().computerBusy = false;
}

TEST_F(KivShell, PlayersDialogStoresTheSetUpWritesTheFileAndOffersTheRankingReset) {
    Start();
    Staged().seats[1].score = 30;
    prompter_.answers = {false}; // declining the new game opens nothing
    frame_->Command(command::kPlayers);
    EXPECT_EQ(prompter_.asked, QStringList{LoadText(1117)});
    EXPECT_TRUE(prompter_.dialogs.isEmpty());
    EXPECT_EQ(doc_->State().seats[1].score, 30);
    prompter_.asked.clear();
    prompter_.answers = {true, true}; // new game, then reset the ranking
    prompter_.onDialog = [](QDialog& dialog) {
        dialog.findChild<QLineEdit*>(ControlName(1013))->setText("Anna");
        dialog.findChild<QCheckBox*>(ControlName(1021))->setChecked(false); // seat 3 out
        dialog.findChild<QCheckBox*>(ControlName(1019))->setChecked(false); // seat 1 human
        return QDialog::Accepted;
    };
    frame_->Command(command::kPlayers);
    EXPECT_EQ(prompter_.dialogs, QStringList{"Mitspieler festlegen"});
    EXPECT_EQ(prompter_.asked, QStringList({LoadText(1117), LoadText(1118)}));
    EXPECT_EQ(doc_->Settings().seats[0].name, "Anna");
    EXPECT_FALSE(doc_->Settings().seats[3].plays || doc_->Settings().seats[1].computer);
    EXPECT_EQ((std::array{doc_->State().seats[3].hand.Count(), doc_->State().seats[1].score}),
              (std::array{0, 0}));
    EXPECT_TRUE(doc_->Settings().animateCards); // switched off only for that deal
    KivSettings read;
    ASSERT_EQ(ReadConfigFile(dir_.path() + "/kiv32.ini", read), ConfigRead::Read);
    EXPECT_EQ(read.seats[0].name, "Anna");
    EXPECT_FALSE(read.seats[3].plays);
    RankingValues ranking{1, 1, 1, 1};
    ASSERT_TRUE(ReadRankingFile(dir_.path() + "/kiv32.rng", ranking));
    EXPECT_EQ(ranking, RankingValues{});
}

TEST_F(KivShell, SettingsSheetCopiesBackDealsAndSwitchesUnplayableMusicOff) {
    Start();
    prompter_.answers = {true};
    prompter_.onDialog = [](QDialog& dialog) {
        dialog.findChild<QLineEdit*>(ControlName(1022))->setText("3");
        dialog.findChild<QRadioButton*>(ControlName(1017))->setChecked(true);
        dialog.findChild<QCheckBox*>(ControlName(1025))->setChecked(false);
        dialog.findChild<QCheckBox*>(ControlName(1036))->setChecked(true);
        dialog.findChild<QLineEdit*>(ControlName(1037))->setText("/nonexistent/tanz.mid");
        dialog.accept();
        return dialog.result();
    };
    frame_->Command(command::kSettings);
    EXPECT_EQ((std::array{doc_->Settings().cardsPerPlayer, doc_->State().seats[0].hand.Count(),
                          doc_->Settings().cardSpeed}),
              (std::array{3, 3, 20}));
    EXPECT_FALSE(doc_->Settings().ruleEightOnEight || doc_->Settings().musicOn);
    EXPECT_EQ(doc_->midiFile, "/nonexistent/tanz.mid");
    EXPECT_EQ(prompter_.informed, QStringList{LoadText(1119)});
    KivSettings read;
    ASSERT_EQ(ReadConfigFile(dir_.path() + "/kiv32.ini", read), ConfigRead::Read);
    EXPECT_EQ(read, SettingsFromDoc(*doc_));
}

TEST_F(KivShell, MusicFollowsTheSheetPlayingChangingAndStopping) {
    Start();
    auto runSheet = [this](bool music, const QString& file) {
        prompter_.answers = {true};
        prompter_.onDialog = [music, file](QDialog& dialog) {
            dialog.findChild<QCheckBox*>(ControlName(1036))->setChecked(music);
            dialog.findChild<QLineEdit*>(ControlName(1037))->setText(file);
            return int(QDialog::Accepted);
        };
        frame_->Command(command::kSettings);
    };
    runSheet(true, "gailrdge.mid");
    EXPECT_TRUE(sound_.playing);
    EXPECT_EQ(sound_.starts, QStringList{"gailrdge.mid"});
    runSheet(true, "gailrdge.mid"); // already playing: nothing happens
    EXPECT_EQ(sound_.starts.size(), 1);
    EXPECT_EQ(sound_.stops, 0);
    const QString other = ResolveMedia("gailrdge.mid"); // same music, other name
    runSheet(true, other);
    EXPECT_EQ(sound_.stops, 1);
    EXPECT_EQ(sound_.starts.last(), other);
    runSheet(false, other);
    EXPECT_EQ(sound_.stops, 2);
    EXPECT_FALSE(sound_.playing);
    EXPECT_TRUE(prompter_.informed.isEmpty());
}

TEST_F(KivShell, DeckBackColourLanguageRankingHelpAndAbout) {
    Start();
    prompter_.answers = {true};
    prompter_.onDialog = [](QDialog& dialog) {
        dialog.findChild<QPushButton*>(ControlName(1046))->click();
        return dialog.result();
    };
    frame_->Command(command::kDeckBack);
    EXPECT_EQ(doc_->Settings().deckBack, 4);

    prompter_.onDialog = [](QDialog& dialog) {
        auto& colours = dynamic_cast<QColorDialog&>(dialog);
        colours.setCurrentColor(QColor(10, 20, 30));
        colours.accept();
        return colours.result();
    };
    frame_->Command(command::kTableColour);
    EXPECT_EQ(doc_->backgroundColor, 0x001E140Au);
    KivSettings read;
    ASSERT_EQ(ReadConfigFile(dir_.path() + "/kiv32.ini", read), ConfigRead::Read);
    EXPECT_EQ(read.deckBack, 4);
    EXPECT_EQ(read.backgroundColor, 0x001E140Au);

    // "Sprache festlegen" switches the texts at once and keeps the choice.
    struct Switch {
        const char* choose; // the radio button, or nothing: cancelled
        int base;
        const char* gameMenu;
    };
    for (const Switch& s : {Switch{"rbEnglish", 5000, "&Game"}, Switch{nullptr, 5000, "&Game"},
                            Switch{"rbGerman", 1000, "&Spiel"}}) {
        SCOPED_TRACE(s.base);
        prompter_.onDialog = [&s](QDialog& dialog) {
            if (s.choose == nullptr) {
                dialog.reject();
            } else {
                dialog.findChild<QRadioButton*>(s.choose)->setChecked(true);
                dialog.accept();
            }
            return dialog.result();
        };
        frame_->Command(command::kHelpContents);
        ASSERT_NE(frame_->HelpWindow(), nullptr);
        frame_->Command(command::kLanguage);
        EXPECT_EQ(doc_->Settings().languageBase, s.base);
        EXPECT_EQ(frame_->HelpWindow() == nullptr, s.choose != nullptr)
            << "the help opens again in the new language";
        EXPECT_EQ(frame_->menuBar()->actions().front()->text(), s.gameMenu);
        KivSettings stored;
        ASSERT_EQ(ReadConfigFile(dir_.path() + "/kiv32.ini", stored), ConfigRead::Read);
        EXPECT_EQ(stored.languageBase, s.base) << "line 28 of kiv32.ini";
    }

    prompter_.onDialog = nullptr;
    prompter_.answers = {true};
    frame_->Command(command::kResetRanking);
    EXPECT_EQ(prompter_.asked.last(), LoadText(1120));
    frame_->Command(command::kShowRanking);
    frame_->Command(command::kAbout);
    EXPECT_EQ(prompter_.dialogs.mid(prompter_.dialogs.size() - 2),
              QStringList({"Rangliste", QString::fromUtf8("Info über Kiv Kiv")}));

    frame_->Command(command::kHelpContents);
    ASSERT_NE(frame_->HelpWindow(), nullptr);
    EXPECT_EQ(frame_->HelpWindow()->CurrentSource().fileName(), "index.html");
}

TEST_F(KivShell, NoWaveAtAllWithSoundOff) {
    doc_ = nullptr;
    Start();
    sound_.waves.clear();
    doc_->SetSoundOn(false);
    // A refused draw (the second one without a penalty) and a new game.
    QTest::mousePress(&View(), Qt::LeftButton, {}, StockPoint());
    QTest::mouseRelease(&View(), Qt::LeftButton, {}, StockPoint());
    prompter_.answers = {true};
    frame_->Command(command::kNewGame);
    EXPECT_TRUE(sound_.waves.isEmpty());
    doc_->SetSoundOn(true);
    frame_->Command(command::kNextPlayer); // refused: "Bitte ziehen Sie erst eine Karte."
    EXPECT_EQ(prompter_.informed.last(), LoadText(1116));
}

TEST_F(KivShell, WhenNoCardIsLeftToDrawTheHumanSeatMayPass) {
    Start();
    // Every card but the pile's top goes into the hands.
    PlayState& state = Staged();
    while (!state.stock.Empty()) {
        const int card = state.stock.cards.At(0);
        state.stock.RemoveNumber(card);
        state.cards[card].owner = 2;
        state.cards[card].faceUp = false;
        state.seats[2].hand.Add(card);
    }
    doc_->LayoutHand(2, true);
    ASSERT_EQ(doc_->CardsAccountedFor(), 32);
    QTest::mousePress(&View(), Qt::LeftButton, {}, StockPoint());
    QTest::mouseRelease(&View(), Qt::LeftButton, {}, StockPoint());
    EXPECT_EQ(doc_->State().heldCard, 0);
    QTest::mouseClick(ToolButton(command::kNextPlayer), Qt::LeftButton);
    EXPECT_FALSE(prompter_.informed.contains(LoadText(1116)));
    EXPECT_FALSE(doc_->State().computerBusy);
    EXPECT_EQ(doc_->CardsAccountedFor(), 32);
}

TEST_F(KivShell, ALapsedPenaltyIsExplainedToTheHumanSeatOnly) {
    Start();
    GameEvent lapse;
    lapse.kind = GameEventKind::Lapse;
    lapse.seat = 1;
    View().OnGameEvent(lapse);
    EXPECT_TRUE(prompter_.informed.isEmpty());
    lapse.seat = 0;
    View().OnGameEvent(lapse);
    EXPECT_EQ(prompter_.informed, QStringList{LoadText(1131)});
}

// Plays one round through mouse input alone: right clicks lay cards, clicks
// on the stock draw, the toolbar button passes on an eight, and the jack's
// dialog is answered with the mouse. The computer seats move in between.
void PlayRoundByMouse(KivShell& t) {
    t.prompter_.onDialog = [](QDialog& dialog) {
        if (auto* jack = qobject_cast<JackSuitDialog*>(&dialog)) {
            jack->show();
            QTest::mouseClick(jack->findChild<QRadioButton*>(ControlName(1006)), Qt::LeftButton);
            QTest::mouseClick(jack->findChild<QDialogButtonBox*>()->buttons().first(),
                              Qt::LeftButton);
            return jack->result();
        }
        return int(QDialog::Accepted);
    };
    KivGame& doc = *t.doc_;
    const int roundsBefore = t.View().RoundsScored();
    int gestures = 0;
    while (t.View().RoundsScored() == roundsBefore && gestures < 400) {
        ASSERT_FALSE(doc.State().computerBusy);
        ASSERT_EQ(doc.CardsAccountedFor(), 32);
        ASSERT_FALSE(doc.Settings().seats[doc.State().currentSeat].computer);
        const bool mustDraw = doc.Current().hasDrawn && doc.State().cardsToDraw > 0;
        const int choice = mustDraw ? kChooseDraw : doc.ChooseComputerCard();
        if (choice >= 1) {
            QTest::mouseClick(&t.View(), Qt::RightButton, {}, t.On(choice));
        } else if (choice == kChooseDraw) {
            QTest::mousePress(&t.View(), Qt::LeftButton, {}, t.StockPoint());
            QTest::mouseRelease(&t.View(), Qt::LeftButton, {}, t.StockPoint());
        } else {
            QTest::mouseClick(t.ToolButton(command::kNextPlayer), Qt::LeftButton);
        }
        ++gestures;
    }
    EXPECT_EQ(t.View().RoundsScored(), roundsBefore + 1);
}

TEST_F(KivShell, AWholeRoundByMouseAgainstThreeComputerSeats) {
    Start();
    PlayRoundByMouse(*this);
    int total = 0;
    for (const Seat& seat : doc_->State().seats) {
        total += seat.score;
    }
    EXPECT_GT(total, 0);
    // The seat left holding cards was named, and the next round has been
    // dealt with seat 0 to begin it.
    EXPECT_TRUE(prompter_.informed.last().startsWith(LoadText(1110)));
    EXPECT_EQ(doc_->State().currentSeat, 0);
    EXPECT_EQ(doc_->State().seats[0].hand.Count(), 5);
    EXPECT_TRUE(sound_.waves.contains("karte.wav"));
    EXPECT_TRUE(sound_.waves.contains("kiv.wav"));
}

TEST_F(KivShell, AGameThatReachesItsTargetShowsTheResultsAndFillsTheRanking) {
    Start();
    testing::MutableSettings(*doc_).pointsToWin = 1;
    prompter_.defaultAnswer = true; // enter the results into the ranking list
    PlayRoundByMouse(*this);
    EXPECT_TRUE(prompter_.dialogs.contains("Die Ergebnisse dieses Spiels"));
    EXPECT_EQ(prompter_.dialogs.last(), "Rangliste");
    EXPECT_EQ(prompter_.asked.last(), LoadText(1114));
    EXPECT_EQ(prompter_.informed.filter(LoadText(1113)).size(), 1); // a fresh list
    RankingValues ranking{};
    ASSERT_TRUE(ReadRankingFile(dir_.path() + "/kiv32.rng", ranking));
    EXPECT_GT(ranking[0] + ranking[1] + ranking[2] + ranking[3], 0);
    for (const Seat& seat : doc_->State().seats) {
        EXPECT_EQ(seat.score, 0); // a new game begins
    }
    EXPECT_TRUE(sound_.waves.contains("rang.wav"));
    EXPECT_TRUE(sound_.waves.contains("topten.wav"));
}

// On a screen with two device pixels per pixel the table is drawn for the
// real pixels: the hand of seat 0, the piles and the seat panels' texts are as
// sharp as at one, and neither of the two ways of merely enlarging the small
// picture passes the same measure.
TEST_F(KivShell, TableIsSharpAtTwiceThePixelDensity) {
    Start();
    const QImage once = View().Render(1.0);
    const QImage twice = View().Render(2.0);
    ASSERT_EQ(twice.size(), once.size() * 2);
    const QRect hand(100, 10, 18 * (doc_->Settings().cardsPerPlayer - 1) + kCardWidth, kCardHeight);
    const QRect piles(doc_->State().stock.x, doc_->State().stock.y, kCardWidth,
                      doc_->State().discardPile.y + kCardHeight - doc_->State().stock.y);
    const QRect names(0, 0, 100, 70);
    const QImage doubled =
        once.scaled(once.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const QImage smoothed =
        once.scaled(once.size() * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    for (const QRect& area : {hand, piles, names}) {
        EXPECT_TRUE(SharpAtTwice(once, area, twice)) << area.x() << "," << area.y();
        EXPECT_FALSE(SharpAtTwice(once, area, doubled)) << area.x() << "," << area.y();
        EXPECT_FALSE(SharpAtTwice(once, area, smoothed)) << area.x() << "," << area.y();
    }
}

TEST(KivTableScale, GrowsWithTheViewBetweenOneAndThreeTimes) {
    struct Case {
        QSize view;
        double scale;
    };
    const Case cases[] = {
        {{800, 520}, 1.0},   {{400, 300}, 1.0},   {{1200, 500}, 1.0},  {{1200, 780}, 1.5},
        {{1600, 1040}, 2.0}, {{1600, 2000}, 2.0}, {{3000, 1040}, 2.0}, {{2400, 1560}, 3.0},
        {{5000, 4000}, 3.0}, {{0, 0}, 1.0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(TableScale(c.view), c.scale) << c.view.width() << "x" << c.view.height();
    }
}

// The share of the picture of `card` that the rendering shows where the table
// says the card lies (the card's visible part, its transparent corners left
// out), for a table drawn `scale` times at density `dpr`.
double CardShown(const QImage& rendered, const PlayingCard& c, int card, double scale, qreal dpr) {
    const QImage face = DrawKivBitmap(FaceBitmapId(card), scale * dpr).toImage();
    const QPoint at(static_cast<int>(std::lround(c.x * scale * dpr)),
                    static_cast<int>(std::lround(c.y * scale * dpr)));
    const int width = static_cast<int>(c.VisibleWidth() * scale * dpr) - 1;
    int same = 0;
    int compared = 0;
    for (int y = 0; y < face.height(); ++y) {
        for (int x = 0; x < width; ++x) {
            if (qAlpha(face.pixel(x, y)) == 255) {
                ++compared;
                same += rendered.pixel(at.x() + x, at.y() + y) == face.pixel(x, y) ? 1 : 0;
            }
        }
    }
    return compared > 0 ? static_cast<double>(same) / compared : 0;
}

// At every size and density the human seat's cards are drawn where the game
// has them, and a click at the middle of a card's visible part takes that
// card: what is seen is what is hit.
TEST_F(KivShell, AClickAtTheMiddleOfEachCardTakesItAtEverySize) {
    Start();
    struct Case {
        QSize view;
        double scale;
    };
    const Case cases[] = {
        {{800, 520}, 1.0},  {{1200, 780}, 1.5},  {{1600, 1040}, 2.0},
        {{1920, 990}, 1.9}, {{2400, 1560}, 3.0}, {{3000, 1700}, 3.0},
    };
    for (const Case& c : cases) {
        View().resize(c.view);
        ASSERT_NEAR(View().Scale(), c.scale, 0.01);
        for (const qreal dpr : {1.0, 1.5, 2.0}) {
            const QImage rendered = View().Render(dpr).convertToFormat(QImage::Format_ARGB32);
            for (int card : doc_->State().seats[0].hand) {
                SCOPED_TRACE(::testing::Message() << c.view.width() << "x" << c.view.height()
                                                  << " dpr " << dpr << " card " << card);
                const PlayingCard& shown = doc_->State().cards[card];
                EXPECT_GT(CardShown(rendered, shown, card, View().Scale(), dpr), 0.999);
                const QPoint middle((shown.x + shown.VisibleWidth() / 2.0) * View().Scale(),
                                    (shown.y + kCardHeight / 2.0) * View().Scale());
                QTest::mousePress(&View(), Qt::LeftButton, {}, middle);
                EXPECT_EQ(doc_->State().heldCard, card);
                QTest::mouseRelease(&View(), Qt::LeftButton, {}, middle);
                EXPECT_EQ(doc_->State().heldCard, 0);
            }
        }
    }
    // A dragged card keeps its middle under the pointer, in the table's pixels.
    const double s = View().Scale();
    QTest::mousePress(&View(), Qt::LeftButton, {}, QPoint(120 * s, 50 * s) + QPoint(1, 1));
    ASSERT_EQ(doc_->State().heldCard, doc_->State().seats[0].hand.At(1));
    QMouseEvent move(QEvent::MouseMove, QPointF(500 * s, 300 * s), QPointF(500 * s, 300 * s),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&View(), &move);
    const PlayingCard& held = doc_->State().cards[doc_->State().heldCard];
    EXPECT_EQ(QPoint(held.x, held.y), QPoint(465, 252));
    QTest::mouseRelease(&View(), Qt::LeftButton, {}, QPoint(500 * s, 300 * s));
    EXPECT_EQ(doc_->State().heldCard, 0);
}

// A table drawn three times as large is as sharp as one drawn at its own
// size: every picture and text is drawn for the pixels it covers, once for
// each size.
TEST_F(KivShell, TheTableIsAsSharpThreeTimesAsLarge) {
    Start();
    View().resize(kStandardTable);
    const QImage once = View().Render(1.0);
    const QImage half = View().Render(1.5);
    View().resize(kStandardTable * 3);
    ASSERT_DOUBLE_EQ(View().Scale(), 3.0);
    ASSERT_EQ(View().TableSize(), kStandardTable);
    const QImage thrice = View().Render(1.0);
    const QRect hand(100, 10, 18 * (doc_->Settings().cardsPerPlayer - 1) + kCardWidth, kCardHeight);
    const QRect piles(doc_->State().stock.x, doc_->State().stock.y, kCardWidth,
                      doc_->State().discardPile.y + kCardHeight - doc_->State().stock.y);
    const QRect names(0, 0, 100, 70);
    for (const QRect& area : {hand, piles, names}) {
        SCOPED_TRACE(::testing::Message() << area.x() << "," << area.y());
        const QRect large(area.topLeft() * 3, area.size() * 3);
        EXPECT_GE(MeasureSharpness(thrice, large).strongestStep * 10,
                  MeasureSharpness(once, area).strongestStep * 9);
        // Against the table drawn for 1.5 device pixels, twice as fine again.
        EXPECT_TRUE(SharpAtTwice(half, QRect(area.topLeft() * 1.5, area.size() * 1.5), thrice));
    }
    // Each picture was drawn once for this size: painting again draws none.
    const int drawn = View().PicturesDrawn();
    View().RepaintEverything();
    View().Render(1.0);
    EXPECT_EQ(View().PicturesDrawn(), drawn);
}

// F11 and the view menu switch full screen on and off; the window's size and
// its full-screen state are there again at the next start.
TEST_F(KivShell, FullScreenAndTheWindowsSizeAreKeptForTheNextStart) {
    Start();
    QAction* fullScreen = frame_->Action(command::kFullScreen);
    ASSERT_NE(fullScreen, nullptr);
    EXPECT_EQ(fullScreen->text(), QString::fromUtf8("&Vollbild"));
    EXPECT_EQ(fullScreen->shortcut(), QKeySequence(Qt::Key_F11));
    EXPECT_EQ(fullScreen->statusTip(), LoadText(1141));
    frame_->resize(700, 560);
    QCoreApplication::processEvents();
    struct Step {
        bool byKey;
        bool fullScreen;
    };
    for (const Step step : {Step{true, true}, Step{true, false}, Step{false, true}}) {
        if (step.byKey) {
            QApplication::setActiveWindow(frame_.get());
            QTest::keyClick(frame_.get(), Qt::Key_F11);
        } else {
            fullScreen->trigger();
        }
        QCoreApplication::processEvents();
        EXPECT_EQ(frame_->isFullScreen(), step.fullScreen);
        EXPECT_EQ(fullScreen->isChecked(), step.fullScreen);
    }
    EXPECT_EQ(frame_->NormalSize(), QSize(700, 560));
    frame_->close();
    frame_.reset();

    for (const bool full : {true, false}) {
        KivDocument next(kGermanBase);
        next.programFolder = dir_.path().toStdString();
        ReadConfig(next, prompter_);
        EXPECT_EQ(QSize(next.windowWidth, next.windowHeight), QSize(700, 560));
        EXPECT_EQ(next.fullScreen, full);
        next.SetMusicOn(false);
        KivMainWindow again(next, prompter_, &sound_);
        again.View()->SetPauser([](int ms) { return ms; });
        again.View()->SetFrameDelay(0);
        EXPECT_EQ(again.size(), QSize(700, 560));
        again.ShowAsRemembered();
        QCoreApplication::processEvents();
        EXPECT_EQ(again.isFullScreen(), full);
        if (full) {
            again.ToggleFullScreen();
            QCoreApplication::processEvents();
        }
        testing::MutableState(next).computerBusy = false;
        again.close();
    }
}

TEST_F(KivShell, TheSecondBlockNamesFullScreen) {
    Start(kSecondBase);
    EXPECT_EQ(frame_->Action(command::kFullScreen)->text(), QStringLiteral("&Full Screen"));
    EXPECT_EQ(frame_->Action(command::kFullScreen)->statusTip(), LoadText(5141));
}

// The icons are drawn when a size is asked for, at that size's own density:
// twice the size is drawn again, not enlarged; a disabled button is greyed.
TEST_F(KivShell, IconsAreDrawnForTheSizeAskedForAndGreyedWhenDisabled) {
    const QIcon fan = ProgramIcon();
    EXPECT_EQ(fan.availableSizes(), QList<QSize>({{96, 80}, {192, 160}, {384, 320}}));
    for (const QIcon& icon : {ToolbarIcon(command::kSettings), ToolbarIcon(command::kAbout), fan}) {
        const QSize base = icon.availableSizes().front();
        const QImage once = icon.pixmap(base).toImage();
        const QImage twice = icon.pixmap(base * 2).toImage();
        ASSERT_EQ(once.size(), base);
        ASSERT_EQ(twice.size(), base * 2);
        const QRect all(QPoint(0, 0), base);
        EXPECT_TRUE(SharpAtTwice(once, all, twice)) << base.width();
        EXPECT_FALSE(SharpAtTwice(
            once, all, once.scaled(base * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
        EXPECT_NE(icon.pixmap(base, QIcon::Disabled).toImage(), once) << base.width();
    }
}

} // namespace
} // namespace kiv
