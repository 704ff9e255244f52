#pragma once
#include "site/Form.h"

namespace zarnhost {

// Runs until WM_QUIT, giving the form's PreTranslate the first look at
// every message; returns the quit code.
int RunMessageLoop(Form& form);

} // namespace zarnhost
