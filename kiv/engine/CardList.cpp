#include "kiv/engine/CardList.h"

#include <stdexcept>

namespace kiv {

void CardList::ThrowOutOfRange(const char* what) {
    throw std::out_of_range(what);
}

void Hand::ThrowOutOfRange() {
    throw std::out_of_range("Hand::At");
}

void Hand::ThrowNotInHand() {
    throw std::logic_error("Hand::Remove: card not in hand");
}

} // namespace kiv
