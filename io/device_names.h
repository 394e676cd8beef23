// The reserved names that stand for the console and the devices.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace io {

// Device codes: 0 and up are a standard handle, negative codes say how the
// device is opened.
inline constexpr int kConsoleDevice = 1;
inline constexpr int kErrorDevice = 2;
inline constexpr int kNamedDevice = -2;
inline constexpr int kNullDevice = -3;
inline constexpr int kFirstSerialPort = -4;
inline constexpr int kUserConsole = -6;

bool equalIgnoringCase(std::string_view a, std::string_view b);

// When the name is a device, drops its dot and extension from the name and
// returns the device code; otherwise leaves the name alone.
std::optional<int> recognizeDevice(std::string& name);

// The name under which the system opens a device of this code.
std::string systemDeviceName(int code, const std::string& name);

}  // namespace io
