#include "general/text_compare.h"

#include <algorithm>

namespace general {

int textCompare(std::string_view a, std::string_view b) {
    std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        auto x = static_cast<unsigned char>(a[i]);
        auto y = static_cast<unsigned char>(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    // The rest of the longer text is compared with blanks; a byte taken as
    // signed below blank (control characters, 0x80..0xFF) is the smaller.
    bool aLonger = a.size() > b.size();
    std::string_view rest = (aLonger ? a : b).substr(common);
    for (char c : rest) {
        if (c == ' ') continue;
        bool greater = static_cast<signed char>(c) > ' ';
        return greater == aLonger ? 1 : -1;
    }
    return 0;
}

}  // namespace general
