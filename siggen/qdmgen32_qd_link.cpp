#include "qdmgen32.h"
#include "siggen/qd_link.h"

namespace siggen {

namespace {

class Qdmgen32Link final : public QdLink {
public:
    int32_t open(const std::string& device) override { return QDM_Open(device.c_str()); }
    void close() override { QDM_Close(); }
    std::optional<std::string> command(const std::string& text) override {
        char reply[kQdReplyBytes] = {};
        if (QDM_Command(text.c_str(), reply, static_cast<int>(sizeof reply)) != 0) return std::nullopt;
        reply[sizeof reply - 1] = '\0';
        return std::string(reply);
    }
};

} // namespace

std::unique_ptr<QdLink> makeQdmgen32Link() { return std::make_unique<Qdmgen32Link>(); }

} // namespace siggen
