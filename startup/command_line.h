// The argument list that a blank file name takes its names from.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace startup {

struct ArgumentList {
    std::vector<std::string> arguments;  // argument 0 is the program
    std::vector<const char*> vector;     // the arguments, then a null pointer
};

// Splits a command-line text by the quoting and backslash rules of the
// program's home platform: argument 0 ends at its closing quote (when it
// begins with one) or at the first blank or tab; later arguments honour
// double quotes and backslashes before them.
ArgumentList splitCommandLine(std::string_view text);

// The argument vector as the system hands it over, already split. With no
// arguments at all, the program's own file name is argument 0.
ArgumentList argumentsFromVector(int argc, const char* const* argv);

}  // namespace startup
