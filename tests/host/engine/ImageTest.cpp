#include "host/engine/Image2D.h"
#include "host/engine/Image3D.h"
#include "host/ui/ImageManager.h"
#include "support/LogCapture.h"
#include "support/TempRoots.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// What the last finished session drew: "kind source x y w h regionWidth r,g,b,a; ..."
std::string drawn(const Image& image) {
    std::ostringstream text;
    for (const ImageDrawOperation& op : image.getDrawOperations())
        text << (op.kind == ImageDrawOperation::Bar ? "bar" : "picture") << " " << op.source << " "
             << op.x << " " << op.y << " " << op.width << " " << op.height << " " << op.region.width
             << " " << op.color.r << "," << op.color.g << "," << op.color.b << "," << op.color.a
             << "; ";
    return text.str();
}

TEST(Image, ASessionRecordsWhatItDrewAndBecomesTheContentOnlyWhenItEnds) {
    Image2D cursor(64, 64);
    Image2D icon("pointer/icon", 24, 24);
    ImageDrawSettings settings(0.5f, 1, 1, 0);
    settings.setColor(0, 0, 0, 1);
    cursor.setDrawSettings(settings);

    ASSERT_TRUE(cursor.beginDrawSession());
    cursor.drawBar(0, 0, cursor.getLogicalWidth(), cursor.getLogicalHeight(), settings.getColor());
    cursor.drawImage(&icon, 3, 4, 24, 24, ImageRegion{0, 0, 24, 24});
    cursor.drawImage("pointer/arrows", 10, 0, 16, 8, ImageRegion{0, 0, 16, 8});
    EXPECT_EQ(drawn(cursor), "") << "an open session shows nothing yet";
    cursor.endDrawSession();
    // Pictures take the settings' colour.
    EXPECT_EQ(drawn(cursor), "bar  0 0 64 64 0 0,0,0,1; picture pointer/icon 3 4 24 24 24 0,0,0,1; "
                             "picture pointer/arrows 10 0 16 8 16 0,0,0,1; ");
    EXPECT_EQ(cursor.getRevision(), 1);

    // The next session replaces the content as a whole.
    ASSERT_TRUE(cursor.beginDrawSession());
    cursor.drawBar(0, 0, 1, 1, config::Color(1, 0, 0, 1));
    cursor.endDrawSession();
    EXPECT_EQ(drawn(cursor), "bar  0 0 1 1 0 1,0,0,1; ");
    EXPECT_EQ(cursor.getRevision(), 2);

    // Outside a session nothing is drawn and each attempt is reported; sessions do not nest.
    kel::test::LogCapture log;
    cursor.drawBar(0, 0, 4, 4, config::Color());
    cursor.endDrawSession();
    ASSERT_TRUE(cursor.beginDrawSession());
    EXPECT_FALSE(cursor.beginDrawSession());
    cursor.endDrawSession();
    EXPECT_EQ(drawn(cursor), "");
    EXPECT_EQ(cursor.getRevision(), 3);
    EXPECT_EQ(log.count("engine"), 3u);
}

// "logical real" sizes.
std::string sizes(const Image& image) {
    std::ostringstream text;
    text << image.getLogicalWidth() << "x" << image.getLogicalHeight() << " " << image.getWidth()
         << "x" << image.getHeight();
    return text.str();
}

TEST(Image, TheRealSizeIsTheLogicalSizeRoundedUpToPowersOfTwo) {
    Image2D odd(100, 50);
    EXPECT_EQ(sizes(odd), "100x50 128x64");
    EXPECT_EQ(sizes(Image3D(64, 1)), "64x1 64x1");
    EXPECT_EQ(odd.getRenderImage(), &odd);
}

TEST(Image, AFileTakesItsSizeFromTheImageCatalogueAndAnUnknownOneIsReported) {
    kel::test::TempRoots roots;
    roots.data.write("Configs/UI/images.cfg", "\"/Images/Bonus/digit\" = 160 16\n");
    ui::ImageManager::reloadCatalogue();
    kel::test::LogCapture log;

    Image3D digits("/Images/Bonus/digit");
    EXPECT_EQ(digits.getName(), "/Images/Bonus/digit");
    EXPECT_EQ(sizes(digits), "160x16 256x16");
    EXPECT_EQ(log.count("engine"), 0u);
    EXPECT_EQ(sizes(Image2D("/Images/none")), "64x64 64x64");
    Image2D again("/Images/none");
    EXPECT_EQ(log.count("engine"), 1u) << "an unknown file is reported once";

    ui::ImageManager::forgetCatalogue(); // read again from the data root in use next
}

} // namespace
