#include "genlink.h"
#include "siggen/pg_link.h"
#include "siggen/pg_records.h"

namespace siggen {

namespace {

class GenlinkPgLink final : public PgLink {
public:
    int32_t selectTransWay(int32_t way) override { return PG_SelectTransWay(way); }
    int32_t selectSeriConfig(int32_t bps, int32_t charSize, int32_t stopBits, int32_t parity,
                             int32_t portNo) override {
        return PG_SelectSeriConfig(bps, charSize, stopBits, parity, portNo);
    }
    int32_t selectDevice(int32_t device, int32_t type) override { return PG_SelectDevice(device, type); }
    int32_t open() override { return PG_Open(); }
    int32_t close() override { return PG_Close(); }
    int32_t setProgram2(int32_t program, const int32_t* record) override { return PG2_SetProgram(program, record); }
    int32_t exeBufRam() override { return PG_ExeBufRAM(); }
    int32_t setExeProgram2(const int32_t* record) override { return PG2_SetExeProgram(record); }
    int32_t setPtnSelect(int32_t program, const int32_t* selection) override {
        return PG_SetPtnSelect(program, selection);
    }
    int32_t setPattern(PgElement element, int32_t program, const int32_t* record) override {
        switch (element) {
        case PgElement::CrossHatch: return PG_SetPtnCrossHatch(program, record);
        case PgElement::Character: return PG_SetPtnCharacter(program, record);
        case PgElement::GrayScale: return PG_SetPtnGrayScale(program, record);
        case PgElement::Dot: return PG_SetPtnDot(program, record);
        case PgElement::Window: return PG_SetPtnWindow(program, record);
        case PgElement::ColorBar: return PG_SetPtnColorBar(program, record);
        case PgElement::None: break;
        }
        return GENLINK_SUCCESS;
    }
    int32_t setUserCharacter(int32_t code, const uint8_t* glyph) override {
        return PG_SetUserCharacter(code, glyph);
    }
    int32_t setPtnSignOn(const uint8_t* codes, int32_t count) override { return PG_SetPtnSignOn(codes, count); }
};

} // namespace

std::unique_ptr<PgLink> makeGenlinkPgLink() { return std::make_unique<GenlinkPgLink>(); }

} // namespace siggen
