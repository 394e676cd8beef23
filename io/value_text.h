// The scratch text that holds one input value or field, or one edited output value.
#pragma once

namespace io {

inline constexpr int kValueTextSize = 260;

}  // namespace io
