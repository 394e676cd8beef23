// A fresh table of units in a temporary working directory, and helpers for
// the tests of opening and closing.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "io/run_time_error.h"
#include "io/units.h"
#include "platform/platform.h"

namespace units_test {

// The number of the condition an action raises, 0 when it raises none.
template <typename Action>
std::int32_t conditionOf(Action&& action) {
    try {
        action();
    } catch (const io::IoCondition& condition) {
        return condition.number;
    }
    return 0;
}

inline std::int32_t openError(std::int32_t unit, const io::OpenSpecifiers& specifiers) {
    return conditionOf([&] { io::openUnitStatement(unit, specifiers); });
}

inline io::OpenSpecifiers fileWithStatus(std::string_view file, std::string_view status) {
    io::OpenSpecifiers s;
    s.file = file;
    s.status = status;
    return s;
}

inline bool runningAsRoot() { return ::geteuid() == 0; }

// The unit a READ on `number` would use.
inline io::Unit* unitOf(std::int32_t number) { return io::findUnit(number, io::Direction::Reading); }

// Standard input read from a file for the lifetime of the object.
class StdinFrom {
public:
    explicit StdinFrom(const std::string& path) : saved_(::dup(0)) {
        const int fd = ::open(path.c_str(), O_RDONLY);
        ::dup2(fd, 0);
        ::close(fd);
    }
    ~StdinFrom() {
        ::dup2(saved_, 0);
        ::close(saved_);
    }
    StdinFrom(const StdinFrom&) = delete;
    StdinFrom& operator=(const StdinFrom&) = delete;

private:
    int saved_;
};

class UnitsTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int h = 0; h < 3; ++h) savedTypes_[h] = platform::standardHandleType(h);
        char pattern[] = "/tmp/ketlap_units_XXXXXX";
        directory_ = ::mkdtemp(pattern);
        savedDirectory_ = std::filesystem::current_path();
        std::filesystem::current_path(directory_);
        setConsoleTypes(platform::HandleType::CharacterDevice, platform::HandleType::CharacterDevice);
        static const char* const kProgramOnly[] = {"ketlap"};
        io::setArguments(1, kProgramOnly);
        io::initializeUnits();
    }

    void TearDown() override {
        io::initializeUnits();  // closes whatever a test left open
        std::filesystem::current_path(savedDirectory_);
        std::error_code ignored;
        std::filesystem::permissions(directory_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(directory_, ignored);
        for (int h = 0; h < 3; ++h) platform::setStandardHandleTypeForTest(h, savedTypes_[h]);
    }

    // Sets the recorded types of standard input and output and starts afresh.
    static void setConsoleTypes(platform::HandleType input, platform::HandleType output) {
        platform::setStandardHandleTypeForTest(0, input);
        platform::setStandardHandleTypeForTest(1, output);
        io::initializeUnits();
    }

    static void writeFile(const std::string& name, const std::string& content) {
        std::ofstream(name, std::ios::binary) << content;
    }

    static std::string readFile(const std::string& name) {
        std::ifstream in(name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    static bool exists(const std::string& name) { return std::filesystem::exists(name); }

    std::string directory_;

private:
    std::filesystem::path savedDirectory_;
    platform::HandleType savedTypes_[3] = {};
};

}  // namespace units_test
