#pragma once
// OLE drag and drop through the text box, as the control sees it: the data
// of a drag, and what the control does when a drag passes over its text
// box or starts from it. The COM objects behind them live in activex/.
#include "platform/win/Input.h"

#include <oaidl.h>

#include <string>

namespace zarn {

// Drop effects as the platform numbers them (DROPEFFECT_...).
inline constexpr long kEffectNone = 0, kEffectCopy = 1, kEffectMove = 2;

// The data a drag carries.
class DragData {
public:
    virtual ~DragData() = default;
    // The automation object the host's handlers get as Data.
    virtual IDispatch* Object() = 0;
    // Its text, Unicode or ANSI; false when it carries none.
    virtual bool Text(std::wstring& text) = 0;
    // Offers text (Unicode and ANSI) to a drop target.
    virtual void SetText(const std::wstring& text) = 0;
};

// The text box as a drop target. State: 0 the drag entered, 1 it left,
// 2 it moves over the box. Effect goes in as what the drag allows and
// comes back as what the box would do.
class DropListener {
public:
    virtual ~DropListener() = default;
    virtual void DragOver(DragData& data, long& effect, MouseEvent& at, short state) = 0;
    virtual void Drop(DragData& data, long& effect, MouseEvent& at) = 0;
};

// The text box as the source of a drag.
class DragSourceListener {
public:
    virtual ~DragSourceListener() = default;
    virtual void StartDrag(DragData& data, long& allowedEffects) = 0;
    virtual void GiveFeedback(long& effect, VARIANT_BOOL& defaultCursors) = 0;
    // A target asks for a format that was promised without a value.
    virtual void SetData(DragData& data, short& format) = 0;
    virtual void CompleteDrag(long& effect) = 0;
};

// Keeps a window registered as a drop target; revokes it when it goes.
class DropRegistration {
public:
    virtual ~DropRegistration() = default;
};

} // namespace zarn
