// Any bytes as a saved game: reading never crashes; what is accepted is
// written back to the same text, and put on a table of any layout, where the
// player's first moves on it must not crash either.
#include "varenta/engine/VarentaEngine.h"
#include "varenta/store/SavedGameFile.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    static auto game = std::make_unique<varenta::SavedGame>();
    std::string problem;
    if (!varenta::ParseSavedGame(bytes, *game, problem)) {
        if (problem.empty()) {
            std::abort(); // a refusal always says why
        }
        return 0;
    }
    const std::string text = varenta::SerializeSavedGame(game->state, game->layout);
    auto again = std::make_unique<varenta::SavedGame>();
    if (!varenta::ParseSavedGame(text, *again, problem) ||
        varenta::SerializeSavedGame(again->state, again->layout) != text) {
        std::abort();
    }

    // The layout of the table it is loaded on comes from the input's size.
    varenta::VarentaEngine engine;
    engine.SetGeometry(varenta::TableGeometry::ForLayout(static_cast<int>(size % 4)));
    engine.StartProgram(size);
    varenta::ApplySavedGame(engine, *game);
    std::string_view reason;
    engine.ValidateMeldsWithTop(reason);
    (void)engine.Columns();
    (void)engine.PlayerMeldValue();
    engine.PlayerDraw();
    if (!engine.State().playerHand.Empty()) {
        engine.MeldOne(0);
        engine.UndoAll();
        engine.PlayerDiscard(0);
    }
    return 0;
}
