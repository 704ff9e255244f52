// Form files: every value type the file knows reads and writes back to the
// same text, pictures survive as their own stream, and a broken file is
// refused with the line to blame.
#include "form/Files.h"
#include "form/FormFile.h"
#include "form/PictureCodec.h"

#include <gtest/gtest.h>

#include <olectl.h>
#include <wrl/client.h>

namespace zarnhost {
namespace {

using Microsoft::WRL::ComPtr;

constexpr char kEveryType[] = "# zarnhost form\n"
                              "Form 300 120\n"
                              "\n"
                              "Control Zarn1 Zarn2.Zarn 20 20 160 21\n"
                              "    AllowNull Boolean True\n"
                              "    Off Boolean False\n"
                              "    Odd Boolean 1\n"
                              "    TextMaxLength Long 0\n"
                              "    TextMaxLength Integer 30\n"
                              "    Low Integer -32768\n"
                              "    Lowest Long -2147483648\n"
                              "    FontSize Single 8.25\n"
                              "    Tenth Single 0.1\n"
                              "    Tiny Double 1e-07\n"
                              "    TodayFontSize Currency 11.25\n"
                              "    Debt Currency -0.0001\n"
                              "    When Date 45000.5\n"
                              "    Seperator String \"/\"\n"
                              "    Tricky String \"a \\\"b\\\" \\\\ c\\n\\u0001 \xC3\xA9\"\n"
                              "    Colour ULong &H80000008\n"
                              "    Level Byte 255\n"
                              "    Unset Empty\n"
                              "    Unknown Null\n"
                              "    Icon Object Nothing\n"
                              "    Blank Picture empty\n"
                              "    \"Key with blanks\" Long 1\n"
                              "    \"End\" Long 2\n"
                              "End\n"
                              "\n"
                              "Control \"Second one\" Zarn2.Zarn -5 60 160 21\n"
                              "End\n";

TEST(FormFile, EveryTypeAndPlaceReadsAndWritesBackUnchanged) {
    const FormLayout form = ParseForm(kEveryType);
    ASSERT_EQ(form.controls.size(), 2u);
    EXPECT_EQ(FormText(form), kEveryType);
    // The text is written from what was read: the same text back means the
    // places, keys and types were all read; here only what no text shows.
    EXPECT_TRUE(form.controls[1].bag->Empty()); // never saved: initialised as new
}

ComPtr<IPictureDisp> CheckerPicture() {
    const WORD bits[] = {0x5555, 0xAAAA, 0x5555, 0xAAAA};
    PICTDESC description{};
    description.cbSizeofstruct = sizeof description;
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = CreateBitmap(4, 4, 1, 1, bits);
    ComPtr<IPictureDisp> picture;
    OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE,
                             reinterpret_cast<void**>(picture.GetAddressOf()));
    return picture;
}

TEST(FormFile, APictureSurvivesAsItsOwnStreamAndAnUnreadableOneIsRefused) {
    const ComPtr<IPictureDisp> original = CheckerPicture();
    ASSERT_TRUE(original);
    std::wstring text;
    ASSERT_EQ(EncodePicture(original.Get(), text), S_OK);
    EXPECT_NE(text, L"empty");

    Variant decoded;
    ASSERT_EQ(DecodePicture(text, decoded), S_OK);
    ASSERT_TRUE(IsPicture(decoded.Get()));
    ComPtr<IPicture> picture;
    V_DISPATCH(&decoded.Get())->QueryInterface(IID_PPV_ARGS(&picture));
    SHORT type = 0;
    picture->get_Type(&type);
    EXPECT_EQ(type, PICTYPE_BITMAP);
    std::wstring again;
    ASSERT_EQ(EncodePicture(picture.Get(), again), S_OK);
    EXPECT_EQ(again, text);

    Variant out;
    EXPECT_TRUE(FAILED(DecodePicture(L"not base64!", out)));
    EXPECT_TRUE(FAILED(DecodePicture(L"", out)));
}

std::wstring ErrorOf(const char* text) {
    try {
        ParseForm(text);
    } catch (const FormFileError& e) {
        return e.message;
    }
    return L"(accepted)";
}

TEST(FormFile, BrokenFilesAreRefusedWithTheLineToBlame) {
    const std::string head = "Form 300 120\nControl A Zarn2.Zarn 0 0 10 10\n";
    const std::pair<std::string, const wchar_t*> cases[] = {
        {"", L"line 1: the file has no Form line"},
        {"Form 300\n", L"line 1: expected Form <width> <height>"},
        {"Form 0 120\n", L"line 1: the width must be a whole number from 1 to 32767"},
        {"Control A Zarn2.Zarn 0 0 10 10\nEnd\n", L"line 1: a Control before the Form line"},
        {head + "    Key Long x\nEnd\n", L"line 3: Key: cannot read x as Long"},
        {head + "    Key Integer 40000\nEnd\n", L"line 3: Key: cannot read 40000 as Integer"},
        {head + "    Key String abc\nEnd\n", L"line 3: Key: cannot read abc as String"},
        {head + "    Key Float 1\nEnd\n", L"line 3: Key: unknown type Float"},
        {head + "    Key String \"abc\nEnd\n", L"line 3: a quoted text has no closing quote"},
        {head + "    Key Object 1\nEnd\n", L"line 3: Key: an Object value can only be Nothing"},
        {head, L"line 3: the last Control has no End"},
        {head + "End\nControl a Zarn2.Zarn 0 0 10 10\nEnd\n", L"line 4: a second control named a"},
    };
    for (const auto& [text, message] : cases)
        EXPECT_EQ(ErrorOf(text.c_str()), message) << text;
}

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

// The save goes through a temporary file beside the form, which must not
// stay behind, and a save that cannot write a value leaves the old file.
TEST(FormFile, SavesReplaceTheFileWholeAndLeaveNothingElse) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder =
        std::wstring(temp) + L"zarnhost_save_" + std::to_wstring(GetCurrentProcessId());
    const std::wstring path = folder + L"\\sub\\saved.form";
    FormLayout form = ParseForm(kEveryType);
    WriteFormFile(path, form);
    WriteFormFile(path, form);
    EXPECT_EQ(FilesIn(folder + L"\\sub"), std::vector<std::wstring>{L"saved.form"});

    Variant array; // no property is an array: the save stops before the file is touched
    V_VT(array.Ptr()) = VT_ARRAY | VT_I4;
    V_ARRAY(array.Ptr()) = SafeArrayCreateVector(VT_I4, 0, 1);
    form.controls[1].bag->Add(L"Array", std::move(array));
    EXPECT_THROW(WriteFormFile(path, form), FormFileError);
    EXPECT_EQ(FormText(ParseForm(ReadWholeFile(path))), kEveryType);
    EXPECT_EQ(FilesIn(folder + L"\\sub"), std::vector<std::wstring>{L"saved.form"});

    DeleteFileW(path.c_str());
    RemoveDirectoryW((folder + L"\\sub").c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST(FormFile, ToleratesWindowsLineEndsAndAByteOrderMark) {
    const FormLayout form = ParseForm("\xEF\xBB\xBF"
                                      "Form 10 20\r\nControl A P 1 2 3 4\r\n    K String \"x\"\r\nEnd\r\n");
    ASSERT_EQ(form.controls.size(), 1u);
    EXPECT_EQ(form.controls[0].bag->Entries().size(), 1u);
}

} // namespace
} // namespace zarnhost
