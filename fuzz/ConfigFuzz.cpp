// The configuration reader: any text is read or refused without harm, and what it reads comes
// back unchanged from a write and a second read.
#include "FuzzHost.h"
#include "host/config/Config.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::Profile profile;
    std::string input;
    config::Config first;
    if (!fuzz::text(data, size, &input) || !first.readString(input, "fuzz.cfg"))
        return 0;
    const std::string written = first.writeString();
    config::Config second;
    if (!second.readString(written, "written.cfg") || second.writeString() != written)
        std::abort();
    return 0;
}
