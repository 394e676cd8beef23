#include "tests/support/run_program.h"

#include <cstdlib>
#include <filesystem>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string makeTempDirectory() {
    char pattern[] = "/tmp/ketlap-test-XXXXXX";
    const char* dir = ::mkdtemp(pattern);
    return dir != nullptr ? std::string(dir) : std::string();
}

void removeDirectory(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

RunResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                     const std::string& directory, const std::string& stdinBytes) {
    std::string scratch = makeTempDirectory();
    std::string inPath = scratch + "/stdin", outPath = scratch + "/stdout", errPath = scratch + "/stderr";
    writeFile(inPath, stdinBytes);
    pid_t pid = ::fork();
    if (pid == 0) {
        int in = ::open(inPath.c_str(), O_RDONLY);
        int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(in, 0);
        ::dup2(out, 1);
        ::dup2(err, 2);
        if (::chdir(directory.c_str()) != 0) ::_exit(127);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    RunResult result;
    result.out = readFile(outPath);
    result.err = readFile(errPath);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    removeDirectory(scratch);
    return result;
}

}  // namespace testsupport
