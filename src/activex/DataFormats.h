#pragma once
// The formats of the automation data object and how each travels through
// an IDataObject: which clipboard formats stand for it, how a stored value
// is rendered into a storage medium, and how a medium is read back.
#include "platform/Variant.h"

#include <objidl.h>

#include <string>
#include <vector>

namespace zarn::data {

enum Format : short {
    kText = 1,
    kBitmap = 2,
    kMetafile = 3,
    kDib = 8,
    kPalette = 9,
    kEnhMetafile = 14,
    kFiles = 15,
    kRtf = -16639,
};

using Files = std::vector<std::wstring>;

// A format number a host may name; anything else is a run-time error.
short Checked(long format);

// The clipboard formats a format travels as, the preferred first.
std::vector<FORMATETC> ClipFormatsOf(short format);
// The format a clipboard format stands for; 0 when it stands for none.
short FormatOf(CLIPFORMAT clip);

// A value as a format keeps it: text for the text formats, a picture of
// the right kind for the picture formats, a list of names for files. A
// value that cannot be one is a type mismatch.
Variant Fitted(const VARIANT& value, short format);
// The format a value without one goes as.
short FormatOfValue(const VARIANT& value);

// Renders a kept value (files: the list) as the asked clipboard format.
HRESULT Render(const VARIANT& value, const Files& files, const FORMATETC& asked, STGMEDIUM& medium);
// Reads a format from a data object; Empty when it carries none.
Variant Read(IDataObject* data, short format);
Files ReadFiles(IDataObject* data);

// The list of names as a script sees it: an array of Variants holding Strings.
Variant FilesValue(const Files& files);

} // namespace zarn::data
