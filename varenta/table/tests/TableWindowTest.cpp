#include "TableFixture.h"

#include "varenta/engine/Texts.h"
#include "varenta/table/HelpWindow.h"
#include "varenta/table/SmallWindows.h"
#include "varenta/table/TableTexts.h"

#include <gmock/gmock.h>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

namespace varenta::testing {
namespace {

using TableWindowTest = TableFixture;

TEST_F(TableWindowTest, CaptionMenusAndTheirStatusHints) {
    Open();
    EXPECT_EQ(window->windowTitle(), "Varenta 4.0");
    QStringList menus;
    for (QAction* menu : window->menuBar()->actions()) {
        menus << menu->text();
    }
    EXPECT_EQ(menus, (QStringList{"&Game", "&Options", "&Network", "&Help"}));
    EXPECT_EQ(window->Action("New1")->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(window->Action("UndoMeld1")->shortcut(), QKeySequence(Qt::Key_Delete));
    EXPECT_EQ(window->Action("UndoAll1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Delete));
    EXPECT_EQ(window->Action("HelpTopics1")->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(window->Action("New1")->statusTip(), "Start a new Varenta game");
    EXPECT_EQ(window->Action("UndoAll1")->statusTip(),
              "Undo all melds since your last discard or taking of the discard pile, if any");
    EXPECT_EQ(window->Action("Exit1")->statusTip(), "Exit Varenta");
    EXPECT_EQ(window->Action("Rules1")->statusTip(),
              "Adjust the rules of Varenta to your local variant");
    ClickStock();
    EXPECT_EQ(window->Action("Rules1")->statusTip(),
              " Changing the rules is only possible when starting a new game");

    // A greyed item still shows its own hint under the pointer, also when
    // the pointer comes from an enabled item, whose leaving clears the line.
    struct Step {
        const char* menu;
        const char* from;
        const char* to;
        const char* hint;
    };
    const Step steps[] = {
        {"&Game", nullptr, "UndoMeld1", "Undo the last meld, if any"},
        {"&Game", "New1", "UndoMeld1", "Undo the last meld, if any"},
        {"&Network", "ConnecttoPartner1", "ShowRuleDifferences1", nullptr},
    };
    window->show(); // the menu bar opens its menus only in a shown window
    for (const Step& step : steps) {
        SCOPED_TRACE(std::string(step.from ? step.from : "outside") + " -> " + step.to);
        QMenu* menu = nullptr;
        for (QAction* item : window->menuBar()->actions()) {
            if (item->text() == step.menu) {
                menu = item->menu();
            }
        }
        ASSERT_NE(menu, nullptr);
        QAction* greyed = window->Action(step.to);
        ASSERT_NE(greyed, nullptr);
        ASSERT_FALSE(greyed->isEnabled());
        const QString hint = step.hint ? QString(step.hint) : greyed->statusTip();
        ASSERT_FALSE(hint.isEmpty());
        window->menuBar()->setActiveAction(menu->menuAction());
        const auto moveTo = [&](QAction* action) {
            const QPointF at = menu->actionGeometry(action).center();
            QMouseEvent move(QEvent::MouseMove, at, menu->mapToGlobal(at), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(menu, &move);
        };
        if (step.from != nullptr) {
            QAction* enabled = window->Action(step.from);
            ASSERT_TRUE(enabled->isEnabled());
            moveTo(enabled);
            EXPECT_EQ(window->StatusLine()->currentMessage(), enabled->statusTip());
        }
        moveTo(greyed);
        EXPECT_EQ(window->StatusLine()->currentMessage(), hint);
        menu->close();
        window->menuBar()->setActiveAction(nullptr);
    }
}

TEST_F(TableWindowTest, MouseActionsReachTheGame) {
    Open();
    PlayersTurn();
    SetHand({Code(kSpade, kQueen), Code(kHeart, kQueen), Code(kClub, kQueen), Code(kSpade, kFour),
             Code(kDiamond, kNine), kJoker});
    SetStockTop(Code(kHeart, kFive));
    const int stock = S().stock.Size();
    ClickStock();
    EXPECT_EQ(S().stock.Size(), stock - 1);
    EXPECT_EQ(S().playerHand.Size(), 7);
    EXPECT_TRUE(S().gameInProgress);
    ClickStock();
    EXPECT_EQ(Line(), "You have already drawn");
    EXPECT_TRUE(window->StatusLine()->LineIsError());

    // Shift + click melds every queen, a plain click on a joker tries the
    // wild-card meld, which needs seven wild cards.
    const int queen = S().playerHand.FindByCode(Code(kSpade, kQueen));
    Click(HandCard(queen), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(S().playerMelds.CountInColumn(11), 3);
    EXPECT_TRUE(window->Action("UndoMeld1")->isEnabled());
    Click(HandCard(S().playerHand.FindByCode(kJoker)));
    EXPECT_EQ(Line(), "You need at least seven wildcards to create a wildcard Varenta");
    // A click on the queen meld adds the joker to it.
    const int meldCard = S().playerMelds.Size() - 1;
    Click({S().playerMelds[meldCard].x + 2, S().playerMelds[meldCard].y + 2});
    EXPECT_EQ(S().playerMelds.CountInColumn(11), 4);
    EXPECT_EQ(S().playerHand.FindByCode(kJoker), -1);

    window->Action("UndoAll1")->trigger();
    EXPECT_EQ(S().playerMelds.CountInColumn(11), 0);
    EXPECT_FALSE(window->Action("UndoMeld1")->isEnabled());

    // A right click discards; the opponent moves and it is our turn again.
    const int turns = opponent.turns;
    const Card four = S().playerHand[S().playerHand.FindByCode(Code(kSpade, kFour))];
    Click(HandCard(S().playerHand.FindByCode(four.code)), Qt::RightButton);
    EXPECT_EQ(opponent.turns, turns + 1);
    EXPECT_FALSE(S().opponentToMove);
    EXPECT_EQ(Line(), QString::fromUtf8(texts::kHints[HintIndex(Hint::Draw)].data()));
    EXPECT_EQ(S().playerHand.FindByCode(four.code), -1);
}

TEST_F(TableWindowTest, ClicksDuringTheOpponentsTurnAreIgnored) {
    Open();
    PlayersTurn();
    S().opponentToMove = true;
    const int stock = S().stock.Size();
    const QString line = Line();
    ClickStock();
    Key(Qt::Key_F6);
    EXPECT_EQ(S().stock.Size(), stock);
    EXPECT_EQ(Line(), line) << "no message";
}

TEST_F(TableWindowTest, DoubleRightClickCountsOnTheSameCard) {
    store->Write("Settings\\Mouse options", QString("Double Right Click"));
    Open();
    ASSERT_EQ(window->Controller().MouseOption(), 1);
    PlayersTurn();
    SetHand({Code(kSpade, kFour), Code(kClub, kSeven), Code(kHeart, kKing)});
    SetStockTop(Code(kHeart, kNine));
    ClickStock();
    EXPECT_EQ(Line(), "Meld by clicking a card, discard by right-clicking it twice");
    auto index = [&](int code) { return S().playerHand.FindByCode(code); };
    const int a = Code(kSpade, kFour);
    const int b = Code(kClub, kSeven);
    Click(HandCard(index(a)), Qt::RightButton);
    Click(HandCard(index(b)), Qt::RightButton);
    EXPECT_NE(index(b), -1) << "the first click on B only remembers it";
    Click(HandCard(index(b)), Qt::RightButton);
    EXPECT_EQ(index(b), -1);
    EXPECT_EQ(OurLastDiscard(), b);

    SetStockTop(Code(kHeart, kNine));
    ClickStock();
    Click(HandCard(index(a)), Qt::RightButton);
    EXPECT_NE(index(a), -1);
    Click(HandCard(index(a)), Qt::RightButton);
    EXPECT_EQ(index(a), -1);
    EXPECT_EQ(OurLastDiscard(), a);

    // A refused discard keeps the card remembered: once the melds are put
    // right, one more right click on it discards.
    SetHand({Code(kSpade, kFour), Code(kClub, kSeven), Code(kHeart, kKing), Code(kSpade, kKing)});
    SetStockTop(Code(kHeart, kNine));
    ClickStock();
    Click(HandCard(index(Code(kHeart, kKing))));
    ASSERT_EQ(S().playerMelds.CountInColumn(12), 1);
    const int seven = Code(kClub, kSeven);
    Click(HandCard(index(seven)), Qt::RightButton);
    Click(HandCard(index(seven)), Qt::RightButton);
    EXPECT_TRUE(Line().startsWith("Discarding is not possible now: ")) << Line().toStdString();
    EXPECT_NE(index(seven), -1);
    window->Action("UndoMeld1")->trigger();
    Click(HandCard(index(seven)), Qt::RightButton);
    EXPECT_EQ(index(seven), -1);
    EXPECT_EQ(OurLastDiscard(), seven);
}

TEST_F(TableWindowTest, SingleRightClickDiscardsAtOnceButNeverAStaleCard) {
    Open();
    PlayersTurn();
    SetHand({Code(kSpade, kFour), Code(kClub, kSeven), Code(kHeart, kKing)});
    ClickStock();
    const int seven = S().playerHand.FindByCode(Code(kClub, kSeven));
    Click(HandCard(seven), Qt::RightButton);
    EXPECT_EQ(OurLastDiscard(), Code(kClub, kSeven));
}

TEST_F(TableWindowTest, KeyboardModesSendClicksToRankColumns) {
    Open();
    PlayersTurn();
    SetHand({Code(kSpade, kJack), Code(kHeart, kJack), Code(kClub, kJack), Code(kSpade, kFive),
             Code(kDiamond, kNine)});
    S().initialMeldMinimum = 15;
    SetStockTop(Code(kHeart, kNine));
    Key(Qt::Key_F6);
    EXPECT_TRUE(S().hasDrawn);
    const int hand = S().playerHand.Size();

    Key(Qt::Key_F8);
    EXPECT_EQ(window->Controller().CurrentHint(), Hint::MeldMode);
    EXPECT_EQ(Line(), QString::fromUtf8(texts::kHintMeldMode));
    Key(Qt::Key_Q);
    EXPECT_EQ(S().playerHand.Size(), hand) << "no queen in the hand: nothing happens";
    Key(Qt::Key_J);
    EXPECT_EQ(S().playerMelds.CountInColumn(10), 1);
    EXPECT_EQ(window->Controller().CurrentHint(), Hint::MeldMode) << "the mode's hint comes back";
    Key(Qt::Key_J);
    Key(Qt::Key_J);
    EXPECT_EQ(S().playerMelds.CountInColumn(10), 3);

    Key(Qt::Key_Escape);
    EXPECT_EQ(window->Controller().CurrentHint(), Hint::MeldOrDiscard);
    Key(Qt::Key_J);
    EXPECT_EQ(S().playerMelds.CountInColumn(10), 3) << "rank keys only work in a mode";

    Key(Qt::Key_F10);
    EXPECT_EQ(Line(), QString::fromUtf8(texts::kHintDiscardMode));
    Key(Qt::Key_5);
    EXPECT_EQ(OurLastDiscard(), Code(kSpade, kFive));
    EXPECT_EQ(S().playerHand.FindByCode(Code(kSpade, kFive)), -1);
}

TEST_F(TableWindowTest, PileKeyTakesThePileAndTakesItBackAtACost) {
    Open();
    PlayersTurn();
    S().pileFrozen = false;
    S().initialMeldMinimum = 15;
    SetHand({Code(kSpade, kQueen), Code(kHeart, kQueen), Code(kSpade, kFour), Code(kClub, kSeven)});
    Card& top = S().discardPile.Top();
    const Card placed = top;
    top = MakeCard(Code(kClub, kQueen), 0);
    top.faceUp = true;
    top.x = placed.x;
    top.y = placed.y;
    const int pile = S().discardPile.Size();
    Key(Qt::Key_F7);
    EXPECT_EQ(S().playerMelds.CountInColumn(11), 1) << "the top card starts the queen meld";
    EXPECT_TRUE(S().topCardPending);
    EXPECT_EQ(Line(), "Meld by clicking left, undo taking discard pile by clicking it");
    Key(Qt::Key_F7);
    EXPECT_EQ(S().discardPile.Size(), pile) << "clicking the pile again gives it back";
    EXPECT_EQ(S().playerScore, -50);
}

TEST_F(TableWindowTest, CtrlClickMeldsToThreeAndWildModeFeedsAMeld) {
    Open();
    PlayersTurn();
    S().initialMeldMinimum = 15;
    SetHand({Code(kSpade, kKing), Code(kHeart, kKing), Code(kClub, kKing), Code(kDiamond, kKing),
             kJoker, Code(kSpade, kFour)});
    SetStockTop(Code(kHeart, kNine));
    ClickStock();
    Click(HandCard(S().playerHand.FindByCode(Code(kSpade, kKing))), Qt::LeftButton,
          Qt::ControlModifier);
    EXPECT_EQ(S().playerMelds.CountInColumn(12), 3) << "Ctrl melds as many as make three";
    Key(Qt::Key_F9);
    EXPECT_EQ(Line(), QString::fromUtf8(texts::kHintWildMode));
    Key(Qt::Key_K);
    EXPECT_EQ(S().playerMelds.CountInColumn(12), 4);
    EXPECT_EQ(S().playerHand.FindByCode(kJoker), -1) << "the joker went onto the kings";
}

TEST_F(TableWindowTest, CtrlF11TurnsTheOpponentsHandOver) {
    Open();
    ASSERT_GT(S().opponentHand.Size(), 0);
    EXPECT_FALSE(S().opponentHand[0].faceUp);
    Key(Qt::Key_F11, Qt::ControlModifier);
    EXPECT_TRUE(S().opponentHand[0].faceUp);
    EXPECT_EQ(S().opponentHandSpacing, 12);
    Key(Qt::Key_F11, Qt::ControlModifier);
    EXPECT_FALSE(S().opponentHand[0].faceUp);
    EXPECT_EQ(S().opponentHandSpacing, 10);
}

TEST_F(TableWindowTest, StatusLineFollowsTheMouseOptionAndShowsDiscardReasons) {
    Open();
    window->Controller().ShowHint(Hint::MeldOrDiscardTwice);
    EXPECT_EQ(Line(), "Meld a card by clicking it, discard a card by right-clicking it");
    window->Controller().SetMouseOption(1);
    window->Controller().ShowHint(Hint::MeldOrDiscard);
    EXPECT_EQ(Line(), "Meld by clicking a card, discard by right-clicking it twice");
    window->Controller().ShowError(4, "wildcards must be melded as a varenta");
    EXPECT_EQ(Line(), "Discarding is not possible now: wildcards must be melded as a varenta");
    EXPECT_TRUE(window->StatusLine()->LineIsError());
    window->Controller().ShowError(0, {});
    EXPECT_EQ(Line(), "Meld by clicking a card, discard by right-clicking it twice");
    EXPECT_FALSE(window->StatusLine()->LineIsError());
}

TEST_F(TableWindowTest, PanelsShowMeldsAndScores) {
    Open();
    S().playerScore = 1600;
    S().opponentScore = 420;
    S().opponentMeldPoints = 75;
    S().initialMeldMinimum = 90;
    window->Controller().RepaintTable();
    auto* bar = window->StatusLine();
    EXPECT_EQ(bar->PanelText(TableStatusBar::kPlayerScore), "1600");
    EXPECT_EQ(bar->PanelText(TableStatusBar::kOpponentScore), "420");
    EXPECT_EQ(bar->PanelText(TableStatusBar::kOpponentMeld), "75");
    EXPECT_EQ(bar->PanelToolTip(TableStatusBar::kPlayerMeld), "Your Current Meld\n(Minimum is 90)");
}

TEST_F(TableWindowTest, LayoutChangeCarriesEveryCardToItsColumnInTheNewGeometry) {
    Open(0);
    EXPECT_EQ(window->View()->width(), 640);
    std::vector<std::pair<int, int>> columnsAndSteps;
    const TableGeometry before = G();
    for (int i = 0; i < S().playerHand.Size(); ++i) {
        const Card& c = S().playerHand[i];
        columnsAndSteps.emplace_back(before.ColumnOf(c.x), (c.y - before.handRow) / 12);
    }
    window->ApplyLayout(2);
    EXPECT_EQ(window->Layout(), 2);
    EXPECT_EQ(G().cardWidth, 67);
    EXPECT_EQ(window->View()->width(), 1024);
    for (int i = 0; i < S().playerHand.Size(); ++i) {
        const Card& c = S().playerHand[i];
        EXPECT_EQ(c.x, G().ColumnX(columnsAndSteps[static_cast<std::size_t>(i)].first));
        EXPECT_EQ(c.y, G().handRow + 12 * columnsAndSteps[static_cast<std::size_t>(i)].second);
    }
    EXPECT_EQ(S().stock.Top().y, G().stockRow);
    EXPECT_EQ(S().discardPile.Top().y, G().discardRow);
    EXPECT_EQ(window->Images()[0].size(), QSize(67, 104));
}

TEST_F(TableWindowTest, LayoutIsReadFromAndWrittenToTheResolutionSetting) {
    Open(1);
    EXPECT_EQ(window->Layout(), 1);
    EXPECT_EQ(window->pos(), QPoint(10, 20));
    window->move(30, 40);
    window->show();
    window->close();
    EXPECT_EQ(store->ReadString("Settings\\Resolution", ""), "30,40,800x600");
    EXPECT_THAT(sound.played, ::testing::Contains("/media/done.wav")) << "the Exit sound";
}

TEST_F(TableWindowTest, ATablePlacedOffTheScreenComesBackOntoIt) {
    store->Write("Settings\\Resolution", QString("3000,2500,640x480"));
    Open(-1);
    EXPECT_EQ(window->pos(), QPoint(1920 - 640, 1200 - 480)) << "the test screen is 1920 x 1200";
}

TEST_F(TableWindowTest, AFirstStartShowsTheLargestTableThatFitsAtFourFifthsOfTheScreen) {
    Open(-1); // the test screen is 1920 x 1200
    EXPECT_EQ(window->Layout(), 3);
    EXPECT_EQ(window->size(), QSize(1200, 960)) << "1280 x 1024 at four fifths of the height";
    EXPECT_EQ(window->pos(), QPoint(360, 120)) << "centred";
    EXPECT_EQ(window->View()->TableSize().width(), 1280) << "the table keeps its own size";
    window->close();
    EXPECT_EQ(store->ReadString("Settings\\Resolution", ""), "360,120,1280x1024");
    EXPECT_EQ(store->ReadString("Settings\\Window Size", ""), "1200,960");
}

TEST_F(TableWindowTest, TheMatchingLayoutIsMaximisedOthersHaveTheirSize) {
    Open(0);
    EXPECT_FALSE(window->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(window->LayoutMatchingScreen(), -1) << "1920 wide matches no layout";
    EXPECT_EQ(window->LayoutLimit(), 3);
}

TEST_F(TableWindowTest, MoveCardStepsFollowTheCardSpeed) {
    Open();
    Card card = S().playerHand[0];
    window->Controller().SetCardMovement(true, 10);
    const auto start = clock.NowMs();
    window->Controller().MoveCard(card, 0, 0, 410, 0, false);
    EXPECT_EQ(window->Controller().LastMoveSteps(), 10);
    EXPECT_EQ(clock.NowMs() - start, 10 * TableController::kStepMs);

    window->Controller().MoveCard(card, 0, 0, 20, 0, false);
    EXPECT_EQ(window->Controller().LastMoveSteps(), 0)
        << "less than half a step: drawn at its end at once";

    window->Controller().SetCardMovement(true, 2); // steps of 9 pixels
    window->Controller().MoveCard(card, 0, 0, 90, 0, false);
    EXPECT_EQ(window->Controller().LastMoveSteps(), 10);

    window->Controller().SetCardMovement(true, 0); // steps of 1 pixel
    const auto slow = clock.NowMs();
    window->Controller().MoveCard(card, 0, 0, 400, 300, false);
    EXPECT_EQ(window->Controller().LastMoveSteps(), 500);
    EXPECT_LE(clock.NowMs() - slow, TableController::kMaxMoveMs) << "even the slowest move ends";

    const auto beforeFlash = clock.NowMs();
    window->Controller().SetCardMovement(true, 10);
    window->Controller().MoveCard(card, 0, 0, 20, 0, true);
    EXPECT_EQ(clock.NowMs() - beforeFlash, TableController::kFlashMs) << "the flash lasts 400 ms";
    EXPECT_FALSE(window->Controller().WaitCursorShown()) << "the pointer is restored";

    window->Controller().SetCardMovement(false, 10);
    const int pauses = clock.Pauses();
    window->Controller().MoveCard(card, 0, 0, 410, 0, true);
    EXPECT_EQ(window->Controller().LastMoveSteps(), 0);
    EXPECT_EQ(clock.Pauses(), pauses) << "no animation and no flash";
}

TEST_F(TableWindowTest, OpponentMeldsArePacedByTheDelaySetting) {
    store->Write("Settings\\Delay", 600);
    Open();
    const auto start = clock.NowMs();
    window->Controller().OpponentMeldPause();
    EXPECT_EQ(clock.NowMs() - start, 600);
}

TEST_F(TableWindowTest, UndoMenusFollowTheMeldsOfTheTurn) {
    Open();
    PlayersTurn();
    window->Controller().SetUndoEnabled(false);
    SetHand({Code(kSpade, kKing), Code(kHeart, kKing), Code(kClub, kKing), Code(kSpade, kFour)});
    ClickStock();
    EXPECT_FALSE(window->Action("UndoMeld1")->isEnabled());
    Click(HandCard(S().playerHand.FindByCode(Code(kSpade, kKing))));
    EXPECT_TRUE(window->Action("UndoMeld1")->isEnabled());
    EXPECT_TRUE(window->Action("UndoAll1")->isEnabled());
    window->Action("UndoMeld1")->trigger();
    EXPECT_EQ(S().playerMelds.CountInColumn(12), 0);
    EXPECT_FALSE(window->Action("UndoAll1")->isEnabled());
}

TEST_F(TableWindowTest, HelpTopicsPlaysTheThreeHelpSoundsInTurn) {
    Open();
    sound.played.clear();
    for (int i = 0; i < 4; ++i) {
        window->Action("HelpTopics1")->trigger();
    }
    EXPECT_THAT(sound.played, ::testing::ElementsAre("/media/nowwhat.wav", "/media/help.wav",
                                                     "/media/manuel.wav", "/media/nowwhat.wav"));
    EXPECT_TRUE(window->Help()->isVisible());
    EXPECT_EQ(window->Help()->CurrentSource().toString(), "index.html");
    window->ShowHelpTopic(1079);
    EXPECT_EQ(window->Help()->CurrentSource().toString(), "rules.html#initially-frozen");
}

TEST_F(TableWindowTest, HelpPagesOpenTheRulesDialogOnItsTabs) {
    Open();
    window->show();
    for (const auto& [command, tab] :
         {std::pair{2, QString("Red Threes")}, std::pair{3, QString("General")},
          std::pair{4, QString("Discard Pile")}}) {
        QString shown;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            auto* tabs = dialog->findChild<QTabWidget*>("pcRules");
            ASSERT_NE(tabs, nullptr);
            shown = tabs->tabText(tabs->currentIndex());
            dialog->close();
        });
        window->WindowCommand(command);
        EXPECT_EQ(shown, tab) << command;
    }
}

TEST_F(TableWindowTest, SoundSwitchedOffStaysSilent) {
    store->Write("Settings\\Sound", false);
    Open();
    window->Controller().PlaySound("Deal");
    window->Action("HelpTopics1")->trigger();
    EXPECT_TRUE(sound.played.empty());
}

TEST_F(TableWindowTest, ClosingDuringTheComputersTurnWaitsForItToEnd) {
    Open();
    window->show();
    bool closedInside = true;
    opponent.during = [&](VarentaEngine&) {
        window->close(); // the user closes the window during a pause
        closedInside = !window->isVisible();
        window->Controller().OpponentMeldPause(); // later pauses return at once
    };
    PlayersTurn();
    SetHand({Code(kSpade, kFour), Code(kClub, kSeven)});
    ClickStock();
    Click(HandCard(0), Qt::RightButton);
    EXPECT_FALSE(closedInside) << "the window stays while the turn is on the stack";
    EXPECT_TRUE(clock.Aborted());
    QApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(store->ReadString("Settings\\Resolution", "").endsWith("640x480"));
}

TEST_F(TableWindowTest, HandResultShowsTheComputersHandWhileTheDetailsAreOpen) {
    Open();
    HandResult result;
    result.player.total = 1130;
    result.player.varentas = {2, 800};
    result.opponent.total = -75;
    result.difference = 1205;
    result.opponentScoreLabel = "Computer's Score:";
    result.playerTitle = "Player";
    result.opponentTitle = "Computer";
    bool shownDuringDetails = false;
    QString detailsTitle;
    QString varentaValue;
    window->Dialogs().handResult = [&](HandResultDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Hand Finished");
        EXPECT_EQ(dialog.Label(0), "Your Score:");
        EXPECT_EQ(dialog.Value(0), "1130");
        EXPECT_EQ(dialog.Label(1), "Computer's Score:");
        EXPECT_EQ(dialog.Value(1), "-75");
        EXPECT_EQ(dialog.Label(2), "Difference:");
        EXPECT_EQ(dialog.Value(2), "1205");
        EXPECT_EQ(dialog.DetailsButton()->text(), "&Details >>");
        dialog.SetDetailsRunner([&](DetailedScoringDialog& details) {
            shownDuringDetails = S().opponentHand[0].faceUp;
            detailsTitle = details.windowTitle();
            varentaValue = details.Cell("Varentas", 1);
        });
        dialog.OpenDetails();
    };
    window->Controller().ShowHandResult(result);
    EXPECT_TRUE(shownDuringDetails);
    EXPECT_FALSE(S().opponentHand[0].faceUp) << "hidden again afterwards";
    EXPECT_EQ(detailsTitle, "Detailed Scoring Results");
    EXPECT_EQ(varentaValue, "800");

    // A hand the player had turned up with Ctrl + F11 stays up.
    Key(Qt::Key_F11, Qt::ControlModifier);
    ASSERT_TRUE(S().opponentHand[0].faceUp);
    window->Controller().ShowHandResult(result);
    EXPECT_TRUE(shownDuringDetails);
    EXPECT_TRUE(S().opponentHand[0].faceUp);
}

TEST_F(TableWindowTest, GameOverAsksForAnotherGame) {
    Open();
    GameOverResult result;
    result.message = "Congratulations Player! You won, but it was pretty close!";
    result.playerScore = 5000;
    result.opponentScore = 4999;
    result.difference = 1;
    result.opponentScoreLabel = "Computer's score:";
    QString message;
    QString question;
    window->Dialogs().gameOver = [&](GameOverDialog& dialog) {
        message = dialog.Message();
        question = dialog.Question();
        EXPECT_EQ(dialog.windowTitle(), "Game Over");
        EXPECT_EQ(dialog.Label(1), "Computer's score:");
        EXPECT_EQ(dialog.Value(0), "5000");
        EXPECT_EQ(dialog.Value(2), "1");
        return false;
    };
    EXPECT_FALSE(window->Controller().ShowGameOver(result));
    EXPECT_EQ(message, "Congratulations Player! You won, but it was pretty close!");
    EXPECT_EQ(question, "Do you want to play another game?");
}

TEST_F(TableWindowTest, DecliningAnotherGameEndsTheProgram) {
    Open();
    window->show();
    anotherGame = false;
    S().playerScore = 5200;
    S().opponentScore = 3000;
    EXPECT_FALSE(window->Engine().EndGame());
    EXPECT_EQ(gameOvers, 1);
    QApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(TableWindowTest, NewGameStartsFromNothing) {
    Open();
    S().playerScore = 1200;
    S().opponentScore = 800;
    S().gameInProgress = true;
    window->Action("New1")->trigger();
    EXPECT_EQ(S().playerScore, 0);
    EXPECT_EQ(S().opponentScore, 0);
    EXPECT_EQ(S().playerHand.Size(), 15) << "a fresh hand";
    EXPECT_FALSE(window->Action("UndoMeld1")->isEnabled());
    EXPECT_FALSE(window->Controller().WaitCursorShown());
}

TEST_F(TableWindowTest, TurnNoticeShowsWhoDrawsFirstForAMoment) {
    showTurns = true;
    Open();
    window->show();
    window->Controller().ShowTurnNotice("It's your turn to draw first.");
    ASSERT_NE(window->Controller().Notice(), nullptr);
    EXPECT_EQ(window->Controller().Notice()->Text(), "It's your turn to draw first.");
}

TEST_F(TableWindowTest, MessagesBreakLinesWhereTheTextSaysSo) {
    Open();
    window->Controller().ShowMessage(MessageKind::Information, texts::kMustPass);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "You only have one card left, and not enough Varentas to go out.\n"
                           "You have to pass the discard.");
}

} // namespace
} // namespace varenta::testing
