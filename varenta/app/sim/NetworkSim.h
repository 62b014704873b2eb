#pragma once

#include <ostream>

#include "varenta/app/sim/SimOptions.h"
#include "varenta/app/sim/Simulator.h"

namespace varenta::sim {

// Plays the player bot against another program over the session protocol
// (options.listenPort or options.connectHost:connectPort) until the stop
// options are reached. The other program's moves are the trace's O lines.
// Announces a listening port on `messages`. Protocol errors, a connection
// lost before the stop and the two tables parting end the run with an error.
SimSummary RunNetworkSimulation(const SimOptions& options, std::ostream* trace,
                                std::ostream& messages);

} // namespace varenta::sim
