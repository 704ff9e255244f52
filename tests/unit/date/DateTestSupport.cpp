#include "DateTestSupport.h"

namespace zarn::test {

int LocaleIndex() {
    switch (GetUserDefaultLCID()) {
    case 0x0809:
        return 0;
    case 0x0409:
        return 1;
    case 0x0407:
        return 2;
    }
    ADD_FAILURE() << "no expectations for user locale " << std::hex << GetUserDefaultLCID();
    return 0;
}

LocaleOverride::LocaleOverride(LCTYPE item, const char* value) : item_(item) {
    GetLocaleInfoA(LOCALE_USER_DEFAULT, item_, previous_, sizeof previous_);
    EXPECT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, item_, value)) << value;
}

std::vector<Box> Shown(const MessageBoxRecorder& recorder) {
    std::vector<Box> boxes;
    for (const auto& c : recorder.calls)
        boxes.emplace_back(c.text, c.style, c.title);
    return boxes;
}

} // namespace zarn::test
