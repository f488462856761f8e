#pragma once

namespace kel::logic {

// How a unit acts: the kind of its acts, which also chooses the act cursor's pictures.
enum ActType : int { MeleeAct = 0, RangedAct = 1, MagicAct = 2, SupportAct = 3 };

} // namespace kel::logic
