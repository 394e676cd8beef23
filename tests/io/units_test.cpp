// The table of units, device names and the blank-name rule.
#include "io/device_names.h"
#include "io/unit_table.h"
#include "units_test_support.h"

namespace {

using units_test::conditionOf;
using units_test::StdinFrom;
using units_test::UnitsTest;

const std::string kPrompt1 = "File name missing or blank - please enter file name\r\nUNIT 1? ";

TEST(DeviceNames, RecognizedByTheirPartBeforeTheDot) {
    struct Case {
        const char* name;
        std::optional<int> code;
        const char* nameAfter;
    } cases[] = {
        {"CON", io::kConsoleDevice, "CON"},
        {"con", io::kConsoleDevice, "con"},
        {"CON.txt", io::kConsoleDevice, "CON"},
        {"con.", io::kConsoleDevice, "con"},
        {"nul.dat", io::kNullDevice, "nul"},
        {"PRN.txt", io::kNamedDevice, "PRN"},
        {"AUX", io::kFirstSerialPort, "AUX"},
        {"LINE", io::kFirstSerialPort, "LINE"},
        {"COM1", io::kFirstSerialPort, "COM1"},
        {"com4", io::kNamedDevice, "com4"},
        {"LPT1", io::kNamedDevice, "LPT1"},
        {"ERR", io::kErrorDevice, "ERR"},
        {"User", io::kUserConsole, "User"},
        // E, L and U names with an extension are ordinary files.
        {"LPT1.txt", std::nullopt, "LPT1.txt"},
        {"ERR.dat", std::nullopt, "ERR.dat"},
        {"USER.txt", std::nullopt, "USER.txt"},
        // The part before the dot must have 3 or 4 characters.
        {"sub/CON.txt", std::nullopt, "sub/CON.txt"},
        {"COM5", std::nullopt, "COM5"},
        {"CO", std::nullopt, "CO"},
        {"CONSOLE", std::nullopt, "CONSOLE"},
        {"kavlot.txt", std::nullopt, "kavlot.txt"},
    };
    for (const Case& c : cases) {
        std::string name = c.name;
        EXPECT_EQ(io::recognizeDevice(name), c.code) << c.name;
        EXPECT_EQ(name, c.nameAfter) << c.name;
    }
}

TEST(TrimBlanks, DropsOnlyBlanksAtBothEnds) {
    EXPECT_EQ(io::trimBlanks("  data file.txt  "), "data file.txt");
    EXPECT_EQ(io::trimBlanks("\tx \t "), "\tx \t");
    EXPECT_EQ(io::trimBlanks("    "), "");
    EXPECT_EQ(io::trimBlanks(""), "");
}

TEST_F(UnitsTest, StartsWithConsoleRecordsAndFreeSlots) {
    for (int s = 0; s < io::kUnitSlots; ++s) EXPECT_EQ(io::unitSlot(s).number, io::kFreeSlot) << s;
    for (int s = 0; s <= io::kLastNumberedSlot; ++s) EXPECT_EQ(io::unitSlot(s).unit, nullptr) << s;
    const io::Unit& input = *io::unitSlot(io::kConsoleInputSlot).unit;
    EXPECT_EQ(input.name, "CON");
    EXPECT_EQ(input.kind, io::RecordKind::Console);
    EXPECT_EQ(input.record.size, 132);
    EXPECT_EQ(input.carriage, io::CarriageControl::FirstCharacter);
    const io::Unit& internal = *io::unitSlot(io::kInternalFileSlot).unit;
    EXPECT_EQ(internal.name, "internal");
    EXPECT_EQ(internal.kind, io::RecordKind::Internal);
}

TEST_F(UnitsTest, BothDirectionsShareTheInputRecordOnTheConsole) {
    EXPECT_EQ(io::unitSlot(io::kConsoleOutputSlot).unit, nullptr);
    io::Unit* input = &io::consoleInputRecord();
    io::Unit* writing = io::findUnit(io::DefaultOutputUnit, io::Direction::Writing);
    EXPECT_EQ(writing, input);
    EXPECT_EQ(input->handle, 1);
    EXPECT_EQ(io::findUnit(io::DefaultInputUnit, io::Direction::Reading), input);
    EXPECT_EQ(input->handle, 0);
}

TEST_F(UnitsTest, RedirectedOutputGetsItsOwnRecord) {
    setConsoleTypes(platform::HandleType::CharacterDevice, platform::HandleType::File);
    const io::Unit* output = io::unitSlot(io::kConsoleOutputSlot).unit.get();
    ASSERT_NE(output, nullptr);
    EXPECT_EQ(output->handle, 1);
    EXPECT_EQ(output->record.size, 132);
    EXPECT_EQ(io::findUnit(io::DefaultOutputUnit, io::Direction::Writing), output);
    EXPECT_EQ(io::findUnit(6, io::Direction::Writing), output);
    EXPECT_EQ(io::findUnit(0, io::Direction::Writing), output);
    EXPECT_EQ(io::findUnit(5, io::Direction::Reading), &io::consoleInputRecord());
    EXPECT_EQ(io::consoleInputRecord().handle, 0);

    setConsoleTypes(platform::HandleType::Pipe, platform::HandleType::CharacterDevice);
    EXPECT_NE(io::unitSlot(io::kConsoleOutputSlot).unit, nullptr);
}

TEST_F(UnitsTest, UnconnectedNumbersOtherThanTheConsoleOnesFindNothing) {
    for (std::int32_t unit : {1, 2, 4, 7, -5, 32767, io::kFreeSlot}) {
        EXPECT_EQ(io::findUnit(unit, io::Direction::Reading), nullptr) << unit;
        EXPECT_EQ(io::findUnit(unit, io::Direction::Writing), nullptr) << unit;
    }
}

TEST_F(UnitsTest, BlankNameTakesTheArgumentsInOrderThenPrompts) {
    writeFile("answers", "\n   \n  answer.txt  \r\nrest\n");
    StdinFrom input("answers");
    setConsoleTypes(platform::HandleType::File, platform::HandleType::CharacterDevice);
    static const char* const kArguments[] = {"ketlap", " first.txt ", "  ", "third"};
    io::setArguments(4, kArguments);

    io::acquireFileName(1);
    EXPECT_EQ(io::fileNameBuffer(), "first.txt");
    EXPECT_EQ(io::argumentCursor(), 2);

    // The blank argument is used up; then the prompt repeats for each blank answer.
    testing::internal::CaptureStdout();
    io::acquireFileName(1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), kPrompt1 + kPrompt1 + kPrompt1);
    EXPECT_EQ(io::fileNameBuffer(), "answer.txt");
    EXPECT_EQ(io::argumentCursor(), 3);

    io::acquireFileName(1);
    EXPECT_EQ(io::fileNameBuffer(), "third");

    // The rest of the input stayed buffered for the next answer.
    testing::internal::CaptureStdout();
    io::acquireFileName(-12);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "File name missing or blank - please enter file name\r\nUNIT -12? ");
    EXPECT_EQ(io::fileNameBuffer(), "rest");
    EXPECT_EQ(io::argumentCursor(), 4);
}

TEST_F(UnitsTest, EndOfRedirectedInputWhilePromptingIsEndOfFile) {
    for (const char* content : {"", "  \n\n"}) {
        writeFile("answers", content);
        StdinFrom input("answers");
        setConsoleTypes(platform::HandleType::File, platform::HandleType::File);
        testing::internal::CaptureStdout();
        bool endOfFile = false;
        const std::int32_t number = conditionOf([&] {
            try {
                io::acquireFileName(1);
            } catch (const io::IoCondition& condition) {
                endOfFile = condition.endOfFile;
                throw;
            }
        });
        const std::string shown = testing::internal::GetCapturedStdout();
        EXPECT_EQ(number, 6501) << '"' << content << '"';
        EXPECT_TRUE(endOfFile);
        EXPECT_TRUE(io::fileNameBuffer().empty());
        EXPECT_EQ(shown.substr(0, kPrompt1.size()), kPrompt1);
    }
}

TEST_F(UnitsTest, TypedAnswerIsTheLineWithoutItsLineEnd) {
    writeFile("typed", "  typed name.txt \r\n");
    {
        StdinFrom input("typed");
        setConsoleTypes(platform::HandleType::CharacterDevice, platform::HandleType::CharacterDevice);
        testing::internal::CaptureStdout();
        io::acquireFileName(1);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), kPrompt1);
        EXPECT_EQ(io::fileNameBuffer(), "typed name.txt");
    }
    // A typed line longer than one read takes is used whole.
    const std::string longName(600, 'b');
    writeFile("typedLong", longName + "\n");
    {
        StdinFrom input("typedLong");
        testing::internal::CaptureStdout();
        io::acquireFileName(1);
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(io::fileNameBuffer(), longName);
    }
    writeFile("nothing", "");
    StdinFrom input("nothing");
    testing::internal::CaptureStdout();
    EXPECT_EQ(conditionOf([] { io::acquireFileName(1); }), 6501);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), kPrompt1);
}

TEST_F(UnitsTest, LongAnsweredNameIsUsedWhole) {
    const std::string longName(300, 'a');
    writeFile("answers", "   " + longName + "   \n");
    StdinFrom input("answers");
    setConsoleTypes(platform::HandleType::Pipe, platform::HandleType::CharacterDevice);
    testing::internal::CaptureStdout();
    const std::int32_t number = units_test::openError(1, units_test::fileWithStatus(" ", "OLD"));
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(number == 6412 || number == 6416) << number;
    EXPECT_EQ(io::fileNameBuffer(), longName);
    EXPECT_EQ(io::findUnit(1, io::Direction::Reading), nullptr);
}

}  // namespace
