#pragma once
// A form as its file describes it: the size of the form's client area and
// its controls in tab order, each with its saved properties.
#include "com/ComObject.h"
#include "form/PropertyBag.h"

#include <windows.h>

#include <string>
#include <vector>

namespace zarnhost {

struct ControlLayout {
    std::wstring name;
    std::wstring progId;
    RECT rect{}; // in the form's client coordinates
    Microsoft::WRL::ComPtr<PropertyBag> bag = Make<PropertyBag>();
};

struct FormLayout {
    SIZE size{360, 200};
    std::vector<ControlLayout> controls;
};

// What the host opens when no form file is given: two new controls.
FormLayout DefaultForm();

} // namespace zarnhost
