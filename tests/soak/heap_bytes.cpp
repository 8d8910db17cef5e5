#include "tests/soak/heap_bytes.h"

#include <malloc.h>

#if defined(__SANITIZE_ADDRESS__)
#define EARSHOT_HEAP_FROM_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define EARSHOT_HEAP_FROM_SANITIZER 1
#endif
#endif

#if defined(EARSHOT_HEAP_FROM_SANITIZER)
// The sanitizer runtime's count of bytes handed out and not yet freed.
// Declared here because GCC does not install the header that declares it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace earshot::testing {

std::size_t heapBytesInUse() {
#if defined(EARSHOT_HEAP_FROM_SANITIZER)
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = mallinfo2();
    // Small blocks in the arenas and large ones mapped on their own.
    return info.uordblks + info.hblkhd;
#endif
}

}  // namespace earshot::testing
