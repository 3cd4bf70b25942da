#include "ChildProcess.h"
#include "TestRoot.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

TEST(InstallE2E, PutsEverythingWhereTheDesktopLooks) {
    const char* cmake = std::getenv("CMAKE_COMMAND");
    const char* build = std::getenv("LISTORA_BUILD_DIR");
    if (!cmake || !build)
        GTEST_SKIP() << "CMAKE_COMMAND and LISTORA_BUILD_DIR are not set";
    const TestRoot scratch;
    const std::string prefix = scratch.file("prefix with blank");
    ChildProcess install(cmake, {"--install", build, "--prefix", prefix}, {{"DESTDIR", ""}}, true);
    install.Stop();
    ASSERT_EQ(install.ExitCode(), 0);

    for (const char* file : {"bin/listora-cli", "lib/listora/listora", "lib/listora/init.isl",
                             "lib/listora/Listora.htm", "lib/libVarnoFramework.so.1",
                             "share/mime/packages/listora.xml", "share/icons/hicolor/48x48/apps/listora.png",
                             "share/icons/hicolor/256x256/mimetypes/application-x-listora-list.png",
                             "share/icons/hicolor/16x16/mimetypes/application-x-listora-text-list.png"})
        EXPECT_TRUE(fs::is_regular_file(prefix + "/" + file)) << file;
    EXPECT_EQ(fs::canonical(prefix + "/bin/listora"), fs::canonical(prefix + "/lib/listora/listora"));

    const std::string entry = ReadHostFile(prefix + "/share/applications/listora.desktop");
    EXPECT_NE(entry.find("Exec=\"" + prefix + "/bin/listora\" %f\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("MimeType=application/x-listora-list;application/x-listora-text-list;"), std::string::npos);
    if (fs::exists("/usr/bin/update-mime-database")) {
        EXPECT_NE(ReadHostFile(prefix + "/share/mime/globs2").find("application/x-listora-list:*.lsr"),
                  std::string::npos);
    }
    if (fs::exists("/usr/bin/desktop-file-validate")) {
        ChildProcess validate("/usr/bin/desktop-file-validate", {prefix + "/share/applications/listora.desktop"});
        EXPECT_EQ(ChildProcess::ReadAll(validate.output), "");
        validate.Stop();
        EXPECT_EQ(validate.ExitCode(), 0);
    }
    // The installed companion runs from its new place (its library found beside it).
    ChildProcess cli(prefix + "/bin/listora-cli", {"--help"}, {}, true);
    cli.Stop();
    EXPECT_EQ(cli.ExitCode(), 0);
}
