// IObjectSafety: the control is safe for untrusted callers through its
// dispatch interfaces and for untrusted data through its persistence
// interfaces; a container switches each option on and off per interface.
#include "ContainerFakes.h"

#include <objsafe.h>

using namespace zarn::test;

namespace {

constexpr DWORD kCaller = INTERFACESAFE_FOR_UNTRUSTED_CALLER;
constexpr DWORD kData = INTERFACESAFE_FOR_UNTRUSTED_DATA;

class ComSafety : public OcxTest {
protected:
    // No __uuidof for IObjectSafety in these headers: ask by IID.
    void SetUp() override {
        OcxTest::SetUp();
        ASSERT_EQ(z->QueryInterface(IID_IObjectSafety, reinterpret_cast<void**>(safety.GetAddressOf())),
                  S_OK);
    }

    // "0x00000000 supported 0x3 enabled 0x1": both answers with the result in one text.
    std::string Options(REFIID riid) const {
        DWORD supported = 0xdeadbeef, enabled = 0xdeadbeef;
        const HRESULT hr = safety->GetInterfaceSafetyOptions(riid, &supported, &enabled);
        char text[80];
        snprintf(text, sizeof text, "0x%08lx supported 0x%lx enabled 0x%lx", static_cast<unsigned long>(hr),
                 static_cast<unsigned long>(supported), static_cast<unsigned long>(enabled));
        return text;
    }
    HRESULT Set(REFIID riid, DWORD mask, DWORD options) {
        return safety->SetInterfaceSafetyOptions(riid, mask, options);
    }

    ComPtr<IObjectSafety> safety;
};

// Both options on the dispatch and persistence interfaces, none enabled at
// first; no option on any other interface.
TEST_F(ComSafety, DispatchAndPersistenceInterfacesAloneOfferBothOptions) {
    for (const IID* riid : {&IID_IDispatch, &kIidZarn, &IID_IPersistPropertyBag, &IID_IPersistStreamInit})
        EXPECT_EQ(Options(*riid), "0x00000000 supported 0x3 enabled 0x0");
    for (const IID* riid : {&IID_IPersistStream, &IID_IOleObject, &IID_IUnknown, &kDiidZarnEvents}) {
        EXPECT_EQ(Options(*riid), "0x80004002 supported 0x0 enabled 0x0");
        EXPECT_EQ(Set(*riid, kCaller, kCaller), E_NOINTERFACE);
    }
    DWORD enabled = 0;
    EXPECT_EQ(safety->GetInterfaceSafetyOptions(IID_IDispatch, nullptr, &enabled), E_POINTER);
}

// An option the control does not offer is refused and changes nothing.
TEST_F(ComSafety, OptionsAreEnabledAndDisabledPerInterface) {
    EXPECT_EQ(Set(IID_IDispatch, INTERFACE_USES_DISPEX, INTERFACE_USES_DISPEX), E_FAIL);
    EXPECT_EQ(Set(IID_IDispatch, kCaller | INTERFACE_USES_SECURITY_MANAGER,
                  kCaller | INTERFACE_USES_SECURITY_MANAGER),
              E_FAIL);
    EXPECT_EQ(Options(IID_IDispatch), "0x00000000 supported 0x3 enabled 0x0");

    // What a browser asks before scripting the control and loading it from
    // a page's parameters.
    EXPECT_EQ(Set(IID_IDispatch, kCaller, kCaller), S_OK);
    EXPECT_EQ(Set(IID_IPersistPropertyBag, kData, kData), S_OK);
    EXPECT_EQ(Options(IID_IDispatch), "0x00000000 supported 0x3 enabled 0x1");
    EXPECT_EQ(Options(IID_IPersistPropertyBag), "0x00000000 supported 0x3 enabled 0x2");
    EXPECT_EQ(Options(IID_IPersistStreamInit), "0x00000000 supported 0x3 enabled 0x0");

    // The mask says which options the call is about; the others stay.
    EXPECT_EQ(Set(IID_IDispatch, kData, kData), S_OK);
    EXPECT_EQ(Options(IID_IDispatch), "0x00000000 supported 0x3 enabled 0x3");
    EXPECT_EQ(Set(IID_IDispatch, kCaller, 0), S_OK);
    EXPECT_EQ(Options(IID_IDispatch), "0x00000000 supported 0x3 enabled 0x2");
    EXPECT_EQ(Set(IID_IDispatch, 0, kCaller), S_OK);
    EXPECT_EQ(Options(IID_IDispatch), "0x00000000 supported 0x3 enabled 0x2");
}

} // namespace
