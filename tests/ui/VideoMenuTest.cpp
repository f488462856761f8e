#include "ui/VideoMenu.h"
#include "support/ScreenUnderTest.h"

#include "host/engine/DegradingManager.h"
#include "host/profile/Profile.h"
#include "host/ui/CheckBox.h"
#include "host/ui/HSlider.h"
#include "host/ui/RadioContainer.h"

#include <sstream>
#include <tuple>

namespace {

using profile::VideoSettings;
using DM = DegradingManager;

VideoSettings* settings() {
    VideoSettings* video = nullptr;
    theProfile->getSettings(&video);
    return video;
}

// The page's boxes, the setting each edits and what the renderer must do to offer it
// (CapabilityCount: always offered).
const struct {
    const char* name;
    bool VideoSettings::*setting;
    DM::Capability capability;
} kBoxes[] = {
    {"traceenemyaction", &VideoSettings::traceEnemyActions, DM::CapabilityCount},
    {"detailscheck", &VideoSettings::detailsOn, DM::CapabilityCount},
    {"sceneactivity", &VideoSettings::sceneActivity, DM::CapabilityCount},
    {"mipmaps", &VideoSettings::mipmaps, DM::Mipmaps},
    {"dithering", &VideoSettings::dithering, DM::Dithering},
    {"specular", &VideoSettings::specular, DM::Specular},
    {"antialiasing", &VideoSettings::antialiasing, DM::Antialiasing},
    {"wbuffer", &VideoSettings::wbuffer, DM::WBuffer},
    {"hallo", &VideoSettings::halo, DM::Halo},
    {"shadows", &VideoSettings::shadows, DM::Shadows},
    {"lightmaps", &VideoSettings::lightmaps, DM::Lightmaps},
};

class VideoPage : public kel::test::RootFixture {
protected:
    void open() { kel::test::choose(root.get(), "video"); }
    template <class T = ::ui::Component> T* part(const std::string& name) {
        auto* page = dynamic_cast<::ui::Container*>(root->getDescendant("videomenu"));
        return dynamic_cast<T*>(page->getDescendant(name));
    }
    // Clicks a box or radio; "slider<" or "slider>" moves a slider a step from the keyboard.
    void tick(std::string name) {
        const char last = name.back();
        if (last == '<' || last == '>') {
            name.pop_back();
            root->setFocusedComponent(part(name));
            tap(last == '<' ? "Left" : "Right");
            return;
        }
        const ::ui::Component* box = part(name);
        clickAt(box->getAbsoluteX() + 6, box->getAbsoluteY() + box->getHeight() / 2);
    }
    // The boxes in table order, fog distance, detail level and texture: shown on the page, or
    // of the settings.
    std::string page() {
        std::string text;
        for (const auto& box : kBoxes)
            text += part<::ui::CheckBox>(box.name)->getValue() ? "1" : "0";
        for (const char* name : {"fogdistanceslider", "detailsslider"})
            text += " " + std::to_string(part<::ui::HSlider>(name)->getValue());
        return text + " " + part<::ui::RadioContainer>("radiocontainer")->getValue();
    }
    static std::string of(const VideoSettings& video) {
        std::string text;
        for (const auto& box : kBoxes)
            text += video.*box.setting ? "1" : "0";
        return text + " " + std::to_string(video.fogDistance) + " " +
               std::to_string(video.detailLevel) + " " + video.getTextureString();
    }
};

// The settings shown, the boxes and radios the player clicks, the settings after; closing
// writes and applies them and saves the profile only when they changed.
TEST_F(VideoPage, EveryOptionGoesBothWaysAndTakesEffectWhenThePageCloses) {
    const std::tuple<const char*, std::vector<const char*>, const char*, int> rows[] = {
        {"11111111111 0.900000 1.500000 medium", {}, "11111111111 0.900000 1.500000 medium", 0},
        {"11110100111 1.000000 2.000000 high",
         {"shadows", "low"},
         "11110100101 1.000000 2.000000 low",
         1},
        {"11110100111 1.000000 2.000000 high",
         {"hallo", "hallo", "antialiasing", "wbuffer"},
         "11110100111 1.000000 2.000000 high",
         0},
        {"11111111111 0.900000 1.500000 medium",
         {"fogdistanceslider>", "detailsslider<"},
         "11111111111 0.920000 1.300000 medium",
         1},
        {"00000000000 0.800000 0.000000 low",
         {"traceenemyaction", "detailscheck", "sceneactivity", "mipmaps", "dithering", "specular",
          "hallo", "lightmaps", "medium"},
         "11111100101 0.800000 0.000000 medium",
         1},
    };
    for (const auto& [before, clicks, after, saves] : rows) {
        std::istringstream words(before);
        std::string bits, texture;
        words >> bits >> settings()->fogDistance >> settings()->detailLevel >> texture;
        settings()->setTexture(texture);
        for (size_t i = 0; i < bits.size(); ++i)
            settings()->*kBoxes[i].setting = bits[i] == '1';
        open();
        EXPECT_EQ(page(), before);
        const int saved = theProfile->getSaveCount(), applied = VideoSettings::getApplyCount();
        for (const char* name : clicks)
            tick(name);
        EXPECT_EQ(VideoSettings::getApplyCount(), applied) << "not while the page is open";
        tap("Escape");
        EXPECT_TRUE(shown("mainroundmenu"));
        EXPECT_EQ(of(*settings()), after);
        EXPECT_EQ(VideoSettings::getApplyCount(), applied + 1);
        EXPECT_EQ(of(VideoSettings::getLastApplied()), after);
        theProfile->getData()->getProperty("video.texture", &texture);
        EXPECT_EQ(texture, settings()->getTextureString()) << "written into the profile";
        EXPECT_EQ(theProfile->getSaveCount(), saved + saves) << after;
    }
}

// The shipped renderer lacks the w-buffer; then each capability is taken away in turn.
TEST_F(VideoPage, AFeatureBoxIsOfferedExactlyWhenTheRendererCanDoItButAntialiasingNever) {
    for (const auto& box : kBoxes)
        settings()->*box.setting = true;
    for (int lacking = -1; lacking < DM::CapabilityCount; ++lacking) {
        for (int c = 0; c < DM::CapabilityCount && lacking >= 0; ++c)
            theDegradingManager->setCapability(DM::Capability(c), c != lacking);
        const int gone = lacking < 0 ? DM::WBuffer : lacking;
        open();
        for (const auto& box : kBoxes) {
            EXPECT_EQ(part(box.name)->getEnabled(),
                      box.capability != gone && box.capability != DM::Antialiasing)
                << box.name << " lacking " << gone;
            EXPECT_TRUE(part<::ui::CheckBox>(box.name)->getValue()) << "the stored value shows";
        }
        tap("Escape");
    }
}

TEST_F(VideoPage, TheDetailSliderIsEnabledExactlyWhileDetailsAreOn) {
    for (bool on : {true, false}) {
        settings()->detailsOn = on;
        open();
        EXPECT_EQ(part("detailsslider")->getEnabled(), on);
        for (bool now : {!on, on}) {
            tick("detailscheck");
            EXPECT_EQ(part("detailsslider")->getEnabled(), now);
        }
        tap("Escape");
    }
}

} // namespace
