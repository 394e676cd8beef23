// The operating-system layer: files, standard handles, process exit.
// Everything above it speaks only through these functions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

enum class HandleType : std::uint8_t { CharacterDevice, Pipe, File };

// Records the type of handles 0, 1 and 2 once; ignores SIGPIPE so that a
// closed pipe on standard output makes writes fail instead of killing us.
void prepareStandardHandles();
HandleType standardHandleType(int handle);  // handle 0, 1 or 2
void setStandardHandleTypeForTest(int handle, HandleType type);

enum class OpenAccess : std::uint8_t { Read, Write, ReadWrite };
enum class Creation : std::uint8_t { ExistingOnly, NewOnly, Either, Replace };

enum class Failure : std::uint8_t {
    None,
    NotFound,       // no such file, or a missing directory in the path
    AccessDenied,   // permission, read-only file system, a directory
    Exists,         // the file exists (new only)
    TooManyFiles,
    NameTooLong,
    DiskFull,
    Other,
};

struct OpenResult {
    int handle = -1;
    Failure failure = Failure::None;
};

// Opens without translation and without inheritance by child processes.
// A directory is refused with AccessDenied.
OpenResult openFile(const std::string& name, OpenAccess access, Creation creation);
void closeFile(int handle);
Failure removeFile(const std::string& name);
bool fileExists(const std::string& name);

struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};
bool identityOfName(const std::string& name, FileIdentity& out);
bool identityOfHandle(int handle, FileIdentity& out);

bool isSeekable(int handle);
// Moves the handle's position; returns the new offset, or -1.
std::int64_t seekTo(int handle, std::int64_t offset);
std::int64_t fileSize(int handle);  // -1 when unknown

// Reads up to count bytes; returns the count (0 at end), or -1 on failure.
// A read interrupted by a signal is retried.
std::int64_t readBytes(int handle, void* buffer, std::size_t count);
// Reads at an offset without moving the handle's position.
std::int64_t readBytesAt(int handle, void* buffer, std::size_t count, std::int64_t offset);

struct WriteResult {
    std::size_t written = 0;
    Failure failure = Failure::None;
};
// Writes all bytes (retrying partial writes); stops at the first failure.
WriteResult writeBytes(int handle, const void* data, std::size_t count);

int processId();

// The program's own file name as the system reports it.
std::string programFileName();

[[noreturn]] void exitProcess(int status);

}  // namespace platform
