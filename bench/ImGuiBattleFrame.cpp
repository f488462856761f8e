// The battle HUD's content drawn with Dear ImGui, the immediate-mode library a game team would
// otherwise reach for, so that kel-ui's battle frame is measured beside it in the same run:
// 200 health numbers over moving units (a tenth changing every frame), 20 wrapped speech
// balloons following units, an end-turn button, a clock and a drawn pointer.

#ifdef KEL_HAVE_IMGUI

#include "AllocationCount.h"
#include "BattleContent.h"

#include <imgui.h>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>

namespace {

struct ImGuiBattle {
    ImGuiBattle() {
        ImGui::CreateContext();
        ImGuiIO& io = ImGui::GetIO();
        io.DisplaySize = ImVec2(bench::kScreenWidth, bench::kScreenHeight);
        io.DeltaTime = 1.0f / 60;
        io.IniFilename = nullptr;
        io.MouseDrawCursor = true;
        unsigned char* pixels = nullptr;
        int width = 0;
        int height = 0;
        io.Fonts->GetTexDataAsRGBA32(&pixels, &width, &height);
        for (int i = 0; i < 200; ++i)
            health[i] = 100 + i;
    }
    ~ImGuiBattle() { ImGui::DestroyContext(); }

    // One frame; returns the number of vertices drawn, so nothing can be skipped unseen.
    int frame() {
        ++count;
        ImGuiIO& io = ImGui::GetIO();
        io.MousePos = ImVec2(static_cast<float>(100 + count % 800), 300);
        for (int i = count % 10; i < bench::kUnits; i += 10)
            --health[i];
        ImGui::NewFrame();
        ImDrawList* board = ImGui::GetBackgroundDrawList();
        char digits[16];
        for (int i = 0; i < bench::kUnits; ++i) {
            const bench::Point at = bench::unitOnScreen(i, count);
            std::snprintf(digits, sizeof digits, "%d", health[i]);
            board->AddText(ImVec2(at.x, at.y - 30), IM_COL32(255, 40, 40, 255), digits);
        }
        const ImGuiWindowFlags balloon =
            ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoSavedSettings |
            ImGuiWindowFlags_AlwaysAutoResize | ImGuiWindowFlags_NoFocusOnAppearing;
        char name[16];
        for (int i = 0; i < bench::kBalloons; ++i) {
            const bench::Point at = bench::unitOnScreen(i * 10, count);
            std::snprintf(name, sizeof name, "balloon%d", i);
            ImGui::SetNextWindowPos(ImVec2(at.x, at.y - 40), ImGuiCond_Always, ImVec2(0.5f, 1));
            ImGui::Begin(name, nullptr, balloon);
            ImGui::PushTextWrapPos(160);
            ImGui::TextUnformatted(bench::kBalloonText);
            ImGui::PopTextWrapPos();
            ImGui::End();
        }
        ImGui::SetNextWindowPos(ImVec2(bench::kScreenWidth - 140, bench::kScreenHeight - 60));
        ImGui::Begin("hud", nullptr,
                     ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoSavedSettings);
        if (ImGui::Button("End turn"))
            ++turnsEnded;
        const int minutes = (18 * 60 + 30 + count / 60) % (24 * 60);
        ImGui::Text("%02d:%02d", minutes / 60, minutes % 60);
        ImGui::End();
        ImGui::Render();
        return ImGui::GetDrawData()->TotalVtxCount;
    }

    int health[bench::kUnits];
    int count = 0;
    int turnsEnded = 0;
};

void BM_BattleFrameDearImGui(benchmark::State& state) {
    ImGuiBattle battle;
    for (int i = 0; i < 120; ++i)
        battle.frame();
    const std::size_t allocationsBefore = bench::allocationCount();
    int vertices = 0;
    for (auto _ : state)
        vertices = battle.frame();
    state.counters["allocs/frame"] =
        static_cast<double>(bench::allocationCount() - allocationsBefore) /
        static_cast<double>(state.iterations());
    // 200 numbers of three digits and 20 balloons of about a hundred letters: thousands of
    // vertices; far fewer means the content was not drawn.
    if (vertices < 4 * 3 * bench::kUnits)
        state.SkipWithError("Dear ImGui drew less than the battle's content");
    state.counters["vertices"] = vertices;
}
BENCHMARK(BM_BattleFrameDearImGui)->Unit(benchmark::kMicrosecond);

} // namespace

#endif
