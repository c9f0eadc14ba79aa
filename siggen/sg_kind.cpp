#include "siggen/sg_kind.h"

namespace siggen {

const std::array<SgKind, kSgKindCount + 1>& sgKindTable() {
    using F = SgDriverFamily;
    static const std::array<SgKind, kSgKindCount + 1> table{{
        {0, "PG-301", F::PatternGenerator},
        {1, "PG-301S", F::PatternGenerator},
        {2, "PG-305", F::PatternGenerator},
        {3, "PG-305KOV", F::PatternGenerator},
        {4, "PG-110", F::TimingCard},
        {5, "PG-120", F::TimingCard},
        {6, "QD-801_ISA", F::CommandGenerator},
        {7, "QD-801_232", F::CommandGenerator},
        {8, "MANUAL", F::Manual},
        {9, "eNuvo", F::Appliance},
        {10, "PG-202_PCI", F::CommandGenerator},
        {11, "END", F::End},
    }};
    return table;
}

const SgKind* sgKind(int index) {
    if (index < 0 || index >= kSgKindCount) return nullptr;
    return &sgKindTable()[static_cast<size_t>(index)];
}

const std::array<SgCapability, kSgKindCount>& sgCapabilityTable() {
    static const std::array<SgCapability, kSgKindCount> table{{
        {300, 130, 200, 2048, 4096},
        {240, 130, 200, 2048, 4096},
        {250, 130, 200, 2048, 4096},
        {250, 130, 200, 2048, 4096},
        {155, 250, 200, 2048, 4096},
        {300, 250, 200, 2048, 4096},
        {250, 130, 200, 2048, 4096},
        {250, 130, 200, 2048, 4096},
        {500, 800, 800, 9000, 9000},
        {500, 800, 800, 9000, 9000},
        {250, 130, 200, 2048, 4096},
    }};
    return table;
}

const SgCapability* sgCapability(int index) {
    if (index < 0 || index >= kSgKindCount) return nullptr;
    return &sgCapabilityTable()[static_cast<size_t>(index)];
}

} // namespace siggen
