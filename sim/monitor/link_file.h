#pragma once
// The simulated monitor's own reader of a link description file, into the
// kit's plain tables. It is kept apart from the program's reader on purpose:
// the simulator checks the program's files independently of the code under
// test. Files are written with kit::linkDescriptionFile.
#include <cstddef>
#include <cstdint>
#include <string>

#include "kit/model_kit.h"

namespace sim {

using Items = kit::Items;
using LinkFormat = kit::FormatRecord;
using LinkGroup = kit::GroupRecord;
using LinkBlock = kit::BlockRecord;
using LinkRegister = kit::RegisterRecord;
using LinkTables = kit::LinkDescription;
using kit::items;

bool parseLinkFile(const uint8_t* data, size_t size, LinkTables& out, std::string* error = nullptr);
bool readLinkFile(const std::string& path, LinkTables& out, std::string* error = nullptr);

} // namespace sim
