#include "text/Base64.h"

namespace zarnhost {

namespace {

constexpr wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int ValueOf(wchar_t c) {
    if (c >= L'A' && c <= L'Z')
        return c - L'A';
    if (c >= L'a' && c <= L'z')
        return c - L'a' + 26;
    if (c >= L'0' && c <= L'9')
        return c - L'0' + 52;
    if (c == L'+')
        return 62;
    if (c == L'/')
        return 63;
    return -1;
}

} // namespace

std::wstring ToBase64(const std::vector<unsigned char>& bytes) {
    std::wstring out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t n = bytes.size() - i < 3 ? bytes.size() - i : 3;
        unsigned long group = static_cast<unsigned long>(bytes[i]) << 16;
        if (n > 1)
            group |= static_cast<unsigned long>(bytes[i + 1]) << 8;
        if (n > 2)
            group |= bytes[i + 2];
        for (size_t k = 0; k < 4; ++k)
            out += k <= n ? kAlphabet[(group >> (18 - 6 * k)) & 63] : L'=';
    }
    return out;
}

bool FromBase64(std::wstring_view text, std::vector<unsigned char>& bytes) {
    if (text.size() % 4 != 0)
        return false;
    bytes.clear();
    for (size_t i = 0; i < text.size(); i += 4) {
        unsigned long group = 0;
        size_t padding = 0;
        for (size_t k = 0; k < 4; ++k) {
            const wchar_t c = text[i + k];
            const bool last = i + 4 == text.size();
            if (c == L'=' && last && k >= 2) {
                ++padding;
                group <<= 6;
                continue;
            }
            const int v = ValueOf(c);
            if (v < 0 || padding > 0)
                return false;
            group = (group << 6) | static_cast<unsigned long>(v);
        }
        bytes.push_back(static_cast<unsigned char>(group >> 16));
        if (padding < 2)
            bytes.push_back(static_cast<unsigned char>(group >> 8));
        if (padding < 1)
            bytes.push_back(static_cast<unsigned char>(group));
    }
    return true;
}

} // namespace zarnhost
