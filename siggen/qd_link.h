#pragma once
// The command-generator library's three operations as the command-driven
// generator driver uses them.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace siggen {

class QdLink {
public:
    virtual ~QdLink() = default;
    // Opens "ISA1".."ISA4", "COM1".."COM4" or "PCI1": 0 when a card or line
    // opened; for the PCI card any value not above 0.
    virtual int32_t open(const std::string& device) = 0;
    virtual void close() = 0;
    // Sends one command text as it stands. The reply to a query; nothing when
    // none came (for any other command the result says nothing).
    virtual std::optional<std::string> command(const std::string& text) = 0;
};

// The size of the reply buffer handed to the library.
constexpr size_t kQdReplyBytes = 52;

// The calls of the command-generator library.
std::unique_ptr<QdLink> makeQdmgen32Link();

} // namespace siggen
