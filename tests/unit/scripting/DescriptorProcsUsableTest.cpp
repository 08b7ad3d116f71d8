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
    void (*breakages[])(UsableBlock&) = {
        [](UsableBlock& u) { u.block.descriptorParametersVersion = 1; },
        [](UsableBlock& u) { u.store.ReadProcs()->readDescriptorProcsVersion = 1; },
        [](UsableBlock& u) { u.store.ReadProcs()->numReadDescriptorProcs = 17; },
        [](UsableBlock& u) { u.store.WriteProcs()->writeDescriptorProcsVersion = 1; },
        [](UsableBlock& u) { u.store.WriteProcs()->numWriteDescriptorProcs = 15; },
        [](UsableBlock& u) { u.block.readDescriptorProcs = nullptr; },
        [](UsableBlock& u) { u.block.writeDescriptorProcs = nullptr; },
    };
    for (auto breakage : breakages) {
        UsableBlock usable;
        breakage(usable);
        EXPECT_FALSE(DescriptorProcsUsable(&usable.block));
    }
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
