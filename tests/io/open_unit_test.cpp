// OPEN: specifiers, status, devices, connections already made.
#include <sys/stat.h>

#include "io/record_reader.h"
#include "io/unit_table.h"
#include "units_test_support.h"

namespace {

using units_test::conditionOf;
using units_test::fileWithStatus;
using units_test::openError;
using units_test::UnitsTest;

using units_test::unitOf;

TEST_F(UnitsTest, BadSpecifiersAreRefusedInTableOrder) {
    struct Case {
        const char* what;
        void (*set)(io::OpenSpecifiers&);
        std::int32_t error;
    } cases[] = {
        {"status", [](io::OpenSpecifiers& s) { s.status = "OL"; }, 6304},
        {"status NOT", [](io::OpenSpecifiers& s) { s.status = "OLDX"; }, 6304},
        {"position", [](io::OpenSpecifiers& s) { s.position = "END"; }, 6793},
        {"access", [](io::OpenSpecifiers& s) { s.access = "SEQ"; }, 6306},
        {"form", [](io::OpenSpecifiers& s) { s.form = "TEXT"; }, 6308},
        {"negative recl", [](io::OpenSpecifiers& s) { s.recl = -1; }, 6315},
        {"direct without recl", [](io::OpenSpecifiers& s) { s.access = "DIRECT"; }, 6311},
        {"blank", [](io::OpenSpecifiers& s) { s.blank = "BLANK"; }, 6307},
        {"action", [](io::OpenSpecifiers& s) { s.action = "RW"; }, 6794},
        {"delim", [](io::OpenSpecifiers& s) { s.delim = "COMMA"; }, 6796},
        {"delim unformatted", [](io::OpenSpecifiers& s) { s.form = "UNFORMATTED"; s.delim = "NONE"; }, 6795},
        {"pad", [](io::OpenSpecifiers& s) { s.pad = "MAYBE"; }, 6798},
        {"pad unformatted", [](io::OpenSpecifiers& s) { s.form = "unformatted"; s.pad = "YES"; }, 6797},
        {"carriage control", [](io::OpenSpecifiers& s) { s.carriageControl = "NONE"; }, 6799},
        {"access mode", [](io::OpenSpecifiers& s) { s.accessMode = "APPEND"; }, 6305},
        {"share", [](io::OpenSpecifiers& s) { s.share = "DENY"; }, 6309},
        {"window focus", [](io::OpenSpecifiers& s) { s.windowFocus = 1; }, 6211},
        {"window title", [](io::OpenSpecifiers& s) { s.windowTitle = "title"; }, 6213},
        {"file with scratch", [](io::OpenSpecifiers& s) { s.status = "SCRATCH"; }, 6301},
        // The first bad value in table order decides.
        {"status before position", [](io::OpenSpecifiers& s) { s.status = "X"; s.position = "X"; }, 6304},
        {"position before access", [](io::OpenSpecifiers& s) { s.access = "X"; s.position = "X"; }, 6793},
        {"form before recl", [](io::OpenSpecifiers& s) { s.recl = -5; s.form = "X"; }, 6308},
        {"recl before blank", [](io::OpenSpecifiers& s) { s.blank = "X"; s.recl = -5; }, 6315},
        {"action before delim", [](io::OpenSpecifiers& s) { s.delim = "X"; s.action = "X"; }, 6794},
        {"carriage before access mode",
         [](io::OpenSpecifiers& s) { s.accessMode = "X"; s.carriageControl = "X"; }, 6799},
        {"share before window", [](io::OpenSpecifiers& s) { s.windowFocus = 0; s.share = "X"; }, 6309},
        {"specifiers before the name", [](io::OpenSpecifiers& s) { s.file = "no/such/dir/x"; s.pad = "X"; }, 6798},
    };
    for (const Case& c : cases) {
        io::OpenSpecifiers s;
        s.file = "new.txt";
        c.set(s);
        EXPECT_EQ(openError(1, s), c.error) << c.what;
        EXPECT_EQ(unitOf(1), nullptr) << c.what;
        EXPECT_FALSE(exists("new.txt")) << c.what;
    }
}

TEST_F(UnitsTest, KeywordsMatchInAnyCaseWithTrailingBlanks) {
    writeFile("data.txt", "x\n");
    io::OpenSpecifiers s = fileWithStatus("data.txt", "old  ");
    s.blank = "zero";
    s.pad = "No ";
    s.delim = "quote";
    s.carriageControl = "fortran";
    s.action = "read";
    s.share = "denywr";
    ASSERT_EQ(openError(1, s), 0);
    const io::Unit& unit = *unitOf(1);
    EXPECT_TRUE(unit.blankAsZero);
    EXPECT_FALSE(unit.pad);
    EXPECT_EQ(unit.delim, io::Delim::Quote);
    EXPECT_EQ(unit.carriage, io::CarriageControl::FirstCharacter);
    EXPECT_EQ(unit.action, io::Action::Read);
    EXPECT_EQ(unit.share, io::Share::DenyWrite);
}

TEST_F(UnitsTest, DefaultsOfAFileOpenedByNameAndStatus) {
    writeFile("data.txt", "x\n");
    ASSERT_EQ(openError(1, fileWithStatus("  data.txt  ", "OLD")), 0);
    const io::Unit& unit = *unitOf(1);
    EXPECT_EQ(unit.name, "data.txt");
    EXPECT_EQ(unit.kind, io::RecordKind::FormattedSequential);
    EXPECT_GE(unit.handle, 3);
    EXPECT_EQ(unit.action, io::Action::ReadWrite);
    EXPECT_EQ(unit.carriage, io::CarriageControl::List);
    EXPECT_EQ(unit.recordLength, 1024);
    EXPECT_EQ(unit.defaultClose, io::CloseDisposition::Keep);
    EXPECT_TRUE(unit.pad);
    EXPECT_FALSE(unit.blankAsZero);
    EXPECT_FALSE(unit.outputPending);
    EXPECT_FALSE(unit.deleteOnClose);
    EXPECT_TRUE(unit.seekable);
    EXPECT_GE(unit.record.size, 1024);
    EXPECT_EQ(unit.record.lastIndex, -1);
    EXPECT_EQ(unit.record.nextIndex, 0);
}

TEST_F(UnitsTest, AccessAndFormChooseTheRecordKind) {
    struct Case {
        std::optional<std::string_view> access, form;
        std::optional<std::int32_t> recl;
        io::RecordKind kind;
        std::int32_t recordLength;
    } cases[] = {
        {std::nullopt, "UNFORMATTED", std::nullopt, io::RecordKind::UnformattedSequential, 65536},
        {std::nullopt, "BINARY", std::nullopt, io::RecordKind::BinarySequential, 65536},
        {"DIRECT", std::nullopt, 80, io::RecordKind::UnformattedDirect, 80},
        {"DIRECT", "FORMATTED", 80, io::RecordKind::FormattedDirect, 82},
        {"DIRECT", "BINARY", 8, io::RecordKind::BinaryDirect, 8},
        {"APPEND", std::nullopt, std::nullopt, io::RecordKind::FormattedSequential, 1024},
    };
    for (const Case& c : cases) {
        io::OpenSpecifiers s = fileWithStatus("data.bin", "UNKNOWN");
        s.access = c.access;
        s.form = c.form;
        s.recl = c.recl;
        ASSERT_EQ(openError(1, s), 0);
        EXPECT_EQ(unitOf(1)->kind, c.kind);
        EXPECT_EQ(unitOf(1)->recordLength, c.recordLength);
        io::closeUnitStatement(1, std::nullopt);
    }
}

TEST_F(UnitsTest, BlockSizeIsRoundedUpToWholeBlocks) {
    writeFile("data.txt", "x\n");
    for (auto [given, size] : {std::pair{1, 512}, {512, 512}, {513, 1024}, {1000, 1024}}) {
        io::OpenSpecifiers s = fileWithStatus("data.txt", "OLD");
        s.blockSize = given;
        ASSERT_EQ(openError(1, s), 0);
        EXPECT_EQ(unitOf(1)->record.size, size) << given;
        io::closeUnitStatement(1, std::nullopt);
    }
}

TEST_F(UnitsTest, StatusDecidesWhetherTheFileMustExist) {
    struct Case {
        const char* status;
        bool existsBefore;
        std::int32_t error;
        const char* contentAfter;  // nullptr: no file afterwards
        bool created;
    } cases[] = {
        {"OLD", true, 0, "old\n", false},     {"OLD", false, 6416, nullptr, false},
        {"NEW", true, 6415, "old\n", false},  {"NEW", false, 0, "", true},
        {"UNKNOWN", true, 0, "old\n", false}, {"UNKNOWN", false, 0, "", true},
        {"REPLACE", true, 0, "", true},       {"REPLACE", false, 0, "", true},
    };
    for (const Case& c : cases) {
        std::filesystem::remove("data.txt");
        if (c.existsBefore) writeFile("data.txt", "old\n");
        const std::string what = std::string(c.status) + (c.existsBefore ? " existing" : " missing");
        EXPECT_EQ(openError(1, fileWithStatus("data.txt", c.status)), c.error) << what;
        if (c.error == 0) {
            EXPECT_EQ(unitOf(1)->outputPending, c.created) << what;
            io::closeUnitStatement(1, std::nullopt);
        } else {
            EXPECT_EQ(unitOf(1), nullptr) << what;
        }
        EXPECT_EQ(exists("data.txt"), c.contentAfter != nullptr) << what;
        if (c.contentAfter) {
            EXPECT_EQ(readFile("data.txt"), c.contentAfter) << what;
        }
    }
}

TEST_F(UnitsTest, WithoutFileTheUnitGetsAScratchFile) {
    std::string digits = std::to_string(platform::processId() % 100000);
    digits.insert(0, 5 - digits.size(), '0');
    writeFile("ZZa" + digits, "taken");
    io::OpenSpecifiers s;
    s.status = "OLD";  // no FILE always means scratch
    ASSERT_EQ(openError(3, s), 0);
    const io::Unit& unit = *unitOf(3);
    EXPECT_EQ(unit.name, "ZZb" + digits);
    EXPECT_TRUE(exists("ZZb" + digits));
    EXPECT_TRUE(unit.deleteOnClose);
    EXPECT_EQ(unit.defaultClose, io::CloseDisposition::Delete);
    io::closeUnitStatement(3, std::nullopt);
    EXPECT_FALSE(exists("ZZb" + digits));
    EXPECT_EQ(readFile("ZZa" + digits), "taken");
}

TEST_F(UnitsTest, AFileThatRefusesWritingOpensForReading) {
    // The running test program cannot be opened for writing, not even by root.
    const std::string self = std::filesystem::read_symlink("/proc/self/exe");
    ASSERT_EQ(openError(1, fileWithStatus(self, "OLD")), 0);
    EXPECT_EQ(unitOf(1)->action, io::Action::Read);
    io::closeUnitStatement(1, std::nullopt);

    // With ACTION or the access mode given there is no second try.
    io::OpenSpecifiers s = fileWithStatus(self, "OLD");
    s.action = "READWRITE";
    EXPECT_EQ(openError(1, s), 6414);
    s.action = std::nullopt;
    s.accessMode = "WRITE";
    EXPECT_EQ(openError(1, s), 6414);
    EXPECT_EQ(unitOf(1), nullptr);
}

TEST_F(UnitsTest, PermissionsChooseTheAccessObtained) {
    if (units_test::runningAsRoot()) GTEST_SKIP() << "permissions do not bind root";
    writeFile("readonly.txt", "x\n");
    writeFile("writeonly.txt", "x\n");
    ::chmod("readonly.txt", 0444);
    ::chmod("writeonly.txt", 0222);
    ASSERT_EQ(openError(1, fileWithStatus("readonly.txt", "OLD")), 0);
    EXPECT_EQ(unitOf(1)->action, io::Action::Read);
    ASSERT_EQ(openError(2, fileWithStatus("writeonly.txt", "OLD")), 0);
    EXPECT_EQ(unitOf(2)->action, io::Action::Write);
}

TEST_F(UnitsTest, FailuresOfTheSystemOpen) {
    std::filesystem::create_directory("folder");
    EXPECT_EQ(openError(1, fileWithStatus("folder", "OLD")), 6414);
    EXPECT_EQ(openError(1, fileWithStatus("folder", "UNKNOWN")), 6414);
    EXPECT_EQ(openError(1, fileWithStatus("missing.txt", "OLD")), 6416);
    EXPECT_EQ(openError(1, fileWithStatus("no/such/folder.txt", "NEW")), 6416);
    const std::string longName(300, 'n');
    EXPECT_EQ(openError(1, fileWithStatus(longName, "UNKNOWN")), 6412);
    EXPECT_EQ(io::fileNameBuffer(), longName);
    EXPECT_EQ(unitOf(1), nullptr);
}

TEST_F(UnitsTest, ANulInTheFileTextEndsTheName) {
    writeFile("data.txt", "x\n");
    const std::string text("data.txt\0garbage", 16);
    ASSERT_EQ(openError(1, fileWithStatus(text, "OLD")), 0);
    EXPECT_EQ(unitOf(1)->name, "data.txt");
}

TEST_F(UnitsTest, AFileIsConnectedToOneUnitAtATime) {
    writeFile("data.txt", "x\n");
    std::filesystem::create_hard_link("data.txt", "link.txt");
    ASSERT_EQ(openError(1, fileWithStatus("data.txt", "OLD")), 0);
    for (const std::string& spelling :
         {std::string("data.txt"), std::string("./data.txt"), directory_ + "/data.txt", std::string("link.txt")}) {
        EXPECT_EQ(openError(2, fileWithStatus(spelling, "OLD")), 6413) << spelling;
        EXPECT_EQ(unitOf(2), nullptr) << spelling;
    }
    ASSERT_EQ(openError(2, fileWithStatus("NUL", "OLD")), 0);
    EXPECT_EQ(openError(3, fileWithStatus("nul.txt", "OLD")), 0);
    ASSERT_EQ(openError(4, fileWithStatus("ERR", "OLD")), 0);
    EXPECT_EQ(openError(5, fileWithStatus("err", "OLD")), 6413);
}

TEST_F(UnitsTest, ReopenOfTheSameFileChangesOnlyEditSettings) {
    writeFile("data.txt", "abc\ndef\n");
    ASSERT_EQ(openError(1, fileWithStatus("data.txt", "OLD")), 0);
    io::Unit* unit = unitOf(1);
    EXPECT_EQ(io::nextChar(*unit), 'a');
    EXPECT_EQ(io::nextChar(*unit), 'b');

    io::OpenSpecifiers s = fileWithStatus("./data.txt", "NEW");  // STATUS is left alone
    s.blank = "ZERO";
    s.pad = "NO";
    ASSERT_EQ(openError(1, s), 0);
    EXPECT_EQ(unitOf(1), unit);
    EXPECT_TRUE(unit->blankAsZero);
    EXPECT_FALSE(unit->pad);
    EXPECT_EQ(io::nextChar(*unit), 'c');

    s.form = "UNFORMATTED";
    s.pad = std::nullopt;
    EXPECT_EQ(openError(1, s), 6209);
    EXPECT_EQ(unitOf(1), unit);
}

TEST_F(UnitsTest, ReopenOnAnotherFileClosesTheOldOne) {
    writeFile("a.txt", "a\n");
    writeFile("b.txt", "b\n");
    ASSERT_EQ(openError(1, io::OpenSpecifiers{}), 0);  // scratch
    const std::string scratch = unitOf(1)->name;
    ASSERT_TRUE(exists(scratch));
    ASSERT_EQ(openError(1, fileWithStatus("a.txt", "OLD")), 0);
    EXPECT_FALSE(exists(scratch));
    ASSERT_EQ(openError(1, fileWithStatus("b.txt", "OLD")), 0);
    EXPECT_EQ(unitOf(1)->name, "b.txt");
    EXPECT_EQ(openError(2, fileWithStatus("a.txt", "OLD")), 0);

    // A failed open on another file leaves the unit unconnected.
    EXPECT_EQ(openError(1, fileWithStatus("missing.txt", "OLD")), 6416);
    EXPECT_EQ(unitOf(1), nullptr);
    EXPECT_EQ(openError(3, fileWithStatus("b.txt", "OLD")), 0);
}

TEST_F(UnitsTest, AppendPositionsAfterTheLastByte) {
    std::string content;
    for (int i = 0; i < 200; ++i) content += "line " + std::to_string(i) + "\n";
    writeFile("data.txt", content);
    for (auto specify : {+[](io::OpenSpecifiers& s) { s.position = "APPEND"; },
                         +[](io::OpenSpecifiers& s) { s.access = "append"; }}) {
        io::OpenSpecifiers s = fileWithStatus("data.txt", "OLD");
        s.blockSize = 512;
        specify(s);
        ASSERT_EQ(openError(1, s), 0);
        io::Unit& unit = *unitOf(1);
        EXPECT_EQ(unit.record.filePosition, static_cast<std::int64_t>(content.size()));
        EXPECT_EQ(unit.record.lastIndex, 511);
        EXPECT_EQ(unit.record.nextIndex, 512);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(unit.record.data.get()), 512),
                  content.substr(content.size() - 512));
        EXPECT_EQ(conditionOf([&] { io::nextChar(unit); }), 6501);
        io::closeUnitStatement(1, std::nullopt);
    }
    writeFile("empty.txt", "");
    io::OpenSpecifiers s = fileWithStatus("empty.txt", "OLD");
    s.position = "APPEND";
    ASSERT_EQ(openError(1, s), 0);
    EXPECT_EQ(unitOf(1)->record.filePosition, 0);
    EXPECT_EQ(unitOf(1)->record.lastIndex, -1);
}

TEST_F(UnitsTest, DeviceNamesConnectTheConsoleOrAFile) {
    std::filesystem::create_directory("sub");
    struct Case {
        const char* name;
        bool routed;      // reads standard input
        const char* file;  // the ordinary file it makes, if any
    } cases[] = {
        {"CON", true, nullptr},      {"con.txt", true, nullptr},     {"USER", true, nullptr},
        {"user", true, nullptr},     {"LPT1.txt", false, "LPT1.txt"}, {"ERR.dat", false, "ERR.dat"},
        {"sub/CON.txt", false, "sub/CON.txt"},
    };
    for (const Case& c : cases) {
        io::initializeUnits();
        ASSERT_EQ(openError(3, fileWithStatus(c.name, "UNKNOWN")), 0) << c.name;
        EXPECT_EQ(unitOf(3) == &io::consoleInputRecord(), c.routed) << c.name;
        if (c.file) {
            EXPECT_TRUE(exists(c.file)) << c.name;
        }
    }
    io::initializeUnits();
    ASSERT_EQ(openError(3, fileWithStatus("Err", "NEW")), 0);
    EXPECT_EQ(unitOf(3)->handle, 2);
    EXPECT_EQ(unitOf(3)->kind, io::RecordKind::Console);
    EXPECT_EQ(unitOf(3)->record.size, 132);

    ASSERT_EQ(openError(4, fileWithStatus("NUL.dat", "NEW")), 0);
    EXPECT_EQ(unitOf(4)->name, "NUL");
    EXPECT_EQ(conditionOf([] { io::nextChar(*unitOf(4)); }), 6501);

    io::OpenSpecifiers s = fileWithStatus("NUL", "OLD");
    s.form = "BINARY";
    ASSERT_EQ(openError(5, s), 0);
    EXPECT_EQ(unitOf(5)->kind, io::RecordKind::BinarySequential);
    s.form = "UNFORMATTED";
    EXPECT_EQ(openError(7, s), 6202);
}

TEST_F(UnitsTest, SixtyOneUnitsFillTheTable) {
    for (std::int32_t unit = 1; unit <= 61; ++unit) {
        ASSERT_EQ(openError(100 + unit, fileWithStatus("NUL", "OLD")), 0) << unit;
    }
    EXPECT_EQ(openError(1, fileWithStatus("data.txt", "NEW")), 6418);
    EXPECT_EQ(unitOf(1), nullptr);
    EXPECT_EQ(openError(2, io::OpenSpecifiers{}), 6418);

    io::closeUnitStatement(130, std::nullopt);
    EXPECT_EQ(openError(1, fileWithStatus("other.txt", "NEW")), 0);
    EXPECT_EQ(io::unitSlot(30).number, 1);
}

}  // namespace
