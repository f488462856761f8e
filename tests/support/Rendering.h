#pragma once

#include "host/render/FrameRenderer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace kel::test {

// Mesa's software rasteriser runs worker threads of its own, built without ThreadSanitizer's
// instrumentation: under it their reports would be Mesa's, not ours.
constexpr bool kThreadSanitizer =
#if defined(__SANITIZE_THREAD__)
    true;
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
    true;
#else
    false;
#endif
#else
    false;
#endif

// Why frames cannot be rendered in this test run, or "" when they can.
inline std::string whyNoFrames() {
    if (kThreadSanitizer)
        return "rendering runs Mesa's uninstrumented threads, which ThreadSanitizer misreads";
    if (!render::FrameRenderer::isBuiltIn())
        return "this build has no renderer (KEL_RENDERER off or its libraries missing)";
    return "";
}

} // namespace kel::test
