#include <CoreServices/CoreServices.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

// An empty block has one byte on Windows, where a moveable handle of none has no address.
#ifdef _WIN32
constexpr Size kEmptyBlockSize = 1;
#else
constexpr Size kEmptyBlockSize = 0;
#endif

TEST(Handles, NewHandleClearIsZeroFilledAndSized) {
    for (Size size : {0L, 1L, 7L, 4096L, 1L << 20}) {
        SCOPED_TRACE(size);
        Handle h = NewHandleClear(size);
        ASSERT_NE(h, nullptr);
        ASSERT_NE(*h, nullptr);
        EXPECT_EQ(GetHandleSize(h), size > 0 ? size : kEmptyBlockSize);
        EXPECT_EQ(std::count(*h, *h + size, '\0'), size);
        DisposeHandle(h);
    }
    EXPECT_EQ(NewHandleClear(-1), nullptr);
}

// Laid out like a handle record, but not made by NewHandleClear.
struct FakeRecord {
    Ptr master;
    Size size;
    bool locked;
};

TEST(Handles, AnythingButALiveHandleIsRejectedUntouched) {
    char block[8] = {};
    FakeRecord fake{block, 100, false};
    Handle live = NewHandleClear(16);
    Handle disposed = NewHandleClear(32);
    DisposeHandle(disposed);
    for (Handle h : {Handle(nullptr), &fake.master, live + 1, disposed}) {
        EXPECT_EQ(GetHandleSize(h), 0);
        HLock(h);
        HUnlock(h);
        DisposeHandle(h);
    }
    EXPECT_EQ(fake.master, block);
    EXPECT_EQ(fake.size, 100);
    EXPECT_FALSE(fake.locked);
    EXPECT_EQ(GetHandleSize(live), 16);
    DisposeHandle(live);
}

TEST(Handles, LockedBlocksStayInPlaceAndCanBeDisposed) {
    Handle h = NewHandleClear(4);
    std::memcpy(*h, "SCAN", 4);
    Ptr block = *h;
    HLock(h);
    HUnlock(h);
    HLock(h);
    EXPECT_EQ(*h, block);
    EXPECT_EQ(std::memcmp(*h, "SCAN", 4), 0);
    DisposeHandle(h);
    EXPECT_EQ(GetHandleSize(h), 0);
}

} // namespace
