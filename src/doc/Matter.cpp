#include "doc/Matter.h"

#include <atomic>

namespace tallymo {

MatterId Matter::NewId() {
    static std::atomic<MatterId> next{kNoMatterId + 1};
    return next.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace tallymo
