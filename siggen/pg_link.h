#pragma once
// The generator-link calls the pattern-generator driver makes, each returning
// the result word; only its low byte (0 = success) is looked at.
#include <cstdint>
#include <memory>

namespace siggen {

enum class PgElement;

class PgLink {
public:
    virtual ~PgLink() = default;
    virtual int32_t selectTransWay(int32_t way) = 0;
    virtual int32_t selectSeriConfig(int32_t bps, int32_t charSize, int32_t stopBits, int32_t parity,
                                     int32_t portNo) = 0;
    virtual int32_t selectDevice(int32_t device, int32_t type) = 0;
    virtual int32_t open() = 0;
    virtual int32_t close() = 0;
    virtual int32_t setProgram2(int32_t program, const int32_t* record) = 0;
    virtual int32_t exeBufRam() = 0;
    virtual int32_t setExeProgram2(const int32_t* record) = 0;
    virtual int32_t setPtnSelect(int32_t program, const int32_t* selection) = 0;
    // The single-group setter of the element.
    virtual int32_t setPattern(PgElement element, int32_t program, const int32_t* record) = 0;
    virtual int32_t setUserCharacter(int32_t code, const uint8_t* glyph) = 0;
    virtual int32_t setPtnSignOn(const uint8_t* codes, int32_t count) = 0;
};

inline bool pgOk(int32_t word) { return (word & 0xFF) == 0; }

// The calls of the genlink library.
std::unique_ptr<PgLink> makeGenlinkPgLink();

} // namespace siggen
