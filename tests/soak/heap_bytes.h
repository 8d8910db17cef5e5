// How much of the heap the process is using right now, in bytes: from the
// sanitizer's allocator when the build has AddressSanitizer (it replaces
// malloc), from glibc's malloc statistics otherwise.
#pragma once

#include <cstddef>

namespace earshot::testing {

std::size_t heapBytesInUse();

}  // namespace earshot::testing
