// Events reach a handler with their arguments in the published order and
// types, all by reference, and what the handler writes comes back.
#include "control/ZarnEvents.h"
#include "activex/EventDispatch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zarn::test {
namespace {

// A handler that records each call as "id:type,type..." (first argument
// first) and answers by writing into the by-reference arguments.
class RecordingSink : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (riid == IID_IUnknown || riid == IID_IDispatch) {
            *object = this;
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override {
        ADD_FAILURE() << "unexpected GetTypeInfoCount";
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
        ADD_FAILURE() << "unexpected GetTypeInfo";
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        ADD_FAILURE() << "unexpected GetIDsOfNames";
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        EXPECT_EQ(flags, DISPATCH_METHOD);
        EXPECT_EQ(result, nullptr);
        EXPECT_EQ(params->cNamedArgs, 0u);
        std::wstring call = std::to_wstring(id) + L":";
        for (UINT i = params->cArgs; i-- > 0;) {
            VARIANT& v = params->rgvarg[i];
            call += std::to_wstring(V_VT(&v)) + (i ? L"," : L"");
            Answer(v);
        }
        calls.push_back(call);
        return S_OK;
    }

    std::vector<std::wstring> calls;

private:
    static void Answer(VARIANT& v) {
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
        default:
            break;
        }
    }
};

// Raises through InvokeEvent, as the COM object does.
class SinkHost : public ControlHost {
public:
    explicit SinkHost(IDispatch* sink) : sinks{sink} {}
    void PropertyChanged(std::wstring_view) override {}
    bool UserMode() override { return true; }
    void RaiseEvent(DISPID id, std::span<EventArg> args) override { InvokeEvent(sinks, id, args); }
    void FocusChanged(bool) override {}
    void ViewChanged() override {}
    Microsoft::WRL::ComPtr<IFont> AmbientFont() override { return nullptr; }
    std::vector<Microsoft::WRL::ComPtr<IDispatch>> sinks;
};

constexpr int I2 = VT_BYREF | VT_I2, I4 = VT_BYREF | VT_I4, R4 = VT_BYREF | VT_R4,
              BOOLEAN = VT_BYREF | VT_BOOL, STR = VT_BYREF | VT_BSTR, OBJ = VT_BYREF | VT_DISPATCH;

std::wstring Call(int id, std::initializer_list<int> types) {
    std::wstring s = std::to_wstring(id) + L":";
    bool first = true;
    for (int t : types) {
        s += (first ? L"" : L",") + std::to_wstring(t);
        first = false;
    }
    return s;
}

TEST(EventDispatch, EveryEventGoesOutWithItsPublishedArguments) {
    RecordingSink sink;
    SinkHost host(&sink);
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

    const std::vector<std::wstring> expected = {
        Call(1, {}),
        Call(2, {}),
        Call(3, {I2, I2, R4, R4}),
        Call(4, {I2, I2, R4, R4}),
        Call(5, {I2, I2}),
        Call(6, {I2}),
        Call(7, {I2, I2}),
        Call(8, {I2, I2, R4, R4}),
        Call(9, {I2, I2, R4, R4}),
        Call(10, {}),
        Call(11, {STR}),
        Call(12, {I4}),
        Call(13, {OBJ, I4, I2, I2, R4, R4}),
        Call(14, {OBJ, I4, I2, I2, R4, R4, I2}),
        Call(15, {I4, BOOLEAN}),
        Call(16, {OBJ, I2}),
        Call(17, {OBJ, I4}),
    };
    EXPECT_EQ(sink.calls, expected);
}

TEST(EventDispatch, WhatTheHandlerWritesComesBackInOrder) {
    RecordingSink first, second;
    SinkHost host(&first);
    host.sinks.emplace_back(&second);
    ZarnEvents events(host);

    short keyCode = 115, shift = 4;
    events.Raise<"KeyDown">(keyCode, shift);
    EXPECT_EQ(keyCode, 315); // each handler saw the previous one's answer
    EXPECT_EQ(shift, 204);

    short button = 1;
    float x = 3.0f, y = 4.0f;
    events.Raise<"MouseOut">(button, shift, x, y);
    EXPECT_EQ(x, 12.0f);
    EXPECT_EQ(y, 16.0f);

    std::wstring text = L"20261205";
    events.Raise<"CalendarChoose">(text);
    EXPECT_EQ(text, L"answered");

    long effect = 1;
    VARIANT_BOOL cursors = VARIANT_FALSE;
    events.Raise<"OLEGiveFeedback">(effect, cursors);
    EXPECT_EQ(effect, 2001);
    EXPECT_EQ(cursors, VARIANT_TRUE);
}

TEST(EventDispatch, NoHandlersMeansNoCallAndUnchangedArguments) {
    SinkHost host(nullptr);
    host.sinks.clear();
    ZarnEvents events(host);
    std::wstring text = L"20261205";
    events.Raise<"CalendarChoose">(text);
    EXPECT_EQ(text, L"20261205");
}

} // namespace
} // namespace zarn::test
