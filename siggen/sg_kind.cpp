#include "siggen/sg_kind.h"

namespace siggen {

namespace {

constexpr SgLists kPortList{true, false};
constexpr SgLists kIsaList{false, true};
constexpr SgLists kNoList{false, false};
constexpr SgLists kBothLists{true, true};

constexpr SgWait kNoWait{0, ""};
constexpr SgWait kSettle{500, "generator settle"};
constexpr SgWait kCloseSettle{1000, "generator close"};

} // namespace

const std::array<SgKind, kSgKindCount + 1>& sgKindTable() {
    using F = SgDriverFamily;
    using A = SgApplyScope;
    // The PCI command generator opens the configuration with both lists
    // enabled, though a change to it disables them.
    static const std::array<SgKind, kSgKindCount + 1> table{{
        {0, "PG-301", F::PatternGenerator, A::CheckAndSend, kPortList, kPortList, kSettle, kNoWait},
        {1, "PG-301S", F::PatternGenerator, A::CheckAndSend, kPortList, kPortList, kSettle, kNoWait},
        {2, "PG-305", F::PatternGenerator, A::CheckAndSend, kPortList, kPortList, kSettle, kNoWait},
        {3, "PG-305KOV", F::PatternGenerator, A::CheckAndSend, kPortList, kPortList, kSettle, kNoWait},
        {4, "PG-110", F::TimingCard, A::CheckAndSend, kNoList, kNoList, kSettle, kNoWait},
        {5, "PG-120", F::TimingCard, A::CheckAndSend, kNoList, kNoList, kSettle, kNoWait},
        {6, "QD-801_ISA", F::CommandGenerator, A::CheckAndSend, kIsaList, kIsaList, kSettle, kCloseSettle},
        {7, "QD-801_232", F::CommandGenerator, A::CheckAndSend, kPortList, kPortList, kSettle, kCloseSettle},
        {8, "MANUAL", F::Manual, A::CheckOnly, kNoList, kNoList, kNoWait, kNoWait},
        {9, "eNuvo", F::Appliance, A::Nothing, kBothLists, kBothLists, kNoWait, kNoWait},
        {10, "PG-202_PCI", F::CommandGenerator, A::CheckAndSend, kNoList, kBothLists, kSettle, kCloseSettle},
        {11, "END", F::End, A::Nothing, kBothLists, kBothLists, kNoWait, kNoWait},
    }};
    return table;
}

const SgKind* sgKind(int index) {
    if (index < 0 || index >= kSgKindCount) return nullptr;
    return &sgKindTable()[static_cast<size_t>(index)];
}

std::vector<std::string> sgKindNames(size_t limit) {
    std::vector<std::string> names;
    for (const SgKind& kind : sgKindTable()) {
        if (kind.family == SgDriverFamily::End || names.size() >= limit) break;
        names.emplace_back(kind.name);
    }
    return names;
}

SgLists sgConfigurationLists(int index, bool opening) {
    const SgKind* kind = sgKind(index);
    if (!kind) return kBothLists;
    return opening ? kind->listsAtOpening : kind->lists;
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
