// Map files: any .lvx loads whole or is refused with a report, on the shipped data.
#include "FuzzHost.h"
#include "host/logic/Game.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::Profile profile;
    std::string input;
    if (!fuzz::text(data, size, &input))
        return 0;
    profile.only("fuzz.lvx", input);
    kel::logic::Game game;
    game.loadMap("/Profile/fuzz.lvx");
    return 0;
}
