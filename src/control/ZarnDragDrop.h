#pragma once
// OLE drag and drop through the text box. Drop mode 1 hands a drag over the
// box to the host (OLEDragOver, OLEDragDrop); drop mode 2 takes a dropped
// date as the value. Drag mode 1 drags the shown text when the user drags
// the box; OLEDrag starts a drag whatever the mode. The host hears of a
// drag from the box through OLEStartDrag, OLEGiveFeedback, OLESetData and
// OLECompleteDrag.
#include "control/ControlHost.h"
#include "control/DragDrop.h"
#include "control/ZarnEvents.h"

#include <memory>
#include <optional>

class Zarn;

class TextDragDrop final : private zarn::DropListener, private zarn::DragSourceListener {
public:
    TextDragDrop(Zarn& control, zarn::ControlHost& host);
    ~TextDragDrop() override;
    TextDragDrop(const TextDragDrop&) = delete;
    TextDragDrop& operator=(const TextDragDrop&) = delete;

    // The box takes drops while its drop mode is not 0.
    void DropModeChanged();
    // Runs a drag from the box to its end; text: what it carries first.
    void Drag(const std::wstring* text);

    // A dropped text as a date value yyyymmdd: eight digits, or a date as
    // the user writes one; none for anything else.
    static std::optional<long> DateOfText(const std::wstring& text);

private:
    void DragOver(zarn::DragData& data, long& effect, zarn::MouseEvent& at, short state) override;
    void Drop(zarn::DragData& data, long& effect, zarn::MouseEvent& at) override;
    void StartDrag(zarn::DragData& data, long& allowedEffects) override;
    void GiveFeedback(long& effect, VARIANT_BOOL& defaultCursors) override;
    void SetData(zarn::DragData& data, short& format) override;
    void CompleteDrag(long& effect) override;

    std::optional<long> DroppedDate(zarn::DragData& data) const;
    static LRESULT CALLBACK Watch(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                  DWORD_PTR self);
    bool StartsAutomaticDrag(UINT message, WPARAM wparam, LPARAM lparam);

    Zarn& control_;
    zarn::ControlHost& host_;
    ZarnEvents events_;
    HWND box_;
    std::unique_ptr<zarn::DropRegistration> registration_;
    bool pressed_ = false;
    POINT down_{};
};
