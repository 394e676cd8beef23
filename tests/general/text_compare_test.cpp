#include "general/text_compare.h"

#include <gtest/gtest.h>

namespace {

struct CompareCase {
    std::string a;
    std::string b;
    int expected;
};

TEST(TextCompare, ThreeWayWithBlankPadding) {
    const CompareCase cases[] = {
        {"==", "==", 0},
        {"=-", "==", -1},
        {"=>", "==", 1},
        {"= ", "==", -1},
        {" =", "==", -1},
        {"\xe9=", "==", 1},  // bytes compare unsigned where both texts have them
        {"", "", 0},
        {"ab", "ab   ", 0},   // the shorter text counts as padded with blanks
        {"ab   ", "ab", 0},
        {"abc", "ab", 1},
        {"ab", "abc", -1},
        {"ab\t", "ab", -1},    // a control character is below blank
        {"ab", "ab\t", 1},
        {"ab\xe9", "ab", -1},  // past the common part, 0x80..0xFF count as below blank
        {"ab", "ab\xe9", 1},
        {"ab  x", "ab", 1},
    };
    for (const CompareCase& c : cases) {
        EXPECT_EQ(general::textCompare(c.a, c.b), c.expected) << '"' << c.a << "\" vs \"" << c.b << '"';
    }
}

}  // namespace
