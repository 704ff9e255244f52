#pragma once
// What a control's site asks of the form that holds it.
#include "log/Log.h"

#include <ocidl.h>
#include <oleidl.h>

namespace zarnhost {

class ControlSite;

class SiteHost {
public:
    virtual HWND Window() const = 0;
    virtual IOleInPlaceFrame* Frame() = 0;
    virtual RECT ClipRect() const = 0;
    virtual bool UserMode() const = 0;
    virtual IFontDisp* AmbientFont() = 0;
    virtual Log& Logger() = 0;

    virtual void SiteUIActivating(ControlSite& site) = 0;
    virtual void SiteUIDeactivated(ControlSite& site) = 0;
    // The control asks for a new position.
    virtual void SiteMoveRequested(ControlSite& site, const RECT& rect) = 0;
    // Tab or Shift+Tab handed back by a control: true when the form moved
    // the focus.
    virtual bool TabFrom(ControlSite& site, bool backwards) = 0;

protected:
    ~SiteHost() = default;
};

} // namespace zarnhost
