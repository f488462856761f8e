#include "DataCheck.h"
#include "support/TempDir.h"

#include "host/resource/ResourceManager.h"

#include <gtest/gtest.h>

namespace {

TEST(DataCheck, ReportsEveryBrokenFileWithLineAndColumn) {
    kel::test::TempDir data;
    data.write("Configs/UI/good.cfg", "a = 1\n");
    data.write("Configs/UI/bad.cfg", "a = 1\nb {\n");
    data.write("Maps/broken.lvx", "cells = \"x\n");
    data.write("Images/readme.txt", "not a configuration file {");
    kelplay::DataCheck check(data.get());
    const auto problems = check.run();
    EXPECT_EQ(check.filesChecked(), 3);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(kelplay::describe(problems[0]),
              "/Configs/UI/bad.cfg:3:1: expected '}' to close block 'b' opened at line 2");
    EXPECT_EQ(kelplay::describe(problems[1]),
              "/Maps/broken.lvx:1:9: unterminated string (missing closing '\"')");
}

// One mistake in otherwise shipped data, and what `kel-play --check` says about it.
struct Broken {
    const char* what;
    const char* file;     // under the data root
    const char* prepend;  // put before the file's text (a new file when it does not exist)
    const char* replace;  // or: the file's whole text
    const char* expected; // one line per message, sorted
};

const Broken kBroken[] = {
    {"an unknown class", "Configs/UI/mainui.cfg", "probe {\n    class = nosuchthing\n}\n", nullptr,
     "/Configs/UI/mainui.cfg:2:5: unknown component class 'nosuchthing' for 'probe': skipped"},
    {"a negative size", "Configs/UI/mainui.cfg", "probe {\n    class = text\n    size = -4 20\n}\n",
     nullptr,
     "/Configs/UI/mainui.cfg:3:5: option 'size': '-4' is out of range (at least 0); the default "
     "is kept"},
    {"a position that is no number", "Configs/UI/mainui.cfg",
     "probe {\n  class = text; position = 10 ten\n}\n", nullptr,
     "/Configs/UI/mainui.cfg:2:17: option 'position': 'ten' is not a number; the default is kept"},
    {"nan", "Configs/UI/commonui.cfg", "probe {\n    class = ramka\n    thickness = nan\n}\n",
     nullptr,
     "/Configs/UI/commonui.cfg:3:5: option 'thickness': 'nan' is not a finite number; the "
     "default is kept"},
    {"a bool that is none", "Configs/UI/gameui.cfg",
     "probe {\n    class = button\n    enabled = maybe\n}\n", nullptr,
     "/Configs/UI/gameui.cfg:3:5: option 'enabled': 'maybe' is not true or false (also yes/no, "
     "on/off, 1/0); the default is kept"},
    {"a missing image", "Configs/UI/mainui.cfg",
     "probe {\n    class = spritecomponent\n    image = nosuchimage\n}\n", nullptr,
     "/Configs/UI/mainui.cfg:3:5: unknown sprite image 'nosuchimage': drawn as 64 x 64"},
    {"a missing font", "Configs/UI/mainui.cfg",
     "probe {\n    class = text\n    font = nosuchfont\n}\n", nullptr,
     "/Configs/UI/mainui.cfg:3:5: unknown font 'nosuchfont': measured with the fallback font"},
    {"a missing model", "Configs/UI/mainui.cfg",
     "probe {\n    class = entiremenuitem\n    model = nosuchmodel\n}\n", nullptr,
     "/Configs/UI/mainui.cfg:3:5: model 'nosuchmodel' has no animation 'Walk'\n"
     "/Configs/UI/mainui.cfg:3:5: unknown model 'nosuchmodel': drawn as a unit box"},
    {"a cross-fade of no length", "Configs/UI/mainui.cfg",
     "probe {\n    class = playmenu\n    motiontime = 0\n}\n", nullptr,
     "/Configs/UI/mainui.cfg:3:5: option 'motiontime': '0' is out of range (above 0); the "
     "default is kept"},
    {"a slow motion that is no bool", "Configs/UI/mainui.cfg",
     "probe {\n    class = playmenu\n    slowmotion = sometimes\n}\n", nullptr,
     "/Configs/UI/mainui.cfg:3:5: option 'slowmotion': 'sometimes' is not true or false (also "
     "yes/no, on/off, 1/0); the default is kept"},
    {"an escape fly-out that is no bool", "Configs/UI/mainui.cfg",
     "probe {\n    class = roundmenu\n    escapeFlyOut = 2\n}\n", nullptr,
     "/Configs/UI/mainui.cfg:3:5: option 'escapeFlyOut': '2' is not true or false (also yes/no, "
     "on/off, 1/0); the default is kept"},
    {"a hit area beyond a float", "Configs/UI/mainui.cfg",
     "probe {\n    class = entiremenuitem\n    projectionHeight = 1e39\n}\n", nullptr,
     "/Configs/UI/mainui.cfg:3:5: option 'projectionHeight': '1e39' is out of range (above 0); "
     "the default is kept"},
    {"a font metric out of range", "Configs/UI/fonts.cfg",
     "probe {\n    lineHeight = 12\n    advance = 9000\n}\n", nullptr,
     "/Configs/UI/fonts.cfg:3:5: font 'probe': 'advance': '9000' is out of range (from 0 to "
     "256); the default is kept"},
    {"an image without a height", "Configs/UI/images.cfg", "probe = 12\n", nullptr,
     "/Configs/UI/images.cfg:1:1: image 'probe': needs a width and a height; drawn as 64 x 64"},
    {"a model box turned inside out", "Configs/Engine/models.cfg",
     "probe {\n    box = 1 0 0 0 1 1\n}\n", nullptr,
     "/Configs/Engine/models.cfg:2:5: model 'probe': 'box': a minimum is above its maximum (minx "
     "miny minz maxx maxy maxz); the default is kept"},
    {"a map that does not load", "Maps/Broken.lvx", nullptr,
     "name = Broken\nsize = 0 6\nteams = player\nlandscape {\n}\n",
     "/Maps/Broken.lvx:2:1: map size must be 1 to 64 cells each way"},
    {"a game flow with a gap", "Configs/GameFlow/gameflow.cfg", nullptr,
     "missions {\n    mission00 = Lighthouse Lighthouse.lvx\n    mission02 = Garden "
     "Garden.lvx\n}\n",
     "/Configs/GameFlow/gameflow.cfg:1:1: \"missions\" has no mission01: the list ends at 1 "
     "missions"},
    {"a mission on a map that is not there", "Configs/GameFlow/gameflow.cfg", nullptr,
     "missions {\n    mission00 = Lighthouse Lighthouse.lvx\n  mission01 = Lost Lost.lvx\n}\n",
     "/Configs/GameFlow/gameflow.cfg:3:3: mission 'Lost' is played on 'Lost.lvx', which is not "
     "under /Maps"},
    {"a syntax error in a table the module reads", "Configs/UI/statuses.cfg", "}\n", nullptr,
     "/Configs/UI/statuses.cfg:1:1: unexpected '}' with no block open"},
    {"a syntax error", "Configs/UI/extra.cfg", nullptr, "a = 1\nb {\n",
     "/Configs/UI/extra.cfg:3:1: expected '}' to close block 'b' opened at line 2"},
};

TEST(DataCheck, EachMistakeGivesItsOwnMessageWithFileLineAndColumn) {
    const auto rootBefore = resource::theResourceManager->getDataRoot();
    const auto profileBefore = resource::theResourceManager->getProfileRoot();
    for (const Broken& row : kBroken) {
        SCOPED_TRACE(row.what);
        kel::test::TempDir data;
        std::filesystem::copy(KEL_DATA_DIR, data.get(), std::filesystem::copy_options::recursive);
        data.write(row.file, row.replace ? row.replace : row.prepend + data.read(row.file));
        const auto result = kelplay::checkGameData(data.get());
        std::string messages;
        for (const auto& problem : result.problems)
            messages += (messages.empty() ? "" : "\n") + kelplay::describe(problem);
        EXPECT_EQ(messages, row.expected);
    }
    EXPECT_EQ(resource::theResourceManager->getDataRoot(), rootBefore);
    EXPECT_EQ(resource::theResourceManager->getProfileRoot(), profileBefore)
        << "the check boots on a profile of its own";
}

TEST(DataCheck, TheShippedDataIsClean) {
    const auto result = kelplay::checkGameData(KEL_DATA_DIR);
    EXPECT_GT(result.filesChecked, 10);
    for (const auto& problem : result.problems)
        ADD_FAILURE() << kelplay::describe(problem);
}

} // namespace
