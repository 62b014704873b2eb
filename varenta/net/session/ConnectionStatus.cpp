#include "varenta/net/session/ConnectionStatus.h"

namespace varenta {

std::string ConnectionStatusText(ConnectionStatus status, std::string_view partnerNickname) {
    std::string text(texts::kStatusTexts[static_cast<int>(status)]);
    if (status == ConnectionStatus::Established) {
        text += partnerNickname;
    }
    return text;
}

} // namespace varenta
