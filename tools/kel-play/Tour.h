#pragma once

namespace kelplay {

// The script kel-play runs when it is given none (tools/kel-play/tour.play).
extern const char* const kDefaultTour;

} // namespace kelplay
