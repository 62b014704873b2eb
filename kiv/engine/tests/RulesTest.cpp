#include "TestTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace kiv {
namespace {

using testing::C;
using testing::TestTable;
using Ids = std::vector<int>;

TEST(Cards, NumbersHandsPilesAndTheFreshGenerator) {
    EXPECT_EQ((std::array{SuitOfCard(5), RankOfCard(5), PointsOfCard(5)}), (std::array{1, 10, 20}));
    EXPECT_EQ((std::array{SuitOfCard(17), RankOfCard(17), PointsOfCard(17)}),
              (std::array{4, 6, 0}));
    EXPECT_EQ((std::array{SuitOfCard(32), RankOfCard(32), PointsOfCard(32)}),
              (std::array{3, 13, 11}));
    Hand hand;
    for (int n : {20, 3, 31, 9}) {
        hand.Add(n);
    }
    EXPECT_EQ(Ids(hand.begin(), hand.end()), (Ids{3, 9, 20, 31}));
    EXPECT_THROW(hand.Remove(5), std::logic_error);

    KivRandom random;
    EXPECT_EQ(random.Next(), 41);
    CardPile pile;
    for (int n = 1; n <= 32; ++n) {
        pile.Push(n);
    }
    KivRandom fresh;
    EXPECT_EQ(pile.TakeRandom(fresh), 10);
    CardPile one; // a single card is taken without consulting the generator
    one.Push(12);
    EXPECT_EQ(one.TakeRandom(fresh), 12);
    EXPECT_EQ(fresh.Next(), 18467); // still the sequence's second value
}

TEST(Cards, ListsKeepTheirOrderWhenCardsComeAndGoAtAnyPlace) {
    // Every length up to the full deck, every place: the cards move in
    // blocks, so each place of a block and the ends of the list matter.
    for (int length = 0; length <= kCardCount; ++length) {
        for (int place = 0; place <= length; ++place) {
            CardList list;
            Ids model;
            for (int n = 1; n <= length; ++n) {
                list.Append(n);
                model.push_back(n);
            }
            if (length < kCardCount) {
                list.InsertAt(place, 99);
                model.insert(model.begin() + place, 99);
                ASSERT_EQ(Ids(list.begin(), list.end()), model) << length << " at " << place;
            } else {
                EXPECT_THROW(list.InsertAt(place, 99), std::out_of_range);
            }
            if (place < list.Count()) {
                EXPECT_EQ(list.RemoveAt(place), model[static_cast<size_t>(place)]);
                model.erase(model.begin() + place);
                ASSERT_EQ(Ids(list.begin(), list.end()), model) << length << " from " << place;
            }
        }
    }
    // A whole deck dealt into a hand in random order comes out sorted, and
    // leaves it card by card from the middle.
    KivRandom random;
    CardPile deck;
    for (int n = 1; n <= kCardCount; ++n) {
        deck.Push(n);
    }
    Hand hand;
    while (!deck.Empty()) {
        hand.Add(deck.TakeRandom(random));
    }
    Ids sorted(kCardCount);
    for (int n = 1; n <= kCardCount; ++n) {
        sorted[static_cast<size_t>(n - 1)] = n;
    }
    EXPECT_EQ(Ids(hand.begin(), hand.end()), sorted);
    for (int n : {16, 1, 32, 9, 24}) {
        hand.Remove(n);
        std::erase(sorted, n);
        EXPECT_EQ(Ids(hand.begin(), hand.end()), sorted);
    }
    EXPECT_THROW(hand.Remove(16), std::logic_error);
    EXPECT_THROW(hand.Remove(0), std::logic_error);
}

TEST(Cards, AHandsMaskFollowsItsCardsThroughRepeatsAndNonCards) {
    // The mask is kept up to date instead of counted; a number held twice
    // keeps its bit until the last copy leaves, and non-card numbers have none.
    Hand hand;
    const auto counted = [&hand] {
        std::uint32_t mask = 0;
        for (int n : hand) {
            mask |= IsCardNumber(n) ? 1u << (n - 1) : 0u;
        }
        return mask;
    };
    std::vector<std::uint32_t> seen;
    std::vector<std::uint32_t> expected;
    const auto step = [&] {
        seen.push_back(hand.Mask());
        expected.push_back(counted());
    };
    for (int n : {32, 5, 1, 5, 0, 40}) {
        hand.Add(n);
        step();
    }
    EXPECT_EQ(Ids(hand.begin(), hand.end()), (Ids{0, 1, 5, 5, 32, 40}));
    for (int n : {5, 32, 5}) {
        hand.Remove(n);
        step();
    }
    EXPECT_EQ(Ids(hand.begin(), hand.end()), (Ids{0, 1, 40}));
    hand.RemoveAt(0); // the 0
    step();
    hand.Clear();
    hand.Add(17);
    step();
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(hand.Mask(), 1u << 16);
}

TEST(Cards, AHandAnswersLikeASortedListWhateverComesAndGoes) {
    // A hand of cards lives in its mask and writes its list out only when
    // walked; a repeat or a non-card turns it into a plain list. Random
    // adds, removals and questions, checked against a sorted list, in both
    // kinds of hand: the first run only ever adds cards it does not hold.
    for (const bool oddNumbers : {false, true}) {
        KivRandom random;
        Hand hand;
        Ids model;
        for (int step = 0; step < 3000; ++step) {
            const int roll = random.Between(1, 10);
            if (roll <= 5 || model.empty()) {
                const int n = oddNumbers ? random.Between(-1, 34) : random.Between(1, kCardCount);
                if ((!oddNumbers && std::ranges::count(model, n) > 0) || model.size() == 32) {
                    continue;
                }
                hand.Add(n);
                model.insert(std::ranges::upper_bound(model, n), n);
            } else if (roll <= 7) {
                const int n = model[static_cast<size_t>(
                    random.Between(1, static_cast<int>(model.size())) - 1)];
                hand.Remove(n);
                model.erase(std::ranges::find(model, n));
            } else if (roll <= 9) {
                const int place = random.Between(1, static_cast<int>(model.size())) - 1;
                ASSERT_EQ(hand.RemoveAt(place), model[static_cast<size_t>(place)]);
                model.erase(model.begin() + place);
            } else {
                hand.Clear();
                model.clear();
            }
            const int count = static_cast<int>(model.size());
            ASSERT_EQ(hand.Count(), count) << step;
            ASSERT_EQ(hand.Last(), model.empty() ? -1 : model.back()) << step;
            for (int place : {0, count / 2, count - 1}) {
                if (place >= 0 && place < count) {
                    ASSERT_EQ(hand.At(place), model[static_cast<size_t>(place)]) << step;
                    ASSERT_EQ(hand.PositionOf(model[static_cast<size_t>(place)]),
                              std::ranges::find(model, model[static_cast<size_t>(place)]) -
                                  model.begin());
                }
            }
            const std::uint32_t someCards = 0x00FF0F0Fu << (step % 4);
            ASSERT_EQ(hand.CountIn(someCards),
                      std::ranges::count_if(model,
                                            [&](int n) {
                                                return IsCardNumber(n) &&
                                                       (someCards >> (n - 1) & 1u) != 0;
                                            }))
                << step;
            EXPECT_THROW(hand.At(count), std::out_of_range);
            EXPECT_THROW(hand.RemoveAt(-1), std::out_of_range);
            if (step % 7 == 0) { // walked now and then, so changes pile up between walks
                ASSERT_EQ(Ids(hand.begin(), hand.end()), model) << step;
            }
        }
        EXPECT_THROW(hand.Remove(33), std::logic_error);
    }
}

// The state after which the generator's next value is `value`.
std::uint32_t StateBefore(int value) {
    std::uint32_t inverse = 214013u; // of the multiplier mod 2^32, by Newton's iteration
    for (int i = 0; i < 5; ++i) {
        inverse *= 2u - 214013u * inverse;
    }
    return ((static_cast<std::uint32_t>(value) << 16) - 2531011u) * inverse;
}

TEST(Cards, EveryValueOfTheGeneratorGivesItsRemainderInEverySpan) {
    // Spans up to the deck's 32 cards divide by multiplying; beyond, and for
    // the largest values, the result must still be a + value mod span.
    KivRandom random;
    int wrong = 0;
    for (int value = 0; value <= 0x7FFF; ++value) {
        random.SetState(StateBefore(value));
        wrong += random.Next() != value;
        for (int span = 1; span <= 40; ++span) {
            random.SetState(StateBefore(value));
            wrong += random.Between(-3, span - 4) != -3 + value % span;
        }
    }
    EXPECT_EQ(wrong, 0);
}

struct Rules : ::testing::Test, TestTable {
    // The texts the legality test shows for `held`; none when it allows it.
    Ids Texts(int held) {
        const bool allowed = Check(held);
        EXPECT_EQ(allowed, port.messages.empty()) << held;
        return port.messages;
    }
};
const Ids kAllowed;

TEST_F(Rules, MatchJacksFirstJackAndJustDrawnCards) {
    const int herzDame = C(kHerz, kDame), pikDame = C(kPik, kDame), pikBube = C(kPik, kBube);
    const Ids hand = {herzDame, C(kKaro, kNeun), pikDame, pikBube};
    Arrange({hand}, {C(kHerz, kNeun)});
    EXPECT_EQ((std::array{Texts(herzDame), Texts(C(kKaro, kNeun)), Texts(pikBube), Texts(pikDame)}),
              (std::array{kAllowed, kAllowed, kAllowed, Ids{1092}}));
    EXPECT_EQ(port.log, (std::vector<std::string>{"wave falsch.wav", "message 1092"}));
    settings.ruleJackAlways = false;
    settings.soundOn = false;
    EXPECT_EQ(Texts(pikBube), Ids{1092});
    EXPECT_EQ(port.log, std::vector<std::string>{"message 1092"});

    state.firstJackOpen = true; // a first jack takes anything, unless the rule is off
    EXPECT_EQ(Texts(pikDame), kAllowed);
    settings.ruleAnyOnFirstJack = false;
    EXPECT_EQ(Texts(pikDame), Ids{1092});
    Arrange({hand}, {}); // an empty pile takes anything too
    EXPECT_EQ(Texts(pikDame), kAllowed);

    Arrange({hand}, {C(kHerz, kNeun)});
    state.justDrew = true;
    EXPECT_EQ(Texts(herzDame), Ids{1091});
    settings.ruleLayAfterDraw = true;
    EXPECT_EQ(Texts(herzDame), kAllowed);
}

TEST_F(Rules, SevensRefuseWithTexts93To95DependingOnLayAfterDraw) {
    const int dame = C(kHerz, kDame), sieben = C(kKaro, kSieben);
    Arrange({{dame, sieben}}, {C(kHerz, kSieben)});
    state.cardsToDraw = 2;
    state.sevenPending = true;
    EXPECT_EQ((std::array{Texts(dame), Texts(sieben)}), (std::array{Ids{1095}, kAllowed}));
    EXPECT_TRUE(port.Logged("wave he2.wav"));
    state.seats[0].hasDrawn = true;
    EXPECT_EQ(Texts(sieben), Ids{1095});
    settings.ruleLayAfterDraw = true; // 93 and 94 are independent of each other
    EXPECT_EQ((std::array{Texts(dame), Texts(sieben)}), (std::array{Ids{1093, 1094}, Ids{1093}}));
    state.seats[0].hasDrawn = false;
    EXPECT_EQ(Texts(sieben), kAllowed);
}

TEST_F(Rules, EightsAndWishesRefuseWithTheirTexts) {
    const int herzDame = C(kHerz, kDame), karoAcht = C(kKaro, kAcht);
    Arrange({{herzDame, karoAcht, C(kHerz, kBube)}}, {C(kHerz, kAcht)});
    EXPECT_EQ((std::array{Texts(herzDame), Texts(C(kHerz, kBube)), Texts(karoAcht)}),
              (std::array{Ids{1096}, Ids{1096}, kAllowed})); // not even a jack
    state.eightServed = true;
    EXPECT_EQ(Texts(herzDame), kAllowed);

    const int karoDame = C(kKaro, kDame), pikBube = C(kPik, kBube);
    Arrange({{karoDame, C(kHerz, kSieben), pikBube}}, {C(kKreuz, kBube)});
    settings.ruleJackAlways = false;
    const std::pair<int, int> wishes[] = {
        {kHerz, 1097}, {kKaro, 1098}, {kKreuz, 1099}, {kPik, 1100}};
    for (auto [suit, id] : wishes) {
        state.wishedSuit = suit;
        const int other = suit == kKaro ? C(kHerz, kSieben) : karoDame;
        EXPECT_EQ((std::array{Texts(other), Texts(pikBube)}), (std::array{Ids{id}, kAllowed}));
    }
    state.wishedSuit = kKaro;
    EXPECT_EQ(Texts(karoDame), kAllowed);
}

TEST_F(Rules, SevensStackAndAreDrawnOffWithTheStatusPane) {
    settings.seats[2].plays = settings.seats[3].plays = false;
    Arrange({{C(kHerz, kSieben), C(kPik, kDame)}, {C(kKaro, kSieben), C(kPik, kKoenig)}},
            {C(kHerz, kNeun)});
    Lay(0, C(kHerz, kSieben));
    ASSERT_EQ(Texts(C(kKaro, kSieben)), kAllowed);
    settings.seats[1].computer = true; // a computer's seven says "he"
    Lay(1, C(kKaro, kSieben));
    EXPECT_TRUE(port.Logged("wave he1.wav"));
    EXPECT_EQ(state.cardsToDraw, 4);
    EXPECT_EQ(port.pane1.back(), "1108| 4");
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(doc.DrawCard(false), DrawResult::Drawn);
    }
    EXPECT_EQ(port.pane1.back(), "0| ");
    EXPECT_EQ(doc.DrawCard(false), DrawResult::Refused);
    EXPECT_EQ(port.messages, Ids{1102});
}

TEST_F(Rules, EightsSkipOrMustBeAnsweredDependingOnEightOnEight) {
    const std::vector<Ids> hands = {
        {C(kHerz, kAcht), 1}, {2}, {C(kKaro, kAcht), C(kHerz, kDame)}, {4}};
    Arrange(hands, {C(kHerz, kNeun)});
    Lay(0, C(kHerz, kAcht));
    EXPECT_EQ(doc.DrawCard(false), DrawResult::Refused);
    EXPECT_EQ(port.messages, Ids{1103});
    doc.NextPlayerCommand(); // seat 1 sits out, seat 2 plays normally on the eight
    EXPECT_EQ(state.currentSeat, 2);
    EXPECT_TRUE(port.Logged("wave o.wav"));
    EXPECT_EQ(Texts(C(kHerz, kDame)), kAllowed);

    settings.ruleEightOnEight = false;
    Arrange(hands, {C(kHerz, kNeun)});
    Lay(0, C(kHerz, kAcht));
    EXPECT_EQ(state.currentSeat, 2);
    Lay(2, C(kKaro, kAcht));
    EXPECT_EQ(state.currentSeat, 0);
    EXPECT_EQ(port.Count(GameEventKind::Turn), 2);
}

TEST_F(Rules, FirstCardEffects) {
    Arrange({{1}}, {});
    doc.TurnUpCard(C(kHerz, kSieben));
    EXPECT_EQ(state.cardsToDraw, 2);
    EXPECT_TRUE(state.sevenPending);
    Arrange({{1}}, {});
    doc.TurnUpCard(C(kHerz, kBube));
    EXPECT_TRUE(state.firstJackOpen);
    Arrange({{1}}, {});
    doc.TurnUpCard(C(kHerz, kAcht)); // eight on eight: seat 0 must answer it
    EXPECT_EQ(state.currentSeat, 0);
    settings.ruleEightOnEight = false;
    Arrange({{1}}, {});
    doc.TurnUpCard(C(kHerz, kAcht));
    EXPECT_EQ(port.messages, Ids{1139});
    EXPECT_EQ(state.currentSeat, 1);
    const Ids none;
    Arrange({{1}}, {}, &none);
    doc.TurnUpCard(-1);
    EXPECT_EQ(port.messages, Ids{1101});
}

TEST_F(Rules, HumanJackAsksForTheSuitBeforeTheSeatGoesOut) {
    Arrange({{C(kHerz, kBube)}, {1}, {2}, {3}}, {C(kHerz, kNeun)});
    port.jackSuit = kPik;
    Lay(0, C(kHerz, kBube));
    EXPECT_EQ(port.log[1], "wave hmm.wav");
    EXPECT_EQ(port.log[2], "jack dialog");
    EXPECT_EQ(port.pane1.back(), "1107|");
    EXPECT_TRUE(port.Logged("wave pik.wav"));
    ASSERT_GE(port.events.size(), 3u);
    EXPECT_EQ(port.events[1].kind, GameEventKind::Wish);
    EXPECT_EQ(port.events[2].kind, GameEventKind::Out);
}

// (Its refusals 116 and 137 are tried through the window's menu.)
TEST_F(Rules, NewGameAsksAndOnYesZeroesThePlayingSeatsAndDeals) {
    Arrange({{1}, {2}}, {C(kHerz, kNeun)});
    state.seats[0].score = 50;
    doc.NewGameCommand();
    EXPECT_EQ(port.log.back(), "ask 1115");
    EXPECT_EQ(state.seats[0].score, 50);
    port.answerYes = true;
    doc.NewGameCommand();
    EXPECT_EQ(
        (std::array{state.seats[0].score, state.seats[1].hand.Count(), doc.CardsAccountedFor()}),
        (std::array{0, 5, kCardCount}));
}

} // namespace
} // namespace kiv
