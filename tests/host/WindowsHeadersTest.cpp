// Every public header of the host and the module, included after <windows.h> as a game's own
// sources do: its macros (IGNORE, min, max, interface, ...) must not change what the headers say.
#include <windows.h>

#include "AllPublicHeaders.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowsHeaders, TheMessageBoxAnswersKeepTheirNamesAndValuesAndWindowsKeepsItsMacro) {
#ifndef IGNORE
    FAIL() << "including the headers took <windows.h>'s IGNORE away";
#endif
#pragma push_macro("IGNORE")
#undef IGNORE
    using B = kel::ui::MessageBoxA;
    const struct {
        B::Button button;
        int bit;
    } rows[] = {{B::OK, 0x01},    {B::YES, 0x02},    {B::NO, 0x04},    {B::ABORT, 0x08},
                {B::RETRY, 0x10}, {B::IGNORE, 0x20}, {B::CANCEL, 0x40}};
#pragma pop_macro("IGNORE")
    for (const auto& row : rows)
        EXPECT_EQ(static_cast<int>(row.button), row.bit);
}

} // namespace
