// The class table and its index from identifier to entries.
#pragma once

#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

namespace ketlap {

inline constexpr std::int32_t kClassTableCapacity = 50000;

// The four totals, in output order.
enum Total : std::uint8_t { Class1, Class2, Class3, Class0Or4, kTotalCount };

// For every identifier, the totals its entries add to, in table order (an
// entry whose class code has no total is left out). Matching a record costs
// one lookup, whatever the size of the table, and the additions happen in the
// same order as a scan of the whole table would make them.
struct ClassIndex {
    struct Range {
        std::uint32_t begin;
        std::uint32_t end;
    };
    std::unordered_map<std::int32_t, Range> ranges;
    std::vector<std::uint8_t> totals;  // Total values, grouped by identifier
};

void buildClassIndex(ClassIndex& index, std::span<const std::int32_t> identifiers,
                     std::span<const std::int32_t> classCodes);
std::span<const std::uint8_t> totalsOf(const ClassIndex& index, std::int32_t identifier);

// The total a class code adds to, or kTotalCount for none.
Total totalOfClass(std::int32_t classCode);

}  // namespace ketlap
