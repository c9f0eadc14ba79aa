#include "procedure/product_date.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <optional>

#include "core/result_codes.h"
#include "core/ui.h"
#include "link/register_access.h"
#include "procedure/step_panel.h"

namespace procedure {

namespace {

const char* const kYearError = "Product Year Err!";
const char* const kWeekError = "Product Week Err!";
const char* const kSerialError = "Product Serial Err!";
const char* const kWriteError = " REG write is NG -> can't access .\n Check condition ! ";
constexpr long long kFirstYear = 1990;

// A number as "%d" / "%ld" reads it: blanks, a sign, digits; the rest ignored.
std::optional<long long> readNumber(const std::string& text) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(begin, &end, 10);
    if (end == begin) return std::nullopt;
    return value;
}

void write(ecs::RegisterAccess& registers, core::Ui& ui, int16_t code, int32_t value) {
    registers.resetTransfer();
    if (registers.writeRegister(static_cast<uint16_t>(code), value, ecs::kSendNow) != core::ECS_OK)
        ui.message(kWriteError);
}

} // namespace

void writeProductDate(const StepPanel& panel, const ProductDateEntry& entry, ecs::RegisterAccess& registers,
                      core::Ui& ui) {
    const std::optional<long long> year = readNumber(entry.year);
    long long yearValue = year ? *year - kFirstYear : -1;
    if (yearValue < 0 || yearValue > INT32_MAX) {
        ui.message(kYearError);
        yearValue = 0;
    }
    write(registers, ui, panel.productDateRegs[0], static_cast<int32_t>(yearValue));

    const std::optional<long long> week = readNumber(entry.week);
    long long weekValue = week ? *week : -1;
    if (weekValue < 0 || weekValue > 53) {
        ui.message(kWeekError);
        weekValue = 0;
    }
    write(registers, ui, panel.productDateRegs[1], static_cast<int32_t>(weekValue));

    const std::optional<long long> serial = readNumber(entry.serial);
    if (!serial) {
        ui.message(kSerialError);
        return;
    }
    const unsigned long long bits = static_cast<unsigned long long>(*serial);
    for (int i = 0; i < 4; ++i)
        write(registers, ui, panel.productDateRegs[static_cast<size_t>(2 + i)], static_cast<int32_t>((bits >> (8 * i)) & 0xFF));
}

} // namespace procedure
