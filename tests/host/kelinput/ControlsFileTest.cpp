#include "host/kelinput/ControlsFile.h"
#include "KelInputFixture.h"
#include "support/LogCapture.h"

#include <set>

using kel::test::KelInputTest;

namespace {

using Bindings = std::list<std::list<std::string>>;

// The same fixture on a data root of the test's own.
class ControlsFileTest : public KelInputTest {
protected:
    void useData(const std::string& controls) {
        data.write("Configs/Input/controls.cfg", controls);
        resource::theResourceManager->setDataRoot(data.get());
        theKelInput->reset();
    }
    kel::test::TempDir data;
};

TEST(ShippedControls, LoadCleanlyWithTheAxesTheMenusName) {
    kel::test::TempProfile profile; // the shipped data, an empty profile
    kel::test::LogCapture log;
    kelinput::ControlsFile file;
    EXPECT_TRUE(file.read(kelinput::KelInput::kControlsPath));
    EXPECT_EQ(log.take().size(), 0u);
    // The key redefinition menu gives these axis controls a default mouse axis by name.
    std::string axes;
    for (const kelinput::Control& control : file.getCamera())
        axes += control.axis ? control.name + " " : "";
    EXPECT_EQ(axes, "rotateyawaxis rotatepitchaxis movehaxis+ movehaxis- movevaxis+ movevaxis- ");
}

TEST_F(ControlsFileTest, AMissingFileIsReportedAndNothingIsBound) {
    resource::theResourceManager->setDataRoot(data.get());
    theKelInput->reset();
    kel::test::LogCapture log;
    EXPECT_FALSE(theKelInput->load());
    const auto records = log.take();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].filter, "kel-input");
    EXPECT_EQ(records[0].file, "/Configs/Input/controls.cfg");
    cs()->getOutput()->attach(&recorder);
    tap("Return");
    tap("LeftClick");
    EXPECT_TRUE(recorder.take().empty());
}

TEST_F(ControlsFileTest, MalformedControlsAreReportedWithTheirLinesAndTheRestIsUsed) {
    useData("camera {\n"
            "  zoomin { name = \"Zoom in\"; bind = WheelUp }\n"     // 2
            "  fly { name = Fly; bind = Space }\n"                  // 3: unknown to the camera
            "  rotateyawaxis { name = Turn; bind = MiddleClick }\n" // 4: axis needs its axis
            "}\n"
            "controlsource {\n"
            "  endturn { name = \"End turn\"; state = 28; bind = Return }\n" // 7
            "  again { name = Again; state = 28; bind = A }\n"               // 8: state taken
            "  far { name = Far; state = 40; bind = F }\n"                   // 9: no such state
            "  act1 { name = \"Act 1\"; state = 6; bind = Digit1; bind = Shift Digit1 }\n" // 10
            "  act2 { nmae = \"Act 2\"; state = 7; bind = Digit2 }\n" // 11: typo
            "  act3 { name = \"Act 3\"; state = 8; bind = Digit3\n"   // 12: unclosed
            "}\n");
    kel::test::LogCapture log;
    EXPECT_FALSE(theKelInput->load());
    std::set<int> lines;
    for (const auto& record : log.take()) {
        EXPECT_EQ(record.filter, "kel-input");
        EXPECT_EQ(record.file, "/Configs/Input/controls.cfg");
        lines.insert(record.line);
    }
    for (int line : {3, 4, 8, 9, 10, 11})
        EXPECT_EQ(lines.count(line), 1u) << "no message for line " << line;
    EXPECT_EQ(lines.count(14), 1u) << "the syntax error at the end of the file";
    EXPECT_EQ(lines.count(6), 1u) << "states that no control sends";

    cs()->getOutput()->attach(&recorder);
    tap("Return");
    tap("Digit1");
    tap("Digit2");
    tap("A");
    EXPECT_EQ(recorder.take(), (std::vector<int>{28, 6, 7})) << "the good controls work";
    tap("WheelUp");
    EXPECT_FLOAT_EQ(camera()->getCamera().zoom, 14.0f);
    std::vector<std::string> names;
    camera()->getRedefineControls()->enumerateEventsNames(names);
    EXPECT_EQ(names, (std::vector<std::string>{"zoomin", "rotateyawaxis"}));
    EXPECT_EQ(cs()->getRedefineControls()->getEventSweetName("act2"), "act2")
        << "a control without a display name shows its own name";
}

TEST_F(ControlsFileTest, TheSameKeysForTwoControlsAreReported) {
    useData("camera {\n"
            "  zoomin { name = In; bind = Z }\n"
            "}\n"
            "controlsource {\n"
            "  run { name = Run; state = 0; bind = Z }\n"
            "}\n");
    kel::test::LogCapture log;
    theKelInput->load();
    bool reported = false;
    for (const auto& record : log.take())
        reported |= record.line == 5 && record.text.find("zoomin") != std::string::npos;
    EXPECT_TRUE(reported);
}

} // namespace
