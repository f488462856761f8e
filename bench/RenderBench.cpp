// The cost of drawing the shipped main menu offscreen at 1024 x 768 on the software rasteriser
// (Mesa's llvmpipe through EGL, no display), with reading the frame back, beside the cost of the
// module's own frame (the UI's frame work and the render driver's step) that comes before it.

#include "BootedModule.h"

#include "host/engine/RenderDriver.h"
#include "host/engine/Timer.h"
#include "host/render/FrameRenderer.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

// A renderer of 1024 x 768 pixels, or null with the benchmark skipped and the reason said.
std::unique_ptr<render::FrameRenderer> makeRenderer(benchmark::State& state) {
    std::string why;
    auto renderer = render::FrameRenderer::create(1024, 768, &why);
    if (!renderer)
        state.SkipWithError(("no renderer: " + why).c_str());
    return renderer;
}

void BM_RenderMainMenu1024x768(benchmark::State& state) {
    bench::BootedModule module;
    auto renderer = makeRenderer(state);
    if (!renderer)
        return;
    render::Picture frame;
    renderer->render(module.root.get(), &frame); // pictures, models and glyphs read once
    for (auto _ : state)
        renderer->render(module.root.get(), &frame);
    // The ring and the screen behind it: an opaque frame of more than one colour.
    std::set<unsigned> colours;
    for (int y = 0; y < frame.height; y += 16)
        for (int x = 0; x < frame.width; x += 16)
            colours.insert(frame.at(x, y));
    if ((frame.at(0, 0) & 0xFF) != 0xFF || colours.size() < 3)
        state.SkipWithError("the frame shows no menu");
    state.counters["colours"] = static_cast<double>(colours.size());
}
BENCHMARK(BM_RenderMainMenu1024x768)->Unit(benchmark::kMillisecond);

// The same frame read as a window system keeps its surface (blue, green, red), as kel-play's
// window reads it: the cost a shown frame adds to a drawn one.
void BM_RenderMainMenuIntoWindowMemory(benchmark::State& state) {
    bench::BootedModule module;
    auto renderer = makeRenderer(state);
    if (!renderer)
        return;
    std::vector<unsigned char> surface(1024 * 768 * 4);
    const render::PixelTarget target{surface.data(), 1024 * 4, true};
    renderer->renderInto(module.root.get(), target);
    for (auto _ : state)
        renderer->renderInto(module.root.get(), target);
    render::Picture frame;
    renderer->render(module.root.get(), &frame);
    // Red and blue change places, nothing else.
    for (size_t i = 0; i < surface.size(); i += 4)
        if (surface[i] != frame.pixels[i + 2] || surface[i + 2] != frame.pixels[i] ||
            surface[i + 1] != frame.pixels[i + 1] || surface[i + 3] != frame.pixels[i + 3]) {
            state.SkipWithError("the surface does not hold the frame");
            return;
        }
}
BENCHMARK(BM_RenderMainMenuIntoWindowMemory)->Unit(benchmark::kMillisecond);

void BM_ModuleMainMenuFrame(benchmark::State& state) {
    bench::BootedModule module;
    for (auto _ : state) {
        theTimer->advance(1.0 / 60);
        theRenderDriver->drawFrame();
    }
}
BENCHMARK(BM_ModuleMainMenuFrame)->Unit(benchmark::kMicrosecond);

} // namespace
