#include "DevicePath.h"
#include "PlatformTestSupport.h"
#include "TestRoot.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(DevicePath, RootFollowsTheEnvironmentOnEveryCall) {
    TestRoot root;
    EXPECT_EQ(root.path(), DevicePath::Root());
    EnvGuard xdg("XDG_DATA_HOME");
    EnvGuard home("HOME");
    setenv("LISTORA_ROOT", (root.path() + "/other/").c_str(), 1);
    EXPECT_EQ(root.path() + "/other", DevicePath::Root());
    unsetenv("LISTORA_ROOT");
    setenv("XDG_DATA_HOME", "/data", 1);
    EXPECT_EQ("/data/listora", DevicePath::Root());
    unsetenv("XDG_DATA_HOME");
    setenv("HOME", "/home/u", 1);
    EXPECT_EQ("/home/u/.local/share/listora", DevicePath::Root());
}

TEST(DevicePath, DevicePathsMapIntoTheRootAndNeverLeaveIt) {
    TestRoot root;
    const std::string r = root.path();
    EXPECT_EQ(r, DevicePath::ToHost(u"\\"));
    EXPECT_EQ(r + "/My Documents/a.lsr", DevicePath::ToHost(u"\\My Documents\\a.lsr"));
    EXPECT_EQ(r + "/a/b/c", DevicePath::ToHost(u"\\a/b\\\\c\\"));
    EXPECT_EQ(r + "/rel/x", DevicePath::ToHost(u"rel\\x"));
    EXPECT_EQ(r + "/b", DevicePath::ToHost(u"\\a\\.\\..\\..\\b"));
    EXPECT_EQ(r + "/\xC3\x9C.txt", DevicePath::ToHost(u"\\Ü.txt"));
    // Host paths are used as they are.
    EXPECT_EQ("/tmp/x\\y/../z", DevicePath::ToHost(u"/tmp/x\\y/../z"));
    EXPECT_EQ(r, DevicePath::ToHost(static_cast<const WCHAR*>(nullptr)));
}

TEST(DevicePath, EnsureRootCreatesMissingParents) {
    TestRoot root;
    setenv("LISTORA_ROOT", (root.path() + "/x/y/z").c_str(), 1);
    ASSERT_TRUE(DevicePath::EnsureRoot());
    EXPECT_TRUE(HostFileExists(root.path() + "/x/y/z"));
    EXPECT_TRUE(DevicePath::EnsureRoot());
}

}  // namespace
