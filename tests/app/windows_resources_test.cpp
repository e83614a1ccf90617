// The built discharge.exe as Windows reads it: the version record that the
// file's properties show, in Chinese, and the icon in its three sizes.
#include "platform/win32/form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::win32::Wide;

TEST(Resources, VersionRecordIsTheProjectsInChinese)
{
    const std::wstring program = Wide(DISCHARGE_EXE), version = Wide(DISCHARGE_VERSION);
    std::vector<char> record(GetFileVersionInfoSizeW(program.c_str(), nullptr));
    ASSERT_TRUE(!record.empty() && GetFileVersionInfoW(program.c_str(), 0, DWORD(record.size()), record.data()));
    const auto query = [&record](const std::wstring& path) {
        void* value = nullptr;
        UINT size = 0;
        return VerQueryValueW(record.data(), path.c_str(), &value, &size) && size ? value : nullptr;
    };
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(query(L"\\"));
    const auto* translation = static_cast<const WORD*>(query(L"\\VarFileInfo\\Translation"));
    ASSERT_TRUE(fixed && translation);
    EXPECT_EQ(std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L'.' + std::to_wstring(LOWORD(fixed->dwFileVersionMS))
                  + L'.' + std::to_wstring(HIWORD(fixed->dwFileVersionLS)) + L'.'
                  + std::to_wstring(LOWORD(fixed->dwFileVersionLS)),
              version);
    // Chinese (Simplified), Unicode.
    EXPECT_EQ(std::pair(translation[0], translation[1]), (std::pair<WORD, WORD>(0x0804, 1200)));
    // The description as Chinese text, not its UTF-8 bytes read as another code page.
    for (const auto& [name, value] : {std::pair{L"FileVersion", version}, {L"ProductVersion", version},
                                      {L"FileDescription", Wide("污水排放量计算")}}) {
        const auto* text = static_cast<const wchar_t*>(query(L"\\StringFileInfo\\080404b0\\" + std::wstring(name)));
        EXPECT_EQ(text ? std::wstring(text) : L"(none)", value) << name;
    }
}

// The icon group that Explorer and the taskbar use: 16, 32 and 48 pixels.
TEST(Resources, IconHasThreeSizes)
{
    const HMODULE module = LoadLibraryExW(Wide(DISCHARGE_EXE).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const HRSRC found = module ? FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14)) : nullptr;
    ASSERT_TRUE(found); // RT_GROUP_ICON 1
    // A group: reserved, type, count, then 14 bytes an image, width first.
    const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    std::vector<int> widths;
    for (int i = 0; i < reinterpret_cast<const WORD*>(group)[2]; ++i)
        widths.push_back(group[6 + 14 * i]);
    EXPECT_EQ(widths, (std::vector<int>{16, 32, 48}));
    FreeLibrary(module);
}

} // namespace
