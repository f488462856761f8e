#pragma once

#include <cstddef>

// Counts the heap allocations the whole benchmark program makes (global operator new), so a
// benchmark can report how many a frame or an event costs and refuse a hot path that allocates.
namespace bench {

std::size_t allocationCount();

} // namespace bench
