#pragma once
// Where the bytes of a file go when they are made a piece at a time: each piece is taken in
// order, and a false answer stops the maker (the piece could not be written).

#include <cstddef>
#include <functional>
#include <string_view>

namespace tallymo {

using ByteSink = std::function<bool(std::string_view piece)>;

// The size of the pieces in which files are made, copied and read back: large enough that a
// piece costs little, small enough that a large ledger is never held a second time.
inline constexpr std::size_t kFilePieceBytes = 256 * 1024;

}  // namespace tallymo
