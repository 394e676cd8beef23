// The reserved names that stand for the console and the devices.
#include "io/device_names.h"

#include <cctype>

namespace io {

namespace {

struct DeviceName {
    std::string_view name;
    int code;
};

constexpr DeviceName kDeviceNames[] = {
    {"CON", kConsoleDevice},   {"USER", kUserConsole},    {"PRN", kNamedDevice},
    {"COM1", kFirstSerialPort}, {"COM2", kNamedDevice},   {"COM3", kNamedDevice},
    {"COM4", kNamedDevice},    {"LPT1", kNamedDevice},    {"LPT2", kNamedDevice},
    {"LPT3", kNamedDevice},    {"LPT4", kNamedDevice},    {"NUL", kNullDevice},
    {"AUX", kFirstSerialPort}, {"ERR", kErrorDevice},     {"LINE", kFirstSerialPort},
};

char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

}  // namespace

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i])) return false;
    }
    return true;
}

std::optional<int> recognizeDevice(std::string& name) {
    const std::size_t dot = name.rfind('.');
    const std::string_view base = std::string_view(name).substr(0, dot);
    if (base.size() != 3 && base.size() != 4) return std::nullopt;
    // "LPT1.txt", "ERR.dat" and "USER.txt" are ordinary files.
    const bool hasExtension = dot != std::string::npos && dot + 1 < name.size();
    const char first = upper(name[0]);
    if (hasExtension && (first == 'E' || first == 'L' || first == 'U')) return std::nullopt;
    for (const DeviceName& device : kDeviceNames) {
        if (equalIgnoringCase(base, device.name)) {
            name.resize(base.size());
            return device.code;
        }
    }
    return std::nullopt;
}

std::string systemDeviceName(int code, const std::string& name) {
    if (code == kFirstSerialPort) return "COM1";
    if (code == kNullDevice) return "/dev/null";
    return name;
}

}  // namespace io
