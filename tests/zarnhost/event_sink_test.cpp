// The event sink: it names every event and argument from the control's
// type information, in the order of the parameters although IDispatch
// passes them last first, and answers through by-reference arguments.
#include "site/EventSink.h"

#include <gtest/gtest.h>

#include <vector>

namespace zarnhost {
namespace {

using Microsoft::WRL::ComPtr;

ComPtr<ITypeInfo> EventsType() {
    static PARAMDATA key[] = {{const_cast<OLECHAR*>(L"KeyCode"), VT_I2 | VT_BYREF},
                              {const_cast<OLECHAR*>(L"Shift"), VT_I2 | VT_BYREF}};
    static PARAMDATA text[] = {{const_cast<OLECHAR*>(L"Text"), VT_BSTR | VT_BYREF}};
    static METHODDATA methods[] = {
        {const_cast<OLECHAR*>(L"Click"), nullptr, 1, 0, CC_STDCALL, 0, DISPATCH_METHOD, VT_EMPTY},
        {const_cast<OLECHAR*>(L"KeyDown"), key, 5, 1, CC_STDCALL, 2, DISPATCH_METHOD, VT_EMPTY},
        {const_cast<OLECHAR*>(L"CalendarChoose"), text, 11, 2, CC_STDCALL, 1, DISPATCH_METHOD, VT_EMPTY},
    };
    static INTERFACEDATA data{methods, 3};
    // The platform hands out a class whose one interface holds the methods.
    ComPtr<ITypeInfo> type, events;
    HREFTYPE ref = 0;
    CreateDispTypeInfo(&data, LOCALE_SYSTEM_DEFAULT, &type);
    type->GetRefTypeOfImplType(0, &ref);
    type->GetRefTypeInfo(ref, &events);
    return events;
}

struct SinkFixture : testing::Test {
    Log log{false};
    std::vector<std::wstring> lines;
    EventRules rules;
    ComPtr<EventSink> sink;

    void SetUp() override {
        log.SetMirror([this](const std::wstring& line) { lines.push_back(line); });
        sink = Make<EventSink>(L"Zarn1", EventsType().Get(), IID_IDispatch, rules, log);
    }

    // An answer of one parameter, or none when `parameter` is empty.
    void Answer(const wchar_t* event, const wchar_t* parameter = nullptr, Variant value = Variant()) {
        std::vector<Assignment> answer;
        if (parameter)
            answer.push_back({parameter, std::move(value)});
        rules.Answer(event, std::move(answer));
    }
    // Fires an event as a control does, last argument first.
    HRESULT Fire(DISPID id, std::vector<VARIANT> args) {
        DISPPARAMS params{args.data(), nullptr, static_cast<UINT>(args.size()), 0};
        return sink->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    }
    // KeyDown by reference.
    void KeyDown(SHORT& keyCode, SHORT& shift) {
        VARIANT args[2];
        V_VT(&args[0]) = V_VT(&args[1]) = VT_I2 | VT_BYREF;
        V_I2REF(&args[0]) = &shift;
        V_I2REF(&args[1]) = &keyCode;
        ASSERT_EQ(Fire(5, {args[0], args[1]}), S_OK);
    }
};

TEST_F(SinkFixture, LogsEachEventWithItsArgumentsByNameInOrder) {
    SHORT keyCode = 115, shift = 1;
    KeyDown(keyCode, shift);
    Fire(1, {});
    Fire(99, {});
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"event Zarn1.KeyDown(KeyCode=115, Shift=1)",
                                                L"event Zarn1.Click()", L"event Zarn1.#99()"}));
}

TEST_F(SinkFixture, AnAnswerWritesThroughTheReferenceAndOneControlsAnswerComesFirst) {
    Answer(L"KeyDown", L"KeyCode", Variant::Long(0));
    SHORT keyCode = 115, shift = 0;
    KeyDown(keyCode, shift);
    EXPECT_EQ(keyCode, 0);
    EXPECT_EQ(lines.back(), L"event Zarn1.KeyDown(KeyCode=115, Shift=0) -> KeyCode=0");

    Answer(L"Zarn1.KeyDown", L"keycode", Variant::Long(115));
    keyCode = 65;
    KeyDown(keyCode, shift);
    EXPECT_EQ(keyCode, 115);

    Answer(L"Zarn1.KeyDown");
    Answer(L"KeyDown");
    keyCode = 65;
    KeyDown(keyCode, shift);
    EXPECT_EQ(keyCode, 65);
    EXPECT_EQ(lines.back(), L"event Zarn1.KeyDown(KeyCode=65, Shift=0)");
}

TEST_F(SinkFixture, ATextAnswerReplacesTheString) {
    Answer(L"CalendarChoose", L"Text", Variant::Text(L"20240229"));
    BSTR value = SysAllocString(L"20261205");
    VARIANT arg;
    V_VT(&arg) = VT_BSTR | VT_BYREF;
    V_BSTRREF(&arg) = &value;
    Fire(11, {arg});
    EXPECT_STREQ(value, L"20240229");
    EXPECT_EQ(lines.back(), L"event Zarn1.CalendarChoose(Text=\"20261205\") -> Text=\"20240229\"");
    SysFreeString(value);
}

TEST_F(SinkFixture, AMutedEventIsStillAnsweredButNotLogged) {
    Answer(L"KeyDown", L"Shift", Variant::Long(0));
    rules.Mute(L"KeyDown", true);
    SHORT keyCode = 65, shift = 1;
    KeyDown(keyCode, shift);
    EXPECT_EQ(shift, 0);
    EXPECT_TRUE(lines.empty());
}

TEST_F(SinkFixture, AnArgumentPassedByValueCannotBeAnswered) {
    Answer(L"KeyDown", L"KeyCode", Variant::Long(0));
    VARIANT args[2];
    V_VT(&args[0]) = V_VT(&args[1]) = VT_I2;
    V_I2(&args[0]) = 0;
    V_I2(&args[1]) = 115;
    Fire(5, {args[0], args[1]});
    EXPECT_EQ(lines.back(), L"event Zarn1.KeyDown(KeyCode=115, Shift=0) -> KeyCode=(not answered: "
                            L"DISP_E_TYPEMISMATCH (0x80020005))");
}

} // namespace
} // namespace zarnhost
