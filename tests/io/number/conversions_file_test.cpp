// Every line of tests/data/conversions.tsv: kind, text in hex ("-" for an
// empty text), scale factor, implied decimal digits, and the stored bits in
// hex or E and the error number.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/io/number/conversion_case.h"

namespace io {
namespace {

std::string textFromHex(const std::string& hex) {
    std::string text;
    if (hex == "-") return text;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        text += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    }
    return text;
}

TEST(ConversionsFile, EveryLineAgrees) {
    const std::string path = std::string(KETLAP_TEST_DATA) + "/conversions.tsv";
    std::ifstream file(path);
    ASSERT_TRUE(file) << "cannot open " << path;

    std::string line;
    int lineNumber = 0;
    int checked = 0;
    int failures = 0;
    while (std::getline(file, line)) {
        ++lineNumber;
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string kind, hex, k, d, expected;
        ASSERT_TRUE(std::getline(fields, kind, '\t') && std::getline(fields, hex, '\t') &&
                    std::getline(fields, k, '\t') && std::getline(fields, d, '\t') &&
                    std::getline(fields, expected, '\t'))
            << "line " << lineNumber << " is malformed: " << line;
        const std::string got = test::runConversion(kind, textFromHex(hex), std::stoi(k), std::stoi(d));
        ++checked;
        if (got != expected) {
            ++failures;
            ADD_FAILURE() << "line " << lineNumber << ": " << line << "\n  got " << got;
            if (failures >= 50) break;  // enough to see the pattern
        }
    }
    EXPECT_EQ(failures, 0);
    EXPECT_GT(checked, 30000);
}

}  // namespace
}  // namespace io
