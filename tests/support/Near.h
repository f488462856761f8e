#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace kel::test {

// The numbers agree pairwise within `tolerance`; the message lists got/wanted.
inline ::testing::AssertionResult near(const std::vector<float>& got,
                                       const std::vector<float>& want, float tolerance = 1e-4f) {
    bool ok = got.size() == want.size();
    for (size_t i = 0; ok && i < got.size(); ++i)
        ok = std::abs(got[i] - want[i]) <= tolerance;
    if (ok)
        return ::testing::AssertionSuccess();
    std::string text;
    for (size_t i = 0; i < got.size(); ++i)
        text += (i ? " " : "") + std::to_string(got[i]) +
                (i < want.size() ? "/" + std::to_string(want[i]) : "");
    return ::testing::AssertionFailure() << "got/wanted: " << text;
}

} // namespace kel::test
