#pragma once
// A minimal PNG writer: 8-bit RGB, no compression (stored deflate blocks),
// enough for pictures people look at and for the contact sheet.
#include <cstdint>
#include <string>
#include <vector>

namespace gallery {

// pixels: rows top to bottom, each pixel 0x00RRGGBB (a 32-bit DIB's layout).
bool WritePng(const std::wstring& path, int width, int height, const std::vector<std::uint32_t>& pixels);

} // namespace gallery
