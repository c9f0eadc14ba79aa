#include "siggen/vtg_link.h"
#include "vtg32.h"

namespace siggen {

namespace {

class Vtg32Link final : public VtgLink {
public:
    int32_t openCard(int32_t card) override { return VTG_OpenCard(card); }
    int32_t closeCard(int32_t handle) override { return VTG_CloseCard(handle); }
    int16_t loadTiming(int32_t handle, const std::string& path) override { return VTGFile_tim(handle, path.c_str()); }
    int16_t loadPicture(int32_t handle, const std::string& path) override { return VTGFile_pic(handle, path.c_str()); }
    int16_t loadColour(int32_t handle, const std::string& path) override { return VTGFile_col(handle, path.c_str()); }
};

} // namespace

std::unique_ptr<VtgLink> makeVtg32Link() { return std::make_unique<Vtg32Link>(); }

} // namespace siggen
