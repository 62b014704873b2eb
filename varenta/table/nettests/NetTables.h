// Table windows for the network tests: one program each, with its own
// settings, clock, sound and answers, connected through the real flow.
#pragma once

#include "varenta/net/socket/testing/SocketTestSupport.h"
#include "varenta/table/tests/TableFixture.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace varenta::testing {

// One program: its own settings, clock, sound, answers and window.
struct Table {
    QTemporaryDir dir;
    SettingsFile store{dir.filePath("settings.conf")};
    ManualClock clock;
    TableClock* ownClock = nullptr; // another clock than the counting one
    RecordingSound sound;
    DrawDiscardOpponent computer;
    std::unique_ptr<TableWindow> window;
    std::vector<QString> messages;
    std::vector<QString> questions;
    bool answer = true;
    // The button chosen when asked with several (by its caption; none: the first).
    QString choice;
    std::function<void(TableServices&)> customize; // runs before the window is made

    void Open(const char* ownAddress, const std::string& port, std::uint64_t seed) {
        TableServices services;
        services.store = &store;
        services.clock = ownClock != nullptr ? ownClock : &clock;
        services.sound = &sound;
        services.computer = &computer;
        services.screenWidth = 1920;
        services.screenHeight = 1200;
        services.splashTimer = false;
        services.seed = seed;
        services.sessionPort = port;
        services.localAddresses = [ownAddress] { return std::vector<std::string>{ownAddress}; };
        services.ownAddressQuery = [] { return std::unique_ptr<OwnAddressQuery>(); };
        services.stunQuery = [] { return std::unique_ptr<OwnAddressQuery>(); };
        services.portMapper = [] { return std::unique_ptr<PortMapper>(); };
        services.keptGameFile = dir.filePath("network-game.kept");
        if (customize) {
            customize(services);
        }
        window = std::make_unique<TableWindow>(services);
        window->Dialogs().message = [this](MessageKind, const QString& text) {
            messages.push_back(text);
        };
        window->Dialogs().yesNo = [this](const QString& text) {
            questions.push_back(text);
            return answer;
        };
        window->Dialogs().choose = [this](const QString& text, const QStringList& buttons) {
            questions.push_back(text);
            return std::max(0, static_cast<int>(buttons.indexOf(choice)));
        };
        window->Dialogs().handResult = [](HandResultDialog&) {};
        window->Dialogs().gameOver = [](GameOverDialog&) { return true; };
        // A hand's margin may enter the Hall of Fame: its name box keeps the
        // name offered, and the list itself is not shown.
        window->Dialogs().input = [](const QString&, const QString&, const QString& text) {
            return std::optional<QString>(text);
        };
        window->Dialogs().modal = [](QDialog&) {};
        window->ProgramStart();
    }
    // Connect to Opponent with the IP number method.
    void Connect(const QString& nickname, const QString& partner) {
        window->Dialogs().connect = [nickname, partner](ConnectDialog& dialog) {
            dialog.findChild<QLineEdit*>("edIDServer")->clear();
            dialog.findChild<QRadioButton*>("rbLAN")->click();
            dialog.findChild<QRadioButton*>("rbIPnumber")->click();
            dialog.findChild<QLineEdit*>("edNickname")->setText(nickname);
            dialog.findChild<QComboBox*>("cbIPPartner")->setEditText(partner);
            dialog.findChild<QPushButton*>("bnConnect")->click();
            return dialog.result() == QDialog::Accepted;
        };
        window->Action("ConnecttoPartner1")->trigger();
    }
    GameState& S() { return MutableState(window->Engine()); }
    QString Panel() { return window->findChild<QLabel*>("pnConnection")->text(); }
};

// Both tables hold the same game with the seats swapped.
inline void ExpectMirrored(Table& a, Table& b) {
    EXPECT_EQ(a.S().playerHand.Size(), b.S().opponentHand.Size());
    EXPECT_EQ(a.S().opponentHand.Size(), b.S().playerHand.Size());
    EXPECT_EQ(a.S().stock.Size(), b.S().stock.Size());
    ASSERT_EQ(a.S().discardPile.Size(), b.S().discardPile.Size());
    if (a.S().discardPile.Size() > 0) {
        EXPECT_EQ(a.S().discardPile.Top().code, b.S().discardPile.Top().code);
    }
    EXPECT_NE(a.S().opponentToMove, b.S().opponentToMove) << "exactly one side is to move";
}

} // namespace varenta::testing
