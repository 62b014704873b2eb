#include "kiv/shell/KivFiles.h"

#include "kiv/shell/KivFileAccess.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace kiv {
namespace {

// Lines of a text file as the program reads them: CR LF or LF line ends,
// UTF-8 text (a line that is not valid UTF-8 is taken as Latin-1, as older
// files were written), `limits[i]` characters at most for line i.
class LineReader {
public:
    explicit LineReader(const QByteArray& data) : lines_(WithoutByteOrderMark(data).split('\n')) {
        // A final line end does not start another line.
        if (!lines_.isEmpty() && lines_.last().isEmpty()) {
            lines_.removeLast();
        }
    }

    QString Next(int limit) {
        if (next_ >= lines_.size()) {
            return QString();
        }
        QByteArray raw = lines_[next_++];
        if (raw.endsWith('\r')) {
            raw.chop(1);
        }
        // A mark inside a line is text like any other, kept as it is.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::ConvertInitialBom);
        QString text = utf8.decode(raw);
        if (utf8.hasError()) {
            text = QString::fromLatin1(raw);
        }
        return CutToLength(text, limit);
    }

    std::int64_t NextInteger() { return LeadingInteger(Next(kShortLineLimit)); }
    int NextInt() {
        const std::int64_t v = NextInteger();
        if (v > std::numeric_limits<int>::max()) {
            return std::numeric_limits<int>::max();
        }
        if (v < std::numeric_limits<int>::min()) {
            return std::numeric_limits<int>::min();
        }
        return static_cast<int>(v);
    }
    bool NextFlag() { return NextInteger() != 0; }

private:
    // Editors may put a byte-order mark at the start of the file.
    static QByteArray WithoutByteOrderMark(const QByteArray& data) {
        return data.startsWith("\xEF\xBB\xBF") ? data.mid(3) : data;
    }

    QList<QByteArray> lines_;
    qsizetype next_ = 0;
};

// Neither file has any business being large: a bigger one, or anything
// that is not a regular file, counts as unreadable.
bool ReadAll(const QString& path, QByteArray& data) {
    return ReadInputFile(path, kMaxTextFileBytes, data) == 0;
}

bool WriteLines(const QString& path, const QStringList& lines) {
    return ReplaceFile(path, FileBytes(lines));
}

QString Flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

QString ConfigFolder() {
    QString base = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    if (base.isEmpty() || QDir::isRelativePath(base)) {
        base = QDir::homePath() + QStringLiteral("/.config");
    }
    return base + QStringLiteral("/kiv");
}

bool EnsureFolder(const QString& folder) {
    return QDir().mkpath(folder);
}

QString CutToLength(const QString& text, int limit) {
    qsizetype end = std::min<qsizetype>(text.size(), limit);
    // Never half a character: a pair that stands for one character outside
    // the basic plane is kept whole or dropped whole (and the first half of
    // one already cut elsewhere goes too).
    if (end > 0 && text[end - 1].isHighSurrogate()) {
        --end;
    }
    return text.left(end);
}

std::int64_t LeadingInteger(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i].unicode() - '0';
        if (value > (kMax - digit) / 10) {
            value = kMax;
            continue;
        }
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

QByteArray FileBytes(const QStringList& lines) {
    QByteArray data;
    for (const QString& line : lines) {
        data += line.toUtf8();
        data += "\r\n";
    }
    return data;
}

ConfigRead ReadConfigFile(const QString& path, KivSettings& settings) {
    QByteArray data;
    if (!ReadAll(path, data)) {
        return ConfigRead::Missing;
    }
    return ParseConfig(data, settings);
}

ConfigRead ParseConfig(const QByteArray& data, KivSettings& settings) {
    LineReader in(data);
    if (in.Next(kLongLineLimit) == QStringLiteral("Init")) {
        return ConfigRead::InitFile;
    }
    for (SeatSetup& seat : settings.seats) {
        seat.name = in.Next(kShortLineLimit);
        seat.plays = in.NextFlag();
        seat.computer = in.NextFlag();
    }
    settings.pointsToWin = in.NextInt();
    settings.cardsPerPlayer = in.NextInt();
    settings.animateCards = in.NextFlag();
    settings.ruleLayAfterDraw = in.NextFlag();
    settings.ruleEightOnEight = in.NextFlag();
    settings.ruleJackAlways = in.NextFlag();
    settings.ruleAnyOnFirstJack = in.NextFlag();
    settings.ruleEndOnFirstOut = in.NextFlag();
    settings.soundOn = in.NextFlag();
    settings.musicOn = in.NextFlag();
    settings.midiFile = in.Next(kLongLineLimit);
    settings.deckBack = in.NextInt();
    settings.backgroundColor = static_cast<std::uint32_t>(in.NextInteger());
    settings.computerDelay = in.NextInt();
    settings.languageBase = in.NextInt();
    settings.cardSpeed = in.NextInt();
    settings.windowWidth = in.NextInt();
    settings.windowHeight = in.NextInt();
    settings.fullScreen = in.NextFlag();
    return ConfigRead::Read;
}

void RepairSettings(KivSettings& settings, int detectedLanguage) {
    const KivSettings defaults;
    settings.seats[0].plays = true;
    settings.seats[0].computer = false;
    if (!settings.seats[1].plays && !settings.seats[2].plays && !settings.seats[3].plays) {
        for (int i = 1; i < 4; ++i) {
            settings.seats[i].plays = defaults.seats[i].plays;
        }
    }
    if (settings.cardsPerPlayer < 3 || settings.cardsPerPlayer > 6) {
        settings.cardsPerPlayer = defaults.cardsPerPlayer;
    }
    if (settings.cardSpeed < 1) {
        settings.cardSpeed = defaults.cardSpeed;
    }
    // Speeds and pauses stay within what the settings sheet offers: a huge
    // pause would keep a computer seat (and closing) waiting for weeks.
    settings.cardSpeed = std::clamp(settings.cardSpeed, kMinCardSpeed, kMaxCardSpeed);
    settings.computerDelay =
        std::clamp(settings.computerDelay, kMinComputerDelay, kMaxComputerDelay);
    if (settings.pointsToWin < 1) {
        settings.pointsToWin = defaults.pointsToWin;
    }
    if (settings.languageBase != 1000 && settings.languageBase != 5000) {
        settings.languageBase = detectedLanguage;
    }
    if (settings.windowWidth <= 0 || settings.windowHeight <= 0) {
        settings.windowWidth = 0;
        settings.windowHeight = 0;
    }
}

QStringList ConfigLines(const KivSettings& s) {
    QStringList lines;
    lines << QString::fromUtf8(kConfigHeader);
    for (const SeatSetup& seat : s.seats) {
        lines << seat.name << Flag(seat.plays) << Flag(seat.computer);
    }
    lines << QString::number(s.pointsToWin) << QString::number(s.cardsPerPlayer)
          << Flag(s.animateCards) << Flag(s.ruleLayAfterDraw) << Flag(s.ruleEightOnEight)
          << Flag(s.ruleJackAlways) << Flag(s.ruleAnyOnFirstJack) << Flag(s.ruleEndOnFirstOut)
          << Flag(s.soundOn) << Flag(s.musicOn) << s.midiFile << QString::number(s.deckBack)
          << QString::number(s.backgroundColor) << QString::number(s.computerDelay)
          << QString::number(s.languageBase) << QString::number(s.cardSpeed);
    // Until a window has been closed the file keeps the game's lines alone.
    if (s.windowWidth > 0 && s.windowHeight > 0) {
        lines << QString::number(s.windowWidth) << QString::number(s.windowHeight)
              << Flag(s.fullScreen);
    }
    return lines;
}

bool WriteConfigFile(const QString& path, const KivSettings& settings) {
    return WriteLines(path, ConfigLines(settings));
}

std::int64_t AddSaturating(std::int64_t a, std::int64_t b) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) {
        return b > 0 ? kRankingLimit : -kRankingLimit;
    }
    return std::clamp(sum, -kRankingLimit, kRankingLimit);
}

bool ReadRankingFile(const QString& path, RankingValues& values) {
    QByteArray data;
    if (!ReadAll(path, data)) {
        return false;
    }
    values = ParseRanking(data);
    return true;
}

RankingValues ParseRanking(const QByteArray& data) {
    LineReader in(data);
    RankingValues values{};
    for (std::int64_t& v : values) {
        v = std::clamp(in.NextInteger(), -kRankingLimit, kRankingLimit);
    }
    return values;
}

QStringList RankingLines(const RankingValues& values) {
    QStringList lines;
    for (std::int64_t v : values) {
        lines << QString::number(v);
    }
    return lines;
}

bool WriteRankingFile(const QString& path, const RankingValues& values) {
    return WriteLines(path, RankingLines(values));
}

} // namespace kiv
