#include "startup/command_line.h"

#include <gtest/gtest.h>

namespace {

using startup::splitCommandLine;

struct SplitCase {
    const char* text;  // the command line after argument 0
    std::vector<std::string> arguments;
};

TEST(SplitCommandLine, QuotingAndBackslashRules) {
    const SplitCase cases[] = {
        {"a b", {"a", "b"}},
        {"\"a b\" c", {"a b", "c"}},
        {"a\"b c\"d", {"ab cd"}},
        {"\\\"a", {"\"a"}},
        {"\\\\\"a b\"", {"\\a b"}},
        {"a\\\\b", {"a\\\\b"}},
        {"\"a\"\"b\"", {"a\"b"}},
        {"\"\"", {""}},
        {"  a\t\tb  ", {"a", "b"}},
        {"\"a b", {"a b"}},         // an unclosed quote runs to the end
        {"a\\", {"a\\"}},           // a trailing backslash is copied
        {"\\\\\\\"x", {"\\\"x"}},   // three backslashes and a quote
        {"", {}},
    };
    for (const SplitCase& c : cases) {
        startup::ArgumentList list = splitCommandLine(std::string("prog ") + c.text);
        std::vector<std::string> got(list.arguments.begin() + 1, list.arguments.end());
        EXPECT_EQ(got, c.arguments) << "command line: " << c.text;
        EXPECT_EQ(list.arguments[0], "prog");
        ASSERT_EQ(list.vector.size(), list.arguments.size() + 1);
        EXPECT_EQ(list.vector.back(), nullptr);
    }
}

TEST(SplitCommandLine, ProgramNameRules) {
    // A quoted program path keeps its blanks and does not disturb argument 1.
    startup::ArgumentList quoted = splitCommandLine("\"C:\\my dir\\ketlap.exe\" data.txt");
    ASSERT_EQ(quoted.arguments.size(), 2u);
    EXPECT_EQ(quoted.arguments[0], "C:\\my dir\\ketlap.exe");
    EXPECT_EQ(quoted.arguments[1], "data.txt");

    // Unquoted, quotes and backslashes are ordinary characters of argument 0.
    startup::ArgumentList plain = splitCommandLine("a\\\"b c");
    ASSERT_EQ(plain.arguments.size(), 2u);
    EXPECT_EQ(plain.arguments[0], "a\\\"b");
    EXPECT_EQ(plain.arguments[1], "c");

    // A quoted program name runs right into the first argument when no blank follows.
    startup::ArgumentList joined = splitCommandLine("\"prog\"x");
    ASSERT_EQ(joined.arguments.size(), 2u);
    EXPECT_EQ(joined.arguments[0], "prog");
    EXPECT_EQ(joined.arguments[1], "x");
}

TEST(ArgumentsFromVector, KeepsTheVectorAsGiven) {
    const char* argv[] = {"ketlap", "a b", "", "\"q\""};
    startup::ArgumentList list = startup::argumentsFromVector(4, argv);
    EXPECT_EQ(list.arguments, (std::vector<std::string>{"ketlap", "a b", "", "\"q\""}));
    EXPECT_STREQ(list.vector[1], "a b");
    EXPECT_EQ(list.vector[4], nullptr);
}

TEST(ArgumentsFromVector, NoArgumentsAtAllTakesTheProgramName) {
    startup::ArgumentList list = startup::argumentsFromVector(0, nullptr);
    ASSERT_EQ(list.arguments.size(), 1u);
    EXPECT_FALSE(list.arguments[0].empty());
}

}  // namespace
