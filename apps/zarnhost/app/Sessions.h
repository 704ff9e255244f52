#pragma once
// The two ways to run the host: a user at the form, or a script.
#include "app/Options.h"

namespace zarnhost {

int RunInteractive(const Options& options);
int RunScripted(const Options& options);

} // namespace zarnhost
