// A unit that reads a given text from a temporary file (tests only).
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

#include "io/record_reader.h"
#include "io/unit.h"
#include "platform/platform.h"

namespace test_support {

// The file is removed and its handle closed when the object goes.
struct TempUnit {
    io::Unit unit;
    std::string path;

    explicit TempUnit(std::string_view text, std::int32_t bufferSize = 1024) {
        char name[] = "/tmp/ketlap_unit_XXXXXX";
        const int fd = ::mkstemp(name);
        path = name;
        if (fd >= 0) {
            platform::writeBytes(fd, text.data(), text.size());
            ::close(fd);
        }
        unit.name = path;
        unit.handle = platform::openFile(path, platform::OpenAccess::Read,
                                         platform::Creation::ExistingOnly).handle;
        unit.seekable = true;
        io::allocateBuffer(unit, bufferSize);
    }
    ~TempUnit() {
        if (unit.handle >= 0) platform::closeFile(unit.handle);
        platform::removeFile(path);
    }
    TempUnit(const TempUnit&) = delete;
    TempUnit& operator=(const TempUnit&) = delete;

    // File offset of the next byte a READ would take.
    std::int64_t position() const { return io::readPosition(unit); }
};

}  // namespace test_support
