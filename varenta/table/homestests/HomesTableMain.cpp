// One real table window of a player at home, for the homes tests: the real
// connect dialog, the real STUN query, the real router and real sockets; a
// counting clock and a silent sound player are the only stand-ins. The
// harness (homes-tables.sh) runs two of these in two homes of the test world
// and talks to each over its standard input and output, one line at a time:
//
//   out "choosing internet"      the dialog is open on "LAN"; nothing has
//                                 asked a server yet
//   in  "go"                      the player chooses "Internet"
//   out "listed: A B..."          the addresses the dialog lists for the partner
//   out "router note: TEXT"       what the dialog says of the router's address
//   in  "partner ADDRESS"         the player types the partner's address, Connect
//   out "router port: TEXT"       (--router) the listening side's router news
//   out "connected: PANEL"        the session is open and the first deal lies
//   out "turns: OWN PARTNER", "digest: HEX", "mirrored digest: HEX",
//       "panel: TEXT", "status line: TEXT", "chat: TEXT", "boxes: N", "done"
//   in  "quit"                    the player closes the window
//
// Every turn is played by the table's keys: F6 draws, F10 and a rank key
// discard. Anything unexpected ends the program with status 1 and an
// "error: " line.
#include "varenta/engine/VarentaEngine.h"
#include "varenta/net/session/NetworkSession.h"
#include "varenta/store/SettingsFile.h"
#include "varenta/table/ChatWindow.h"
#include "varenta/table/ConnectDialog.h"
#include "varenta/table/Jukebox.h"
#include "varenta/table/ResultDialogs.h"
#include "varenta/table/SoundEvents.h"
#include "varenta/table/TableClock.h"
#include "varenta/table/TableController.h"
#include "varenta/table/TableNetwork.h"
#include "varenta/table/TableStatusBar.h"
#include "varenta/table/TableWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSocketNotifier>
#include <QTimer>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace varenta {
namespace {

class SilentSound : public SoundPlayer {
public:
    void Play(const std::string&) override {}
    void Stop() override {}
    bool IsPlaying() const override { return false; }
};

class SilentMusic : public MusicPlayer {
public:
    bool Play(const std::string&) override { return true; }
    void Stop() override {}
    bool IsPlaying() const override { return false; }
};

void Say(const QString& line) {
    QString flat = line;
    flat.replace(QLatin1Char('\n'), QLatin1String(" | "));
    std::printf("%s\n", flat.toUtf8().constData());
    std::fflush(stdout);
}

[[noreturn]] void Fail(const QString& why) {
    Say(QStringLiteral("error: ") + why);
    std::exit(1);
}

// The harness's lines on standard input, read from the event loop so that
// the sockets go on being served while the program waits for them.
class Commands {
public:
    Commands() : notifier_(STDIN_FILENO, QSocketNotifier::Read) {
        QObject::connect(&notifier_, &QSocketNotifier::activated, [this] { Read(); });
    }
    // Runs the event loop until done() holds; the harness gone ends the program.
    void Pump(const std::function<bool()>& done) {
        // A tick, so that a condition no event announces is looked at too.
        QTimer tick;
        tick.start(20);
        while (!done()) {
            if (ended_) {
                Fail(QStringLiteral("the harness went away"));
            }
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
    }
    // The next line, which must begin with word; what follows the word.
    QString Expect(const QString& word) {
        Pump([this] { return !lines_.empty(); });
        const QString line = lines_.front();
        lines_.pop_front();
        if (line != word && !line.startsWith(word + QLatin1Char(' '))) {
            Fail(QStringLiteral("expected \"%1\" from the harness, got \"%2\"").arg(word, line));
        }
        return line.mid(word.size()).trimmed();
    }

private:
    void Read() {
        char buffer[256];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            ended_ = lines_.empty();
            notifier_.setEnabled(false);
            return;
        }
        pending_.append(buffer, n);
        qsizetype end = 0;
        while ((end = pending_.indexOf('\n')) >= 0) {
            lines_.push_back(QString::fromUtf8(pending_.left(end)));
            pending_.remove(0, end + 1);
        }
    }

    QSocketNotifier notifier_;
    QByteArray pending_;
    std::deque<QString> lines_;
    bool ended_ = false;
};

struct Options {
    QString nickname;
    QString stunServer;
    QString folder;
    std::uint64_t seed = 1;
    int turns = 6;
    bool router = false; // this side's router maps ports: wait for its news
};

Options ReadOptions(const QStringList& arguments) {
    Options options;
    for (qsizetype i = 1; i + 1 < arguments.size(); i += 2) {
        const QString& name = arguments[i];
        const QString& value = arguments[i + 1];
        if (name == QLatin1String("--nick")) {
            options.nickname = value;
        } else if (name == QLatin1String("--stun")) {
            options.stunServer = value;
        } else if (name == QLatin1String("--folder")) {
            options.folder = value;
        } else if (name == QLatin1String("--seed")) {
            options.seed = value.toULongLong();
        } else if (name == QLatin1String("--turns")) {
            options.turns = value.toInt();
        } else if (name == QLatin1String("--router")) {
            options.router = value == QLatin1String("yes");
        } else {
            Fail(QStringLiteral("unknown option %1").arg(name));
        }
    }
    if (options.nickname.isEmpty() || options.stunServer.isEmpty() || options.folder.isEmpty() ||
        options.turns <= 0) {
        Fail(QStringLiteral("usage: varenta_table_homes --nick NAME --stun HOST:PORT --folder DIR "
                            "[--seed N] [--turns N] [--router yes]"));
    }
    return options;
}

// The key that names a rank's column (2 to 9, 0 for the tens, J, Q, K, A, W
// for the jokers), as the player presses it.
int RankKey(int rank) {
    static constexpr int kHigh[] = {Qt::Key_0, Qt::Key_J, Qt::Key_Q, Qt::Key_K, Qt::Key_A};
    if (rank == 0) {
        return Qt::Key_W;
    }
    return rank <= 8 ? Qt::Key_2 + rank - 1 : kHigh[rank - 9];
}

// The partner's turns of the hand on the table, counted as they end (the
// game against the computer before the connection counts for nothing).
class PartnerTurns : public TableObserver {
public:
    void HandDealt(std::string_view) override { ended = 0; }
    void OpponentDiscarded(const Card&) override { ++ended; }
    void OpponentDiscardedRedThree(const Card&) override { ++ended; }
    void OpponentPassed() override { ++ended; }
    int ended = 0;
};

class HomeTable {
public:
    HomeTable(Options options, Commands& commands)
        : options_(std::move(options)), commands_(commands),
          store_(QDir(options_.folder).filePath(QStringLiteral("settings.conf"))) {
        // The last connect was a LAN game with the IP number method: the
        // dialog opens without asking anybody outside.
        store_.Write(QStringLiteral("Network\\Nickname"), options_.nickname);
        store_.Write(QStringLiteral("Network\\LANorInternet"), true);
        store_.Write(QStringLiteral("Network\\EmailorIP"), false);
        store_.Write(QStringLiteral("Network\\STUN Server"), options_.stunServer);
        store_.Write(QStringLiteral("Network\\ID Server"), QString());
    }

    void Open() {
        TableServices services;
        services.store = &store_;
        services.clock = &clock_;
        services.sound = &sound_;
        services.music = &music_;
        services.screenWidth = 1920;
        services.screenHeight = 1200;
        services.splashTimer = false;
        services.seed = options_.seed;
        services.keptGameFile = QDir(options_.folder).filePath(QStringLiteral("network-game.kept"));
        window_ = std::make_unique<TableWindow>(services);
        window_->Engine().SetObserver(&partnerTurns_);
        TableDialogs& dialogs = window_->Dialogs();
        dialogs.message = [this](MessageKind, const QString& text) {
            ++boxes_;
            Say(QStringLiteral("box: ") + text);
        };
        dialogs.yesNo = [](const QString& text) {
            Say(QStringLiteral("asked: ") + text);
            return true;
        };
        dialogs.choose = [](const QString& text, const QStringList& buttons) {
            Say(QStringLiteral("asked: ") + text);
            return std::max(0, static_cast<int>(buttons.indexOf(QStringLiteral("&Give Up"))));
        };
        dialogs.handResult = [](HandResultDialog&) {};
        dialogs.gameOver = [](GameOverDialog&) { return true; };
        dialogs.input = [](const QString&, const QString&, const QString& text) {
            return std::optional<QString>(text);
        };
        dialogs.modal = [](QDialog&) {};
        dialogs.connect = [this](ConnectDialog& dialog) { return AnswerConnect(dialog); };
        window_->ProgramStart();
    }

    void Connect() {
        window_->Action(QStringLiteral("ConnecttoPartner1"))->trigger();
        if (window_->Network().Connection() == ConnectionStatus::NotConnected) {
            Fail(QStringLiteral("the connect dialog was not confirmed"));
        }
        if (options_.router) {
            commands_.Pump([this] { return !window_->Network().RouterPortNote().isEmpty(); });
            Say(QStringLiteral("router port: ") + window_->Network().RouterPortNote());
        }
        commands_.Pump([this] {
            // The listening side deals; the connecting side waits for that deal.
            const NetworkSession& session = window_->Network().Session();
            const bool dealt = session.sessionRole() == SessionRole::Server
                                   ? session.MovesSent() > 0
                                   : session.MovesReceived() > 0;
            return window_->Network().Connection() == ConnectionStatus::Established &&
                   !session.GameWaits() && window_->Engine().IsNetworkGame() && dealt;
        });
        Say(QStringLiteral("connected: ") + Panel());
    }

    void Play() {
        int own = 0;
        const int& partner = partnerTurns_.ended;
        while (own < options_.turns || partner < options_.turns) {
            commands_.Pump([&] {
                if (window_->Network().Connection() != ConnectionStatus::Established) {
                    Fail(QStringLiteral("the connection ended after %1 own and %2 partner turns")
                             .arg(own)
                             .arg(partner));
                }
                return (!State().opponentToMove && own < options_.turns) ||
                       (own == options_.turns && partner == options_.turns);
            });
            if (!State().opponentToMove && own < options_.turns) {
                PlayTurn();
                ++own;
            }
        }
        const VarentaEngine& engine = window_->Engine();
        Say(QStringLiteral("turns: %1 %2").arg(own).arg(partner));
        Say(QStringLiteral("digest: %1")
                .arg(engine.GameDigest(false, true, true), 16, 16, QLatin1Char('0')));
        Say(QStringLiteral("mirrored digest: %1")
                .arg(engine.GameDigest(true, true, true), 16, 16, QLatin1Char('0')));
        Say(QStringLiteral("panel: ") + Panel());
        Say(QStringLiteral("status line: ") + window_->StatusLine()->LineText());
        if (ChatWindow* chat = window_->Network().Chat()) {
            Say(QStringLiteral("chat: ") + chat->OppChat()->toPlainText() + QLatin1Char('\n') +
                chat->SelfChat()->toPlainText());
        } else {
            Say(QStringLiteral("chat: "));
        }
        Say(QStringLiteral("boxes: %1").arg(boxes_));
        Say(QStringLiteral("done"));
    }

    void Close() {
        window_->close();
        window_.reset();
    }

private:
    const GameState& State() const { return window_->Engine().State(); }
    QString Panel() const {
        return window_->findChild<QLabel*>(QStringLiteral("pnConnection"))->text();
    }

    bool AnswerConnect(ConnectDialog& dialog) {
        auto* internet = dialog.findChild<QRadioButton*>(QStringLiteral("rbInternet"));
        if (internet->isChecked() || dialog.Refreshing()) {
            Fail(QStringLiteral("the dialog asked a server before \"Internet\" was chosen"));
        }
        Say(QStringLiteral("choosing internet"));
        commands_.Expect(QStringLiteral("go"));
        internet->click();
        commands_.Pump([&] { return !dialog.Refreshing(); });
        QStringList listed;
        const auto* list = dialog.findChild<QListWidget*>(QStringLiteral("lbIPAddress"));
        for (int i = 0; i < list->count(); ++i) {
            listed << list->item(i)->text();
        }
        Say(QStringLiteral("listed: ") + listed.join(QLatin1Char(' ')));
        if (options_.router) {
            commands_.Pump([&] { return !dialog.RouterNote().isEmpty(); });
        }
        Say(QStringLiteral("router note: ") + dialog.RouterNote());
        const QString partner = commands_.Expect(QStringLiteral("partner"));
        dialog.findChild<QComboBox*>(QStringLiteral("cbIPPartner"))->setEditText(partner);
        dialog.findChild<QPushButton*>(QStringLiteral("bnConnect"))->click();
        if (dialog.result() != QDialog::Accepted) {
            Fail(QStringLiteral("Connect was refused: ") + dialog.AddressStatus());
        }
        return true;
    }

    void PlayTurn() {
        TableController& keys = window_->Controller();
        keys.FormKeyDown(Qt::Key_F6, Qt::NoModifier);
        if (!State().hasDrawn) {
            Fail(QStringLiteral("F6 drew no card: ") + window_->StatusLine()->LineText());
        }
        // A plain card first: wild cards and black threes are kept.
        std::vector<int> ranks;
        for (const bool plain : {true, false}) {
            for (int i = 0; i < State().playerHand.Size(); ++i) {
                const int rank = State().playerHand[i].rank;
                if ((rank >= 3) == plain &&
                    std::find(ranks.begin(), ranks.end(), rank) == ranks.end()) {
                    ranks.push_back(rank);
                }
            }
        }
        const int pile = State().discardPile.Size();
        for (const int rank : ranks) {
            keys.FormKeyDown(Qt::Key_F10, Qt::NoModifier);
            keys.FormKeyDown(RankKey(rank), Qt::NoModifier);
            if (State().discardPile.Size() > pile) {
                break;
            }
        }
        if (State().discardPile.Size() != pile + 1 || !State().opponentToMove) {
            Fail(QStringLiteral("no card could be discarded: ") +
                 window_->StatusLine()->LineText());
        }
    }

    Options options_;
    Commands& commands_;
    SettingsFile store_;
    ManualClock clock_;
    SilentSound sound_;
    SilentMusic music_;
    PartnerTurns partnerTurns_;
    std::unique_ptr<TableWindow> window_;
    int boxes_ = 0;
};

} // namespace
} // namespace varenta

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    varenta::Options options = varenta::ReadOptions(QCoreApplication::arguments());
    // The autosave and whatever else the table keeps stay in the run's folder.
    qputenv("XDG_DATA_HOME", QDir(options.folder).filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME",
            QDir(options.folder).filePath(QStringLiteral("config")).toLocal8Bit());
    varenta::Commands commands;
    varenta::HomeTable table(std::move(options), commands);
    table.Open();
    table.Connect();
    table.Play();
    commands.Expect(QStringLiteral("quit"));
    table.Close();
    return 0;
}
