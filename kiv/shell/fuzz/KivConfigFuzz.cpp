// Any bytes as kiv32.ini: reading never crashes, and the values the game
// works with (read and repaired) survive a write and a second read.
#include "kiv/shell/KivFiles.h"

#include <cstdint>
#include <cstdlib>

namespace {

kiv::KivSettings Reread(const kiv::KivSettings& settings) {
    kiv::KivSettings again;
    if (kiv::ParseConfig(kiv::FileBytes(kiv::ConfigLines(settings)), again) !=
        kiv::ConfigRead::Read) {
        std::abort();
    }
    return again;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    kiv::KivSettings first;
    if (kiv::ParseConfig(bytes, first) != kiv::ConfigRead::Read) {
        return 0;
    }
    kiv::RepairSettings(first, 5000);
    kiv::KivSettings second = Reread(first);
    kiv::RepairSettings(second, 5000);
    if (!(second == first)) {
        std::abort();
    }
    return 0;
}
