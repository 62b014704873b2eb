// The table scaled to its window: every click lands on what is drawn under
// it, the game's own coordinates (and so its saved games) stay those of the
// layout, and the scaled table is drawn for its real pixels.
#include "TableFixture.h"
#include "testsupport/Sharpness.h"

#include "varenta/table/SavedGames.h"
#include "varenta/table/TableHitTest.h"
#include "varenta/table/WindowPlacement.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>

namespace varenta::testing {
namespace {

using Scaling = TableFixture;

// The middle of the part of a hand card that shows: a covered card shows
// its top 12 pixels, the last of its column all of it.
QPoint VisibleMiddle(const GameState& s, const TableGeometry& g, int index) {
    const Card& card = s.playerHand[index];
    bool covered = false;
    for (int i = 0; i < s.playerHand.Size(); ++i) {
        covered = covered || (s.playerHand[i].x == card.x && s.playerHand[i].y > card.y);
    }
    return {card.x + g.cardWidth / 2, card.y + (covered ? 6 : g.cardHeight / 2)};
}

void ReleaseAt(QWidget* view, QPointF at, Qt::MouseButton button = Qt::LeftButton) {
    QMouseEvent release(QEvent::MouseButtonRelease, at, view->mapToGlobal(at), button, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(view, &release);
}

TEST_F(Scaling, EveryHandCardIsHitAtItsDrawnPlaceAtEverySize) {
    struct Case {
        int layout;
        double widthFactor, heightFactor; // the view against the table's own size
    };
    const Case cases[] = {{0, 1, 1},     {0, 1.5, 1.5}, {0, 2, 2},   {0, 3, 2.2},
                          {2, 0.6, 0.6}, {2, 2.5, 1.9}, {1, 1, 2.4}, {3, 1.5, 1.5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.layout << " " << c.widthFactor << "x" << c.heightFactor);
        Open(c.layout);
        TableView* view = window->View();
        const QSize table = view->TableSize();
        view->resize(static_cast<int>(table.width() * c.widthFactor),
                     static_cast<int>(table.height() * c.heightFactor));
        const qreal scale = view->Scale();
        EXPECT_NEAR(scale, std::min(c.widthFactor, c.heightFactor), 0.01);
        EXPECT_EQ(window->Engine().Geometry().clientWidth, table.width())
            << "the game keeps the layout's coordinates";
        for (int i = 0; i < S().playerHand.Size(); ++i) {
            const QPoint inTable = VisibleMiddle(S(), G(), i);
            const QPointF onScreen = view->Origin() + QPointF(inTable) * scale;
            const QPoint back = view->ToTable(onScreen);
            const Hit hit = HitTest(S(), G(), back.x(), back.y());
            EXPECT_EQ(hit.index, i) << "card " << i;
        }
    }
}

TEST_F(Scaling, ARealClickOnTheScaledTableDrawsAndMeldsTheCardUnderIt) {
    for (double factor : {1.0, 1.5, 2.0}) {
        SCOPED_TRACE(factor);
        Open(0);
        PlayersTurn();
        SetHand({Code(kSpade, kQueen), Code(kHeart, kQueen), Code(kClub, kQueen),
                 Code(kSpade, kFour), Code(kDiamond, kNine)});
        TableView* view = window->View();
        view->resize((QSizeF(view->TableSize()) * factor).toSize() + QSize(40, 0));
        const auto onScreen = [&](QPoint inTable) {
            return view->Origin() + QPointF(inTable) * view->Scale();
        };
        const int stock = S().stock.Size();
        ReleaseAt(view, onScreen({G().leftMargin + G().cardWidth / 2, G().stockRow + 20}));
        ASSERT_EQ(S().stock.Size(), stock - 1) << "the stock was drawn from";
        const int queen = S().playerHand.FindByCode(Code(kClub, kQueen));
        ASSERT_GE(queen, 0);
        ReleaseAt(view, onScreen(VisibleMiddle(S(), G(), queen)));
        EXPECT_GE(S().playerMelds.FindByCode(Code(kClub, kQueen)), 0) << "that queen is melded";
    }
}

TEST_F(Scaling, AGameSavedWhileScaledIsTheGameSavedUnscaled) {
    QTemporaryDir dir;
    Open(1);
    PlayersTurn();
    const auto save = [&](const QString& name) {
        const QString path = dir.filePath(name);
        window->Dialogs().gameFile = [path](bool, const QString&) { return path; };
        window->Games().SaveClick();
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        return file.readAll();
    };
    const QByteArray unscaled = save("unscaled.var");
    window->View()->resize(window->View()->TableSize() * 2);
    const QByteArray scaled = save("scaled.var");
    window->View()->resize(2400, 700);
    const QByteArray wide = save("wide.var");
    ASSERT_FALSE(unscaled.isEmpty());
    EXPECT_EQ(scaled, unscaled);
    EXPECT_EQ(wide, unscaled);
}

// Enlarged by the view, cards and counters are drawn for the pixels they
// cover: as sharp as at the layout's own size, where an enlarged picture is not.
TEST_F(Scaling, TheScaledTableIsAsSharpAsTheTableAtItsOwnSize) {
    struct Case {
        int layout;
        QSize window;
        qreal dpr;
    };
    for (const Case& c :
         {Case{2, {2560, 1440}, 1.0}, Case{0, {1280, 900}, 1.5}, Case{0, {1920, 1080}, 2.0}}) {
        SCOPED_TRACE(::testing::Message() << c.window.width() << " dpr " << c.dpr);
        Open(c.layout);
        TableView* view = window->View();
        const QImage once = view->Render(1.0);
        view->resize(c.window);
        const QImage big = view->Render(c.dpr);
        const Card& first = S().playerHand[0];
        const QRect hand(first.x, first.y, G().cardWidth * 3, G().cardHeight);
        const QRect piles(G().leftMargin, G().stockRow, G().cardWidth,
                          G().discardRow + G().cardHeight - G().stockRow);
        for (const QRect& area : {hand, piles}) {
            const QRect mapped = view->ToWidget(area).adjusted(1, 1, -1, -1);
            const QRect inPixels(mapped.topLeft() * c.dpr, mapped.size() * c.dpr);
            EXPECT_TRUE(SharpWhereEnlarged(once, area, big, inPixels)) << area.y();
            const QImage enlarged =
                once.scaled(big.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
            const qreal factor = static_cast<qreal>(enlarged.width()) / once.width();
            const QRect enlargedArea(area.topLeft() * factor, area.size() * factor);
            EXPECT_FALSE(SharpWhereEnlarged(once, area, enlarged, enlargedArea)) << area.y();
        }
    }
}

// A window taller than the table's proportions shows below the table what
// reaches past it: a long hand column is no longer cut by the status bar.
TEST_F(Scaling, RoomBelowTheTableShowsTheCardsThatReachPastIt) {
    Open(0);
    PlayersTurn();
    TableView* view = window->View();
    const QSize table = view->TableSize();
    Card& last = S().playerHand[S().playerHand.Size() - 1];
    last.y = table.height() - 20; // its lower part lies past the table's edge
    const QRect below(last.x, table.height() + 1, G().cardWidth, 20);
    const auto paper = [](const QImage& image, const QRect& area) {
        int light = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                light += image.pixelColor(x, y).lightness() > 200 ? 1 : 0;
            }
        }
        return light * 2 > area.width() * area.height();
    };
    view->resize(table);
    EXPECT_FALSE(view->Render().rect().intersects(below))
        << "nothing below at the table's own size";
    view->resize(table.width(), table.height() + 120);
    const QImage taller = view->Render();
    EXPECT_EQ(view->Scale(), 1.0);
    EXPECT_TRUE(paper(taller, below)) << "the card's lower part shows in the room below";
    EXPECT_EQ(taller.pixelColor(G().leftMargin + 1, table.height() + 100),
              window->Options().background)
        << "the rest of the room is the table's colour";
}

TEST(WindowPlacementTest, SizeAndFullScreenRoundTripAndBadValuesAreLeftOut) {
    QTemporaryDir dir;
    SettingsFile store(dir.filePath("varenta.ini"));
    WindowPlacement placement;
    placement.size = QSize(1500, 1100);
    placement.fullScreen = true;
    placement.Write(store);
    const WindowPlacement read = WindowPlacement::Read(store);
    EXPECT_EQ(read.size, QSize(1500, 1100));
    EXPECT_TRUE(read.fullScreen);

    for (const char* bad :
         {"", "1500", "1500,", "abc,900", "199,900", "900,16385", "-5,-5", "1500,1100,3"}) {
        store.Write(kKeyWindowSize, QString(bad));
        EXPECT_FALSE(WindowPlacement::Read(store).size.has_value()) << bad;
    }
    store.Write(kKeyWindowSize, QString(" 200 , 16384 "));
    EXPECT_EQ(WindowPlacement::Read(store).size, QSize(200, 16384)) << "the limits themselves";

    const QRect screen(0, 0, 1920, 1080);
    EXPECT_EQ(WindowPlacement::FirstStartSize({1280, 1024}, screen), QSize(1080, 864));
    EXPECT_EQ(WindowPlacement::FirstStartSize({640, 480}, {0, 0, 3840, 2160}), QSize(2304, 1728));
    EXPECT_EQ(WindowPlacement::Fitted({2500, 900}, screen), QSize(1920, 900));
}

TEST_F(Scaling, FullScreenIsSwitchedByItsItemAndRememberedAcrossRuns) {
    Open(1);
    window->show();
    QAction* item = window->Action("FullScreen1");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->shortcut(), QKeySequence(Qt::Key_F11));
    EXPECT_FALSE(item->statusTip().isEmpty());
    item->trigger();
    EXPECT_TRUE(window->isFullScreen());
    window->close();
    EXPECT_TRUE(store->ReadBool(kKeyFullScreen, false));

    Open(1);
    EXPECT_TRUE(window->windowState() & Qt::WindowFullScreen) << "full screen again";
    window->Action("FullScreen1")->trigger();
    EXPECT_FALSE(window->windowState() & Qt::WindowFullScreen);
    window->resize(1111, 777);
    window->close();
    EXPECT_FALSE(store->ReadBool(kKeyFullScreen, true));
    EXPECT_EQ(store->ReadString(kKeyWindowSize, ""), "1111,777");
    Open(1);
    EXPECT_EQ(window->size(), QSize(1111, 777)) << "the size the user gave it";
}

} // namespace
} // namespace varenta::testing
