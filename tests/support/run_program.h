// Runs a program with its standard handles redirected and collects what it wrote.
#pragma once

#include <string>
#include <vector>

namespace testsupport {

struct RunResult {
    std::string out;
    std::string err;
    int status = -1;  // exit status, or -1 when it did not exit normally
};

// Runs `program` with `arguments` in `directory`, standard input read from
// `stdinBytes`.
RunResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                     const std::string& directory, const std::string& stdinBytes);

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);

// A fresh empty directory under the system's temporary folder.
std::string makeTempDirectory();
void removeDirectory(const std::string& path);

}  // namespace testsupport
