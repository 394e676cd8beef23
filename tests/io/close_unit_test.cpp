// CLOSE and the closing of every unit at the end of the run.
#include <sys/stat.h>

#include "io/unit_table.h"
#include "units_test_support.h"

namespace {

using units_test::conditionOf;
using units_test::fileWithStatus;
using units_test::openError;
using units_test::UnitsTest;

using units_test::unitOf;

std::int32_t closeError(std::int32_t unit, std::optional<std::string_view> status) {
    return conditionOf([&] { io::closeUnitStatement(unit, status); });
}

TEST_F(UnitsTest, CloseKeepsOrDeletesByStatus) {
    writeFile("kept.txt", "kept\n");
    writeFile("gone.txt", "gone\n");
    ASSERT_EQ(openError(1, fileWithStatus("kept.txt", "OLD")), 0);
    ASSERT_EQ(openError(2, fileWithStatus("gone.txt", "OLD")), 0);
    EXPECT_EQ(closeError(1, std::nullopt), 0);
    EXPECT_EQ(closeError(2, "delete "), 0);
    EXPECT_EQ(readFile("kept.txt"), "kept\n");
    EXPECT_FALSE(exists("gone.txt"));
    EXPECT_EQ(unitOf(1), nullptr);
    EXPECT_EQ(unitOf(2), nullptr);
    EXPECT_EQ(io::unitSlot(1).number, io::kFreeSlot);
    EXPECT_EQ(io::unitSlot(2).number, io::kFreeSlot);

    // Closing what is not connected does nothing; the console units stay.
    EXPECT_EQ(closeError(1, std::nullopt), 0);
    for (std::int32_t console : {0, 5, 6}) EXPECT_EQ(closeError(console, "KEEP"), 0) << console;
    EXPECT_EQ(unitOf(5), &io::consoleInputRecord());
    EXPECT_EQ(closeError(1, "KEPT"), 6304);
}

TEST_F(UnitsTest, ScratchFileIsDeletedAndCannotBeKept) {
    ASSERT_EQ(openError(1, io::OpenSpecifiers{}), 0);
    const std::string first = unitOf(1)->name;
    ASSERT_EQ(openError(2, io::OpenSpecifiers{}), 0);
    const std::string second = unitOf(2)->name;
    EXPECT_NE(first, second);
    ASSERT_TRUE(exists(first));
    ASSERT_TRUE(exists(second));

    EXPECT_EQ(closeError(1, std::nullopt), 0);
    EXPECT_FALSE(exists(first));

    EXPECT_EQ(closeError(2, "KEEP"), 6300);
    EXPECT_NE(unitOf(2), nullptr);
    EXPECT_TRUE(exists(second));
    io::closeAllUnits();
    EXPECT_FALSE(exists(second));
    EXPECT_EQ(unitOf(2), nullptr);
}

TEST_F(UnitsTest, CloseAllKeepsFilesAndDeletesScratchFiles) {
    writeFile("data.txt", "data\n");
    ASSERT_EQ(openError(4, fileWithStatus("data.txt", "OLD")), 0);
    io::OpenSpecifiers scratch;
    scratch.status = "SCRATCH";
    ASSERT_EQ(openError(7, scratch), 0);
    const std::string scratchName = unitOf(7)->name;
    ASSERT_EQ(openError(9, fileWithStatus("CON", "OLD")), 0);
    io::OpenSpecifiers created = fileWithStatus("created.txt", "NEW");
    ASSERT_EQ(openError(11, created), 0);

    io::closeAllUnits();
    EXPECT_EQ(readFile("data.txt"), "data\n");
    EXPECT_FALSE(exists(scratchName));
    EXPECT_TRUE(exists("created.txt"));
    for (int s = io::kFirstNumberedSlot; s <= io::kLastNumberedSlot; ++s) {
        EXPECT_EQ(io::unitSlot(s).unit, nullptr) << s;
    }
    EXPECT_NE(io::unitSlot(io::kConsoleInputSlot).unit, nullptr);
}

TEST_F(UnitsTest, DeleteRefusedWhenTheFolderIsReadOnly) {
    if (units_test::runningAsRoot()) GTEST_SKIP() << "permissions do not bind root";
    std::filesystem::create_directory("locked");
    writeFile("locked/data.txt", "x\n");
    ASSERT_EQ(openError(1, fileWithStatus("locked/data.txt", "OLD")), 0);
    ::chmod("locked", 0555);
    EXPECT_EQ(closeError(1, "DELETE"), 6404);
    ::chmod("locked", 0755);
    EXPECT_TRUE(exists("locked/data.txt"));
}

TEST_F(UnitsTest, DeleteRefusedByTheSystem) {
    io::OpenSpecifiers s = fileWithStatus("/proc/version", "OLD");
    s.action = "READ";
    ASSERT_EQ(openError(1, s), 0);
    EXPECT_EQ(closeError(1, "DELETE"), 6404);
    EXPECT_TRUE(exists("/proc/version"));
}

TEST_F(UnitsTest, DeviceUnitsAreNeverDeleted) {
    writeFile("NUL", "a file that happens to be called NUL\n");
    ASSERT_EQ(openError(1, fileWithStatus("nul", "OLD")), 0);
    EXPECT_EQ(closeError(1, "DELETE"), 0);
    EXPECT_TRUE(exists("NUL"));
    EXPECT_EQ(unitOf(1), nullptr);
}

}  // namespace
