// Run-time errors, their HRESULTs and the reporting styles.
#include "TestSupport.h"
#include "platform/Report.h"
#include "platform/RuntimeError.h"

#include <gtest/gtest.h>
#include <olectl.h>

using namespace zarn;

namespace {

TEST(RuntimeErrors, RoundTripThroughControlHResults) {
    const RuntimeError e(382, L"Set not supported at runtime", L"piloCal_Ctl:_PValue");
    const HRESULT hr = HResultOf(e);
    EXPECT_EQ(hr, CTL_E_SETNOTSUPPORTEDATRUNTIME);
    EXPECT_EQ(ErrorFromHResult(hr).Number(), 382);
    EXPECT_EQ(ErrorFromHResult(DISP_E_TYPEMISMATCH).Number(), ErrTypeMismatch);
    EXPECT_EQ(ErrorFromHResult(DISP_E_OVERFLOW).Number(), ErrOverflow);
    const RuntimeError other = ErrorFromHResult(E_ACCESSDENIED);
    EXPECT_EQ(other.Number(), static_cast<long>(E_ACCESSDENIED));
    EXPECT_EQ(HResultOf(other), E_ACCESSDENIED);
}

TEST(RuntimeErrors, ReportingStyles) {
    test::MessageBoxRecorder boxes;
    const RuntimeError e(13, L"Type mismatch");
    ReportDateError(L"Fn:SysYr ", e, MB_ICONERROR, L"Module Date Functions");
    ReportModuleError(L"Mod:sysDates: ", L" Replace ", e);
    ASSERT_EQ(boxes.calls.size(), 2u);
    EXPECT_EQ(boxes.calls[0].text, L"Fn:SysYr Type mismatch  13");
    EXPECT_EQ(boxes.calls[0].style, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(boxes.calls[0].title, L"Module Date Functions");
    EXPECT_EQ(boxes.calls[1].text, L"Mod:sysDates:  Replace Type mismatch 13");
    EXPECT_EQ(boxes.calls[1].style, static_cast<UINT>(MB_OK));

    EXPECT_NO_THROW(RaiseToHost(L"Fn:x", e, false));
    try {
        RaiseToHost(L"Fn:x", e, true);
        FAIL() << "run mode must raise";
    } catch (const RuntimeError& raised) {
        EXPECT_EQ(raised.Number(), 13);
        EXPECT_EQ(raised.Source(), L"piloCal_Ctl:_Fn:x");
    }
}

TEST(RuntimeErrors, TrappedReturnsTheFallbackAndSkipGoesOn) {
    int steps = 0;
    const int r =
        Trapped([]() -> int { Raise(ErrOverflow); }, [](const RuntimeError& e) { return -e.Number(); });
    EXPECT_EQ(r, -ErrOverflow);
    SkipOnError([&] { Raise(5); });
    SkipOnError([&] { ++steps; });
    EXPECT_EQ(steps, 1);
}

} // namespace
