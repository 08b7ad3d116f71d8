#include "host/HostHandles.h"

#include "emulator/HandleLedger.h"

#include <gtest/gtest.h>

TEST(HostHandles, UsableOnlyWithVersionOneAndTheFourCoreProcs) {
    emulator::HandleLedger ledger;
    host::HandleProcs procs = *ledger.Procs();
    EXPECT_TRUE(HostHandlesUsable(&procs));
    EXPECT_FALSE(HostHandlesUsable(nullptr));
    procs.handleProcsVersion = 2;
    EXPECT_FALSE(HostHandlesUsable(&procs));
    procs = *ledger.Procs();
    procs.numHandleProcs = 7;
    EXPECT_FALSE(HostHandlesUsable(&procs));
    procs = *ledger.Procs();
    procs.setSizeProc = nullptr;
    EXPECT_FALSE(HostHandlesUsable(&procs));
}

TEST(HostHandles, FallbackHandlesWorkWithoutHostProcs) {
    host::Handle handle = NewHostHandle(nullptr, 40);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(FallbackHandleError(), 0);
    EXPECT_EQ(HostHandleSize(nullptr, handle), 40);
    auto* data = static_cast<unsigned char*>(LockHostHandle(nullptr, handle));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data, reinterpret_cast<unsigned char*>(*handle));  // *handle is the data, as with host handles
    for (int i = 0; i < 40; ++i) EXPECT_EQ(data[i], 0);
    UnlockHostHandle(nullptr, handle);
    DisposeHostHandle(nullptr, handle);
    EXPECT_EQ(FallbackHandleError(), 0);
    EXPECT_EQ(HostHandleSize(nullptr, nullptr), 0);
    EXPECT_EQ(FallbackHandleError(), -109);
}

TEST(HostHandles, HostHandlesGoThroughTheHostAndBalanceLocks) {
    emulator::HandleLedger ledger;
    host::Handle handle = NewHostHandle(ledger.Procs(), 16);
    ASSERT_TRUE(ledger.Owns(handle));
    ASSERT_NE(LockHostHandle(ledger.Procs(), handle), nullptr);
    EXPECT_EQ(ledger.LockedCount(), 1);
    UnlockHostHandle(ledger.Procs(), handle);
    DisposeHostHandle(ledger.Procs(), handle);
    EXPECT_EQ(ledger.LiveCount(), 0u);
    EXPECT_TRUE(ledger.Problems().empty());
}
