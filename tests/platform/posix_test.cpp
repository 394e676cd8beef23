#include "platform/platform.h"

#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/support/run_program.h"

namespace {

using platform::Creation;
using platform::Failure;
using platform::OpenAccess;

TEST(Platform, OpenFailuresAreClassified) {
    const std::string dir = testsupport::makeTempDirectory();
    testsupport::writeFile(dir + "/exists", "x");
    struct Case {
        std::string name;
        OpenAccess access;
        Creation creation;
        Failure failure;
    };
    const Case cases[] = {
        {dir + "/missing", OpenAccess::Read, Creation::ExistingOnly, Failure::NotFound},
        {dir + "/no/such/folder", OpenAccess::Read, Creation::Either, Failure::NotFound},
        {dir, OpenAccess::Read, Creation::ExistingOnly, Failure::AccessDenied},  // a folder
        {dir + "/exists", OpenAccess::ReadWrite, Creation::NewOnly, Failure::Exists},
        {dir + "/" + std::string(300, 'n'), OpenAccess::Read, Creation::ExistingOnly, Failure::NameTooLong},
        {dir + "/exists", OpenAccess::Read, Creation::ExistingOnly, Failure::None},
    };
    for (const Case& c : cases) {
        platform::OpenResult r = platform::openFile(c.name, c.access, c.creation);
        EXPECT_EQ(r.failure, c.failure) << c.name;
        EXPECT_EQ(r.handle >= 3, c.failure == Failure::None) << c.name;
        if (r.handle >= 3) {
            EXPECT_EQ(::fcntl(r.handle, F_GETFD) & FD_CLOEXEC, FD_CLOEXEC);  // not inherited
            platform::closeFile(r.handle);
        }
    }
    testsupport::removeDirectory(dir);
}

TEST(Platform, IdentityIsDeviceAndInode) {
    const std::string dir = testsupport::makeTempDirectory();
    testsupport::writeFile(dir + "/a", "x");
    ASSERT_EQ(::link((dir + "/a").c_str(), (dir + "/b").c_str()), 0);
    testsupport::writeFile(dir + "/c", "x");
    platform::FileIdentity a, b, c, h;
    ASSERT_TRUE(platform::identityOfName(dir + "/a", a));
    ASSERT_TRUE(platform::identityOfName(dir + "/./b", b));
    ASSERT_TRUE(platform::identityOfName(dir + "/c", c));
    EXPECT_EQ(a, b);
    EXPECT_FALSE(a == c);
    platform::OpenResult r = platform::openFile(dir + "/a", OpenAccess::Read, Creation::ExistingOnly);
    ASSERT_TRUE(platform::identityOfHandle(r.handle, h));
    EXPECT_EQ(a, h);
    EXPECT_TRUE(platform::isSeekable(r.handle));
    platform::closeFile(r.handle);
    EXPECT_FALSE(platform::identityOfName(dir + "/missing", h));
    testsupport::removeDirectory(dir);
}

TEST(Platform, WritesReportAFullDevice) {
    platform::OpenResult r = platform::openFile("/dev/full", OpenAccess::Write, Creation::ExistingOnly);
    ASSERT_GE(r.handle, 3);
    platform::WriteResult w = platform::writeBytes(r.handle, "abc", 3);
    EXPECT_EQ(w.failure, Failure::DiskFull);
    EXPECT_EQ(w.written, 0u);
    platform::closeFile(r.handle);
}

}  // namespace
