// The calendar over many paints and loads: 10,000 full paints of one month
// (the hot day moving) and 1,000 loads and unloads (20 of them shown) must
// leave no GDI object (the owners' count), no window and no growth behind.
#include "QuietHost.h"
#include "Soak.h"
#include "calendar/frmCalendar.h"
#include "control/Zarn.h"
#include "platform/MessageBox.h"
#include "settings/SharedSettings.h"

namespace {

using zarn::tools::QuietHost;

} // namespace

int main() {
    using namespace zarn::soak;
    OleInitialize(nullptr);
    int messages = 0;
    zarn::SetMessageBoxHandler([&](const zarn::MessageBoxCall&) { return ++messages, IDOK; });
    Watchdog watchdog("calendar", 120);
    int failures = 0;
    {
        QuietHost host;
        Zarn control(host);
        control.InitProperties();
        SharedSettings& s = SharedSettings::ForThread();
        s.WeekColumnWidth = 30;
        s.ShowWeekSignPicture = true;
        const Figures start = Figures::Take();
        const long objects = zarn::gdi::LiveObjects();
        {
            frmCalendar form;
            form.Form_Load();
            // The hot day's font is made on its first paint and kept.
            form.SetHotDay(1);
            form.DrawCalendar();
            const long kept = zarn::gdi::LiveObjects();
            for (int i = 0; i < 10000; ++i) {
                form.SetHotDay(static_cast<short>(i % 31 + 1));
                form.DrawCalendar();
                if (i % 500 == 0)
                    watchdog.Beat("paint");
            }
            Figure("paints", 10000);
            Figure("GDI objects gained by the paints", zarn::gdi::LiveObjects() - kept);
            failures += zarn::gdi::LiveObjects() != kept;
        }
        // Every 50th form is shown: Wine without a window manager waits
        // 2 s for a shown window to be withdrawn when it goes.
        for (int i = 0; i < 1000; ++i) {
            frmCalendar form;
            form.Form_Load();
            if (i % 50 == 0)
                form.Show({10, 10});
            if (i % 50 == 0)
                watchdog.Beat("load");
        }
        const Figures end = Figures::Take();
        Figure("loads and unloads", 1000);
        Figure("GDI objects left (owners' count)", zarn::gdi::LiveObjects() - objects);
        Figure("windows left", end.windows - start.windows);
        Figure("message boxes", messages);
        Print("before", start);
        Print("after", end);
        failures += zarn::gdi::LiveObjects() != objects || end.windows != start.windows || messages != 0;
    }
    SharedSettings::ReleaseForThread();
    OleUninitialize();
    return failures == 0 ? 0 : 1;
}
