// Whole runs of the built program on small fixture folders: standard output,
// standard error and the exit status must match byte for byte.
//
// A fixture folder holds input/ (copied into a fresh working directory),
// args (one argument per line), stdin, and the expected_stdout,
// expected_stderr and expected_exit of the run.
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/run_program.h"

namespace {

using testsupport::readFile;

std::vector<std::string> readArguments(const std::string& path) {
    std::vector<std::string> arguments;
    std::string text = readFile(path);
    std::size_t start = 0;
    for (std::size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1) {
        arguments.push_back(text.substr(start, nl - start));
    }
    return arguments;
}

std::string printable(const std::string& bytes) {
    std::string s;
    for (unsigned char c : bytes) {
        if (c == '\r') s += "\\r";
        else if (c == '\n') s += "\\n";
        else if (c < 32 || c > 126) s += "\\x" + std::to_string(c);
        else s += static_cast<char>(c);
    }
    return s;
}

class WholeRun : public testing::TestWithParam<const char*> {};

TEST_P(WholeRun, MatchesExpectedBytes) {
    std::string fixture = std::string(KETLAP_FIXTURES) + "/" + GetParam();
    std::string work = testsupport::makeTempDirectory();
    ASSERT_FALSE(work.empty());
    std::string copy = "cp -a '" + fixture + "/input/.' '" + work + "'";
    ASSERT_EQ(std::system(copy.c_str()), 0);

    testsupport::RunResult run = testsupport::runProgram(
        KETLAP_BINARY, readArguments(fixture + "/args"), work, readFile(fixture + "/stdin"));

    EXPECT_EQ(printable(run.out), printable(readFile(fixture + "/expected_stdout")));
    EXPECT_EQ(printable(run.err), printable(readFile(fixture + "/expected_stderr")));
    EXPECT_EQ(run.status, std::atoi(readFile(fixture + "/expected_exit").c_str()));
    testsupport::removeDirectory(work);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, WholeRun,
    testing::Values("example_run", "lf_only_lines", "missing_data_file", "missing_class_table",
                    "prompt_answer_trimmed", "prompt_repeats_for_blank_answers",
                    "prompt_end_of_input", "empty_argument_prompts", "data_file_is_class_table",
                    "nul_data_file", "con_data_from_stdin", "con_tab_back_on_last_line", "data_file_is_directory",
                    "format_i5_19f8", "format_longer_than_60", "format_without_parenthesis",
                    "literal_in_data_format", "reversion_into_next_records",
                    "short_record_reads_zeros", "no_data_records", "identifier_listed_twice",
                    "codes_without_total", "full_first_field_8_digits", "full_first_field_negative",
                    "total_overflows", "missing_header", "header_end_is_last_line",
                    "list_directed_class_table", "bad_class_table_value", "err_device_cannot_be_read",
                    "long_missing_name_is_not_cut", "tab_beyond_record_end", "con_ctrl_z_is_ordinary",
                    "format_ending_in_dollar"),
    [](const testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

}  // namespace
