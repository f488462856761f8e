// kel-play scripts: any text is parsed into commands or refused with its mistakes.
#include "FuzzHost.h"
#include "Script.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::Profile profile;
    std::string input;
    if (!fuzz::text(data, size, &input))
        return 0;
    kelplay::Script script;
    std::vector<kelplay::ScriptError> errors;
    script.parse(input, "fuzz.play", &errors);
    return 0;
}
