// A data file that may not be written is opened for reading and stays as it was.
#include <cstdlib>
#include <string>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "tests/support/run_program.h"

namespace {

TEST(ReadOnlyDataFile, OpensForReadingAndIsLeftUnchanged) {
    std::string dir = testsupport::makeTempDirectory();
    const std::string data = "h\r\n==\r\n(I2,19F2.0)\r\n 7" + std::string(36, ' ') + " 5\r\n";
    testsupport::writeFile(dir + "/kavlot.txt", "h\r\n==\r\nt\r\n7 2\r\n");
    testsupport::writeFile(dir + "/data.txt", data);
    ASSERT_EQ(::chmod((dir + "/data.txt").c_str(), 0444), 0);

    testsupport::RunResult run = testsupport::runProgram(KETLAP_BINARY, {"data.txt"}, dir, "");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "      0.       5.       0.       0.\r\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(testsupport::readFile(dir + "/data.txt"), data);
    struct stat st;
    ASSERT_EQ(::stat((dir + "/data.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0444u);
    testsupport::removeDirectory(dir);
}

}  // namespace
