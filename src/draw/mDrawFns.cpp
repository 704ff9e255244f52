#include "draw/mDrawFns.h"

#include "host/runtime/Report.h"

namespace mDrawFns {

long GetLngColor(const long& colour) {
    return zarn::Trapped(
        [&]() -> long { return colour < 0 ? static_cast<long>(GetSysColor(colour & 0x7FFFFFFF)) : colour; },
        [](const zarn::RuntimeError& e) {
            zarn::ReportModuleError(kModuleLabel, L"  GetLngColor ", e);
            return 0L;
        });
}

} // namespace mDrawFns
