// zarnhost: a container for ActiveX controls. It shows a form of controls
// from a form file, hosts them through the standard OLE contract only, and
// logs their events, change notifications and message boxes; a script can
// drive it as a user would.
#include "app/Options.h"
#include "app/FormSource.h"
#include "app/Sessions.h"

#include <ole2.h>

int wmain(int argc, wchar_t** argv) {
    zarnhost::Options options;
    std::wstring error;
    if (!zarnhost::ParseOptions(argc, argv, options, error)) {
        zarnhost::Complain(error + L"\n" + zarnhost::kUsage);
        return 2;
    }
    if (FAILED(OleInitialize(nullptr)))
        return 1;
    const int rc =
        options.script.empty() ? zarnhost::RunInteractive(options) : zarnhost::RunScripted(options);
    OleUninitialize();
    return rc;
}
