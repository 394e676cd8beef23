#include "ketlap/class_index.h"

#include <algorithm>
#include <numeric>

namespace ketlap {

Total totalOfClass(std::int32_t classCode) {
    switch (classCode) {
    case 1: return Class1;
    case 2: return Class2;
    case 3: return Class3;
    case 0: case 4: return Class0Or4;
    default: return kTotalCount;
    }
}

void buildClassIndex(ClassIndex& index, std::span<const std::int32_t> identifiers,
                     std::span<const std::int32_t> classCodes) {
    auto& ranges = index.ranges;
    auto& totals = index.totals;
    ranges.clear();
    totals.clear();
    std::vector<std::uint32_t> order(identifiers.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return identifiers[a] < identifiers[b]; });
    ranges.reserve(identifiers.size());
    for (std::size_t i = 0; i < order.size();) {
        std::int32_t id = identifiers[order[i]];
        auto begin = static_cast<std::uint32_t>(totals.size());
        for (; i < order.size() && identifiers[order[i]] == id; ++i) {
            Total t = totalOfClass(classCodes[order[i]]);
            if (t != kTotalCount) totals.push_back(t);
        }
        auto end = static_cast<std::uint32_t>(totals.size());
        if (end > begin) ranges.emplace(id, ClassIndex::Range{begin, end});
    }
}

std::span<const std::uint8_t> totalsOf(const ClassIndex& index, std::int32_t identifier) {
    auto it = index.ranges.find(identifier);
    if (it == index.ranges.end()) return {};
    const ClassIndex::Range& r = it->second;
    return std::span<const std::uint8_t>(index.totals).subspan(r.begin, r.end - r.begin);
}

}  // namespace ketlap
