// A network timer that tests fire by hand, so no test waits for real time.
#pragma once

#include "varenta/net/socket/NetTimer.h"

#include <vector>

namespace varenta::testing {

class ManualNetTimer : public NetTimer {
public:
    void Start(int milliseconds) override {
        starts.push_back(milliseconds);
        lastMs = milliseconds;
        running = true;
    }
    void Stop() override { running = false; }
    void Fire() { // as if the time had passed
        running = false;
        if (expired) {
            expired();
        }
    }
    std::vector<int> starts; // every Start, in order
    int lastMs = 0;
    bool running = false;
};

} // namespace varenta::testing
