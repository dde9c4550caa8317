#pragma once
// Where the bytes of a file go when they are made a piece at a time: each piece is taken in
// order, and a false answer stops the maker (the piece could not be written).

#include <functional>
#include <string_view>

namespace tallymo {

using ByteSink = std::function<bool(std::string_view piece)>;

}  // namespace tallymo
