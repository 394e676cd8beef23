// The class table holds 50,000 pairs; a complete 50,001st pair ends the run.
// A value is read whole up to 16 MiB characters.
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/run_program.h"

namespace {

std::string classTable(int pairs, const std::string& tail) {
    std::string text = "header\r\n==\r\ntitle\r\n";
    for (int k = 1; k <= pairs; ++k) text += std::to_string(k) + " " + std::to_string(k % 5) + "\r\n";
    return text + tail;
}

testsupport::RunResult runWithTable(const std::string& table) {
    std::string dir = testsupport::makeTempDirectory();
    testsupport::writeFile(dir + "/kavlot.txt", table);
    testsupport::writeFile(dir + "/data.txt",
                           "h\r\n==\r\n(I6,19F4.1)\r\n 50000" + std::string(18 * 4, ' ') + " 1.5\r\n");
    testsupport::RunResult run = testsupport::runProgram(KETLAP_BINARY, {"data.txt"}, dir, "");
    testsupport::removeDirectory(dir);
    return run;
}

TEST(ClassTableCapacity, FiftyThousandPairsFit) {
    // The last pair, 50000 0, is the only one that matches.
    testsupport::RunResult run = runWithTable(classTable(50000, ""));
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "      0.       0.       0.       2.\r\n");
    EXPECT_EQ(run.status, 0);
}

TEST(ClassTableCapacity, IncompleteExtraPairIsNotAnError) {
    testsupport::RunResult run = runWithTable(classTable(50000, "50001\r\n"));
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, 0);
}

TEST(ClassTableCapacity, ACompleteExtraPairIsReported) {
    testsupport::RunResult run = runWithTable(classTable(50001, ""));
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "\r\nrun-time error F6505: READ(kavlot.txt)\r\n- class table holds more than 50000 pairs\r\n");
    EXPECT_EQ(run.status, 1);
}

TEST(ClassTableCapacity, AValueBeyondSixteenMebibytesIsRefused) {
    const std::string longValue = "1" + std::string(17u << 20, '0') + " 1\r\n";
    testsupport::RunResult run = runWithTable("header\r\n==\r\ntitle\r\n" + longValue);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "\r\nrun-time error F6700: READ(kavlot.txt)\r\n- not enough memory\r\n");
    EXPECT_EQ(run.status, 1);
}

TEST(ClassTableCapacity, ALongValueIsReadWhole) {
    // An identifier written with 1000 digits, 993 of them leading zeros.
    const std::string identifier = std::string(990, '0') + "0000000007";
    testsupport::RunResult run = runWithTable("header\r\n==\r\ntitle\r\n" + identifier + " 1\r\n50000 1\r\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "      2.       0.       0.       0.\r\n");
    EXPECT_EQ(run.status, 0);
}

}  // namespace
