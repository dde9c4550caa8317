#include "doc/Clock.h"

#include <climits>
#include <ctime>

namespace tallymo {

TimeValue SystemClock::Now() const {
    const std::time_t now = std::time(nullptr);
    // Beyond 2038 the ledger cannot represent "now"; hold at its last second.
    if (now > INT32_MAX) return INT32_MAX;
    return static_cast<TimeValue>(now);
}

const SystemClock& SystemClock::Instance() {
    static const SystemClock clock;
    return clock;
}

}  // namespace tallymo
