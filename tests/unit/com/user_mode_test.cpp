// Run mode and design mode: a value setter's failure reaches a running host
// as error 382 with its source, and is dropped while the host designs. The
// mode is the site's ambient UserMode; without a site the control runs.
#include "ContainerFakes.h"

using namespace zarn::test;

namespace {

void SetSite(IDispatch* object, IOleClientSite* site) {
    ComPtr<IOleObject> ole;
    ASSERT_EQ(object->QueryInterface(IID_PPV_ARGS(&ole)), S_OK);
    EXPECT_EQ(ole->SetClientSite(site), S_OK);
}

// The thread's error object after a failed vtable call, as
// "source|description".
std::wstring ThreadError() {
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.GetAddressOf()) != S_OK || !info)
        return L"(no error info)";
    Bstr source, description;
    GUID guid = GUID_NULL;
    info->GetSource(source.Put()), info->GetDescription(description.Put()), info->GetGUID(&guid);
    EXPECT_EQ(guid, kIidZarn);
    return source.Text() + L"|" + description.Text();
}

// Puts letters and Null into PValue through the vtable and letters through
// Invoke: each fails as a host sees it in run mode, or, at design time,
// succeeds; the value stays either way.
void ExpectFailures(IDispatch* object, bool running, const char* where) {
    SCOPED_TRACE(where);
    const std::wstring before = ValueState(object);
    ComPtr<zarn::_Zarn> vtable;
    ASSERT_EQ(object->QueryInterface(kIidZarn, reinterpret_cast<void**>(vtable.GetAddressOf())), S_OK);
    for (const Var& bad : {Var(L"abcdefgh"), Var::Null()}) {
        SetErrorInfo(0, nullptr);
        EXPECT_EQ(vtable->put_PValue(bad), running ? kErrSetNotSupportedAtRuntime : S_OK);
        EXPECT_EQ(ThreadError(),
                  running ? L"piloCal_Ctl:_PValue|Set not supported at runtime" : L"(no error info)");
    }
    const DispResult r = PropPut(object, id::PValue, L"abcdefgh");
    EXPECT_EQ(r.hr, running ? DISP_E_EXCEPTION : S_OK);
    EXPECT_EQ(r.excep.scode, running ? kErrSetNotSupportedAtRuntime : 0);
    EXPECT_EQ(r.excep.wCode, 0);
    EXPECT_EQ(r.Source() + L"|" + r.Description(),
              running ? L"piloCal_Ctl:_PValue|Set not supported at runtime" : L"(none)|(none)");
    EXPECT_EQ(ValueState(object), before);
}

TEST(ComUserMode, AtDesignTimeTheFailureIsDropped) {
    FakeContainer site; // outlives the control that holds it
    site.userMode = false;
    const auto z = NewControl();
    SetSite(z.Get(), &site);
    ASSERT_EQ(PropPut(z.Get(), id::PValue, 20240229).hr, S_OK);
    NotifySink sink;
    std::optional<Connection> notify(std::in_place, z.Get(), IID_IPropertyNotifySink, &sink);
    ExpectFailures(z.Get(), false, "UserMode False");
    EXPECT_EQ(sink.changed, Ids({})); // the failing step comes before the notification
    EXPECT_GE(site.userModeAsked, 3);
    notify.reset();

    // The mode is asked when the error happens, not remembered.
    site.userMode = true;
    ExpectFailures(z.Get(), true, "site switched to run mode");
    site.userMode = false;
    ExpectFailures(z.Get(), false, "site switched back to design mode");
    SetSite(z.Get(), nullptr);
    ExpectFailures(z.Get(), true, "site taken away");
    EXPECT_EQ(site.refs, 1u);
    EXPECT_EQ(site.log, CallLog{}); // a control that is not in place asks nothing else
}

// Without a site, with one in run mode and with one that has no ambient
// properties, the control runs; a site hears nothing but the question.
TEST(ComUserMode, NoSiteASiteInRunModeOrOneWithoutAmbientsRuns) {
    FakeContainer running, silent;
    silent.userMode = false;
    silent.ambients = false;
    const auto z = NewControl();
    ASSERT_EQ(PropPut(z.Get(), id::PValue, L"20240229").hr, S_OK);
    ComPtr<IOleObject> ole;
    ComPtr<ISupportErrorInfo> support;
    ASSERT_EQ(z.As(&ole), S_OK);
    ASSERT_EQ(z.As(&support), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(kIidZarn), S_OK);
    ExpectFailures(z.Get(), true, "no site");
    for (FakeContainer* site : {&running, &silent}) {
        SetSite(z.Get(), site);
        ExpectFailures(z.Get(), true, site == &running ? "UserMode True" : "site without ambient properties");
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
