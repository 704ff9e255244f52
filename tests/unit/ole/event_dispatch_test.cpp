// Events reach a handler with their arguments in the published order and
// types, all by reference, and what the handler writes comes back.
#include "activex/EventDispatch.h"
#include "com/ContainerFakes.h"
#include "control/ControlFixture.h"

namespace zarn::test {
namespace {

// Raises through InvokeEvent, as the COM object does.
class SinkHost : public FakeHost {
public:
    bool RaiseEvent(DISPID id, std::span<EventArg> args) override {
        InvokeEvent(sinks, id, args);
        return true;
    }
    std::vector<ComPtr<IDispatch>> sinks;
};

// A handler's answer: each argument by reference changed in a way that
// shows how often it was changed.
void Answer(VARIANT& v) {
    switch (V_VT(&v)) {
    case VT_BYREF | VT_I2:
        *V_I2REF(&v) += 100;
        break;
    case VT_BYREF | VT_I4:
        *V_I4REF(&v) += 1000;
        break;
    case VT_BYREF | VT_R4:
        *V_R4REF(&v) *= 2;
        break;
    case VT_BYREF | VT_BOOL:
        *V_BOOLREF(&v) = VARIANT_TRUE;
        break;
    case VT_BYREF | VT_BSTR:
        SysFreeString(*V_BSTRREF(&v));
        *V_BSTRREF(&v) = SysAllocString(L"answered");
        break;
    }
}

TEST(EventDispatch, EveryEventGoesOutWithItsPublishedArguments) {
    EventSink sink;
    SinkHost host;
    host.sinks.emplace_back(&sink);
    ZarnEvents events(host);
    short b = 1, s = 0, key = 115, ascii = 65, state = 0, format = 1;
    float x = 1.5f, y = 2.5f;
    long effect = 1, allowed = 3;
    VARIANT_BOOL cursors = VARIANT_FALSE;
    std::wstring text = L"20261205";
    IDispatch* data = nullptr;

    events.Raise<"Click">();
    events.Raise<"MouseOver">();
    events.Raise<"MouseOut">(b, s, x, y);
    events.Raise<"MouseUp">(b, s, x, y);
    events.Raise<"KeyDown">(key, s);
    events.Raise<"KeyPress">(ascii);
    events.Raise<"KeyUp">(key, s);
    events.Raise<"MouseDown">(b, s, x, y);
    events.Raise<"MouseMove">(b, s, x, y);
    events.Raise<"Change">();
    events.Raise<"CalendarChoose">(text);
    events.Raise<"OLECompleteDrag">(effect);
    events.Raise<"OLEDragDrop">(data, effect, b, s, x, y);
    events.Raise<"OLEDragOver">(data, effect, b, s, x, y, state);
    events.Raise<"OLEGiveFeedback">(effect, cursors);
    events.Raise<"OLESetData">(data, format);
    events.Raise<"OLEStartDrag">(data, allowed);
    EXPECT_EQ(Lines(sink.calls),
              Lines({"1()", "2()", "3(I2*,I2*,R4*,R4*)", "4(I2*,I2*,R4*,R4*)", "5(I2*,I2*)", "6(I2*)",
                     "7(I2*,I2*)", "8(I2*,I2*,R4*,R4*)", "9(I2*,I2*,R4*,R4*)", "10()", "11(BSTR*)", "12(I4*)",
                     "13(OBJ*,I4*,I2*,I2*,R4*,R4*)", "14(OBJ*,I4*,I2*,I2*,R4*,R4*,I2*)", "15(I4*,BOOL*)",
                     "16(OBJ*,I2*)", "17(OBJ*,I4*)"}));
}

TEST(EventDispatch, WhatTheHandlersWriteComesBackInOrder) {
    EventSink first, second;
    first.answer = second.answer = Answer;
    SinkHost host;
    host.sinks = {&first, &second};
    ZarnEvents events(host);

    short keyCode = 115, shift = 4, button = 1;
    events.Raise<"KeyDown">(keyCode, shift);
    EXPECT_EQ(keyCode, 315); // each handler saw the one before
    EXPECT_EQ(shift, 204);
    float x = 3.0f, y = 4.0f;
    events.Raise<"MouseOut">(button, shift, x, y);
    EXPECT_EQ(std::pair(x, y), std::pair(12.0f, 16.0f));
    std::wstring text = L"20261205";
    events.Raise<"CalendarChoose">(text);
    EXPECT_EQ(text, L"answered");
    long effect = 1;
    VARIANT_BOOL cursors = VARIANT_FALSE;
    events.Raise<"OLEGiveFeedback">(effect, cursors);
    EXPECT_EQ(effect, 2001);
    EXPECT_EQ(cursors, VARIANT_TRUE);

    // No handlers: no call, and the arguments stay as they were.
    host.sinks.clear();
    events.Raise<"CalendarChoose">(text);
    EXPECT_EQ(text, L"answered");
    EXPECT_EQ(first.calls.size() + second.calls.size(), 8u);
}

} // namespace
} // namespace zarn::test
