#include "host/profile/Profile.h"
#include "host/profile/TempProfile.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using profile::InputSettings;
using profile::Profile;
using profile::SoundSettings;
using profile::VideoSettings;

namespace {

struct Live {
    InputSettings* input = nullptr;
    SoundSettings* sound = nullptr;
    VideoSettings* video = nullptr;
    Live() {
        theProfile->getSettings(&input);
        theProfile->getSettings(&sound);
        theProfile->getSettings(&video);
    }
};

// Every setting away from its default, so a field that is not written or not read shows.
void changeEverything(const Live& live) {
    live.input->hardwareCursor = true;
    live.input->edgeAutoScrolling = false;
    live.input->clickOutsideDeselects = true;
    live.input->autoScrollingSpeed = 0.5f;
    live.input->mouseStrafeSpeed = 3.0f;
    live.input->mouseSensitivity = 2.5f;
    live.input->acceptButton = InputSettings::RightButton;
    live.input->cancelButton = InputSettings::LeftButton;
    live.input->moveActButton = InputSettings::MiddleButton;
    live.input->dragCameraButton = InputSettings::NoButton;
    *live.sound = SoundSettings{0.1f, 0.2f, 0.3f, false, false, false, false};
    live.video->width = 1920;
    live.video->height = 1080;
    live.video->traceEnemyActions = false;
    live.video->fogDistance = 0.85f;
    live.video->detailsOn = false;
    live.video->detailLevel = 0.5f;
    live.video->sceneActivity = false;
    live.video->setTexture("low");
    live.video->mipmaps = false;
    live.video->dithering = true;
    live.video->specular = false;
    live.video->antialiasing = true;
    live.video->wbuffer = true;
    live.video->halo = false;
    live.video->shadows = false;
    live.video->lightmaps = false;
}

TEST(Profile, AMissingProfileGivesTheDefaultsQuietly) {
    kel::test::TempProfile temp;
    kel::test::LogCapture log;
    EXPECT_EQ(theProfile->load(), Profile::Missing);
    const Live live;
    EXPECT_EQ(*live.input, InputSettings());
    EXPECT_EQ(*live.sound, SoundSettings());
    EXPECT_EQ(*live.video, VideoSettings());
    EXPECT_EQ(live.video->width, 1024);
    EXPECT_EQ(live.video->height, 768);
    EXPECT_FALSE(live.input->hardwareCursor);
    EXPECT_TRUE(theProfile->getData()->isEmpty());
    EXPECT_EQ(log.count("profile"), 0u);
    EXPECT_FALSE(temp.exists("profile.cfg")) << "loading never writes";
}

TEST(Profile, EverySettingSurvivesSaveAndLoadAndForeignEntriesAreKept) {
    kel::test::TempProfile temp;
    temp.files().write("profile.cfg", "campaign {\n  last = \"Light house\"\n}\n");
    ASSERT_EQ(theProfile->load(), Profile::Read);
    const Live live;
    changeEverything(live);
    const InputSettings input = *live.input;
    const SoundSettings sound = *live.sound;
    const VideoSettings video = *live.video;
    ASSERT_TRUE(theProfile->save());
    EXPECT_EQ(theProfile->getSaveCount(), 1);

    theProfile->reset();
    EXPECT_EQ(*live.video, VideoSettings()) << "reset really forgot";
    kel::test::LogCapture log;
    ASSERT_EQ(theProfile->load(), Profile::Read);
    EXPECT_EQ(*live.input, input);
    EXPECT_EQ(*live.sound, sound);
    EXPECT_EQ(*live.video, video);
    EXPECT_EQ(live.video->getTextureString(), "low");
    std::string last;
    EXPECT_TRUE(theProfile->getData()->getProperty("campaign.last", &last));
    EXPECT_EQ(last, "Light house");
    EXPECT_EQ(log.count("profile"), 0u);
}

TEST(Profile, ACorruptProfileIsMovedAsideNeverOverwritten) {
    kel::test::TempProfile temp;
    const std::string corrupt = "video {\n  width = 800\n  height = \"600\n}\n";
    temp.files().write("profile.cfg", corrupt);
    kel::test::LogCapture log;
    EXPECT_EQ(theProfile->load(), Profile::MovedAside);

    const Live live;
    EXPECT_EQ(*live.video, VideoSettings()) << "nothing of a corrupt file is trusted";
    EXPECT_FALSE(temp.exists("profile.cfg"));
    EXPECT_EQ(temp.files().read("profile.cfg.corrupt-1"), corrupt) << "kept byte for byte";

    const auto records = log.take();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].filter, "profile");
    EXPECT_EQ(records[0].file, "/Profile/profile.cfg");
    EXPECT_EQ(records[0].line, 3);
    EXPECT_NE(records[0].text.find("column 12"), std::string::npos) << records[0].text;
    EXPECT_NE(records[0].text.find("profile.cfg.corrupt-1"), std::string::npos);

    // Saving now writes a fresh profile beside the copy; a second corrupt file gets its own.
    ASSERT_TRUE(theProfile->save());
    EXPECT_EQ(temp.files().read("profile.cfg.corrupt-1"), corrupt);
    temp.files().write("profile.cfg", "sound {");
    EXPECT_EQ(theProfile->load(), Profile::MovedAside);
    EXPECT_EQ(temp.files().read("profile.cfg.corrupt-2"), "sound {");
    EXPECT_EQ(temp.files().read("profile.cfg.corrupt-1"), corrupt);
}

TEST(Profile, AProfileThatCannotBeReadIsNeverSavedOver) {
    kel::test::TempProfile temp;
    std::filesystem::create_directories(temp.files() / "profile.cfg");
    temp.files().write("profile.cfg/keep", "x");
    kel::test::LogCapture log;
    EXPECT_EQ(theProfile->load(), Profile::Unreadable);
    EXPECT_EQ(log.count("profile"), 1u);
    EXPECT_FALSE(theProfile->save());
    EXPECT_EQ(log.count("profile"), 2u) << "a refused save says so";
    EXPECT_EQ(temp.files().read("profile.cfg/keep"), "x");
    EXPECT_EQ(theProfile->getSaveCount(), 0);
}

TEST(Profile, BadValuesKeepTheirDefaultsAndAreReportedWithTheirLines) {
    kel::test::TempProfile temp;
    temp.files().write("profile.cfg", "video {\n"
                                      "  width = wide\n"      // 2
                                      "  height = 600\n"      // 3
                                      "  fogDistance = 0.5\n" // 4
                                      "  texture = ultra\n"   // 5
                                      "}\n"
                                      "input {\n"
                                      "  acceptButton = thumb\n" // 8
                                      "  cancelButton = middle\n"
                                      "  edgeAutoScrolling = maybe\n" // 10
                                      "}\n");
    kel::test::LogCapture log;
    ASSERT_EQ(theProfile->load(), Profile::Read);
    const Live live;
    EXPECT_EQ(live.video->width, 1024);
    EXPECT_EQ(live.video->height, 600);
    EXPECT_FLOAT_EQ(live.video->fogDistance, 0.8f) << "clamped into its range";
    EXPECT_EQ(live.video->getTextureString(), "high");
    EXPECT_EQ(live.input->acceptButton, InputSettings::LeftButton);
    EXPECT_EQ(live.input->cancelButton, InputSettings::MiddleButton);
    EXPECT_TRUE(live.input->edgeAutoScrolling);

    std::vector<int> lines;
    for (const auto& record : log.take()) {
        EXPECT_EQ(record.filter, "profile");
        EXPECT_EQ(record.file, "/Profile/profile.cfg");
        lines.push_back(record.line);
    }
    EXPECT_EQ(lines, (std::vector<int>{2, 4, 5, 8, 10})) << "in file order";
}

TEST(Profile, WriteFillsTheBlockWithoutTouchingTheDisk) {
    kel::test::TempProfile temp;
    theProfile->load();
    const Live live;
    live.video->width = 800;
    live.sound->musicOn = false;
    live.input->dragCameraButton = InputSettings::RightButton;
    theProfile->write();
    const config::Block* data = theProfile->getData();
    int width = 0;
    bool musicOn = true;
    std::string drag;
    EXPECT_TRUE(data->getProperty("video.width", &width));
    EXPECT_TRUE(data->getProperty("sound.musicOn", &musicOn));
    EXPECT_TRUE(data->getProperty("input.dragCameraButton", &drag));
    EXPECT_EQ(width, 800);
    EXPECT_FALSE(musicOn);
    EXPECT_EQ(drag, "right");
    EXPECT_FALSE(temp.exists("profile.cfg"));
    EXPECT_EQ(theProfile->getSaveCount(), 0);
}

TEST(Profile, ResettingInputSettingsLeavesTheOthersAlone) {
    kel::test::TempProfile temp;
    const Live live;
    changeEverything(live);
    const SoundSettings sound = *live.sound;
    const VideoSettings video = *live.video;
    theProfile->resetInputSettings();
    EXPECT_EQ(*live.input, InputSettings());
    EXPECT_EQ(*live.sound, sound);
    EXPECT_EQ(*live.video, video);
}

TEST(ProfileSettings, EveryFieldTakesPartInComparison) {
    // One change per field; a field forgotten in operator== would make a menu miss a change.
    std::vector<std::function<void(InputSettings&)>> input = {
        [](InputSettings& s) { s.hardwareCursor = !s.hardwareCursor; },
        [](InputSettings& s) { s.edgeAutoScrolling = !s.edgeAutoScrolling; },
        [](InputSettings& s) { s.clickOutsideDeselects = !s.clickOutsideDeselects; },
        [](InputSettings& s) { s.autoScrollingSpeed += 1; },
        [](InputSettings& s) { s.mouseStrafeSpeed += 1; },
        [](InputSettings& s) { s.mouseSensitivity += 1; },
        [](InputSettings& s) { s.acceptButton = InputSettings::MiddleButton; },
        [](InputSettings& s) { s.cancelButton = InputSettings::MiddleButton; },
        [](InputSettings& s) { s.moveActButton = InputSettings::MiddleButton; },
        [](InputSettings& s) { s.dragCameraButton = InputSettings::LeftButton; },
    };
    for (size_t i = 0; i < input.size(); ++i) {
        InputSettings changed;
        input[i](changed);
        EXPECT_NE(changed, InputSettings()) << "input field " << i;
    }
    std::vector<std::function<void(SoundSettings&)>> sound = {
        [](SoundSettings& s) { s.musicVolume = 0; },
        [](SoundSettings& s) { s.effectsVolume = 0; },
        [](SoundSettings& s) { s.environmentVolume = 0; },
        [](SoundSettings& s) { s.musicOn = !s.musicOn; },
        [](SoundSettings& s) { s.effectsOn = !s.effectsOn; },
        [](SoundSettings& s) { s.environmentOn = !s.environmentOn; },
        [](SoundSettings& s) { s.quality3d = !s.quality3d; },
    };
    for (size_t i = 0; i < sound.size(); ++i) {
        SoundSettings changed;
        sound[i](changed);
        EXPECT_NE(changed, SoundSettings()) << "sound field " << i;
    }
    std::vector<std::function<void(VideoSettings&)>> video = {
        [](VideoSettings& s) { s.width = 640; },
        [](VideoSettings& s) { s.height = 480; },
        [](VideoSettings& s) { s.traceEnemyActions = !s.traceEnemyActions; },
        [](VideoSettings& s) { s.fogDistance = 0.9f; },
        [](VideoSettings& s) { s.detailsOn = !s.detailsOn; },
        [](VideoSettings& s) { s.detailLevel = 1; },
        [](VideoSettings& s) { s.sceneActivity = !s.sceneActivity; },
        [](VideoSettings& s) { s.setTexture("medium"); },
        [](VideoSettings& s) { s.mipmaps = !s.mipmaps; },
        [](VideoSettings& s) { s.dithering = !s.dithering; },
        [](VideoSettings& s) { s.specular = !s.specular; },
        [](VideoSettings& s) { s.antialiasing = !s.antialiasing; },
        [](VideoSettings& s) { s.wbuffer = !s.wbuffer; },
        [](VideoSettings& s) { s.halo = !s.halo; },
        [](VideoSettings& s) { s.shadows = !s.shadows; },
        [](VideoSettings& s) { s.lightmaps = !s.lightmaps; },
    };
    for (size_t i = 0; i < video.size(); ++i) {
        VideoSettings changed;
        video[i](changed);
        EXPECT_NE(changed, VideoSettings()) << "video field " << i;
    }
}

TEST(ProfileSettings, NamesOfButtonsAndTexturesRoundTrip) {
    for (int value = 0; value <= 3; ++value) {
        const auto button = static_cast<InputSettings::MouseButton>(value);
        bool ok = false;
        EXPECT_EQ(InputSettings::fromStringToMouseButton(
                      InputSettings::fromMouseButtonToString(button), &ok),
                  button);
        EXPECT_TRUE(ok);
    }
    EXPECT_EQ(InputSettings::fromMouseButtonToString(InputSettings::MiddleButton), "middle");
    bool ok = true;
    EXPECT_EQ(InputSettings::fromStringToMouseButton("Left", &ok), InputSettings::NoButton);
    EXPECT_FALSE(ok) << "names are lower case";

    VideoSettings video;
    for (const char* text : {"low", "medium", "high"}) {
        EXPECT_TRUE(video.setTexture(text));
        EXPECT_EQ(video.getTextureString(), text);
    }
    EXPECT_FALSE(video.setTexture("ultra"));
    EXPECT_EQ(video.getTextureString(), "high") << "an unknown text changes nothing";
}

TEST(ProfileSettings, ApplyHandsTheSettingsToTheRenderer) {
    kel::test::TempProfile temp;
    EXPECT_EQ(VideoSettings::getApplyCount(), 0);
    VideoSettings video;
    video.shadows = false;
    video.setTexture("medium");
    video.apply();
    video.width = 640;
    EXPECT_EQ(VideoSettings::getApplyCount(), 1);
    const VideoSettings applied = VideoSettings::getLastApplied();
    EXPECT_FALSE(applied.shadows);
    EXPECT_EQ(applied.getTextureString(), "medium");
    EXPECT_EQ(applied.width, 1024) << "later changes are not applied until apply() again";
}

} // namespace
