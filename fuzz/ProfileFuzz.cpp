// The player's profile: any profile.cfg loads (as read, or moved aside with defaults), and a
// profile that may be saved reads back as saved.
#include "FuzzHost.h"
#include "host/profile/Profile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::Profile profile;
    std::string input;
    if (!fuzz::text(data, size, &input))
        return 0;
    profile.only("profile.cfg", input);
    theProfile->reset();
    if (theProfile->load() == profile::Profile::Unreadable)
        return 0;
    if (!theProfile->save())
        std::abort();
    theProfile->reset();
    if (theProfile->load() != profile::Profile::Read)
        std::abort();
    return 0;
}
