// Any bytes as a settings file: parsing never crashes, and what is kept
// survives a write and a second read unchanged.
#include "varenta/store/SettingsTree.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const varenta::SettingsParseResult first = varenta::ParseSettingsTree(bytes);
    const varenta::SettingsParseResult second =
        varenta::ParseSettingsTree(varenta::SerializeSettingsTree(first.tree));
    if (second.damaged || !(second.tree == first.tree)) {
        std::abort();
    }
    return 0;
}
