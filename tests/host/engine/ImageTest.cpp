#include "host/engine/Image2D.h"
#include "host/engine/Image3D.h"
#include "host/resource/ResourceManager.h"
#include "host/ui/ImageManager.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using resource::theResourceManager;

namespace {

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
    EXPECT_TRUE(cursor.getDrawOperations().empty()) << "an open session shows nothing yet";
    cursor.endDrawSession();

    const auto& ops = cursor.getDrawOperations();
    ASSERT_EQ(ops.size(), 3u);
    EXPECT_EQ(ops[0].kind, ImageDrawOperation::Bar);
    EXPECT_EQ(ops[0].width, 64);
    EXPECT_EQ(ops[0].color, config::Color(0, 0, 0, 1));
    EXPECT_EQ(ops[1].kind, ImageDrawOperation::Picture);
    EXPECT_EQ(ops[1].source, "pointer/icon");
    EXPECT_EQ(ops[1].x, 3);
    EXPECT_EQ(ops[1].y, 4);
    EXPECT_EQ(ops[1].region.width, 24);
    EXPECT_EQ(ops[1].color, config::Color(0, 0, 0, 1)) << "pictures take the settings' colour";
    EXPECT_EQ(ops[2].source, "pointer/arrows");
    EXPECT_EQ(cursor.getRevision(), 1);

    // The next session replaces the content as a whole.
    ASSERT_TRUE(cursor.beginDrawSession());
    cursor.drawBar(0, 0, 1, 1, config::Color(1, 0, 0, 1));
    cursor.endDrawSession();
    ASSERT_EQ(cursor.getDrawOperations().size(), 1u);
    EXPECT_EQ(cursor.getRevision(), 2);
}

TEST(Image, DrawingOutsideASessionIsReportedAndDrawsNothing) {
    kel::test::LogCapture log;
    Image2D image(32, 32);
    image.drawBar(0, 0, 4, 4, config::Color());
    image.endDrawSession();
    ASSERT_TRUE(image.beginDrawSession());
    EXPECT_FALSE(image.beginDrawSession()) << "sessions do not nest";
    image.endDrawSession();
    EXPECT_TRUE(image.getDrawOperations().empty());
    EXPECT_EQ(image.getRevision(), 1);
    EXPECT_EQ(log.count("engine"), 3u);
}

TEST(Image, TheRealSizeIsTheLogicalSizeRoundedUpToPowersOfTwo) {
    Image2D odd(100, 50);
    EXPECT_EQ(odd.getLogicalWidth(), 100);
    EXPECT_EQ(odd.getLogicalHeight(), 50);
    EXPECT_EQ(odd.getWidth(), 128);
    EXPECT_EQ(odd.getHeight(), 64);
    Image3D exact(64, 1);
    EXPECT_EQ(exact.getWidth(), 64);
    EXPECT_EQ(exact.getHeight(), 1);
    EXPECT_EQ(odd.getRenderImage(), &odd);
}

TEST(Image, AFileTakesItsSizeFromTheImageCatalogueAndAnUnknownOneIsReported) {
    kel::test::TempDir data;
    data.write("Configs/UI/images.cfg", "\"/Images/Bonus/digit\" = 160 16\n");
    const auto saved = theResourceManager->getDataRoot();
    theResourceManager->setDataRoot(data.get());
    ui::ImageManager::reloadCatalogue();
    kel::test::LogCapture log;

    Image3D digits("/Images/Bonus/digit");
    EXPECT_EQ(digits.getName(), "/Images/Bonus/digit");
    EXPECT_EQ(digits.getLogicalWidth(), 160);
    EXPECT_EQ(digits.getWidth(), 256);
    EXPECT_EQ(digits.getHeight(), 16);
    EXPECT_EQ(log.count("engine"), 0u);

    Image2D missing("/Images/none");
    EXPECT_EQ(missing.getLogicalWidth(), 64);
    Image2D again("/Images/none");
    EXPECT_EQ(log.count("engine"), 1u) << "an unknown file is reported once";

    theResourceManager->setDataRoot(saved);
    ui::ImageManager::reloadCatalogue();
}

} // namespace
