// The configuration reader at the sizes a whole game's UI reaches: a ~10 MB document shaped like
// the UI's layouts (257 screens of 10 panels of 8 widgets; every widget 10 settings and a
// 9-setting "anim" block), and one block of 1,000 to 16,000 properties read back by name (a
// string table). With libconfig++ installed the same content, in its syntax, is read by it in
// the same run. Every benchmark checks what it read: entry counts and a value read back.
//
// Counters: the settings read and allocs/setting (blocks count as entries), and
// heap/text, the memory the parsed tree holds (its heap and its mapped chunks) over the size of
// its text (checked: at most kMaxHeapPerText, with glibc on Linux to measure it).

#include "AllocationCount.h"

#include "host/config/Block.h"
#include "host/config/Syntax.h"

#include <benchmark/benchmark.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <cstddef>
#include <fstream>
#include <memory>
#include <string>

#ifdef KEL_HAVE_LIBCONFIGXX
#include <libconfig.h++>
#endif

namespace {

constexpr int kScreens = 257;
constexpr int kPanels = 10;
constexpr int kWidgets = 8;
// Every entry, blocks included: a screen is itself, 9 settings and its panels; a panel is
// itself, 9 settings and its widgets; a widget is itself, 10 settings, the anim block and its 9.
constexpr size_t kDocumentEntries =
    size_t{kScreens} * (1 + 9 + kPanels * (1 + 9 + kWidgets * (1 + 10 + 1 + 9)));
static_assert(kDocumentEntries == 460030, "the document's shape");
// The most our parsed tree may hold, over the size of the text it was read from.
constexpr double kMaxHeapPerText = 3.0;

// The same tree written in both syntaxes at once.
class UiDocument {
public:
    UiDocument() {
        for (int s = 0; s < kScreens; ++s) {
            open(0, "screen" + std::to_string(s));
            container(1, s, "container");
            for (int p = 0; p < kPanels; ++p) {
                open(1, "panel" + std::to_string(p));
                container(2, s * kPanels + p, "ramka");
                for (int w = 0; w < kWidgets; ++w)
                    widget(2, (s * kPanels + p) * kWidgets + w);
                close(1);
            }
            close(0);
        }
    }
    std::string kel;
    std::string libconfig;

    // What the benchmarks read back: the last widget's text.
    static std::string lastText() { return "Item " + std::to_string(kScreens * kPanels * 8 - 1); }

private:
    void indent(int depth) {
        kel.append(static_cast<size_t>(depth) * 4, ' ');
        libconfig.append(static_cast<size_t>(depth) * 4, ' ');
    }
    void open(int depth, const std::string& name) {
        indent(depth);
        kel += name + " {\n";
        libconfig += name + " : {\n";
    }
    void close(int depth) {
        indent(depth);
        kel += "}\n";
        libconfig += "};\n";
    }
    // A setting; `theirs` is the value in libconfig's syntax when it differs.
    void set(int depth, const char* name, const std::string& ours, const std::string& theirs) {
        indent(depth);
        kel += name;
        kel += " = " + ours + "\n";
        libconfig += name;
        libconfig += " = " + theirs + ";\n";
    }
    void set(int depth, const char* name, const std::string& value) {
        set(depth, name, value, value);
    }
    void word(int depth, const char* name, const std::string& value) {
        set(depth, name, value, "\"" + value + "\"");
    }
    void pair(int depth, const char* name, int a, int b) {
        const std::string x = std::to_string(a), y = std::to_string(b);
        set(depth, name, x + " " + y, "[" + x + ", " + y + "]");
    }

    void container(int depth, int n, const char* kind) {
        word(depth, "class", kind);
        pair(depth, "position", n % 7 * 10, n % 5 * 12);
        pair(depth, "size", 600, 440);
        set(depth, "visible", n % 2 ? "true" : "false");
        set(depth, "priority", std::to_string(n % 17));
        set(depth, "color", "0.5 0.25 1 1", "[0.5, 0.25, 1.0, 1.0]");
        set(depth, "image", "\"/Images/UI/panel_" + std::to_string(n % 40) + ".tga\"");
        set(depth, "opacity", "0.75");
        set(depth, "modal", "false");
    }

    void widget(int depth, int n) {
        open(depth, "widget" + std::to_string(n % kWidgets));
        const int d = depth + 1;
        word(d, "class", n % 3 ? "textbutton" : "checkbox");
        set(d, "text", "\"Item " + std::to_string(n) + "\"");
        word(d, "font", "efirst_blue");
        pair(d, "position", n % 6 * 90, n % 8 * 50);
        pair(d, "size", 80, 40);
        set(d, "visible", "true");
        set(d, "enabled", n % 5 ? "true" : "false");
        set(d, "priority", std::to_string(n % 13));
        set(d, "opacity", "0.9");
        set(d, "color", "1 0.8 0.2 1", "[1.0, 0.8, 0.2, 1.0]");
        open(d, "anim");
        const int a = d + 1;
        set(a, "duration", "0.25");
        set(a, "delay", std::to_string(n % 4) + ".5");
        set(a, "loop", "false");
        pair(a, "from", 0, -20);
        pair(a, "to", 0, 0);
        word(a, "easing", "outquad");
        set(a, "repeat", "1");
        set(a, "scale", "1.05");
        set(a, "alpha", "0.5");
        close(d);
        close(depth);
    }
};

const UiDocument& uiDocument() {
    static const UiDocument document;
    return document;
}

size_t countEntries(const config::Block& block) {
    size_t count = 0;
    for (const config::NameEntry* e = block.getFirstEntry(); e; e = e->getNextEntry()) {
        ++count;
        if (e->isBlock())
            count += countEntries(config::Block::blockOf(*e));
    }
    return count;
}

// Memory in use now: the heap by malloc's own account (libconfig allocates with malloc, not new),
// plus what the process has mapped for data beyond malloc's arena (malloc's own big blocks and
// the reader's huge-page chunks, which malloc does not see). Without glibc and Linux the figure
// is not taken: heap/text reads 0.
size_t heapInUse() {
#if defined(__GLIBC__) && defined(__linux__)
    const struct mallinfo2 info = mallinfo2();
    size_t dataKiB = 0;
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.compare(0, 7, "VmData:") == 0)
            dataKiB = std::stoul(line.substr(7));
    return info.uordblks + dataKiB * 1024 - info.arena;
#else
    return 0;
#endif
}

void setCounters(benchmark::State& state, size_t entries, size_t allocations, size_t heap,
                 size_t textBytes) {
    const double perSetting =
        static_cast<double>(entries) * static_cast<double>(state.iterations());
    state.counters["settings"] = static_cast<double>(entries);
    state.counters["allocs/setting"] = static_cast<double>(allocations) / perSetting;
    state.counters["heap/text"] = static_cast<double>(heap) / static_cast<double>(textBytes);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * textBytes));
}

// The parse with nothing else: the tree made and destroyed.
void BM_UiDocumentParse(benchmark::State& state) {
    const std::string& text = uiDocument().kel;
    size_t allocations = 0;
    for (auto _ : state) {
        const size_t before = bench::allocationCount();
        config::Block root;
        config::ParseError error;
        if (!config::parse(text, "ui.cfg", root, &error) || root.getBlockCount() != kScreens) {
            state.SkipWithError(("the document did not read: " + error.describe()).c_str());
            break;
        }
        allocations += bench::allocationCount() - before;
        benchmark::DoNotOptimize(root);
    }
    // What one more read gives: every entry, the last widget's text and the heap the tree holds.
    const size_t heapBefore = heapInUse();
    auto root = std::make_unique<config::Block>();
    config::parse(text, "ui.cfg", *root, nullptr);
    const size_t heap = heapInUse() - heapBefore;
    std::string last;
    const std::string path = "screen" + std::to_string(kScreens - 1) + ".panel" +
                             std::to_string(kPanels - 1) + ".widget7.text";
    if (countEntries(*root) != kDocumentEntries || !root->getProperty(path, &last) ||
        last != UiDocument::lastText())
        state.SkipWithError("the document read wrong");
    else if (static_cast<double>(heap) > kMaxHeapPerText * static_cast<double>(text.size()))
        state.SkipWithError("the parsed tree holds too much memory for its text");
    setCounters(state, kDocumentEntries, allocations, heap, text.size());
}
BENCHMARK(BM_UiDocumentParse)->Unit(benchmark::kMillisecond);

#ifdef KEL_HAVE_LIBCONFIGXX
size_t countSettings(const libconfig::Setting& setting) {
    size_t count = 0;
    for (int i = 0; i < setting.getLength(); ++i) {
        const libconfig::Setting& child = setting[i];
        ++count;
        if (child.isGroup())
            count += countSettings(child);
    }
    return count;
}

void BM_UiDocumentParseLibconfig(benchmark::State& state) {
    const std::string& text = uiDocument().libconfig;
    for (auto _ : state) {
        libconfig::Config config;
        try {
            config.readString(text);
        } catch (const libconfig::ParseException& e) {
            state.SkipWithError(e.getError());
            break;
        }
        if (config.getRoot().getLength() != kScreens) {
            state.SkipWithError("the document did not read");
            break;
        }
        benchmark::DoNotOptimize(config.getRoot().getLength());
    }
    const size_t heapBefore = heapInUse();
    auto config = std::make_unique<libconfig::Config>();
    config->readString(text);
    const size_t heap = heapInUse() - heapBefore;
    std::string last;
    const std::string path = "screen" + std::to_string(kScreens - 1) + ".panel" +
                             std::to_string(kPanels - 1) + ".widget7.text";
    if (countSettings(config->getRoot()) != kDocumentEntries || !config->lookupValue(path, last) ||
        last != UiDocument::lastText())
        state.SkipWithError("the document read wrong");
    // libconfig allocates with malloc, which the allocation counter does not see.
    setCounters(state, kDocumentEntries, 0, heap, text.size());
    state.counters.erase("allocs/setting");
}
BENCHMARK(BM_UiDocumentParseLibconfig)->Unit(benchmark::kMillisecond);
#endif

// One block of n properties in both syntaxes: "key17 = "Text of 17"".
std::string bigBlock(int n, bool libconfigSyntax) {
    std::string text = libconfigSyntax ? "strings : {\n" : "strings {\n";
    for (int i = 0; i < n; ++i)
        text += "    key" + std::to_string(i) + " = \"Text of " + std::to_string(i) + "\"" +
                (libconfigSyntax ? ";\n" : "\n");
    text += libconfigSyntax ? "};\n" : "}\n";
    return text;
}

// The block read (second argument 0), or read and then every property looked up by name (1), as
// a string table is used.
void BM_BigBlock(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const bool lookUp = state.range(1) != 0;
    const std::string text = bigBlock(n, false);
    std::vector<std::string> keys;
    for (int i = 0; i < n; ++i)
        keys.push_back("key" + std::to_string(i));
    size_t found = 0;
    std::string value;
    for (auto _ : state) {
        config::Block root;
        if (!config::parse(text, "strings.cfg", root, nullptr)) {
            state.SkipWithError("the block did not read");
            break;
        }
        const config::Block* strings = nullptr;
        root.getPropertyAccess("strings", &strings);
        found = 0;
        if (!strings || strings->getListCount() != n) {
            state.SkipWithError("the block read wrong");
            break;
        }
        if (!lookUp)
            continue;
        for (const std::string& key : keys)
            found += strings->getProperty(key, &value);
        if (found != static_cast<size_t>(n) || value != "Text of " + std::to_string(n - 1)) {
            state.SkipWithError("the properties did not read back");
            break;
        }
    }
    state.counters["settings"] = n;
}
BENCHMARK(BM_BigBlock)->ArgsProduct({{1000, 4000, 16000}, {0, 1}})->Unit(benchmark::kMillisecond);

#ifdef KEL_HAVE_LIBCONFIGXX
// The block read and every property looked up. libconfig looks for a duplicate name whenever it
// adds a setting, so its read alone is quadratic: one iteration says enough.
void BM_BigBlockLibconfig(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::string text = bigBlock(n, true);
    std::vector<std::string> keys;
    for (int i = 0; i < n; ++i)
        keys.push_back("key" + std::to_string(i));
    size_t found = 0;
    std::string value;
    for (auto _ : state) {
        libconfig::Config config;
        try {
            config.readString(text);
        } catch (const libconfig::ParseException& e) {
            state.SkipWithError(e.getError());
            break;
        }
        const libconfig::Setting& strings = config.lookup("strings");
        found = 0;
        for (const std::string& key : keys)
            found += strings.lookupValue(key, value);
    }
    if (found != static_cast<size_t>(n) || value != "Text of " + std::to_string(n - 1))
        state.SkipWithError("the properties did not read back");
    state.counters["settings"] = n;
}
BENCHMARK(BM_BigBlockLibconfig)
    ->Arg(1000)
    ->Arg(4000)
    ->Arg(16000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
#endif

} // namespace
