#include "ketlap/class_index.h"

#include <gtest/gtest.h>

namespace {

using namespace ketlap;

std::vector<std::uint8_t> totalsFor(const ClassIndex& index, std::int32_t id) {
    auto span = totalsOf(index, id);
    return {span.begin(), span.end()};
}

TEST(ClassIndex, EveryMatchingEntryAddsOnceInTableOrder) {
    const std::int32_t ids[] = {7, 8, 7, 9, 8, 10, 11, 12, 13, 14, 7};
    const std::int32_t codes[] = {3, 2, 1, 5, 2, 0, 4, -1, 7, 1, 0};
    ClassIndex index;
    buildClassIndex(index, ids, codes);
    EXPECT_EQ(totalsFor(index, 7), (std::vector<std::uint8_t>{Class3, Class1, Class0Or4}));
    EXPECT_EQ(totalsFor(index, 8), (std::vector<std::uint8_t>{Class2, Class2}));
    EXPECT_TRUE(totalsFor(index, 9).empty());   // code 5 has no total
    EXPECT_EQ(totalsFor(index, 10), (std::vector<std::uint8_t>{Class0Or4}));
    EXPECT_EQ(totalsFor(index, 11), (std::vector<std::uint8_t>{Class0Or4}));
    EXPECT_TRUE(totalsFor(index, 12).empty());  // -1
    EXPECT_TRUE(totalsFor(index, 13).empty());  // 7
    EXPECT_EQ(totalsFor(index, 14), (std::vector<std::uint8_t>{Class1}));
    EXPECT_TRUE(totalsFor(index, 99).empty());  // unmatched identifier
}

TEST(ClassIndex, AgreesWithALinearScanOnALargeTable) {
    std::vector<std::int32_t> ids, codes;
    std::uint32_t seed = 12345;
    for (int k = 0; k < 50000; ++k) {
        seed = seed * 1103515245u + 12345u;
        ids.push_back(static_cast<std::int32_t>(seed >> 20) - 2000);
        codes.push_back(static_cast<std::int32_t>((seed >> 8) % 9) - 2);
    }
    ClassIndex index;
    buildClassIndex(index, ids, codes);
    for (std::int32_t id = -2100; id < 2200; id += 7) {
        std::vector<std::uint8_t> scan;
        for (std::size_t k = 0; k < ids.size(); ++k) {
            if (ids[k] == id && totalOfClass(codes[k]) != kTotalCount) scan.push_back(totalOfClass(codes[k]));
        }
        EXPECT_EQ(totalsFor(index, id), scan) << id;
    }
}

}  // namespace
