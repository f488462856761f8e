#include "host/config/Config.h"
#include "host/resource/AtomicFile.h"
#include "host/resource/FileList.h"
#include "host/resource/ResourceManager.h"
#include "host/resource/WholeFile.h"

#include "support/LogCapture.h"
#include "support/TempRoots.h"
#include <cerrno>
#include <cstring>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using resource::theResourceManager;

namespace {

long fileCount(const std::filesystem::path& directory) {
    return std::distance(std::filesystem::directory_iterator(directory),
                         std::filesystem::directory_iterator());
}

// Temporary data and profile roots for one test; the current directory put back after.
class ResourceTest : public ::testing::Test {
protected:
    void TearDown() override { theResourceManager->changeDirectory(savedDirectory); }

    kel::test::TempRoots roots;
    const kel::test::TempDir& data = roots.data;
    const kel::test::TempDir& profile = roots.profile;
    std::string savedDirectory = theResourceManager->getCurrentDirectory();
};

TEST_F(ResourceTest, GamePathsResolveIntoTheirRootsAndNeverLeaveThem) {
    std::filesystem::path out;
    ASSERT_TRUE(theResourceManager->resolve("/Configs/UI/units.cfg", &out));
    EXPECT_EQ(out, data.get() / "Configs/UI/units.cfg");
    ASSERT_TRUE(theResourceManager->resolve("/Profile/saves.cfg", &out));
    EXPECT_EQ(out, profile.get() / "saves.cfg");
    ASSERT_TRUE(theResourceManager->resolve("/Profiles/x", &out));
    EXPECT_EQ(out, data.get() / "Profiles/x") << "only the Profile directory itself is redirected";

    kel::test::LogCapture log;
    for (const char* escape : {"/../etc/passwd", "/Profile/../../x", "/Maps/..", "..\\x"})
        EXPECT_FALSE(theResourceManager->resolve(escape, &out)) << escape;
    EXPECT_EQ(log.count("resource"), 4u);
    config::Config config;
    EXPECT_FALSE(config.writeFile("/Profile/../escaped.cfg"));
    EXPECT_FALSE(std::filesystem::exists(profile.get().parent_path() / "escaped.cfg"));
}

TEST_F(ResourceTest, ListsTheCurrentDirectoryAndTellsFilesFromTheRest) {
    data.write("Maps/beta.lvx", "");
    data.write("Maps/alpha.lvx", "");
    data.write("Maps/old.lvx/inside", "");
    theResourceManager->changeDirectory("/");
    const std::string remembered = theResourceManager->getCurrentDirectory();
    ASSERT_TRUE(theResourceManager->changeDirectory("/Maps"));
    FileList list;
    theResourceManager->listDirectory(&list);
    std::string names;
    for (size_t i = 0; i < list.size(); ++i)
        names += std::string(list[i]) + " ";
    EXPECT_EQ(names, "alpha.lvx beta.lvx old.lvx ");
    EXPECT_EQ(theResourceManager->testEntry("alpha.lvx"), 0);
    EXPECT_NE(theResourceManager->testEntry("old.lvx"), 0);
    EXPECT_NE(theResourceManager->testEntry("missing"), 0);
    EXPECT_NE(theResourceManager->testEntry("../Maps/alpha.lvx"), 0);

    // Relative game paths follow the current directory.
    config::Config config;
    std::filesystem::path out;
    ASSERT_TRUE(theResourceManager->resolve("gamma.lvx", &out));
    EXPECT_EQ(out, data.get() / "Maps/gamma.lvx");

    EXPECT_FALSE(theResourceManager->changeDirectory("/NoSuchDirectory"));
    EXPECT_EQ(theResourceManager->getCurrentDirectory(), "/Maps");
    ASSERT_TRUE(theResourceManager->changeDirectory(remembered));
    EXPECT_EQ(theResourceManager->getCurrentDirectory(), "/");
}

TEST_F(ResourceTest, AWriteMakesItsDirectoryAndLeavesNothingButTheFile) {
    config::Config config;
    config.appendBlock("save_000").appendProperty("name").push_back("Ole");
    ASSERT_TRUE(config.writeFile("/Profile/sub/saves.cfg"));
    EXPECT_EQ(profile.read("sub/saves.cfg"), "save_000 {\n    name = Ole\n}\n");
    EXPECT_EQ(fileCount(profile / "sub"), 1);
}

TEST_F(ResourceTest, OnlyTheProfileIsWrittenWhateverTheLetterCase) {
    config::Config config;
    config.appendProperty("x").push_back("1");
    kel::test::LogCapture log;
    for (const char* path : {"/Configs/UI/units.cfg", "/Maps/new.lvx", "/Profiles/x.cfg", "x.cfg"})
        EXPECT_FALSE(config.writeFile(path)) << path;
    EXPECT_EQ(log.count("resource"), 4u);
    EXPECT_EQ(fileCount(data.get()), 0);

    ASSERT_TRUE(config.writeFile("/pRoFiLe/mixed.cfg"));
    EXPECT_EQ(profile.read("mixed.cfg"), "x = 1\n");
    ASSERT_TRUE(theResourceManager->changeDirectory("/PROFILE"));
    EXPECT_TRUE(config.writeFile("relative.cfg"));
    EXPECT_EQ(profile.read("relative.cfg"), "x = 1\n");
}

#ifndef _WIN32
TEST_F(ResourceTest, SymbolicLinksNeverLeadOutOfTheirRoot) {
    kel::test::TempDir outside;
    outside.write("secret.cfg", "secret = 1\n");
    data.write("Maps/alpha.lvx", "");
    std::filesystem::create_directory_symlink(outside.get(), data.get() / "Maps/away");
    std::filesystem::create_symlink(outside.get() / "secret.cfg", data.get() / "leak.cfg");
    std::filesystem::create_directory_symlink(data.get() / "Maps", data.get() / "Levels");
    std::filesystem::create_directory_symlink(outside.get(), profile.get() / "away");

    kel::test::LogCapture log;
    std::filesystem::path out;
    for (const char* path : {"/Maps/away/secret.cfg", "/leak.cfg", "/Maps/away", "/Profile/away/x"})
        EXPECT_FALSE(theResourceManager->resolve(path, &out)) << path;
    EXPECT_FALSE(theResourceManager->changeDirectory("/Maps/away"));
    ASSERT_TRUE(theResourceManager->changeDirectory("/Maps"));
    EXPECT_EQ(theResourceManager->testEntry("away"), 2) << "not even whether it is there";
    config::Config config;
    EXPECT_FALSE(config.readFile("/leak.cfg"));
    EXPECT_GE(log.count("resource"), 6u);
    // A link that stays inside the root is an ordinary directory.
    ASSERT_TRUE(theResourceManager->resolve("/Levels/alpha.lvx", &out));
    EXPECT_TRUE(std::filesystem::exists(out));
}

#endif

TEST_F(ResourceTest, NamesInAnyScriptAndTheSystemsOwnErrorText) {
    config::Config config;
    config.appendProperty("x").push_back("1");
    ASSERT_TRUE(config.writeFile("/Profile/\xC3\xBCn\xC3\xAF/\xE5\x90\x8D\xE5\x89\x8D.cfg"));
    config::Config back;
    ASSERT_TRUE(back.readFile("/Profile/\xC3\xBCn\xC3\xAF/\xE5\x90\x8D\xE5\x89\x8D.cfg"));
    EXPECT_EQ(back.writeString(), "x = 1\n");
    // On the disk under that very name, not a mangled spelling of it.
    EXPECT_TRUE(std::filesystem::is_regular_file(
        profile.get() / std::filesystem::u8path("\xC3\xBCn\xC3\xAF/\xE5\x90\x8D\xE5\x89\x8D.cfg")));
    ASSERT_TRUE(theResourceManager->changeDirectory("/Profile/\xC3\xBCn\xC3\xAF"));
    FileList list;
    theResourceManager->listDirectory(&list);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_STREQ(list[0], "\xE5\x90\x8D\xE5\x89\x8D.cfg");

    // A directory where the file should go: the rename fails with the system's reason.
    std::filesystem::create_directories(profile / "taken.cfg" / "inside");
    std::string why;
    EXPECT_FALSE(resource::writeFileAtomically(profile / "taken.cfg", "x = 1\n", &why));
    EXPECT_NE(why.find("cannot replace"), std::string::npos) << why;
#ifdef _WIN32
    // MoveFileExW's failure in the system's words, not a bare number.
    EXPECT_EQ(why.find("system error"), std::string::npos) << why;
    EXPECT_GT(why.size(), why.find(": ") + 6) << why;
#else
    EXPECT_NE(why.find(std::strerror(EISDIR)), std::string::npos) << why;
#endif
    EXPECT_EQ(fileCount(profile.get()), 2) << "no temporary file is left";
}

TEST_F(ResourceTest, AFileAboveTheLimitIsNotReadAtAll) {
    profile.write("big.cfg", "x = 1234567890\n");
    std::string text = "untouched", why;
    EXPECT_EQ(resource::readWholeFile(profile / "big.cfg", &text, &why, 8),
              resource::FileState::Unreadable);
    EXPECT_EQ(text, "untouched");
    EXPECT_NE(why.find("more than the 8"), std::string::npos) << why;
    EXPECT_EQ(resource::readWholeFile(profile / "big.cfg", &text, &why, 15),
              resource::FileState::Read);
}

#ifndef _WIN32
TEST_F(ResourceTest, AtomicWritesKeepModeFollowLinksAndSweepCrashLeftovers) {
    profile.write("saves.cfg", "old = 1\n");
    std::filesystem::permissions(profile / "saves.cfg", std::filesystem::perms(0600));
    profile.write("saves.cfg.tmp.999999.3", "half");
    profile.write("real.cfg", "old = 1\n");
    std::filesystem::create_symlink(profile / "real.cfg", profile / "link.cfg");

    config::Config config;
    config.appendProperty("new").push_back("2");
    ASSERT_TRUE(config.writeFile("/Profile/saves.cfg"));
    EXPECT_EQ(std::filesystem::status(profile / "saves.cfg").permissions(),
              std::filesystem::perms(0600));
    EXPECT_FALSE(std::filesystem::exists(profile / "saves.cfg.tmp.999999.3"));

    ASSERT_TRUE(config.writeFile("/Profile/link.cfg"));
    EXPECT_TRUE(std::filesystem::is_symlink(profile / "link.cfg"));
    EXPECT_EQ(profile.read("real.cfg"), "new = 2\n");
    EXPECT_EQ(fileCount(profile.get()), 3);
}

TEST_F(ResourceTest, TheOldFileSurvivesAWriteThatFailsMidway) {
    profile.write("saves.cfg", "currentUser = old\n");
    const std::string before = profile.read("saves.cfg");

    // A child process writes with a file-size limit far below the document's size, so the
    // write really fails part of the way through, as on a full disk.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        config::Config big;
        for (int i = 0; i < 2000; ++i)
            big.appendProperty("line" + std::to_string(i)).push_back(std::string(40, 'x'));
        debug::setLogSink([](const debug::LogRecord&) {});
        _exit(big.writeFile("/Profile/saves.cfg") ? 0 : 42);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 42) << "the write must report its failure";
    EXPECT_EQ(profile.read("saves.cfg"), before);
    EXPECT_EQ(fileCount(profile.get()), 1) << "the temporary file is removed";
}
#endif

} // namespace
