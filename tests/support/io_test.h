// A test of the record input/output layer: the layer starts afresh and the
// test has a temporary folder of its own.
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "io/initialize.h"
#include "tests/support/run_program.h"

namespace testsupport {

class IoTest : public testing::Test {
protected:
    void SetUp() override {
        io::initializeIo();
        dir_ = makeTempDirectory();
    }
    void TearDown() override {
        io::initializeIo();
        removeDirectory(dir_);
    }
    // Writes a file into the folder and returns its path.
    std::string file(const std::string& name, const std::string& text) {
        std::string path = dir_ + "/" + name;
        writeFile(path, text);
        return path;
    }
    std::string dir_;
};

}  // namespace testsupport
