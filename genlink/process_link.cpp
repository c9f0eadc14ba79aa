#include "genlink/process_link.h"

#include "genlink/setstore_settings.h"

namespace genlink {

Link& processLink() {
    static SetstoreSettings settings;
    static LimtabLimits limits;
    static Link link(settings, limits, defaultEnvironment());
    return link;
}

} // namespace genlink
