#include "core/generation/TipFilters.h"

namespace lotto {

Loosening looseningAt(int tip, std::int32_t runCount, std::int32_t maxRuns) {
    Loosening l;
    if (tip < 3) return l;
    if (runCount == maxRuns - 20000) {
        l.archiveMatch = 6;
    } else if (runCount == maxRuns - 10000) {
        l.maxFromSecondLastDraw = 2;
        if (tip != 8) l.maxFromLastDraw = 1;
    } else if (runCount == maxRuns - 5000) {
        if (tip != 8) l.maxFromSecondLastDraw = 3;
        l.maxFromLastDraw = 2;
    }
    return l;
}

} // namespace lotto
