// The drop-down: the calendar form shown modally under the control.
#include "control/Zarn.h"

// Zero asks for nothing. Any other value opens the calendar form, which is
// not part of the control yet: until the calendar is built the request
// opens nothing and leaves the value as it is.
void Zarn::PiloCalendarshow(short& show) {
    if (show == 0)
        return;
}
