#include "varenta/table/CardBackSettings.h"

#include "varenta/store/SettingsFile.h"

#include <QString>

#include <algorithm>

namespace varenta {

namespace {

QString Key(const char* name, std::size_t deck) {
    return QStringLiteral("Cardback\\") + QLatin1String(name) + QString::number(deck);
}

} // namespace

std::array<CardBack, 2> ReadCardBacks(SettingsFile& store,
                                      const std::array<std::uint32_t, 2>& defaultColors,
                                      int defaultPattern) {
    std::array<CardBack, 2> backs{};
    for (std::size_t deck = 0; deck < backs.size(); ++deck) {
        CardBack& back = backs.at(deck);
        // A type this program does not know shows the deck's colour.
        const int type = store.ReadInteger(Key("Type", deck), kCardBackSolid);
        back.type = static_cast<std::uint8_t>(
            type >= kCardBackSolid && type <= kCardBackFile ? type : kCardBackSolid);
        back.color = static_cast<std::uint32_t>(store.ReadInteger(
                         Key("Color", deck), static_cast<int>(defaultColors.at(deck)))) &
                     0xFFFFFFu;
        back.pattern = static_cast<std::uint8_t>(
            std::clamp(store.ReadInteger(Key("Pattern", deck), defaultPattern), 0,
                       static_cast<int>(kPatternNames.size()) - 1));
        back.fileName = store.ReadString(Key("Filename", deck), QString()).toStdString();
    }
    return backs;
}

void WriteCardBacks(SettingsFile& store, const std::array<CardBack, 2>& backs) {
    SettingsFile::NamedValues values;
    for (std::size_t deck = 0; deck < backs.size(); ++deck) {
        const CardBack& back = backs.at(deck);
        values.emplace_back(Key("Type", deck), static_cast<int>(back.type));
        switch (back.type) {
        case kCardBackSolid:
            values.emplace_back(Key("Color", deck), static_cast<int>(back.color));
            break;
        case kCardBackPattern:
            values.emplace_back(Key("Pattern", deck), static_cast<int>(back.pattern));
            break;
        default:
            values.emplace_back(Key("Filename", deck), QString::fromStdString(back.fileName));
            break;
        }
    }
    store.WriteValues(values);
}

} // namespace varenta
