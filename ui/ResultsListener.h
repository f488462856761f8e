#pragma once

#include "ui/UiApi.h"

namespace kel::ui {

// Told by the results screen (Results) each time it is shown or hidden; implemented by the host.
class KEL_UI_API ResultsListener {
public:
    virtual void resultsShown() = 0;
    virtual void resultsHidden() = 0;

protected:
    ~ResultsListener() = default;
};

} // namespace kel::ui
