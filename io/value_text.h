// The scratch text that holds one input value or field, or one edited output value.
#pragma once

#include <cstddef>

namespace io {

inline constexpr int kValueTextSize = 260;

// A value or field longer than 260 characters is read whole, up to this
// many characters; a longer one is error 6700 rather than memory exhausted.
inline constexpr std::size_t kMaxValueLength = std::size_t{1} << 24;

}  // namespace io
