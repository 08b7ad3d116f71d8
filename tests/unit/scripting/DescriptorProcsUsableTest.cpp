#include "host/ScriptParameters.h"

#include "emulator/DescriptorProcs.h"
#include "emulator/HandleLedger.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// A block offering the emulator's complete procs.
struct UsableBlock {
    emulator::HandleLedger ledger;
    emulator::DescriptorStore store{ledger};
    host::PIDescriptorParameters block{};
    UsableBlock() {
        block.readDescriptorProcs = store.ReadProcs();
        block.writeDescriptorProcs = store.WriteProcs();
    }
};

}  // namespace

TEST(DescriptorProcsUsable, AcceptsACompleteVersionZeroBlock) {
    UsableBlock usable;
    EXPECT_TRUE(DescriptorProcsUsable(&usable.block));
    EXPECT_FALSE(DescriptorProcsUsable(nullptr));
}

TEST(DescriptorProcsUsable, RefusesAnyOtherVersionOrTooFewProcs) {
    UsableBlock usable;
    usable.block.descriptorParametersVersion = 1;
    EXPECT_FALSE(DescriptorProcsUsable(&usable.block));
    usable.block.descriptorParametersVersion = 0;
    usable.store.ReadProcs()->readDescriptorProcsVersion = 1;
    EXPECT_FALSE(DescriptorProcsUsable(&usable.block));
    usable.store.ReadProcs()->readDescriptorProcsVersion = 0;
    usable.store.ReadProcs()->numReadDescriptorProcs = 17;
    EXPECT_FALSE(DescriptorProcsUsable(&usable.block));
    usable.store.ReadProcs()->numReadDescriptorProcs = 18;
    usable.store.WriteProcs()->numWriteDescriptorProcs = 15;
    EXPECT_FALSE(DescriptorProcsUsable(&usable.block));
    usable.store.WriteProcs()->numWriteDescriptorProcs = 16;
    usable.store.WriteProcs()->writeDescriptorProcsVersion = 1;
    EXPECT_FALSE(DescriptorProcsUsable(&usable.block));
    usable.store.WriteProcs()->writeDescriptorProcsVersion = 0;
    usable.block.writeDescriptorProcs = nullptr;
    EXPECT_FALSE(DescriptorProcsUsable(&usable.block));
}

TEST(DescriptorProcsUsable, RefusesAMissingReadProcButNotAMissingWriteProc) {
    for (size_t slot = 0; slot < 18; ++slot) {
        UsableBlock usable;
        void* null = nullptr;
        std::memcpy(reinterpret_cast<char*>(usable.store.ReadProcs()) + 8 + slot * sizeof(void*), &null, sizeof null);
        EXPECT_FALSE(DescriptorProcsUsable(&usable.block)) << "read proc " << slot;
    }
    UsableBlock usable;
    usable.store.WriteProcs()->putStringProc = nullptr;
    EXPECT_TRUE(DescriptorProcsUsable(&usable.block));
}
