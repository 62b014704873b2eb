// A table window on a private settings file, a counting clock and a silent
// sound player, with every modal window answered by the test.
#pragma once

#include "varenta/engine/VarentaEngine.h"
#include "varenta/engine/testing/Cards.h"
#include "varenta/engine/testing/StateAccess.h"
#include "varenta/net/nat/PortMapping.h"
#include "varenta/store/SettingsFile.h"
#include "varenta/table/ConnectDialog.h"
#include "varenta/table/ResultDialogs.h"
#include "varenta/table/SavedGames.h"
#include "varenta/table/TableMedia.h"
#include "varenta/table/TableRecords.h"
#include "varenta/table/TableStatusBar.h"
#include "varenta/table/TableView.h"
#include "varenta/table/TableWindow.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace varenta::testing {

class RecordingSound : public SoundPlayer {
public:
    void Play(const std::string& path) override { played.push_back(path); }
    void Stop() override {}
    bool IsPlaying() const override { return false; }
    std::vector<std::string> played;
};

// Records what the table plays as music; `End()` reports the end of the
// piece as the mixer would.
class RecordingMusic : public MusicPlayer {
public:
    bool Play(const std::string& path) override {
        played.push_back(path);
        playing = true;
        return true;
    }
    void Stop() override {
        playing = false;
        ++stops;
    }
    bool IsPlaying() const override { return playing; }
    void End() {
        playing = false;
        if (finished) {
            finished();
        }
    }
    std::vector<std::string> played;
    int stops = 0;
    bool playing = false;
};

// The simplest opponent: draws and discards its newest card. `during` runs in
// the middle of its turn, where a real computer player would pause.
class DrawDiscardOpponent : public ComputerTurnHook {
public:
    void ComputerTurn(VarentaEngine& engine) override {
        ++turns;
        engine.BeginOpponentTurn();
        engine.DrawForOpponent();
        engine.Port().OpponentMeldPause();
        if (during) {
            during(engine);
        }
        const int count = engine.State().opponentHand.Size();
        if (count > 0) {
            engine.OpponentDiscard(count - 1);
        }
        engine.FinishOpponentTurn();
    }
    int turns = 0;
    std::function<void(VarentaEngine&)> during;
};

class TableFixture : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::unique_ptr<SettingsFile> store;
    ManualClock clock;
    RecordingSound sound;
    RecordingMusic music;
    DrawDiscardOpponent opponent;
    ComputerTurnHook* computer = &opponent;
    std::unique_ptr<TableWindow> window;
    std::vector<QString> messages;
    std::vector<QString> questions;
    int handResults = 0;
    int gameOvers = 0;
    int modalDialogs = 0;
    bool anotherGame = true;
    bool showTurns = false;
    std::function<void(TableServices&)> customize; // runs before the window is made

    TableFixture() : store(std::make_unique<SettingsFile>(dir.filePath("varenta.reg"))) {
        // The files the table writes itself (autosave.var) stay private too,
        // and no game of the user's is resumed at the start of a test.
        if (const char* data = std::getenv("XDG_DATA_HOME")) {
            savedDataHome_ = data;
        }
        setenv("XDG_DATA_HOME", dir.filePath("data").toLocal8Bit().constData(), 1);
    }
    ~TableFixture() override {
        window.reset();
        if (savedDataHome_) {
            setenv("XDG_DATA_HOME", savedDataHome_->c_str(), 1);
        } else {
            unsetenv("XDG_DATA_HOME");
        }
    }

    // A negative layout leaves the Resolution setting unwritten.
    void Open(int layout = 0) {
        if (layout >= 0) {
            store->Write("Settings\\Resolution", QString("10,20,%1").arg(LayoutName(layout)));
        }
        store->Write("Settings\\Show Turns", showTurns);
        TableServices services;
        services.store = store.get();
        services.clock = &clock;
        services.sound = &sound;
        services.music = &music;
        services.computer = computer;
        services.mediaDir = "/media";
        services.helpDir = QString(CARDGAMES_SOURCE_DIR) + "/resources/varenta/help";
        services.screenWidth = 1920;
        services.screenHeight = 1200;
        services.splashTimer = false;
        services.seed = 11;
        // Nothing here asks a server on the Internet or the router.
        services.ownAddressQuery = [] { return std::unique_ptr<OwnAddressQuery>(); };
        services.stunQuery = [] { return std::unique_ptr<OwnAddressQuery>(); };
        services.portMapper = [] { return std::unique_ptr<PortMapper>(); };
        if (customize) {
            customize(services);
        }
        window = std::make_unique<TableWindow>(services);
        window->Dialogs().message = [this](MessageKind, const QString& text) {
            messages.push_back(text);
        };
        window->Dialogs().yesNo = [this](const QString& text) {
            questions.push_back(text);
            return true;
        };
        window->Dialogs().handResult = [this](HandResultDialog&) { ++handResults; };
        window->Dialogs().gameOver = [this](GameOverDialog&) {
            ++gameOvers;
            return anotherGame;
        };
        // A new high score's name box keeps the name offered; the Hall of
        // Fame and the other dialogs are not shown.
        window->Dialogs().input = [](const QString&, const QString&, const QString& text) {
            return std::optional<QString>(text);
        };
        window->Dialogs().chooseColor = [](const QColor&) { return std::optional<QColor>(); };
        window->Dialogs().modal = [this](QDialog&) { ++modalDialogs; };
        window->ProgramStart();
    }

    VarentaEngine& E() { return window->Engine(); }
    GameState& S() { return MutableState(window->Engine()); }
    const TableGeometry& G() { return window->Engine().Geometry(); }

    // Replaces the player's hand by these cards, laid out in their columns.
    void SetHand(std::initializer_list<int> codes) {
        GameState& s = S();
        s.playerHand.Clear();
        s.playerHand.SetAnchors(G().leftMargin, G().columnWidth, G().handRow);
        for (int code : codes) {
            Card c = MakeCard(code, 0);
            c.faceUp = true;
            s.playerHand.PlaceInColumn(c, true, false);
            s.playerHand.Append(c);
        }
    }

    // Puts the player to move, before the draw.
    void PlayersTurn() {
        GameState& s = S();
        s.opponentToMove = false;
        s.hasDrawn = false;
        s.mayTakePile = true;
        s.stockDraws = 0;
    }

    // The next card drawn from the stock.
    void SetStockTop(int code) {
        Card& top = S().stock.Top();
        const Card placed = top;
        top = MakeCard(code, 1);
        top.x = placed.x;
        top.y = placed.y;
    }

    // The card a discard of ours left under the opponent's discard.
    int OurLastDiscard() { return S().discardPile[S().discardPile.Size() - 2].code; }

    QPoint HandCard(int index) {
        return {S().playerHand[index].x + 2, S().playerHand[index].y + 2};
    }

    void Click(QPoint at, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        window->Controller().FormMouseUp(button, modifiers, at.x(), at.y());
    }
    void ClickStock() { Click({G().leftMargin + 5, G().stockRow + 5}); }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        window->Controller().FormKeyDown(key, modifiers);
    }
    QString Line() { return window->StatusLine()->LineText(); }

private:
    std::optional<std::string> savedDataHome_;
};

} // namespace varenta::testing
