#pragma once
// The control's published identity: the GUIDs of its library, class and
// interfaces, and the library version.
#include <windows.h>
#include <olectl.h>

namespace zarn {

// {386F8717-CFB7-4B79-B414-BC350531FD4A}
inline constexpr GUID LIBID_Zarn2 = {
    0x386f8717, 0xcfb7, 0x4b79, {0xb4, 0x14, 0xbc, 0x35, 0x05, 0x31, 0xfd, 0x4a}};
// {B95CA92B-1DF7-422F-82D7-28CE99C019D1}
inline constexpr GUID CLSID_Zarn = {
    0xb95ca92b, 0x1df7, 0x422f, {0x82, 0xd7, 0x28, 0xce, 0x99, 0xc0, 0x19, 0xd1}};
// {2BAD2477-59FF-453B-992F-B5FF5DB934DD}
inline constexpr GUID IID__Zarn = {
    0x2bad2477, 0x59ff, 0x453b, {0x99, 0x2f, 0xb5, 0xff, 0x5d, 0xb9, 0x34, 0xdd}};
// {09ECF381-492B-4820-B97A-4C6322F2A295}
inline constexpr GUID DIID___Zarn = {
    0x09ecf381, 0x492b, 0x4820, {0xb9, 0x7a, 0x4c, 0x63, 0x22, 0xf2, 0xa2, 0x95}};

inline constexpr WORD kTypeLibMajor = 1;
inline constexpr WORD kTypeLibMinor = 0;

} // namespace zarn
