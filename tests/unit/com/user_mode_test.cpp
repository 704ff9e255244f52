// Run mode and design mode: a value setter's failure reaches a running host
// as error 382 with its source, and is dropped while the host designs. The
// mode is the site's ambient UserMode; without a site the control runs.
#include "ContainerFakes.h"

using namespace zarn::test;

namespace {

ComPtr<zarn::_Zarn> VtableOf(IDispatch* object) {
    ComPtr<zarn::_Zarn> z;
    EXPECT_EQ(object->QueryInterface(kIidZarn, reinterpret_cast<void**>(z.GetAddressOf())), S_OK);
    return z;
}

void SetSite(IDispatch* object, IOleClientSite* site) {
    ComPtr<IOleObject> ole;
    ASSERT_EQ(object->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(ole.GetAddressOf())), S_OK);
    EXPECT_EQ(ole->SetClientSite(site), S_OK);
}

// The thread's error object after a failed vtable call, as "source|description".
std::wstring ThreadError(const GUID& expectedGuid) {
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.GetAddressOf()) != S_OK || !info)
        return L"(no error info)";
    BSTR source = nullptr, description = nullptr;
    GUID guid = GUID_NULL;
    info->GetSource(&source);
    info->GetDescription(&description);
    info->GetGUID(&guid);
    EXPECT_TRUE(guid == expectedGuid);
    std::wstring text = std::wstring(source ? source : L"") + L"|" + (description ? description : L"");
    SysFreeString(source);
    SysFreeString(description);
    return text;
}

// Fails PValue once through the vtable and once through Invoke, and checks
// both as a running host sees them.
void ExpectRunModeFailure(IDispatch* object, const char* where) {
    SCOPED_TRACE(where);
    const std::wstring before = ValueState(object);
    const auto vtable = VtableOf(object);
    ASSERT_TRUE(vtable);

    SetErrorInfo(0, nullptr);
    Var letters(L"abcdefgh");
    EXPECT_EQ(vtable->put_PValue(letters), kErrSetNotSupportedAtRuntime);
    EXPECT_EQ(ThreadError(kIidZarn), L"piloCal_Ctl:_PValue|Set not supported at runtime");

    SetErrorInfo(0, nullptr);
    EXPECT_EQ(vtable->put_PValue(Var::Null()), kErrSetNotSupportedAtRuntime);
    EXPECT_EQ(ThreadError(kIidZarn), L"piloCal_Ctl:_PValue|Set not supported at runtime");

    const DispResult r = PropPut(object, id::PValue, letters);
    EXPECT_EQ(r.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(r.excep.scode, kErrSetNotSupportedAtRuntime);
    EXPECT_EQ(r.excep.wCode, 0);
    EXPECT_EQ(r.Source(), L"piloCal_Ctl:_PValue");
    EXPECT_EQ(r.Description(), L"Set not supported at runtime");

    EXPECT_EQ(ValueState(object), before);
}

TEST(ComUserMode, WithoutASiteTheControlRuns) {
    const auto z = NewControl();
    ASSERT_TRUE(z);
    ASSERT_EQ(PropPut(z.Get(), id::PValue, L"20240229").hr, S_OK);
    ComPtr<ISupportErrorInfo> support;
    ASSERT_EQ(z->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(support.GetAddressOf())),
              S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(kIidZarn), S_OK);
    ExpectRunModeFailure(z.Get(), "no site");
}

TEST(ComUserMode, AtDesignTimeTheFailureIsDropped) {
    FakeContainer site; // outlives the control that holds it
    site.userMode = false;
    const auto z = NewControl();
    ASSERT_TRUE(z);
    SetSite(z.Get(), &site);
    ASSERT_EQ(PropPut(z.Get(), id::PValue, 20240229).hr, S_OK);
    const std::wstring before = ValueState(z.Get());
    NotifySink sink;
    Connection notify(z.Get(), IID_IPropertyNotifySink, &sink);

    const auto vtable = VtableOf(z.Get());
    ASSERT_TRUE(vtable);
    EXPECT_EQ(vtable->put_PValue(Var(L"abcdefgh")), S_OK);
    EXPECT_EQ(vtable->put_PValue(Var::Null()), S_OK);
    const DispResult r = PropPut(z.Get(), id::PValue, L"abcdefgh");
    EXPECT_EQ(r.hr, S_OK);
    EXPECT_EQ(r.excep.scode, 0);
    EXPECT_EQ(ValueState(z.Get()), before);
    EXPECT_EQ(sink.changed, Ids({})); // the failing step comes before the notification
    EXPECT_GE(site.userModeAsked, 3);

    // The mode is asked when the error happens, not remembered.
    site.userMode = true;
    ExpectRunModeFailure(z.Get(), "site switched to run mode");
    site.userMode = false;
    EXPECT_EQ(PropPut(z.Get(), id::PValue, L"abcdefgh").hr, S_OK);

    SetSite(z.Get(), nullptr);
    ExpectRunModeFailure(z.Get(), "site taken away");
    EXPECT_EQ(site.refs, 1u);
    EXPECT_EQ(site.log, CallLog{}); // a control that is not in place asks nothing else
}

TEST(ComUserMode, ASiteInRunModeOrWithoutAmbientsRuns) {
    FakeContainer running, silent;
    silent.userMode = false;
    silent.ambients = false;
    const auto z = NewControl();
    ASSERT_TRUE(z);
    ASSERT_EQ(PropPut(z.Get(), id::PValue, L"20240229").hr, S_OK);
    for (FakeContainer* site : {&running, &silent}) {
        SetSite(z.Get(), site);
        ExpectRunModeFailure(z.Get(), site == &running ? "UserMode True" : "site without ambient properties");
        ComPtr<IOleObject> ole;
        ASSERT_EQ(z.As(&ole), S_OK);
        ComPtr<IOleClientSite> got;
        EXPECT_EQ(ole->GetClientSite(got.GetAddressOf()), S_OK);
        EXPECT_EQ(got.Get(), static_cast<IOleClientSite*>(site));
        got.Reset();
        SetSite(z.Get(), nullptr);
        EXPECT_EQ(site->refs, 1u);
        EXPECT_EQ(site->log, CallLog{});
    }
    EXPECT_GE(running.userModeAsked, 1);
}

} // namespace
