#pragma once
// Bounds that no real pocket-money book comes near, so that a hostile or broken file is
// refused before it costs gigabytes: the same bound the stored new-ledger defaults use.

#include <cstddef>

namespace tallymo {

inline constexpr std::size_t kMaxMattersPerList = 1000;

}  // namespace tallymo
