// Layouts: any layout text builds into components under the module's booted root (with the
// module's factory), draws a frame and goes away, reporting what it cannot use.
#include "FuzzHost.h"
#include "host/ReferenceHost.h"
#include "host/config/Config.h"
#include "host/engine/RenderDriver.h"
#include "host/engine/Timer.h"
#include "host/ui/Container.h"
#include "ui/KELUI.h"

namespace {

kel::ui::KELUI* bootedRoot() {
    static fuzz::Profile profile;
    static kel::ui::KELUI* root = [] {
        resetReferenceHost();
        auto* booted = new kel::ui::KELUI; // lives as long as the process
        kel::ui::theKELUI = booted;
        booted->init();
        return booted;
    }();
    return root;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kel::ui::KELUI* root = bootedRoot();
    std::string input;
    config::Config layout;
    if (!fuzz::text(data, size, &input) || !layout.readString(input, "fuzz.cfg"))
        return 0;
    auto* screen = new ::ui::Container;
    root->addComponent(screen);
    screen->readConfig(&layout);
    screen->setVisible(true);
    theTimer->advance(1.0 / 60);
    theRenderDriver->drawFrame();
    screen->term();
    root->deleteComponent(screen);
    return 0;
}
