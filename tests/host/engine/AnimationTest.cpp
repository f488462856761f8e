#include "host/engine/Model.h"
#include "host/engine/Timer.h"
#include "support/LogCapture.h"
#include "support/TempRoots.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

class Animations : public ::testing::Test {
protected:
    void SetUp() override {
        theTimer->reset();
        theRenderTimer->reset();
    }
    void TearDown() override {
        theTimer->reset();
        theRenderTimer->reset();
        ModelCatalogue::instance().forget();
    }
};

// A shipped model's animation played once or looping (the knight's Attack lasts 0.9 s, the
// lighthouse's Beam 4 s), and one the model does not have, which the animator reports and which
// leaves the model as it was: what is shown after 0.5 s, 0.9 s and 5 s.
TEST_F(Animations, OnePlayedOnceEndsAfterItsLengthALoopGoesOnAndAnUnknownOneIsReported) {
    const struct {
        const char *model, *animation;
        bool loop;
        float length;
        const char* shown;
        size_t reported;
    } rows[] = {
        {"knight", "Attack", false, 0.9f, "Attack base base ", 0},
        {"knight", "Attack", true, 0.9f, "Attack Attack Attack ", 0},
        {"lighthouse", "Beam", false, 4.0f, "Beam Beam base ", 0},
        {"knight", "Dance", false, 0.0f, "Walk Walk Walk ", 1},
    };
    for (const auto& row : rows) {
        kel::test::LogCapture log;
        theTimer->reset();
        theRenderTimer->reset();
        Animator animator(row.model);
        if (row.reported) { // what was playing stays
            ASSERT_TRUE(animator.play("Walk", true));
        }
        EXPECT_FLOAT_EQ(animator.getLength(row.animation), row.length) << row.model;
        EXPECT_EQ(animator.play(row.animation, row.loop), row.reported == 0) << row.animation;
        std::string shown;
        for (double step : {0.5, 0.4, 4.1}) {
            theTimer->advance(step);
            shown += animator.getAnimation() + " ";
        }
        EXPECT_EQ(shown, row.shown) << row.model << " " << row.animation << " " << row.loop;
        const auto records = log.take();
        ASSERT_EQ(records.size(), row.reported) << row.animation;
        for (const auto& record : records)
            EXPECT_EQ(record.filter + ": " + record.text,
                      "engine: model 'knight' has no animation 'Dance'");
    }
}

// Lengths in a catalogue: the block's text; the lengths each animation gets; where mistakes are
// reported ("line:column ").
TEST_F(Animations, BadLengthsAreReportedAtTheirPlaceAndLastOneSecond) {
    const struct {
        const char *text, *lengths, *reported;
    } rows[] = {
        {"m {\n box = 0 0 0 1 1 1\n animations = A B\n lengths = 2 0.5\n}\n", "2 0.5 ", ""},
        {"m {\n box = 0 0 0 1 1 1\n animations = A B\n lengths = 2\n}\n", "1 1 ", "4:2 "},
        {"m {\n box = 0 0 0 1 1 1\n animations = A B\n lengths = 2 0\n}\n", "1 1 ", "4:2 "},
        {"m {\n box = 0 0 0 1 1 1\n animations = A B\n lengths = 2 x\n}\n", "1 1 ", "4:2 "},
        {"m {\n box = 0 0 0 1 1 1\n animations = A B\n}\n", "1 1 ", "1:1 "},
    };
    for (const auto& row : rows) {
        kel::test::LogCapture log;
        kel::test::TempRoots roots;
        std::filesystem::create_directories(roots.data / "Configs/Engine");
        std::ofstream(roots.data / "Configs/Engine/models.cfg") << row.text;
        ModelCatalogue::instance().forget();
        Animator animator("m");
        std::string lengths, reported;
        for (const char* name : {"A", "B"}) {
            std::ostringstream length;
            length << animator.getLength(name) << " ";
            lengths += length.str();
        }
        for (const auto& record : log.take())
            reported += std::to_string(record.line) + ":" + std::to_string(record.column) + " ";
        EXPECT_EQ(lengths, row.lengths) << row.text;
        EXPECT_EQ(reported, row.reported) << row.text;
    }
}

} // namespace
