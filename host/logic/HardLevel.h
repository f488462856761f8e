#pragma once

namespace kel::logic {

// The difficulty of a campaign.
struct HardLevel {
    enum Type { NORMAL = 0, EASY = 1, TRIVIAL = 2 };
};

} // namespace kel::logic
