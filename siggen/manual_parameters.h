#pragma once
// The "Manual SG Parameter" view: the current timing and pattern selection as
// a table the technician copies to a hand-set generator.
#include <optional>
#include <string>
#include <vector>

#include "core/ui.h"
#include "siggen/sg_timing.h"

namespace siggen {

class SignalGenerator;

extern const char* const kManualParametersHeading;
constexpr size_t kManualParametersMaxRows = 29;

// The rows of the table, "END" included. `information` adds the row
// "Information" before "END".
std::vector<core::ParameterRow> manualParameterRows(const SgTiming& timing, const SgPatternSelection& selection,
                                                    const std::optional<std::string>& information = std::nullopt);

// The information text of an IRE setting: level and box in percent.
std::string ireInformation(int level, int box);

// Fills the table from the generator's record and selection and shows it;
// returns when the technician closes it.
void ShowManualParameters(core::Ui& ui, const SignalGenerator& sg,
                          const std::optional<std::string>& information = std::nullopt);

} // namespace siggen
