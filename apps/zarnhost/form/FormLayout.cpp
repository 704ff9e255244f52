#include "form/FormLayout.h"

namespace zarnhost {

FormLayout DefaultForm() {
    FormLayout form;
    form.size = {360, 140};
    form.controls.push_back({L"Zarn1", L"Zarn2.Zarn", {20, 20, 180, 41}});
    form.controls.push_back({L"Zarn2", L"Zarn2.Zarn", {20, 70, 180, 91}});
    return form;
}

} // namespace zarnhost
