#include "host/kelinput/KelInput.h"
#include "host/profile/Profile.h"
#include "host/profile/SoundSettings.h"
#include "host/profile/TempProfile.h"
#include "host/resource/FileSystemOps.h"
#include "support/LogCapture.h"
#include "ui/Saves.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

// Lets every step of a write through to the real call except the one numbered `failAt` (from
// 1; 0 fails none), which fails as on a full disk. Records the name of each step.
class FailOneStep : public resource::FileSystemOps {
public:
    explicit FailOneStep(int failAt) : failAt(failAt) {}

    std::FILE* create(const std::filesystem::path& path, std::string* why) override {
        return fails("create", why) ? nullptr : FileSystemOps::create(path, why);
    }
    bool write(std::FILE* file, const char* data, std::size_t size, std::string* why) override {
        if (!fails("write", why))
            return FileSystemOps::write(file, data, size, why);
        // Half of the piece gets through before the disk is full.
        std::string ignored;
        FileSystemOps::write(file, data, size / 2, &ignored);
        FileSystemOps::flush(file, &ignored);
        return false;
    }
    bool flush(std::FILE* file, std::string* why) override {
        return !fails("flush", why) && FileSystemOps::flush(file, why);
    }
    bool sync(std::FILE* file, std::string* why) override {
        return !fails("sync", why) && FileSystemOps::sync(file, why);
    }
    bool close(std::FILE* file, std::string* why) override {
        // A close that fails still lets the file go.
        const bool failed = fails("close", why);
        std::string ignored;
        return FileSystemOps::close(file, failed ? &ignored : why) && !failed;
    }
    bool rename(const std::filesystem::path& from, const std::filesystem::path& to,
                std::string* why) override {
        return !fails("rename", why) && FileSystemOps::rename(from, to, why);
    }
    bool syncDirectory(const std::filesystem::path& directory, std::string* why) override {
        return !fails("syncDirectory", why) && FileSystemOps::syncDirectory(directory, why);
    }

    std::vector<std::string> steps;

private:
    bool fails(const char* step, std::string* why) {
        steps.push_back(step);
        if (static_cast<int>(steps.size()) != failAt)
            return false;
        *why = std::strerror(ENOSPC);
        return true;
    }
    int failAt;
};

// What the caller is told for each step that fails.
const char* const kMessages[][2] = {
    {"create", "cannot create "},
    {"write", "cannot write "},
    {"flush", "cannot flush "},
    {"sync", "cannot sync to the disk "},
    {"close", "cannot close "},
    {"rename", "cannot replace "},
    {"syncDirectory", "cannot sync the directory "},
};

// A file of the player's, kept by `save`; `change` loads the old file and changes something in
// memory so that a save writes new content.
struct PlayerFile {
    std::string name;
    std::string old;
    std::function<void()> change;
    std::function<bool()> save;
};

// Fails each step of saving `file` in turn, starting each time from the old file on disk.
void failEveryStep(const kel::test::TempProfile& profile, const PlayerFile& file) {
    kel::test::LogCapture log;
    const auto reset = [&] {
        profile.files().write(file.name, file.old);
        file.change();
    };
    reset();
    FailOneStep counting(0);
    {
        resource::ScopedFileSystemOps scope(counting);
        ASSERT_TRUE(file.save());
    }
    const std::string now = profile.files().read(file.name);
    ASSERT_NE(now, file.old);
    const auto& steps = counting.steps;
    EXPECT_GE(std::count(steps.begin(), steps.end(), "write"), 3) << "written in pieces";
    // Every step happens, in this order: the data reaches the disk before the rename, and the
    // rename before the directory is flushed.
    std::vector<std::string> order = steps;
    order.erase(std::unique(order.begin(), order.end()), order.end());
    EXPECT_EQ(order, (std::vector<std::string>{"create", "write", "flush", "sync", "close",
                                               "rename", "syncDirectory"}));
    const auto rename = std::find(steps.begin(), steps.end(), "rename");
    ASSERT_NE(rename, steps.end());
    log.take();

    for (int k = 1; k <= static_cast<int>(steps.size()); ++k) {
        const std::string& step = steps[k - 1];
        SCOPED_TRACE("failing step " + std::to_string(k) + ", " + step);
        reset();
        FailOneStep failing(k);
        bool saved = true;
        {
            resource::ScopedFileSystemOps scope(failing);
            saved = file.save();
        }
        EXPECT_FALSE(saved);
        // Up to the rename the old file stands; once renamed it is the new one, whole.
        const bool renamed = k > static_cast<int>(rename - steps.begin()) + 1;
        EXPECT_EQ(profile.files().read(file.name), renamed ? now : file.old);
        for (const auto& entry : std::filesystem::directory_iterator(profile.files().get()))
            EXPECT_EQ(entry.path().filename().string().find(".tmp."), std::string::npos)
                << entry.path();
        std::string heard;
        for (const auto& record : log.take()) {
            heard += record.text + "\n";
            EXPECT_EQ(record.line, 0) << "a failed write is the whole file's: " << record.text;
        }
        std::string expected;
        for (const auto& row : kMessages)
            if (step == row[0])
                expected = row[1];
        EXPECT_NE(heard.find(expected), std::string::npos) << heard;
        EXPECT_NE(heard.find(std::strerror(ENOSPC)), std::string::npos) << heard;
    }
}

// The old profile: settings and a large block of the player's own that the profile keeps.
std::string bigProfile() {
    std::string text = "sound {\n musicVolume = 0.5\n}\nnotes {\n";
    for (int i = 0; i < 1500; ++i)
        text += " note" + std::to_string(i) + " = \"a line the player keeps\"\n";
    return text + "}\n";
}

TEST(WriteFailure, SavesFileIsOldOrNewWholeWhateverStepFails) {
    kel::test::TempProfile profile;
    kel::ui::Saves saves;
    const auto change = [&] {
        saves = kel::ui::Saves();
        for (int i = 0; i < 400; ++i)
            saves.addUser("player number " + std::to_string(i), kel::ui::Saves::EASY);
    };
    failEveryStep(profile, {"saves.cfg", "save_000 { name = A }\ncurrentUser = A\n", change,
                            [&] { return saves.save(); }});
}

TEST(WriteFailure, ProfileIsOldOrNewWholeWhateverStepFails) {
    kel::test::TempProfile profile;
    const auto change = [] {
        theProfile->reset();
        ASSERT_EQ(theProfile->load(), profile::Profile::Read);
        profile::SoundSettings* sound = nullptr;
        theProfile->getSettings(&sound);
        sound->musicVolume = 0.25f;
    };
    failEveryStep(profile,
                  {"profile.cfg", bigProfile(), change, [] { return theProfile->save(); }});
}

TEST(WriteFailure, KeyBindingsAreOldOrNewWholeWhateverStepFails) {
    kel::test::TempProfile profile;
    const auto change = [] {
        theKelInput->reset();
        theProfile->reset();
        ASSERT_EQ(theProfile->load(), profile::Profile::Read);
        theKelInput->load();
        ASSERT_TRUE(
            theKelInput->getDeviceToCS()->getRedefineControls()->setEventData("endturn", {{"E"}}));
    };
    failEveryStep(profile,
                  {"profile.cfg", bigProfile(), change, [] { return theKelInput->save(); }});
    theKelInput->reset();
}

} // namespace
