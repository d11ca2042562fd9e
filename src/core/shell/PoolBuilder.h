#pragma once

#include "core/generation/PreferencePool.h"

namespace lotto {

class MainState;

// Runs the statistics that the options page asks for, one after another, reads their
// results back from the chart and builds the pool, with the status texts of each pass.
PreferencePool buildPreferencePool(MainState& state);

} // namespace lotto
