#include "varenta/engine/Random.h"

namespace varenta {

double Random::NextReal() {
    return static_cast<double>(NextBits() >> 11) * (1.0 / 9007199254740992.0);
}

} // namespace varenta
