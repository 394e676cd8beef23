#include "io/floating_point.h"

#include <bit>
#include <cmath>
#include <limits>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "io/initialize.h"

namespace {

constexpr float kMax = std::numeric_limits<float>::max();
constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(AddSingle, RoundsToNearestLikePlainAddition) {
    EXPECT_EQ(io::addSingle(1.0f, 2.5f), 3.5f);
    EXPECT_EQ(io::addSingle(16777216.0f, 1.0f), 16777216.0f);
    EXPECT_EQ(io::addSingle(kMax, 1.0f), kMax);  // rounds back to the largest finite value
}

TEST(AddSingle, CarriesInfinitiesAndQuietNaNsAlong) {
    EXPECT_EQ(io::addSingle(kInf, 1.0f), kInf);
    EXPECT_EQ(io::addSingle(kInf, kInf), kInf);
    EXPECT_TRUE(std::isnan(io::addSingle(1.0f, std::numeric_limits<float>::quiet_NaN())));
    EXPECT_TRUE(std::isnan(io::addSingle(std::numeric_limits<float>::quiet_NaN(), kInf)));
}

TEST(AddSingle, TrapsWhatTheHardwareWouldTrap) {
    io::initializeIo();
    const char* overflow = "\r\nrun-time error M6104: MATH\r\n- floating-point error: overflow\r\n";
    const char* invalid = "\r\nrun-time error M6101: MATH\r\n- floating-point error: invalid\r\n";
    EXPECT_EXIT(io::addSingle(kMax, kMax), testing::ExitedWithCode(1), testing::StrEq(overflow));
    EXPECT_EXIT(io::addSingle(-kMax, -3e38f), testing::ExitedWithCode(1), testing::StrEq(overflow));
    EXPECT_EXIT(io::addSingle(kInf, -kInf), testing::ExitedWithCode(1), testing::StrEq(invalid));
    float signalling = std::bit_cast<float>(0x7F800001u);
    EXPECT_EXIT(io::addSingle(1.0f, signalling), testing::ExitedWithCode(1), testing::StrEq(invalid));
    EXPECT_EXIT(io::addSingle(signalling, 1.0f), testing::ExitedWithCode(1), testing::StrEq(invalid));
}

}  // namespace
