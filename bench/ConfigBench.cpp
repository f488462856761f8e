// Parse and write throughput of the configuration library on a generated document shaped like
// real layouts: blocks 3-4 deep, about 10 properties each, strings, numbers and lists. With
// libconfig++ installed the same document, in its syntax, is parsed by it in the same run.

#include "host/config/Block.h"
#include "host/config/Syntax.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#ifdef KEL_HAVE_LIBCONFIGXX
#include <libconfig.h++>
#endif

namespace {

// Writes one layout-like tree in two syntaxes at once.
class LayoutGenerator {
public:
    void generate(size_t targetBytes) {
        for (int screen = 0; ours.size() < targetBytes; ++screen)
            component("screen" + std::to_string(screen), 0, screen);
    }
    const std::string& kel() const { return ours; }
    const std::string& libconfig() const { return theirs; }

private:
    void property(int depth, const std::string& name, const std::string& kelValue,
                  const std::string& libconfigValue) {
        indent(depth);
        ours += name + " = " + kelValue + "\n";
        theirs += name + " = " + libconfigValue + ";\n";
    }

    void indent(int depth) {
        ours.append(depth * 4, ' ');
        theirs.append(depth * 4, ' ');
    }

    void component(const std::string& name, int depth, int seed) {
        indent(depth);
        ours += name + " {\n";
        theirs += name + " : {\n";
        const std::string n = std::to_string(seed);
        property(depth + 1, "class", depth == 0 ? "container" : "textbutton",
                 depth == 0 ? "\"container\"" : "\"textbutton\"");
        property(depth + 1, "position", n + " " + std::to_string(seed * 3 % 480),
                 "[" + n + ", " + std::to_string(seed * 3 % 480) + "]");
        property(depth + 1, "size", "640 480", "[640, 480]");
        property(depth + 1, "visible", "true", "true");
        property(depth + 1, "text", "\"Item number " + n + "\"", "\"Item number " + n + "\"");
        property(depth + 1, "font", "efirst_blue", "\"efirst_blue\"");
        property(depth + 1, "priority", std::to_string(seed % 17), std::to_string(seed % 17));
        property(depth + 1, "color", "0.5 0.25 1 1", "[0.5, 0.25, 1.0, 1.0]");
        property(depth + 1, "image", "\"/Images/UI/button_" + n + ".tga\"",
                 "\"/Images/UI/button_" + n + ".tga\"");
        property(depth + 1, "opacity", "0.75", "0.75");
        if (depth < 3)
            for (int child = 0; child < 3; ++child)
                component("child" + std::to_string(child), depth + 1, seed * 7 + child);
        indent(depth);
        ours += "}\n";
        theirs += "};\n";
    }

    std::string ours;
    std::string theirs;
};

const LayoutGenerator& document() {
    static const LayoutGenerator generator = [] {
        LayoutGenerator g;
        g.generate(10 * 1024 * 1024);
        return g;
    }();
    return generator;
}

void BM_ConfigParse(benchmark::State& state) {
    const std::string& text = document().kel();
    for (auto _ : state) {
        config::Block root;
        config::ParseError error;
        if (!config::parse(text, "bench.cfg", root, &error))
            state.SkipWithError(error.describe().c_str());
        benchmark::DoNotOptimize(root);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ConfigParse)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ConfigWrite(benchmark::State& state) {
    config::Block root;
    config::parse(document().kel(), "bench.cfg", root, nullptr);
    size_t bytes = 0;
    for (auto _ : state) {
        std::string out;
        out.reserve(document().kel().size());
        config::write(root, out);
        bytes = out.size();
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_ConfigWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

#ifdef KEL_HAVE_LIBCONFIGXX
void BM_LibconfigParse(benchmark::State& state) {
    const std::string& text = document().libconfig();
    for (auto _ : state) {
        libconfig::Config config;
        try {
            config.readString(text);
        } catch (const libconfig::ParseException& e) {
            state.SkipWithError(e.getError());
            break;
        }
        benchmark::DoNotOptimize(config.getRoot().getLength());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_LibconfigParse)->Unit(benchmark::kMillisecond)->UseRealTime();
#endif

} // namespace
