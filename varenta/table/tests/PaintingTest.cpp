#include "TableFixture.h"
#include "testsupport/Sharpness.h"

#include "varenta/table/TableHitTest.h"
#include "varenta/table/TablePainter.h"

#include <QFontMetrics>

namespace varenta::testing {
namespace {

class Painting : public TableFixture {
protected:
    // An empty table with one card on the pile and one on the stock.
    void EmptyTable() {
        GameState& s = S();
        for (CardPile* pile : {&s.stock, &s.discardPile, &s.playerHand, &s.opponentHand,
                               &s.playerMelds, &s.opponentMelds}) {
            pile->Clear();
        }
        s.playerMelds.SetAnchors(G().leftMargin, G().columnWidth, G().playerMeldRow);
        Card back = MakeCard(Code(kSpade, kFour), 1);
        back.x = G().leftMargin;
        back.y = G().stockRow;
        s.stock.Append(back);
        Card top = MakeCard(Code(kHeart, kAce), 0);
        top.faceUp = true;
        top.x = G().leftMargin;
        top.y = G().discardRow;
        s.discardPile.Append(top);
        s.pileFrozen = false;
        s.playerVarentas.Clear();
        s.opponentVarentas.Clear();
    }

    static int Count(const QImage& image, const QRect& area,
                     const std::function<bool(QColor)>& is) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                n += is(image.pixelColor(x, y)) ? 1 : 0;
            }
        }
        return n;
    }
};

TEST_F(Painting, BackgroundStockBackAndFaceUpPile) {
    store->Write("Settings\\Background Color", 0x408000); // blue 0x40, green 0x80
    Open(0);
    EmptyTable();
    const QImage image = window->View()->Render();
    EXPECT_EQ(image.pixelColor(300, 150), QColor(0, 0x80, 0x40));
    // The stock shows the back of its card's deck (deck 1: 0x4080).
    EXPECT_EQ(image.pixelColor(G().leftMargin + 21, G().stockRow + 32), QColor(0x80, 0x40, 0));
    // The pile's top card is face up: white paper near its right edge.
    EXPECT_EQ(image.pixelColor(G().leftMargin + 36, G().discardRow + 30), QColor(Qt::white));
}

TEST_F(Painting, FrozenPileShowsAStarBeforeItsCount) {
    Open(0);
    EmptyTable();
    const QRect counter(G().leftMargin - 2, G().middle + G().cardHeight + 3, G().cardWidth + 4, 14);
    auto dark = [](QColor c) { return c.lightness() < 40; };
    const int plain = Count(window->View()->Render(), counter, dark);
    S().pileFrozen = true;
    const int frozen = Count(window->View()->Render(), counter, dark);
    EXPECT_GT(plain, 0) << "the count is shown";
    EXPECT_GT(frozen, plain + 3) << "the star adds ink";
}

// The counts, the frozen pile's star and both halves of the middle line
// stand out on any table colour the colour dialog offers, and the usual
// tables keep their black ink.
TEST_F(Painting, CountsStarAndMiddleLineContrastWithEveryTableColour) {
    struct Table {
        const char* name;
        int colorRef; // 0x00BBGGRR, as the settings store it
        bool blackInk;
    };
    const Table tables[] = {{"green (the default)", 0x008000, true},
                            {"navy", 0x800000, false},
                            {"black", 0x000000, false},
                            {"dark grey", 0x404040, false},
                            {"maroon", 0x000080, false},
                            {"white", 0xFFFFFF, true},
                            {"yellow", 0x00FFFF, true},
                            {"teal", 0x808000, true}};
    for (const Table& t : tables) {
        SCOPED_TRACE(t.name);
        store->Write("Settings\\Background Color", t.colorRef);
        Open(0);
        EmptyTable();
        S().pileFrozen = true;
        S().discardPile.Append(S().discardPile.Top()); // a two-digit count would do as well
        const QImage image = window->View()->Render();
        const QColor table = image.pixelColor(300, 150);
        EXPECT_EQ(CounterInk(table) == QColor(Qt::black), t.blackInk);

        const auto bestContrast = [&](const QRect& area) {
            double best = 1.0;
            for (int y = area.top(); y <= area.bottom(); ++y) {
                for (int x = area.left(); x <= area.right(); ++x) {
                    best = std::max(best, Contrast(image.pixelColor(x, y), table));
                }
            }
            return best;
        };
        const QRect pileCount(G().leftMargin - 2, G().middle + G().cardHeight + 3,
                              G().cardWidth + 4, 14);
        const QRect stockCount(G().leftMargin - 2, G().stockRow - 17, G().cardWidth + 4, 14);
        EXPECT_GE(bestContrast(pileCount), 3.0) << "the pile's count and its star";
        EXPECT_GE(bestContrast(stockCount), 3.0) << "the stock's count";
        EXPECT_GE(Contrast(image.pixelColor(300, G().middle), table), 3.0) << "the dark half";
        if (t.blackInk) {
            EXPECT_EQ(image.pixelColor(300, G().middle), QColor(Qt::black));
        }
    }
}

TEST_F(Painting, VarentaLabelsAreYellowBoxesUnderTheMeld) {
    Open(1);
    EmptyTable();
    GameState& s = S();
    for (int i = 0; i < 7; ++i) {
        Card c = MakeCard(i < 4 ? Code(kSpade, kSix) : kJoker, 0);
        c.faceUp = true;
        s.playerMelds.PlaceInColumnAt(c, 5, true, true);
        s.playerMelds.Append(c);
    }
    s.playerVarentas.kind[5] = kMixedVarenta;
    s.playerVarentas.naturals[5] = 4;
    s.playerVarentas.count = 1;
    auto yellow = [](QColor c) { return c == QColor(Qt::yellow); };
    const QRect label = VarentaLabelRect(G(), 5, true, 12);
    EXPECT_GT(Count(window->View()->Render(), label, yellow), label.width() * 4);
    s.playerVarentas.kind[5] = kNoVarenta;
    EXPECT_EQ(Count(window->View()->Render(), label, yellow), 0);
}

TEST(VarentaLabels, LinesByKind) {
    EXPECT_EQ(VarentaLabelLines(kMixedVarenta, 4, 7), (QStringList{"Mixed", "4/3"}));
    EXPECT_EQ(VarentaLabelLines(kNaturalVarenta, 7, 7), (QStringList{"Natural"}));
    EXPECT_EQ(VarentaLabelLines(kWildVarenta, 0, 7), (QStringList{"Wild", "card"}));
}

TEST(VarentaLabels, BoxesSitUnderThePlayersAndAboveTheOpponentsMeld) {
    const TableGeometry g = TableGeometry::ForLayout(0);
    const QRect player = VarentaLabelRect(g, 4, true, 13);
    EXPECT_EQ(player.top(), g.playerMeldRow + g.cardHeight + 15);
    EXPECT_EQ(player.height(), 2 * 13 + 5);
    EXPECT_EQ(player.width(), g.cardWidth);
    EXPECT_EQ(player.left(), g.ColumnX(4));
    const QRect opponent = VarentaLabelRect(g, 4, false, 13);
    EXPECT_EQ(opponent.bottom() + 1, g.opponentMeldRow - 15);
}

TEST(OpponentHand, DrawnGroupedByRank) {
    GameState s;
    s.opponentHandSpacing = 10;
    for (int code : {Code(kSpade, kAce), Code(kSpade, kFour), kJoker, Code(kHeart, kFour)}) {
        s.opponentHand.Append(MakeCard(code, 0));
    }
    const auto places = OpponentHandPlaces(s, TableGeometry::ForLayout(0));
    // joker first, then both fours in hand order, then the ace
    EXPECT_EQ(places[2].x(), 3);
    EXPECT_EQ(places[1].x(), 13);
    EXPECT_EQ(places[3].x(), 23);
    EXPECT_EQ(places[0].x(), 33);
    EXPECT_EQ(places[0].y(), 5);
}

// ---- hit testing -------------------------------------------------------------

class HitTesting : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        g = TableGeometry::ForLayout(GetParam());
        s.playerHand.SetAnchors(g.leftMargin, g.columnWidth, g.handRow);
        s.playerMelds.SetAnchors(g.leftMargin, g.columnWidth, g.playerMeldRow);
        for (int code : {Code(kSpade, kFour), Code(kHeart, kFour), kJoker}) {
            Card c = MakeCard(code, 0);
            s.playerHand.PlaceInColumn(c, true, false);
            s.playerHand.Append(c);
        }
        for (int code : {Code(kSpade, kSix), Code(kHeart, kSix), Code(kSpade, kSix)}) {
            Card c = MakeCard(code, 1);
            s.playerMelds.PlaceInColumn(c, true, false);
            s.playerMelds.Append(c);
        }
        Card red = MakeCard(28, 0);
        s.playerMelds.PlaceInColumn(red, true, false);
        s.playerMelds.Append(red);
    }
    Hit At(int x, int y) { return HitTest(s, g, x, y); }

    GameState s;
    TableGeometry g;
};

TEST_P(HitTesting, EveryRegion) {
    EXPECT_EQ(At(g.leftMargin, g.stockRow).region, HitRegion::Stock);
    EXPECT_EQ(At(g.leftMargin + g.cardWidth - 1, g.stockRow + g.cardHeight - 1).region,
              HitRegion::Stock);
    EXPECT_EQ(At(g.leftMargin + 1, g.discardRow + 1).region, HitRegion::Pile);
    EXPECT_EQ(At(g.leftMargin + g.cardWidth, g.discardRow + 1).region, HitRegion::Nothing);

    const int four = g.ColumnX(3);
    const int first = g.handRow + 12;
    // The covered first four is hit only on its visible 12 pixels.
    EXPECT_EQ(At(four + 1, first + 1), (Hit{HitRegion::HandNatural, 0}));
    EXPECT_EQ(At(four + 1, first + 11), (Hit{HitRegion::HandNatural, 0}));
    EXPECT_EQ(At(four + 1, first + 12), (Hit{HitRegion::HandNatural, 1}));
    // The last four of the column is hit on its whole height.
    EXPECT_EQ(At(four + g.cardWidth - 1, first + 12 + g.cardHeight - 1),
              (Hit{HitRegion::HandNatural, 1}));
    EXPECT_EQ(At(four + g.cardWidth - 1, first + 12 + g.cardHeight).region, HitRegion::Nothing);
    EXPECT_EQ(At(four + g.cardWidth, first + 1).region, HitRegion::Nothing);
    EXPECT_EQ(At(g.ColumnX(0) + 1, first + 1), (Hit{HitRegion::HandWild, 2}));

    const int six = g.ColumnX(5);
    const int meld = g.playerMeldRow + 12;
    EXPECT_EQ(At(six + 1, meld + 1), (Hit{HitRegion::MeldCard, 0}));
    EXPECT_EQ(At(six + 1, meld + 24 + g.cardHeight - 1), (Hit{HitRegion::MeldCard, 2}));
    EXPECT_EQ(At(g.ColumnX(2) + 1, meld + 1), (Hit{HitRegion::ThreesCard, 3}));
    EXPECT_EQ(At(g.ColumnX(8) + 1, meld + 1).region, HitRegion::Nothing);
}

TEST_P(HitTesting, ASquaredMeldIsHitOnTheWholeCard) {
    s.playerMelds.Clear();
    for (int i = 0; i < 7; ++i) {
        Card c = MakeCard(Code(kSpade, kSix), 0);
        s.playerMelds.PlaceInColumnAt(c, 5, true, true);
        s.playerMelds.Append(c);
    }
    const int y = s.playerMelds[0].y;
    EXPECT_EQ(At(g.ColumnX(5) + 1, y + g.cardHeight - 1).region, HitRegion::MeldCard);
}

INSTANTIATE_TEST_SUITE_P(Layouts, HitTesting, ::testing::Values(0, 2));

// On a screen with two device pixels per pixel the faces in the player's
// hand, the pile, the stock's back and the counters are drawn for the real
// pixels, at every layout: as sharp as at one, where merely enlarging the
// small picture fails the same measure.
TEST_F(Painting, TableIsSharpAtTwiceThePixelDensity) {
    for (int layout : {0, 2}) {
        Open(layout);
        const QImage once = window->View()->Render(1.0);
        const QImage twice = window->View()->Render(2.0);
        ASSERT_EQ(twice.size(), once.size() * 2);
        const Card& first = S().playerHand[0];
        const QRect hand(first.x, first.y, G().cardWidth * 3, G().cardHeight);
        const QRect piles(G().leftMargin, G().stockRow, G().cardWidth,
                          G().discardRow + G().cardHeight - G().stockRow);
        const QImage doubled =
            once.scaled(once.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        const QImage smoothed =
            once.scaled(once.size() * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        for (const QRect& area : {hand, piles}) {
            EXPECT_TRUE(SharpAtTwice(once, area, twice)) << layout << " " << area.y();
            EXPECT_FALSE(SharpAtTwice(once, area, doubled)) << layout << " " << area.y();
            EXPECT_FALSE(SharpAtTwice(once, area, smoothed)) << layout << " " << area.y();
        }
    }
}

} // namespace
} // namespace varenta::testing
