#include "host/engine/SEUniversalHighlight.h"
#include "host/engine/EngineLog.h"

std::string SEUniversalHighlight::describe() const {
    Values values;
    capture(values);
    return describe(values);
}

void SEUniversalHighlight::capture(Values& out) const {
    const config::Color* colours[] = {&first, &second};
    for (int i = 0; i < 2; ++i) {
        out.numbers[4 * i] = colours[i]->r;
        out.numbers[4 * i + 1] = colours[i]->g;
        out.numbers[4 * i + 2] = colours[i]->b;
        out.numbers[4 * i + 3] = colours[i]->a;
    }
}

std::string SEUniversalHighlight::describe(const Values& captured) const {
    std::string text = "colours";
    for (int i = 0; i < 8; ++i)
        text += (i == 4 ? " / " : " ") + engineNumber(captured.numbers[i]);
    return text;
}
