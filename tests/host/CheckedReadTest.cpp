#include "host/config/CheckedRead.h"
#include "host/config/Config.h"
#include "host/debug/Filter.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using config::Range;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// One value at a time: what it reads as, as a number and as an int, or why it is refused (the
// reason is the same for both reads).
TEST(CheckedRead, EachValueIsTakenOrRefusedWithTheReason) {
    constexpr int kNo = -999;
    const struct {
        const char* text;
        Range range;
        double number; // NAN: refused as a number
        int whole;     // kNo: refused as an int
        const char* why;
    } rows[] = {
        {"0.5", Range(0, 1), 0.5, 0, ""},
        {"+2", Range(), 2, 2, ""},
        {"-2.9", Range(), -2.9, -2, ""},
        {"1e2", Range(0, 100), 100, 100, ""},
        {"2147483647", Range(), 2147483647.0, 2147483647, ""},
        {"abc", Range(), NAN, kNo, "'abc' is not a number"},
        {"12ab", Range(), NAN, kNo, "'12ab' is not a number"},
        {"0123456789012345678901234567890123456789x", Range(), NAN, kNo,
         "'0123456789012345678901234567890123456789...' is not a number"},
        {"", Range(), NAN, kNo, "'' is not a number"},
        {"nan", Range(), NAN, kNo, "'nan' is not a finite number"},
        {"-inf", Range(), NAN, kNo, "'-inf' is not a finite number"},
        {"+infinity", Range(), NAN, kNo, "'+infinity' is not a finite number"},
        {"1.5", Range(0, 1), NAN, 1, "'1.5' is out of range (from 0 to 1)"},
        {"-1", Range::atLeast(0), NAN, kNo, "'-1' is out of range (at least 0)"},
        {"0", Range::above(0), NAN, kNo, "'0' is out of range (above 0)"},
        {"0.01", Range::above(0), 0.01, kNo, "'0.01' is out of range (above 0)"},
        {"7", Range(-kInf, 5), NAN, kNo, "'7' is out of range (at most 5)"},
        {"1e39", Range(), NAN, kNo, "'1e39' is out of range"},
        {"3e9", Range(), 3e9, kNo, "'3e9' is out of range"},
        {"-3e9", Range(), -3e9, kNo, "'-3e9' is out of range"},
    };
    for (const auto& row : rows) {
        double number = -1;
        const std::string numberWhy = config::checkNumber(row.text, row.range, &number);
        EXPECT_EQ(numberWhy, std::isnan(row.number) ? row.why : "") << row.text;
        EXPECT_EQ(number, std::isnan(row.number) ? -1 : row.number) << row.text;
        int whole = -1;
        const std::string wholeWhy = config::checkInt(row.text, row.range, &whole);
        EXPECT_EQ(wholeWhy, row.whole == kNo ? row.why : "") << row.text;
        EXPECT_EQ(whole, row.whole == kNo ? -1 : row.whole) << row.text;
    }
    bool flag = false;
    EXPECT_EQ(config::checkBool("On", &flag), "");
    EXPECT_TRUE(flag);
    EXPECT_EQ(config::checkBool("maybe", &flag), "'maybe' is not true or false (also yes/no, "
                                                 "on/off, 1/0)");
    EXPECT_TRUE(flag);
}

// A reader reports a wrong property at its own place and keeps the default; a missing one is no
// problem.
TEST(CheckedRead, AWrongPropertyIsReportedWhereItStandsAndTheDefaultKept) {
    config::Config data;
    ASSERT_TRUE(data.readString("scene {\n"
                                "  light = 1 0.5\n"
                                "  position = 1 x 3\n"
                                "  count = 4\n"
                                "    shown = perhaps\n"
                                "  empty =\n"
                                "}\n",
                                "scene.cfg"));
    const config::Block* scene = nullptr;
    ASSERT_TRUE(data.getPropertyAccess("scene", &scene));
    debug::Filter filter("checked", true);
    const config::CheckedReader reader(filter, *scene, "scene 'a': ");
    kel::test::LogCapture log;

    float light[3] = {7, 7, 7}, position[3] = {7, 7, 7}, one = 7;
    int count = 7;
    bool shown = true;
    EXPECT_FALSE(reader.readNumbers("light", 3, Range(0, 1), light));
    EXPECT_FALSE(reader.readNumbers("position", 3, Range(), position));
    EXPECT_FALSE(reader.readInt("count", Range(0, 3), &count));
    EXPECT_FALSE(reader.readBool("shown", &shown));
    EXPECT_FALSE(reader.readNumber("empty", Range(), &one));
    EXPECT_FALSE(reader.readNumber("missing", Range(), &one));
    reader.report("missing", "is needed");
    EXPECT_EQ(light[0] + light[1] + light[2] + position[0] + position[1] + position[2] + one, 49);
    EXPECT_EQ(count, 7);
    EXPECT_TRUE(shown);

    const std::vector<std::string> expected = {
        "scene.cfg:2:3: scene 'a': 'light': needs 3 numbers, has 2; the default is kept",
        "scene.cfg:3:3: scene 'a': 'position': 'x' is not a number; the default is kept",
        "scene.cfg:4:3: scene 'a': 'count': '4' is out of range (from 0 to 3); the default is "
        "kept",
        "scene.cfg:5:5: scene 'a': 'shown': 'perhaps' is not true or false (also yes/no, on/off, "
        "1/0); the default is kept",
        "scene.cfg:6:3: scene 'a': 'empty': needs 1 number, has 0; the default is kept",
        "scene.cfg:1:1: scene 'a': 'missing': is needed; the default is kept",
    };
    std::vector<std::string> said;
    for (const auto& record : log.take()) {
        EXPECT_EQ(record.filter, "checked");
        said.push_back(record.file + ":" + std::to_string(record.line) + ":" +
                       std::to_string(record.column) + ": " + record.text);
    }
    EXPECT_EQ(said, expected);

    EXPECT_TRUE(reader.readNumbers("light", 2, Range(0, 1), light));
    EXPECT_EQ(light[1], 0.5f);
    EXPECT_TRUE(reader.readInt("count", Range::atLeast(0), &count));
    EXPECT_EQ(count, 4);
    EXPECT_TRUE(log.take().empty());
}

} // namespace
