#include "varenta/store/SavedGameFile.h"

#include "varenta/engine/Texts.h"
#include "varenta/engine/VarentaEngine.h"
#include "varenta/store/InputFile.h"
#include "varenta/store/SavedGameTexts.h"
#include "varenta/store/WriteTarget.h"

#include <QCoreApplication>
#include <QString>

#include <array>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace varenta {

namespace {

constexpr std::size_t kSignatureLength = sizeof texts::kSavedGameSignature - 1;

// Far beyond any table, close enough to zero that carrying a position to
// another layout cannot overflow.
constexpr long long kMaxPosition = 100000;
// Scores and meld points of any real game lie well inside this; the limit
// keeps the scoring's sums away from overflow.
constexpr long long kMaxScore = 10000000;

// A fixed text of the table in the user's language, as UTF-8.
std::string Shown(const char* text) {
    return QCoreApplication::translate("varenta", text).toStdString();
}

// `text` in the user's language with %1 and %2 filled in.
std::string Format(const char* text, std::string_view a, std::string_view b = {}) {
    const std::string pattern = Shown(text);
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() &&
            (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
            out += pattern[i + 1] == '1' ? a : b;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

// ---- writing ------------------------------------------------------------------

class Writer {
public:
    void Number(long long n) {
        out_ += std::to_string(n);
        out_ += ' ';
    }
    void LineEnd() { out_ += "\r\n"; }
    void Text(std::string_view text) { out_ += text; }

    void Pile(const CardPile& pile, bool anchors) {
        Number(pile.count);
        for (int i = 0; i < pile.count; ++i) {
            const Card& c = pile[i];
            Number(c.code);
            Number(c.rank);
            Number(c.x);
            Number(c.y);
            Number(c.points);
            Number(c.faceUp ? 1 : 0);
            Number(c.deckNo);
        }
        if (anchors) {
            for (const ColumnAnchor& a : pile.columns) {
                Number(a.x);
                Number(a.y);
            }
        }
        LineEnd();
    }

    void Tally(const VarentaTally& tally) {
        Number(tally.count);
        for (int c = 1; c < kColumns; ++c) {
            Number(tally.kind[static_cast<std::size_t>(c)]);
        }
        for (int c = 1; c < kColumns; ++c) {
            Number(tally.naturals[static_cast<std::size_t>(c)]);
        }
        LineEnd();
    }

    std::string Take() { return std::move(out_); }

private:
    std::string out_;
};

// ---- reading ------------------------------------------------------------------

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Reads the numbers of a file one by one, knowing the line it is on, and
// stops at the first fault with a description of it.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    bool Signature() {
        if (bytes_.substr(0, kSignatureLength) != texts::kSavedGameSignature) {
            return Fail("it does not begin with \"" + std::string(texts::kSavedGameSignature) +
                        "\"");
        }
        pos_ = kSignatureLength;
        return true;
    }

    bool Number(std::string_view what, long long low, long long high, long long& value) {
        SkipSpace();
        if (pos_ >= bytes_.size()) {
            return Fail("the file ends before " + Describe(what));
        }
        const std::size_t start = pos_;
        while (pos_ < bytes_.size() && !IsSpace(bytes_[pos_])) {
            ++pos_;
        }
        const std::string_view token = bytes_.substr(start, pos_ - start);
        const char* first = token.data();
        const char* last = token.data() + token.size();
        const auto [end, error] = std::from_chars(first, last, value);
        if (error == std::errc::result_out_of_range) {
            return Fail(Describe(what) + " is far too large");
        }
        if (error != std::errc() || end != last) {
            return Fail(Describe(what) + " is not a number");
        }
        if (value < low || value > high) {
            return Fail(Describe(what) + " is " + std::to_string(value) + ", not " +
                        std::to_string(low) + " to " + std::to_string(high));
        }
        return true;
    }

    template <typename T>
    bool Field(std::string_view what, long long low, long long high, T& field) {
        long long value = 0;
        if (!Number(what, low, high, value)) {
            return false;
        }
        field = static_cast<T>(value);
        return true;
    }

    bool Bool(std::string_view what, bool& field) {
        long long value = 0;
        if (!Number(what, 0, 255, value)) {
            return false;
        }
        field = value != 0;
        return true;
    }

    bool Pile(CardPile& pile, bool anchors) {
        pile = CardPile{};
        long long count = 0;
        if (!Number("the number of cards", 0, kDeckSize, count)) {
            return false;
        }
        for (int i = 0; i < count; ++i) {
            Card& c = pile.cards[static_cast<std::size_t>(i)];
            Subject("card ", i + 1);
            if (!Field("'s code", 1, kJokerCode, c.code) || !Field("'s rank", 0, 13, c.rank) ||
                !Field("'s x", -kMaxPosition, kMaxPosition, c.x) ||
                !Field("'s y", -kMaxPosition, kMaxPosition, c.y) ||
                !Field("'s points", -kMaxScore, kMaxScore, c.points) ||
                !Bool("'s face", c.faceUp) || !Field("'s deck", 0, 1, c.deckNo)) {
                return false;
            }
            if (c.rank != CardRank(c.code)) {
                return Fail(Describe("") + " has the rank " + std::to_string(c.rank) +
                            ", which does not belong to its code " + std::to_string(c.code));
            }
            if (c.points != CardPoints(c.code)) {
                return Fail(Describe("") + " is worth " + std::to_string(c.points) +
                            " points, which does not belong to its code " + std::to_string(c.code));
            }
        }
        pile.count = static_cast<std::uint8_t>(count);
        if (anchors) {
            for (std::size_t col = 0; col < pile.columns.size(); ++col) {
                Subject("the anchor of column ", static_cast<int>(col));
                if (!Field("", -kMaxPosition, kMaxPosition, pile.columns[col].x) ||
                    !Field("", -kMaxPosition, kMaxPosition, pile.columns[col].y)) {
                    return false;
                }
            }
        }
        Subject(nullptr, 0);
        return true;
    }

    bool Tally(VarentaTally& tally) {
        tally = VarentaTally{};
        // Each meld column 1..13 holds one Varenta at most.
        if (!Field("the number of Varentas", 0, kColumns - 1, tally.count)) {
            return false;
        }
        for (std::size_t col = 1; col < kColumns; ++col) {
            Subject("the kind of Varenta ", static_cast<int>(col));
            if (!Field("", kNoVarenta, kWildVarenta, tally.kind[col])) {
                return false;
            }
        }
        for (std::size_t col = 1; col < kColumns; ++col) {
            Subject("the natural cards of Varenta ", static_cast<int>(col));
            if (!Field("", 0, kDeckSize, tally.naturals[col])) {
                return false;
            }
        }
        Subject(nullptr, 0);
        return true;
    }

    // What the following numbers belong to ("card " and its number), put in
    // front of their names only when a message is made.
    void Subject(const char* subject, int number) {
        subject_ = subject;
        subjectNumber_ = number;
    }
    std::string Describe(std::string_view what) const {
        std::string text;
        if (subject_ != nullptr) {
            text = subject_ + std::to_string(subjectNumber_);
        }
        text += what;
        return text;
    }

    bool End() {
        SkipSpace();
        if (pos_ < bytes_.size()) {
            return Fail("there is more after the last value");
        }
        return true;
    }

    // The problem found, with its line. Lines are counted for the messages
    // only: the numbers may be broken over lines as long as they come in order.
    std::string Problem() const { return problem_; }

    bool Fail(const std::string& what) {
        problem_ = "line " + std::to_string(line_) + ": " + what;
        return false;
    }

private:
    void SkipSpace() {
        while (pos_ < bytes_.size() && IsSpace(bytes_[pos_])) {
            if (bytes_[pos_] == '\n') {
                ++lineBreaks_;
            }
            ++pos_;
        }
        line_ = lineBreaks_ + 1;
    }

    std::string_view bytes_;
    const char* subject_ = nullptr;
    int subjectNumber_ = 0;
    std::size_t pos_ = 0;
    int lineBreaks_ = 0;
    int line_ = 1;
    std::string problem_;
};

// Every one of the 108 cards lies in exactly one of the six piles of play;
// the backups hold copies and are not counted.
bool EveryCardOnce(const GameState& s, std::string& problem) {
    // Per code and deck: one of each suited card, two jokers.
    std::array<std::array<int, 2>, kJokerCode + 1> seen{};
    for (const CardPile* pile : {&s.stock, &s.discardPile, &s.playerHand, &s.opponentHand,
                                 &s.playerMelds, &s.opponentMelds}) {
        for (int i = 0; i < pile->count; ++i) {
            const Card& c = (*pile)[i];
            ++seen[c.code][c.deckNo];
        }
    }
    for (int code = 1; code <= kJokerCode; ++code) {
        const int expected = code == kJokerCode ? 2 : 1;
        for (int deck = 0; deck < 2; ++deck) {
            const int n = seen[static_cast<std::size_t>(code)][static_cast<std::size_t>(deck)];
            if (n != expected) {
                problem = "the card with the code " + std::to_string(code) + " of deck " +
                          std::to_string(deck) + (n < expected ? " is missing" : " is there twice");
                return false;
            }
        }
    }
    return true;
}

// The hand, the melds and their copies are laid out by table column: every
// card must lie in one of the fourteen, or the game would look for it in a
// column that does not exist.
bool CardsInColumns(const SavedGame& game, std::string& problem) {
    const GameState& s = game.state;
    struct Area {
        const CardPile* pile;
        int line;
    };
    const std::array<Area, 5> areas = {{{&s.opponentMelds, 5},
                                        {&s.playerHand, 6},
                                        {&s.playerMelds, 7},
                                        {&s.playerHandBackup, 8},
                                        {&s.playerMeldsBackup, 9}}};
    const long long width = game.columnWidth;
    for (const Area& area : areas) {
        for (int i = 0; i < area.pile->count; ++i) {
            const long long offset = (*area.pile)[i].x - TableGeometry::kLeftMargin;
            if (offset < 0 || offset >= width * kColumns) {
                problem = "line " + std::to_string(area.line) + ": card " + std::to_string(i + 1) +
                          " lies outside the table's " + std::to_string(kColumns) + " columns";
                return false;
            }
        }
    }
    return true;
}

// A position the rules can reach: every meld on the table holds at least
// three cards (red threes lie alone by their own rule), natural cards in the
// column of their rank, never more wild cards than natural ones, and the
// wild cards' own meld only as a Varenta; and the first-meld
// minimum is one the game sets (by the score, raised by the cards of takes
// that must not count).
bool ReachablePosition(const SavedGame& game, std::string& problem) {
    const GameState& s = game.state;
    const struct {
        const CardPile* melds;
        int line;
        bool mayBeOpen; // a take of the pile is still being melded
    } sides[] = {{&s.opponentMelds, 5, false},
                 {&s.playerMelds, 7, s.topCardPending || s.pileTopMustMeld}};
    for (const auto& side : sides) {
        std::array<int, kColumns> cards{};
        std::array<int, kColumns> naturals{};
        const std::string line = "line " + std::to_string(side.line) + ": ";
        for (int i = 0; i < side.melds->count; ++i) {
            const Card& c = (*side.melds)[i];
            if (IsRedThree(c)) {
                continue;
            }
            const int col = (c.x - TableGeometry::kLeftMargin) / game.columnWidth;
            // A natural card is only ever melded in the column of its rank.
            if (IsNatural(c) && col != c.rank) {
                problem = line + "card " + std::to_string(i + 1) + " is melded in column " +
                          std::to_string(col) + ", not in the column of its rank";
                return false;
            }
            ++cards.at(static_cast<std::size_t>(col));
            naturals.at(static_cast<std::size_t>(col)) += IsNatural(c) ? 1 : 0;
        }
        for (int col = 0; col < kColumns; ++col) {
            const int n = cards.at(static_cast<std::size_t>(col));
            if (n > 0 && n < 3 && !side.mayBeOpen) {
                problem = line + "the meld in column " + std::to_string(col) + " holds " +
                          std::to_string(n) + (n == 1 ? " card" : " cards") +
                          ", and a meld has at least three";
                return false;
            }
            if (side.mayBeOpen) {
                continue; // wild cards may still be on their way to their meld
            }
            // What every table had to be at each discard, whatever the rules:
            // no meld with more wild cards than natural ones, and wild cards
            // on their own only as a whole Varenta.
            const int wild = n - naturals.at(static_cast<std::size_t>(col));
            if (col > kThreesColumn && wild > n - wild) {
                problem = line + "the meld in column " + std::to_string(col) + " holds " +
                          std::to_string(wild) + " wild cards and " + std::to_string(n - wild) +
                          " natural ones";
                return false;
            }
            if (col == kWildColumn && n > 0 && n < 7) {
                problem = line + "the wild cards' meld holds " + std::to_string(n) +
                          " cards, and it is only laid as a Varenta of seven";
                return false;
            }
        }
    }
    // Without Top Card Counts every take of the pile raises the minimum by
    // its top card's points, and a completed take leaves it raised for the
    // rest of the hand, when it no longer matters: once the player has
    // melds, or while a take is pending, any such sum may stand above the
    // score's minimum; before, the minimum is exactly the score's.
    bool melded = s.topCardPending;
    for (int i = 0; i < s.playerMelds.count && !melded; ++i) {
        melded = !IsRedThree(s.playerMelds[i]);
    }
    bool minimumKnown = false;
    for (const int base : {15, 50, 90, 120}) {
        const int raise = s.initialMeldMinimum - base;
        minimumKnown = minimumKnown || raise == 0 || (melded && raise > 0 && raise % 5 == 0);
    }
    if (!minimumKnown) {
        problem = "the first meld's minimum " + std::to_string(s.initialMeldMinimum) +
                  " is none the game sets";
        return false;
    }
    return true;
}

// ---- files --------------------------------------------------------------------

std::string ErrnoText(int code) {
    return std::strerror(code);
}

// Reads a regular file of sane size; errno on failure (ENOENT for a missing file).
int ReadWholeFile(const std::string& path, std::string& out, bool& tooLarge) {
    QByteArray bytes;
    const int error =
        ReadInputFile(QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size())),
                      kMaxSavedGameSize, bytes);
    tooLarge = error == EFBIG;
    out.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return error;
}

int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

std::string UnreadableMessage(const std::string& path, int error, bool tooLarge) {
    return Format(texts::kSavedGameUnreadable, path,
                  tooLarge ? Shown(texts::kSavedGameTooLarge) : ErrnoText(error));
}

std::string CapitalisedName(const std::string& path) {
    return QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size()))
        .toUpper()
        .toLocal8Bit()
        .toStdString();
}

} // namespace

std::string FormatGameFileText(const char* text, std::string_view a, std::string_view b) {
    return Format(text, a, b);
}

std::string SerializeSavedGame(const GameState& s, int layout) {
    Writer w;
    w.Text(texts::kSavedGameSignature);
    w.Text(" ");
    w.Pile(s.stock, false);
    w.Pile(s.discardPile, false);
    w.Pile(s.opponentHand, false);
    w.Pile(s.discardPileBackup, false);
    w.Pile(s.opponentMelds, true);
    w.Pile(s.playerHand, true);
    w.Pile(s.playerMelds, true);
    w.Pile(s.playerHandBackup, true);
    w.Pile(s.playerMeldsBackup, true);
    w.Tally(s.playerVarentas);
    w.Tally(s.opponentVarentas);
    w.Tally(s.playerVarentasBackup);
    for (bool flag : {s.pileFrozen, s.hasDrawn, s.topCardPending, s.pileTopMustMeld,
                      s.blackThreesAllowed, s.gameInProgress, s.opponentCardsShown}) {
        w.Number(flag ? 1 : 0);
    }
    w.Number(s.pileTopColumnBefore);
    w.Number(static_cast<std::uint8_t>(s.opponentHandSpacing));
    w.Number(s.opponentMeldPoints);
    w.Number(s.opponentScore);
    w.Number(s.playerScore);
    w.Number(s.initialMeldMinimum);
    w.Number(static_cast<std::uint8_t>(layout));
    return w.Take();
}

bool ParseSavedGame(std::string_view bytes, SavedGame& out, std::string& problem) {
    Reader r(bytes);
    GameState& s = out.state;
    s = GameState{};
    // A short-circuit chain: the first fault stops the reading.
    const bool read =
        r.Signature() && r.Pile(s.stock, false) && r.Pile(s.discardPile, false) &&
        r.Pile(s.opponentHand, false) && r.Pile(s.discardPileBackup, false) &&
        r.Pile(s.opponentMelds, true) && r.Pile(s.playerHand, true) &&
        r.Pile(s.playerMelds, true) && r.Pile(s.playerHandBackup, true) &&
        r.Pile(s.playerMeldsBackup, true) && r.Tally(s.playerVarentas) &&
        r.Tally(s.opponentVarentas) && r.Tally(s.playerVarentasBackup) &&
        r.Bool("the frozen pile", s.pileFrozen) && r.Bool("the drawn flag", s.hasDrawn) &&
        r.Bool("the pending pile flag", s.topCardPending) &&
        r.Bool("the top card flag", s.pileTopMustMeld) &&
        r.Bool("the black threes flag", s.blackThreesAllowed) &&
        r.Bool("the game flag", s.gameInProgress) &&
        r.Bool("the shown opponent cards", s.opponentCardsShown) &&
        r.Field("the top card's column", 0, kDeckSize, s.pileTopColumnBefore) &&
        r.Field("the opponent's card spacing", 0, 255, s.opponentHandSpacing) &&
        r.Field("the opponent's meld points", -kMaxScore, kMaxScore, s.opponentMeldPoints) &&
        r.Field("the opponent's score", -kMaxScore, kMaxScore, s.opponentScore) &&
        r.Field("the player's score", -kMaxScore, kMaxScore, s.playerScore) &&
        r.Field("the initial meld minimum", -kMaxScore, kMaxScore, s.initialMeldMinimum) &&
        r.Field("the table layout", 0, TableGeometry::kLayouts - 1, out.layout) && r.End();
    if (!read) {
        problem = r.Problem();
        return false;
    }
    if (!EveryCardOnce(s, problem)) {
        return false;
    }
    // A red three goes to the melds the moment it reaches a hand; the game
    // has no move for one held there.
    for (const auto& [hand, line] : {std::pair{&s.opponentHand, 3}, std::pair{&s.playerHand, 6}}) {
        for (int i = 0; i < hand->count; ++i) {
            if (IsRedThree((*hand)[i])) {
                problem = "line " + std::to_string(line) + ": card " + std::to_string(i + 1) +
                          " is a red three, which is never held in a hand";
                return false;
            }
        }
    }
    // The hand's anchors lie one column width apart (the deal and every
    // change of layout lay them out so); its cards' columns are found with it.
    const std::array<ColumnAnchor, kColumns>& anchors = s.playerHand.columns;
    out.columnWidth = anchors[1].x - anchors[0].x;
    for (std::size_t col = 0; col < anchors.size(); ++col) {
        if (out.columnWidth < 1 || anchors[0].x != TableGeometry::kLeftMargin ||
            anchors[col].x != anchors[0].x + static_cast<int>(col) * out.columnWidth) {
            problem = "line 6: the column anchors of the hand are not one column apart";
            return false;
        }
    }
    return CardsInColumns(out, problem) && ReachablePosition(out, problem);
}

SavedGameCheck CheckSavedGame(const std::string& path, std::string& message) {
    std::string bytes;
    bool tooLarge = false;
    const int error = ReadWholeFile(path, bytes, tooLarge);
    if (error == ENOENT) {
        message = UnreadableMessage(path, error, false);
        return SavedGameCheck::Missing;
    }
    if (error != 0) {
        message = UnreadableMessage(path, error, tooLarge);
        return SavedGameCheck::Refused;
    }
    if (std::string_view(bytes).substr(0, kSignatureLength) != texts::kSavedGameSignature) {
        message = CapitalisedName(path) + Shown(texts::kNotSavedGame);
        return SavedGameCheck::Refused;
    }
    return SavedGameCheck::Ok;
}

bool ReadSavedGameFile(const std::string& path, SavedGame& out, std::string& message) {
    std::string bytes;
    bool tooLarge = false;
    const int error = ReadWholeFile(path, bytes, tooLarge);
    if (error != 0) {
        message = UnreadableMessage(path, error, tooLarge);
        return false;
    }
    if (std::string_view(bytes).substr(0, kSignatureLength) != texts::kSavedGameSignature) {
        message = CapitalisedName(path) + Shown(texts::kNotSavedGame);
        return false;
    }
    std::string problem;
    if (!ParseSavedGame(bytes, out, problem)) {
        message = Format(texts::kSavedGameDamaged, path, problem);
        return false;
    }
    return true;
}

bool WriteSavedGameFile(const std::string& requested, const GameState& state, int layout,
                        std::string& message, const std::function<void()>& beforeReplace) {
    return WriteGameFileBytes(requested, SerializeSavedGame(state, layout), message, beforeReplace);
}

bool ReadGameFileBytes(const std::string& path, std::string& bytes, std::string& message,
                       bool& missing) {
    bool tooLarge = false;
    const int error = ReadWholeFile(path, bytes, tooLarge);
    missing = error == ENOENT;
    if (error != 0) {
        message = UnreadableMessage(path, error, tooLarge);
        return false;
    }
    return true;
}

bool WriteGameFileBytes(const std::string& requested, std::string_view bytes, std::string& message,
                        const std::function<void()>& beforeReplace) {
    const WriteTarget target = ResolveWriteTarget(requested);
    if (target.refusal != WriteRefusal::None) {
        message = Format(texts::kSavedGameNotWritten, requested, RefusalReason(target.refusal));
        return false;
    }
    const std::string& path = target.path;
    // The new file is made beside the old one (a rename never crosses file
    // systems) under a name of its own, so a leftover of an earlier crash or
    // another file of the user's is never what gets written into.
    const std::size_t slash = path.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string(".") : path.substr(0, slash);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::string temp = (slash == std::string::npos ? std::string() : folder + "/") + "." +
                             base + ".saving-" + std::to_string(::getpid());
    ::unlink(temp.c_str()); // only a leftover of this same process id can be there
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        message = Format(texts::kSavedGameNotWritten, path, ErrnoText(errno));
        return false;
    }
    int error = WriteAll(fd, bytes);
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0) {
        if (beforeReplace) {
            beforeReplace();
        }
        if (::rename(temp.c_str(), path.c_str()) != 0) {
            error = errno;
        }
    }
    if (error != 0) {
        ::unlink(temp.c_str());
        message = Format(texts::kSavedGameNotWritten, path, ErrnoText(error));
        return false;
    }
    // The rename itself made durable; a failure here loses nothing visible.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

void ApplySavedGame(VarentaEngine& engine, const SavedGame& game) {
    engine.LoadPosition(game);
}

SaveRefusal CheckSaveAllowed(const VarentaEngine& engine, bool automatic) {
    if (!automatic && engine.State().topCardPending) {
        return SaveRefusal::TakePending;
    }
    std::string_view reason;
    if (!engine.ValidateMeldsWithTop(reason)) {
        return SaveRefusal::MeldIncorrect;
    }
    return SaveRefusal::None;
}

std::string DefaultSaveFileName(std::string_view playerName) {
    QString name = QString::fromUtf8(playerName.data(), static_cast<qsizetype>(playerName.size()));
    // The characters a file name could not hold where these files began, and
    // the folder separator of this system, which would make the name a path.
    for (const char c : {'"', '*', ':', '?', '\\', '/'}) {
        name.remove(QLatin1Char(c));
    }
    name.truncate(250);
    if (name.isEmpty()) {
        return texts::kDefaultSaveName;
    }
    return (name + ".var").toStdString();
}

int RemoveStaleSaves(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return 0;
    }
    constexpr std::string_view kMark = ".saving-";
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        const std::size_t mark = name.rfind(kMark);
        if (name.size() < 2 || name[0] != '.' || mark == std::string_view::npos || mark < 2) {
            continue;
        }
        const std::string_view digits = name.substr(mark + kMark.size());
        long pid = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), pid);
        if (error != std::errc() || end != digits.data() + digits.size() || pid <= 0) {
            continue;
        }
        // ESRCH: that process is gone. EPERM: someone else's process lives
        // under that number, so the file is left alone.
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) {
            continue;
        }
        const std::string path = folder + "/" + std::string(name);
        struct stat info {};
        if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            ::unlink(path.c_str()) == 0) {
            ++removed;
        }
    }
    ::closedir(dir);
    return removed;
}

} // namespace varenta
