#pragma once

// The names the game logic gives unit statuses and the elements of acts. They are texts so that
// data files and the UI can key tables by them.

namespace kel::logic {

// A unit burning, frozen or poisoned by an act, and the "pure" forms caused by the elements
// themselves (standing in fire, in ice water, in a poison swamp).
inline constexpr char BURN_STATUS[] = "burn";
inline constexpr char FREEZE_STATUS[] = "freeze";
inline constexpr char POISON_STATUS[] = "poison";
inline constexpr char PURE_BURN_STATUS[] = "pure_burn";
inline constexpr char PURE_FREEZE_STATUS[] = "pure_freeze";
inline constexpr char PURE_POISON_STATUS[] = "pure_poison";

// The element an act carries; an act without one has the empty modifier "".
inline constexpr char ACT_FIRE_MODIFIER[] = "fire";
inline constexpr char ACT_FREEZE_MODIFIER[] = "freeze";
inline constexpr char ACT_POISON_MODIFIER[] = "poison";

} // namespace kel::logic
