#include "startup/command_line.h"

#include "platform/platform.h"

namespace startup {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

void finish(ArgumentList& list) {
    list.vector.clear();
    for (const std::string& a : list.arguments) list.vector.push_back(a.c_str());
    list.vector.push_back(nullptr);
}

// Argument 0: up to the closing quote when it begins with one, else up to
// the first blank or tab; quotes and backslashes are ordinary otherwise.
std::size_t splitProgramName(std::string_view text, std::string& name) {
    std::size_t i = 0;
    if (!text.empty() && text[0] == '"') {
        for (i = 1; i < text.size() && text[i] != '"'; ++i) name += text[i];
        return i < text.size() ? i + 1 : i;
    }
    for (; i < text.size() && !isBlank(text[i]); ++i) name += text[i];
    return i;
}

}  // namespace

ArgumentList splitCommandLine(std::string_view text) {
    ArgumentList list;
    list.arguments.emplace_back();
    std::size_t i = splitProgramName(text, list.arguments[0]);
    for (;;) {
        while (i < text.size() && isBlank(text[i])) ++i;
        if (i >= text.size()) break;
        std::string argument;
        bool quoted = false;
        while (i < text.size() && (quoted || !isBlank(text[i]))) {
            std::size_t backslashes = 0;
            while (i < text.size() && text[i] == '\\') {
                ++backslashes;
                ++i;
            }
            if (i < text.size() && text[i] == '"') {
                argument.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    argument += '"';  // an escaped quote
                    ++i;
                    continue;
                }
                if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
                    argument += '"';  // a doubled quote inside quotes: one quote, quoting ends
                    ++i;
                }
                quoted = !quoted;
                ++i;
                continue;
            }
            argument.append(backslashes, '\\');
            if (i < text.size() && (quoted || !isBlank(text[i]))) argument += text[i++];
        }
        list.arguments.push_back(std::move(argument));
    }
    finish(list);
    return list;
}

ArgumentList argumentsFromVector(int argc, const char* const* argv) {
    ArgumentList list;
    for (int i = 0; i < argc; ++i) list.arguments.emplace_back(argv[i]);
    if (list.arguments.empty()) list.arguments.push_back(platform::programFileName());
    finish(list);
    return list;
}

}  // namespace startup
