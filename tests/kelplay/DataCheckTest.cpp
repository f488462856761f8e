#include "DataCheck.h"
#include "support/TempDir.h"

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
    EXPECT_EQ(problems[1].file, "/Maps/broken.lvx");
    EXPECT_EQ(problems[1].line, 1);
    EXPECT_EQ(problems[1].column, 9);
}

TEST(DataCheck, TheShippedDataIsClean) {
    kelplay::DataCheck check(KEL_DATA_DIR);
    const auto problems = check.run();
    for (const auto& problem : problems)
        ADD_FAILURE() << kelplay::describe(problem);
}

} // namespace
