#include "varenta/engine/RuleText.h"

namespace varenta {

namespace {

char Flag(bool on) {
    return on ? 'T' : 'F';
}
char Count(int n) {
    return n == 2 ? '2' : '1';
}

} // namespace

std::string BuildRulesText(const RuleSet& r) {
    const char fields[kRuleCount] = {
        Flag(r.varentaRequired), Count(r.numberOfVarentas),   Count(r.numberOfCards),
        Flag(r.addToVarenta),    Flag(r.topCardCounts),       Flag(r.initialBlock),
        Flag(r.naturalPair),     Flag(r.drawExtra),           Flag(r.threeBlock),
        Flag(r.bonusCounts),     Flag(r.initialBlockForBoth), Flag(r.reuseDiscardPile),
    };
    std::string text;
    for (int i = 0; i < kRuleCount; ++i) {
        if (i > 0) {
            text += kRulesSeparator;
        }
        text += fields[i];
    }
    return text;
}

std::array<std::string, kRuleCount> ReadRulesText(std::string_view text) {
    std::array<std::string, kRuleCount> fields;
    size_t pos = 0;
    for (auto& field : fields) {
        if (pos >= text.size()) {
            break;
        }
        const size_t end = text.find_first_of(std::string_view("\xFE\xFF", 2), pos);
        field = std::string(text.substr(pos, end == std::string_view::npos ? end : end - pos));
        if (end == std::string_view::npos) {
            break; // later fields stay empty
        }
        pos = end + 1;
    }
    return fields;
}

} // namespace varenta
