#pragma once
// The in-process server's own state: how many objects and locks keep it
// loaded, and the type library it carries as a resource.
#include <windows.h>
#include <oaidl.h>
#include <wrl/client.h>

#include <string>

namespace zarn::module {

void AddObject();
void ReleaseObject();
void Lock(bool lock);
bool CanUnload();
long ObjectCount();

std::wstring Path(); // full path of the module file

// The type information of a type in our library (loaded from the module's
// TYPELIB resource on first use, dropped when the last object goes).
Microsoft::WRL::ComPtr<ITypeInfo> TypeInfoOf(REFGUID guid);
Microsoft::WRL::ComPtr<ITypeLib> TypeLib();

// The type information of the drag and drop data objects, which keep a
// library of their own (TYPELIB resource 2) so that Zarn2's never changes.
Microsoft::WRL::ComPtr<ITypeInfo> DataTypeInfoOf(REFGUID guid);

} // namespace zarn::module
