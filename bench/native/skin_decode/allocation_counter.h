// Counts heap allocations made through operator new, to show what a decode allocates.
#pragma once

#include <cstddef>

namespace bench {

std::size_t AllocationCount();

} // namespace bench
