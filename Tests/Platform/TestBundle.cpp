// The executable of TestBundle.bundle.
#include <CoreServices/CoreServices.h>

#include <cstring>

extern "C" __attribute__((visibility("default"))) int TestBundleTwicePlusOne(int x) {
    return 2 * x + 1;
}

// A handle made inside the bundle, filled with 0x5A, for the host to read and dispose.
extern "C" __attribute__((visibility("default"))) Handle TestBundleNewHandle(Size size) {
    Handle h = NewHandleClear(size);
    if (h != nullptr)
        std::memset(*h, 0x5A, static_cast<size_t>(size));
    return h;
}
