#include "host/profile/Profile.h"
#include "host/engine/DegradingManager.h"
#include "host/profile/TempProfile.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
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

// Every setting of the file away from its default, as "section key value".
const std::string kChanged =
    "input hardwareCursor true|input edgeAutoScrolling false|input clickOutsideDeselects true|"
    "input autoScrollingSpeed 0.5|input mouseStrafeSpeed 3|input mouseSensitivity 2.5|"
    "input acceptButton right|input cancelButton left|input moveActButton middle|"
    "input dragCameraButton none|sound musicVolume 0.1|sound effectsVolume 0.2|"
    "sound environmentVolume 0.3|sound musicOn false|sound effectsOn false|"
    "sound environmentOn false|sound quality3d false|video width 1920|video height 1080|"
    "video traceEnemyActions false|video fogDistance 0.85|video detailsOn false|"
    "video detailLevel 0.5|video sceneActivity false|video texture low|video mipmaps false|"
    "video dithering true|video specular false|video antialiasing true|video wbuffer true|"
    "video halo false|video shadows false|video lightmaps false";

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);)
        parts.push_back(part);
    return parts;
}

// A profile file of the given rows of kChanged.
std::string profileOf(const std::vector<std::string>& rows) {
    std::map<std::string, std::string> sections;
    for (const std::string& row : rows) {
        const auto words = split(row, ' ');
        sections[words[0]] += "  " + words[1] + " = " + words[2] + "\n";
    }
    std::string text;
    for (const auto& [name, lines] : sections)
        text += name + " {\n" + lines + "}\n";
    return text;
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

TEST(Profile, EachSettingIsReadFromItsEntryAndTakesPartInComparison) {
    kel::test::TempProfile temp;
    const Live live;
    kel::test::LogCapture log;
    for (const std::string& row : split(kChanged, '|')) {
        temp.files().write("profile.cfg", profileOf({row}));
        theProfile->reset();
        ASSERT_EQ(theProfile->load(), Profile::Read) << row;
        // A field forgotten in the comparison would make a menu miss a change.
        const int changed = (*live.input != InputSettings()) + (*live.sound != SoundSettings()) +
                            (*live.video != VideoSettings());
        const int equal = (*live.input == InputSettings()) + (*live.sound == SoundSettings()) +
                          (*live.video == VideoSettings());
        EXPECT_EQ(changed * 10 + equal, 12) << row;
    }
    EXPECT_EQ(log.count("profile"), 0u);
}

TEST(Profile, EverySettingSurvivesSaveAndLoadAndForeignEntriesAreKept) {
    kel::test::TempProfile temp;
    temp.files().write("profile.cfg", profileOf(split(kChanged, '|')));
    ASSERT_EQ(theProfile->load(), Profile::Read);
    const Live live;
    const InputSettings input = *live.input;
    const SoundSettings sound = *live.sound;
    const VideoSettings video = *live.video;
    EXPECT_EQ(video.getTextureString(), "low");
    // A player's profile with an entry of its own, changed by the menus in memory.
    temp.files().write("profile.cfg", "campaign {\n  last = \"Light house\"\n}\n");
    theProfile->reset();
    ASSERT_EQ(theProfile->load(), Profile::Read);
    *live.input = input;
    *live.sound = sound;
    *live.video = video;
    ASSERT_TRUE(theProfile->save());
    EXPECT_EQ(theProfile->getSaveCount(), 1);

    theProfile->reset();
    EXPECT_EQ(*live.video, VideoSettings()) << "reset really forgot";
    kel::test::LogCapture log;
    ASSERT_EQ(theProfile->load(), Profile::Read);
    EXPECT_EQ(*live.input, input);
    EXPECT_EQ(*live.sound, sound);
    EXPECT_EQ(*live.video, video);
    std::string last;
    EXPECT_TRUE(theProfile->getData()->getProperty("campaign.last", &last));
    EXPECT_EQ(last, "Light house");
    EXPECT_EQ(log.count("profile"), 0u);

    // Resetting the input settings leaves the others alone.
    theProfile->resetInputSettings();
    EXPECT_EQ(*live.input, InputSettings());
    EXPECT_EQ(*live.sound, sound);
    EXPECT_EQ(*live.video, video);
}

TEST(Profile, ACorruptProfileIsMovedAsideNeverOverwritten) {
    kel::test::TempProfile temp;
    const std::string corrupt = "video {\n  width = 800\n  height = \"600\n}\n";
    temp.files().write("profile.cfg", corrupt);
    kel::test::LogCapture log;
    EXPECT_EQ(theProfile->load(), Profile::MovedAside);
    EXPECT_EQ(theProfile->getLoadResult(), Profile::MovedAside) << "remembered";

    const Live live;
    EXPECT_EQ(*live.video, VideoSettings()) << "nothing of a corrupt file is trusted";
    EXPECT_FALSE(temp.exists("profile.cfg"));
    EXPECT_EQ(temp.files().read("profile.cfg.corrupt-1"), corrupt) << "kept byte for byte";

    const auto records = log.take();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].filter + " " + records[0].file + ":" + std::to_string(records[0].line),
              "profile /Profile/profile.cfg:3");
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
    // Written as "input {" lines 2 to 4, "sound {" lines 7 to 9, then "video {" lines 12 to 15.
    temp.files().write(
        "profile.cfg",
        profileOf({"video width wide", "video height 99999", "video fogDistance 0.5",
                   "video texture ultra", "input acceptButton thumb", "input cancelButton middle",
                   "input edgeAutoScrolling maybe", "sound musicVolume 1.5",
                   "sound effectsVolume nan", "sound musicOn sometimes"}));
    kel::test::LogCapture log;
    ASSERT_EQ(theProfile->load(), Profile::Read);
    const Live live;
    EXPECT_EQ(live.video->width, 1024);
    EXPECT_EQ(live.video->height, int{VideoSettings::kMaxSide}) << "clamped into its range";
    EXPECT_FLOAT_EQ(live.video->fogDistance, 0.8f) << "clamped into its range";
    EXPECT_EQ(live.video->getTextureString(), "high");
    EXPECT_EQ(live.input->acceptButton, InputSettings::LeftButton);
    EXPECT_EQ(live.input->cancelButton, InputSettings::MiddleButton);
    EXPECT_TRUE(live.input->edgeAutoScrolling);
    EXPECT_FLOAT_EQ(live.sound->musicVolume, 1.0f) << "clamped into its range";
    EXPECT_FLOAT_EQ(live.sound->effectsVolume, 0.8f);
    EXPECT_TRUE(live.sound->musicOn);

    std::string places;
    for (const auto& record : log.take())
        places += record.filter + " " + record.file + ":" + std::to_string(record.line) + "\n";
    const std::string at = "profile /Profile/profile.cfg:";
    std::string expected;
    for (int line : {2, 4, 7, 8, 9, 12, 13, 14, 15})
        expected += at + std::to_string(line) + "\n";
    EXPECT_EQ(places, expected) << "in file order";
}

TEST(Profile, WriteFillsTheBlockWithoutTouchingTheDisk) {
    kel::test::TempProfile temp;
    theProfile->load();
    const Live live;
    live.video->width = 800;
    live.sound->musicOn = false;
    live.input->dragCameraButton = InputSettings::RightButton;
    theProfile->write();
    std::string width, musicOn, drag;
    EXPECT_TRUE(theProfile->getData()->getProperty("video.width", &width));
    EXPECT_TRUE(theProfile->getData()->getProperty("sound.musicOn", &musicOn));
    EXPECT_TRUE(theProfile->getData()->getProperty("input.dragCameraButton", &drag));
    EXPECT_EQ(width + " " + musicOn + " " + drag, "800 false right");
    EXPECT_FALSE(temp.exists("profile.cfg"));
    EXPECT_EQ(theProfile->getSaveCount(), 0);
}

TEST(ProfileSettings, NamesOfButtonsAndTexturesRoundTrip) {
    const char* const names[] = {"none", "left", "middle", "right"};
    for (int value = 0; value <= 3; ++value) {
        const auto button = static_cast<InputSettings::MouseButton>(value);
        bool ok = false;
        EXPECT_EQ(InputSettings::fromMouseButtonToString(button), names[value]);
        EXPECT_EQ(InputSettings::fromStringToMouseButton(names[value], &ok), button);
        EXPECT_TRUE(ok);
    }
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
    video.texture = static_cast<VideoSettings::Texture>(3);
    EXPECT_EQ(video.getTextureString(), "high") << "a value beyond the list reads as the default";
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
    // The detail options reach the renderer's degrading manager.
    EXPECT_FALSE(theDegradingManager->isFeatureRequested(DegradingManager::Shadows));
    EXPECT_TRUE(theDegradingManager->isFeatureRequested(DegradingManager::Halo));
    EXPECT_EQ(theDegradingManager->getTextureDetail(), DegradingManager::MediumTextures);
    video.detailLevel = 0.5f;
    video.fogDistance = 0.85f;
    video.detailsOn = video.sceneActivity = false;
    video.apply();
    EXPECT_FLOAT_EQ(theDegradingManager->getDetailLevel(), 0.5f);
    EXPECT_FLOAT_EQ(theDegradingManager->getFogDistance(), 0.85f);
    EXPECT_FALSE(theDegradingManager->getDetailsEnabled());
    EXPECT_FALSE(theDegradingManager->getSceneActivity());
    theDegradingManager->reset();
}

// The screen mode and the features apply() hands over: the settings' resolution; the mode the
// renderer is in after it, and how many switches it made; whether shadows are on (the renderer
// here cannot draw halos).
TEST(ProfileSettings, ApplySwitchesTheScreenModeAndTheFeaturesTheRendererCanDo) {
    const struct {
        int width, height;
        const char* mode;
        int switches, reported;
    } rows[] = {
        {800, 600, "800x600", 1, 0},      {800, 600, "800x600", 1, 0},
        {1280, 1024, "1280x1024", 2, 0},  {639, 480, "1280x1024", 2, 1},
        {1280, 20000, "1280x1024", 2, 1}, {640, 480, "640x480", 3, 0},
    };
    kel::test::LogCapture log;
    theDegradingManager->reset();
    theDegradingManager->setCapability(DegradingManager::Halo, false);
    for (const auto& row : rows) {
        VideoSettings video;
        video.width = row.width;
        video.height = row.height;
        video.shadows = row.width != 800;
        video.halo = true;
        video.apply();
        EXPECT_EQ(std::to_string(theDegradingManager->getWidth()) + "x" +
                      std::to_string(theDegradingManager->getHeight()),
                  row.mode);
        EXPECT_EQ(theDegradingManager->getModeSwitchCount(), row.switches) << row.width;
        EXPECT_EQ(static_cast<int>(log.take().size()), row.reported) << row.width;
        EXPECT_EQ(theDegradingManager->isFeatureOn(DegradingManager::Shadows), row.width != 800);
        EXPECT_FALSE(theDegradingManager->isFeatureOn(DegradingManager::Halo));
    }
    theDegradingManager->reset();
}

} // namespace
