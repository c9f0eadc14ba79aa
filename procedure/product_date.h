#pragma once
// JOB_PRODUCT_DATE: the year, week and serial number the technician typed
// are written to the six product-date registers of the panel when a key
// other than CANCEL is pressed.
#include <string>

namespace core { class Ui; }
namespace ecs { class RegisterAccess; }

namespace procedure {

struct StepPanel;

struct ProductDateEntry {
    std::string year;    // "YEAR"
    std::string week;    // "WEEK"
    std::string serial;  // "SERIAL"
};

// Year - 1990 (a negative result, or a year that is not a number, boxes
// "Product Year Err!" and writes 0), the week 0..53 (else "Product Week
// Err!" and 0), and the four bytes of the serial number, lowest first, to
// serial registers 0..3. A serial number that is not a number boxes "Product
// Serial Err!" and leaves the serial registers as they are. Each write
// resets the transfer first and sends at once.
void writeProductDate(const StepPanel& panel, const ProductDateEntry& entry, ecs::RegisterAccess& registers,
                      core::Ui& ui);

} // namespace procedure
