// The operating-system layer on POSIX.
#include "platform/platform.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

HandleType standardTypes[3] = {HandleType::CharacterDevice, HandleType::CharacterDevice,
                               HandleType::CharacterDevice};

HandleType typeOf(int handle) {
    struct stat st;
    if (fstat(handle, &st) != 0) return HandleType::CharacterDevice;  // not open
    if (S_ISCHR(st.st_mode)) return HandleType::CharacterDevice;
    if (S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode)) return HandleType::Pipe;
    return HandleType::File;
}

Failure failureOf(int error) {
    switch (error) {
    case ENOENT: case ENOTDIR: return Failure::NotFound;
    case EACCES: case EPERM: case EROFS: case EISDIR: case ETXTBSY: return Failure::AccessDenied;
    case EEXIST: return Failure::Exists;
    case EMFILE: case ENFILE: return Failure::TooManyFiles;
    case ENAMETOOLONG: return Failure::NameTooLong;
    case ENOSPC: case EDQUOT: return Failure::DiskFull;
    default: return Failure::Other;
    }
}

}  // namespace

void prepareStandardHandles() {
    std::signal(SIGPIPE, SIG_IGN);
    for (int h = 0; h < 3; ++h) standardTypes[h] = typeOf(h);
}

HandleType standardHandleType(int handle) {
    return handle >= 0 && handle < 3 ? standardTypes[handle] : HandleType::File;
}

void setStandardHandleTypeForTest(int handle, HandleType type) {
    if (handle >= 0 && handle < 3) standardTypes[handle] = type;
}

OpenResult openFile(const std::string& name, OpenAccess access, Creation creation) {
    int flags = O_CLOEXEC | O_NOCTTY;
    switch (access) {
    case OpenAccess::Read: flags |= O_RDONLY; break;
    case OpenAccess::Write: flags |= O_WRONLY; break;
    case OpenAccess::ReadWrite: flags |= O_RDWR; break;
    }
    switch (creation) {
    case Creation::ExistingOnly: break;
    case Creation::NewOnly: flags |= O_CREAT | O_EXCL; break;
    case Creation::Either: flags |= O_CREAT; break;
    case Creation::Replace: flags |= O_CREAT | O_TRUNC; break;
    }
    int fd;
    do {
        fd = ::open(name.c_str(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return {-1, failureOf(errno)};
    struct stat st;
    if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        return {-1, Failure::AccessDenied};
    }
    return {fd, Failure::None};
}

void closeFile(int handle) {
    if (handle > 2) ::close(handle);
}

Failure removeFile(const std::string& name) {
    return ::unlink(name.c_str()) == 0 ? Failure::None : failureOf(errno);
}

bool fileExists(const std::string& name) {
    struct stat st;
    return ::stat(name.c_str(), &st) == 0;
}

bool identityOfName(const std::string& name, FileIdentity& out) {
    struct stat st;
    if (::stat(name.c_str(), &st) != 0) return false;
    out = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
    return true;
}

bool identityOfHandle(int handle, FileIdentity& out) {
    struct stat st;
    if (::fstat(handle, &st) != 0) return false;
    out = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
    return true;
}

bool isSeekable(int handle) {
    struct stat st;
    return ::fstat(handle, &st) == 0 && S_ISREG(st.st_mode);
}

std::int64_t fileSize(int handle) {
    struct stat st;
    if (::fstat(handle, &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return st.st_size;
}

std::int64_t seekTo(int handle, std::int64_t offset) {
    return static_cast<std::int64_t>(::lseek(handle, static_cast<off_t>(offset), SEEK_SET));
}

std::int64_t readBytes(int handle, void* buffer, std::size_t count) {
    ssize_t n;
    do {
        n = ::read(handle, buffer, count);
    } while (n < 0 && errno == EINTR);
    return n;
}

std::int64_t readBytesAt(int handle, void* buffer, std::size_t count, std::int64_t offset) {
    ssize_t n;
    do {
        n = ::pread(handle, buffer, count, static_cast<off_t>(offset));
    } while (n < 0 && errno == EINTR);
    return n;
}

WriteResult writeBytes(int handle, const void* data, std::size_t count) {
    const char* p = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < count) {
        ssize_t n = ::write(handle, p + done, count - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return {done, failureOf(errno)};
        }
        if (n == 0) return {done, Failure::Other};
        done += static_cast<std::size_t>(n);
    }
    return {done, Failure::None};
}

int processId() { return static_cast<int>(::getpid()); }

std::string programFileName() {
    char path[4096];
    ssize_t n = ::readlink("/proc/self/exe", path, sizeof path);
    return n > 0 ? std::string(path, static_cast<std::size_t>(n)) : std::string("ketlap");
}

void exitProcess(int status) { std::exit(status); }

}  // namespace platform
