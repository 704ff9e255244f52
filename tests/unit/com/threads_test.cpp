// The value settings are one record per thread: controls of one thread
// share it, a control of another thread sees none of it.
#include "ContainerFakes.h"

using namespace zarn::test;

namespace {

// The calendar's settings are shared with the value (the value's sharing,
// and that no other container hears of it, is the end-to-end case
// "hosting"); a third control's first use initialises the record for all,
// but not what each control keeps for itself.
TEST(ComThreads, ControlsOfOneThreadShareTheirValues) {
    const auto first = NewControl();
    const auto second = NewControl();
    EXPECT_EQ(PropPut(first.Get(), id::MinDate, 19500101).hr, S_OK);
    EXPECT_EQ(PropPut(first.Get(), id::HoverColor, 0x123456).hr, S_OK);
    EXPECT_EQ(PropPut(first.Get(), id::Seperator, L"-").hr, S_OK);
    EXPECT_EQ(ReadLong(second.Get(), id::HoverColor), 0x123456);
    EXPECT_EQ(Read(second.Get(), id::Seperator), L"VT_BSTR /");

    const auto third = NewControl();
    EXPECT_EQ(ValueState(first.Get()),
              L"PValue=VT_BSTR " + TodayText() + L" MinDate=VT_I4 19010101 MaxDate=VT_I4 20991231");
    EXPECT_EQ(ReadLong(first.Get(), id::HoverColor), 0x8000);
    EXPECT_EQ(Read(first.Get(), id::Seperator), L"VT_BSTR -");
}

TEST(ComThreads, AnotherThreadHasItsOwnRecord) {
    const auto here = NewControl();
    ASSERT_EQ(PropPut(here.Get(), id::PValue, L"20240229").hr, S_OK);
    ASSERT_EQ(PropPut(here.Get(), id::MinDate, 19500101).hr, S_OK);
    ASSERT_EQ(PropPut(here.Get(), id::HoverColor, 0x123456).hr, S_OK);

    // Seen on the other thread: before and after its own changes.
    std::wstring fresh, changed;
    OnApartmentThread([&] {
        const auto there = NewControl();
        fresh = ValueState(there.Get()) + L" HoverColor=" +
                std::to_wstring(ReadLong(there.Get(), id::HoverColor));
        PropPut(there.Get(), id::PValue, L"20301231");
        PropPut(there.Get(), id::MinDate, 19600101);
        PropPut(there.Get(), id::HoverColor, 0x654321);
        changed = ValueState(there.Get());
    });

    EXPECT_EQ(fresh, L"PValue=VT_BSTR " + TodayText() +
                         L" MinDate=VT_I4 19010101 MaxDate=VT_I4 20991231 HoverColor=32768");
    EXPECT_EQ(changed, L"PValue=VT_BSTR 20301231 MinDate=VT_I4 19600101 MaxDate=VT_I4 20991231");
    EXPECT_EQ(ValueState(here.Get()),
              L"PValue=VT_BSTR 20240229 MinDate=VT_I4 19500101 MaxDate=VT_I4 20991231");
    EXPECT_EQ(ReadLong(here.Get(), id::HoverColor), 0x123456);
}

// A last release on a foreign thread (outside the contract) is finished on
// the control's own thread and breaks neither thread's later controls.
TEST(ComThreads, ReleaseOnAnotherThreadLeavesBothThreadsWorking) {
    OnApartmentThread([] {
        ComPtr<IDispatch> z = NewControl();
        OnApartmentThread([&] {
            z.Reset();
            EXPECT_NE(NewControl(), nullptr) << "the releasing thread";
        });
        EXPECT_EQ(Ocx::Get().CanUnloadNow(), S_FALSE);
        PumpMessages();
        EXPECT_EQ(Ocx::Get().CanUnloadNow(), S_OK);
        EXPECT_NE(NewControl(), nullptr) << "the owner's thread";
    });
}

} // namespace
