#include "activex/DataFormats.h"

#include "platform/RuntimeError.h"

#include <olectl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <cstring>
#include <memory>

namespace zarn::data {

namespace {

using Microsoft::WRL::ComPtr;

CLIPFORMAT RtfClip() {
    static const auto rtf = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"Rich Text Format"));
    return rtf;
}

FORMATETC Etc(CLIPFORMAT clip, DWORD tymed) {
    return FORMATETC{clip, nullptr, DVASPECT_CONTENT, -1, tymed};
}

// ---------------------------------------------------------------------------
// Memory blocks

HGLOBAL Block(const void* bytes, size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block)
        return nullptr;
    std::memcpy(GlobalLock(block), bytes, size);
    GlobalUnlock(block);
    return block;
}

std::string Narrow(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
    return out; // with its terminator
}

std::wstring Widen(const char* text, size_t size) {
    const auto length = static_cast<int>(strnlen(text, size));
    const int n = MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, length, out.data(), n);
    return out;
}

HGLOBAL FileList(const Files& files) {
    std::wstring names;
    for (const auto& f : files)
        names += f + L'\0';
    names += L'\0';
    std::vector<char> bytes(sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    DROPFILES head{};
    head.pFiles = sizeof(DROPFILES);
    head.fWide = TRUE;
    std::memcpy(bytes.data(), &head, sizeof head);
    std::memcpy(bytes.data() + sizeof head, names.data(), names.size() * sizeof(wchar_t));
    return Block(bytes.data(), bytes.size());
}

// ---------------------------------------------------------------------------
// Pictures

ComPtr<IPicture> PictureOf(const VARIANT& v) {
    ComPtr<IPicture> picture;
    if ((V_VT(&v) == VT_DISPATCH || V_VT(&v) == VT_UNKNOWN) && V_UNKNOWN(&v))
        V_UNKNOWN(&v)->QueryInterface(IID_IPicture, reinterpret_cast<void**>(picture.GetAddressOf()));
    return picture;
}

short PictureType(IPicture* picture) {
    SHORT type = PICTYPE_NONE;
    picture->get_Type(&type);
    return type;
}

template <class H> H HandleOf(IPicture* picture) {
    OLE_HANDLE handle = 0;
    picture->get_Handle(&handle);
    // OLE_HANDLE is 32 bits; handles widen with their sign on 64-bit Windows.
    return reinterpret_cast<H>(static_cast<INT_PTR>(static_cast<int>(handle)));
}

Variant PictureValue(PICTDESC& desc) {
    desc.cbSizeofstruct = sizeof desc;
    ComPtr<IPictureDisp> picture;
    ThrowIfFailed(OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE,
                                           reinterpret_cast<void**>(picture.GetAddressOf())));
    Variant value;
    VARIANT* v = value.Put();
    V_VT(v) = VT_DISPATCH;
    V_DISPATCH(v) = picture.Detach();
    return value;
}

Variant BitmapPicture(HBITMAP bitmap, HPALETTE palette) {
    PICTDESC desc{};
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = bitmap;
    desc.bmp.hpal = palette;
    return PictureValue(desc);
}

// A packed DIB (header, colour table, bits) as 32-bit pixels of a bitmap.
HGLOBAL PackedDib(HBITMAP bitmap) {
    BITMAP bm{};
    if (!GetObjectW(bitmap, sizeof bm, &bm))
        return nullptr;
    BITMAPINFOHEADER head{sizeof head, bm.bmWidth, bm.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<char> bytes(sizeof head + static_cast<size_t>(bm.bmWidth) * bm.bmHeight * 4);
    std::memcpy(bytes.data(), &head, sizeof head);
    HDC dc = GetDC(nullptr);
    const int lines = GetDIBits(dc, bitmap, 0, static_cast<UINT>(bm.bmHeight), bytes.data() + sizeof head,
                                reinterpret_cast<BITMAPINFO*>(bytes.data()), DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    return lines ? Block(bytes.data(), bytes.size()) : nullptr;
}

HBITMAP BitmapOfDib(HGLOBAL block) {
    const auto* info = static_cast<const BITMAPINFO*>(GlobalLock(block));
    if (!info)
        return nullptr;
    const BITMAPINFOHEADER& head = info->bmiHeader;
    size_t colours = head.biClrUsed ? head.biClrUsed : (head.biBitCount <= 8 ? 1u << head.biBitCount : 0);
    if (head.biCompression == BI_BITFIELDS && head.biSize == sizeof(BITMAPINFOHEADER))
        colours += 3;
    const auto* bits = reinterpret_cast<const char*>(info) + head.biSize + colours * sizeof(RGBQUAD);
    HDC dc = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBitmap(dc, &head, CBM_INIT, bits, info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    GlobalUnlock(block);
    return bitmap;
}

HGLOBAL MetafilePict(IPicture* picture) {
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    picture->get_Width(&w);
    picture->get_Height(&h);
    METAFILEPICT mf{MM_ANISOTROPIC, w, h, CopyMetaFileW(HandleOf<HMETAFILE>(picture), nullptr)};
    return mf.hMF ? Block(&mf, sizeof mf) : nullptr;
}

Variant MetafilePicture(HGLOBAL block) {
    const auto* mf = static_cast<const METAFILEPICT*>(GlobalLock(block));
    if (!mf)
        return Variant();
    PICTDESC desc{};
    desc.picType = PICTYPE_METAFILE;
    desc.wmf.hmeta = CopyMetaFileW(mf->hMF, nullptr);
    desc.wmf.xExt = static_cast<int>(mf->xExt);
    desc.wmf.yExt = static_cast<int>(mf->yExt);
    GlobalUnlock(block);
    return PictureValue(desc);
}

Variant EnhMetafilePicture(HENHMETAFILE emf) {
    PICTDESC desc{};
    desc.picType = PICTYPE_ENHMETAFILE;
    desc.emf.hemf = CopyEnhMetaFile(emf, nullptr);
    return PictureValue(desc);
}

// A palette alone travels as a picture of one pixel that carries it.
Variant PalettePicture(HPALETTE palette) {
    HDC dc = GetDC(nullptr);
    HBITMAP pixel = CreateCompatibleBitmap(dc, 1, 1);
    ReleaseDC(nullptr, dc);
    return BitmapPicture(pixel, static_cast<HPALETTE>(OleDuplicateData(palette, CF_PALETTE, 0)));
}

HANDLE PaletteOf(IPicture* picture) {
    OLE_HANDLE handle = 0;
    picture->get_hPal(&handle);
    const auto palette = reinterpret_cast<HPALETTE>(static_cast<INT_PTR>(static_cast<int>(handle)));
    return palette ? OleDuplicateData(palette, CF_PALETTE, 0) : nullptr;
}

// ---------------------------------------------------------------------------
// Rendering

// The text kept for a format, as an HGLOBAL of the asked clipboard format.
HGLOBAL TextBlock(const VARIANT& value, CLIPFORMAT clip) {
    const std::wstring text(V_BSTR(&value), SysStringLen(V_BSTR(&value)));
    if (clip == CF_UNICODETEXT)
        return Block(text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    const std::string narrow = Narrow(text);
    return Block(narrow.c_str(), narrow.size());
}

HANDLE RenderHandle(const VARIANT& value, const Files& files, CLIPFORMAT clip) {
    if (clip == CF_HDROP)
        return FileList(files);
    if (clip == CF_UNICODETEXT || clip == CF_TEXT || clip == RtfClip())
        return TextBlock(value, clip);
    const ComPtr<IPicture> picture = PictureOf(value);
    if (!picture)
        return nullptr;
    switch (clip) {
    case CF_BITMAP:
        return OleDuplicateData(HandleOf<HBITMAP>(picture.Get()), CF_BITMAP, 0);
    case CF_DIB:
        return PackedDib(HandleOf<HBITMAP>(picture.Get()));
    case CF_PALETTE:
        return PaletteOf(picture.Get());
    case CF_METAFILEPICT:
        return MetafilePict(picture.Get());
    case CF_ENHMETAFILE:
        return CopyEnhMetaFile(HandleOf<HENHMETAFILE>(picture.Get()), nullptr);
    default:
        return nullptr;
    }
}

// ---------------------------------------------------------------------------
// Reading

// A medium that is released when it goes.
struct Medium {
    STGMEDIUM m{};
    ~Medium() { ReleaseStgMedium(&m); }
};

bool Fetch(IDataObject* data, FORMATETC etc, Medium& medium) {
    return SUCCEEDED(data->GetData(&etc, &medium.m)) && (medium.m.tymed & etc.tymed);
}

Variant TextValue(const std::wstring& text) {
    return Variant::FromText(text);
}

Variant ReadText(IDataObject* data, CLIPFORMAT narrowClip, bool wide) {
    Medium medium;
    const CLIPFORMAT clip = wide ? CF_UNICODETEXT : narrowClip;
    if (!Fetch(data, Etc(clip, TYMED_HGLOBAL), medium))
        return Variant();
    const size_t size = GlobalSize(medium.m.hGlobal);
    const void* bytes = GlobalLock(medium.m.hGlobal);
    if (!bytes)
        return Variant();
    std::wstring text =
        wide ? std::wstring(static_cast<const wchar_t*>(bytes),
                            wcsnlen(static_cast<const wchar_t*>(bytes), size / sizeof(wchar_t)))
             : Widen(static_cast<const char*>(bytes), size);
    GlobalUnlock(medium.m.hGlobal);
    return TextValue(text);
}

Variant ReadPicture(IDataObject* data, short format) {
    Medium medium;
    switch (format) {
    case kBitmap:
        if (!Fetch(data, Etc(CF_BITMAP, TYMED_GDI), medium))
            return Variant();
        return BitmapPicture(static_cast<HBITMAP>(OleDuplicateData(medium.m.hBitmap, CF_BITMAP, 0)), nullptr);
    case kDib:
        if (!Fetch(data, Etc(CF_DIB, TYMED_HGLOBAL), medium))
            return Variant();
        return BitmapPicture(BitmapOfDib(medium.m.hGlobal), nullptr);
    case kPalette:
        if (!Fetch(data, Etc(CF_PALETTE, TYMED_GDI), medium))
            return Variant();
        return PalettePicture(reinterpret_cast<HPALETTE>(medium.m.hBitmap));
    case kMetafile:
        if (!Fetch(data, Etc(CF_METAFILEPICT, TYMED_MFPICT), medium))
            return Variant();
        return MetafilePicture(medium.m.hMetaFilePict);
    default:
        if (!Fetch(data, Etc(CF_ENHMETAFILE, TYMED_ENHMF), medium))
            return Variant();
        return EnhMetafilePicture(medium.m.hEnhMetaFile);
    }
}

} // namespace

short Checked(long format) {
    switch (format) {
    case kText:
    case kBitmap:
    case kMetafile:
    case kDib:
    case kPalette:
    case kEnhMetafile:
    case kFiles:
    case kRtf:
        return static_cast<short>(format);
    default:
        throw RuntimeError(ErrInvalidCall, L"Invalid format " + std::to_wstring(format) +
                                               L": the data object knows the formats 1, 2, 3, 8, 9, 14, 15 "
                                               L"and -16639");
    }
}

std::vector<FORMATETC> ClipFormatsOf(short format) {
    switch (format) {
    case kText:
        return {Etc(CF_UNICODETEXT, TYMED_HGLOBAL), Etc(CF_TEXT, TYMED_HGLOBAL)};
    case kRtf:
        return {Etc(RtfClip(), TYMED_HGLOBAL)};
    case kBitmap:
        return {Etc(CF_BITMAP, TYMED_GDI)};
    case kDib:
        return {Etc(CF_DIB, TYMED_HGLOBAL)};
    case kPalette:
        return {Etc(CF_PALETTE, TYMED_GDI)};
    case kMetafile:
        return {Etc(CF_METAFILEPICT, TYMED_MFPICT)};
    case kEnhMetafile:
        return {Etc(CF_ENHMETAFILE, TYMED_ENHMF)};
    case kFiles:
        return {Etc(CF_HDROP, TYMED_HGLOBAL)};
    default:
        return {};
    }
}

short FormatOf(CLIPFORMAT clip) {
    for (short f : {kText, kBitmap, kMetafile, kDib, kPalette, kEnhMetafile, kFiles, kRtf})
        for (const FORMATETC& etc : ClipFormatsOf(f))
            if (etc.cfFormat == clip)
                return f;
    return 0;
}

namespace {

[[noreturn]] void Mismatch() {
    Raise(ErrTypeMismatch);
}

bool IsPictureFormat(short format) {
    return format != kText && format != kRtf && format != kFiles;
}

short PictureFormat(short type) {
    return type == PICTYPE_METAFILE ? kMetafile : type == PICTYPE_ENHMETAFILE ? kEnhMetafile : kBitmap;
}

Variant FittedFiles(const VARIANT& value) {
    if (V_VT(&value) == VT_BSTR)
        return Variant(value);
    if (V_VT(&value) != (VT_ARRAY | VT_VARIANT) && V_VT(&value) != (VT_ARRAY | VT_BSTR))
        Mismatch();
    return Variant(value);
}

} // namespace

Variant Fitted(const VARIANT& value, short format) {
    if (format == kFiles)
        return FittedFiles(value);
    if (!IsPictureFormat(format)) {
        if (V_VT(&value) == VT_DISPATCH || V_VT(&value) == VT_UNKNOWN || (V_VT(&value) & VT_ARRAY))
            Mismatch();
        Variant text;
        if (FAILED(VariantChangeType(text.Put(), const_cast<VARIANT*>(&value), VARIANT_ALPHABOOL, VT_BSTR)))
            Mismatch();
        return text;
    }
    const ComPtr<IPicture> picture = PictureOf(value);
    const short kind = format == kDib || format == kPalette ? short{kBitmap} : format;
    if (!picture || PictureFormat(PictureType(picture.Get())) != kind)
        Mismatch();
    if (format == kPalette) {
        OLE_HANDLE palette = 0;
        if (FAILED(picture->get_hPal(&palette)) || !palette)
            Mismatch();
    }
    return Variant(value);
}

short FormatOfValue(const VARIANT& value) {
    if (const ComPtr<IPicture> picture = PictureOf(value))
        return PictureFormat(PictureType(picture.Get()));
    if (V_VT(&value) & VT_ARRAY)
        return kFiles;
    return kText;
}

HRESULT Render(const VARIANT& value, const Files& files, const FORMATETC& asked, STGMEDIUM& medium) {
    medium = STGMEDIUM{};
    const HANDLE handle = RenderHandle(value, files, asked.cfFormat);
    if (!handle)
        return DV_E_FORMATETC;
    const FORMATETC how = ClipFormatsOf(FormatOf(asked.cfFormat)).front();
    medium.tymed = how.tymed;
    medium.hGlobal = handle; // one union: hBitmap, hMetaFilePict and hEnhMetaFile alike
    return S_OK;
}

Variant Read(IDataObject* data, short format) {
    switch (format) {
    case kText: {
        Variant text = ReadText(data, CF_TEXT, true);
        return text.IsEmpty() ? ReadText(data, CF_TEXT, false) : text;
    }
    case kRtf:
        return ReadText(data, RtfClip(), false);
    case kFiles: {
        const Files files = ReadFiles(data);
        return files.empty() ? Variant() : FilesValue(files);
    }
    default:
        return ReadPicture(data, format);
    }
}

Files ReadFiles(IDataObject* data) {
    Files files;
    Medium medium;
    if (!Fetch(data, Etc(CF_HDROP, TYMED_HGLOBAL), medium))
        return files;
    const auto drop = static_cast<HDROP>(medium.m.hGlobal);
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring name(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        name.resize(DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size())));
        files.push_back(name);
    }
    return files;
}

Variant FilesValue(const Files& files) {
    // An array of Variants: a script indexes no other kind.
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(files.size()));
    if (!array)
        Raise(ErrOutOfMemory);
    for (LONG i = 0; i < static_cast<LONG>(files.size()); ++i) {
        const Variant name = Variant::FromText(files[static_cast<size_t>(i)]);
        SafeArrayPutElement(array, &i, const_cast<VARIANT*>(&name.Get()));
    }
    Variant value;
    VARIANT* v = value.Put();
    V_VT(v) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(v) = array;
    return value;
}

} // namespace zarn::data
