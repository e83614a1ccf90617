// The built discharge.exe as Windows reads it: the version record that the
// file's properties show, in Chinese, and the icon in its three sizes.
#include "platform/win32/form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::win32::Wide;

class Resources : public testing::Test {
protected:
    void SetUp() override
    {
        const DWORD size = GetFileVersionInfoSizeW(program.c_str(), nullptr);
        ASSERT_NE(size, 0u) << "no version record in " << DISCHARGE_EXE;
        record.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(program.c_str(), 0, size, record.data()));
    }
    template <class T>
    const T* Query(const wchar_t* path)
    {
        void* value = nullptr;
        UINT size = 0;
        return VerQueryValueW(record.data(), path, &value, &size) && size ? static_cast<const T*>(value) : nullptr;
    }

    const std::wstring program = Wide(DISCHARGE_EXE);
    std::vector<char> record;
};

TEST_F(Resources, VersionRecordIsTheProjectsInChinese)
{
    const auto* fixed = Query<VS_FIXEDFILEINFO>(L"\\");
    ASSERT_TRUE(fixed);
    const std::wstring version = std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L'.'
                                 + std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L'.'
                                 + std::to_wstring(HIWORD(fixed->dwFileVersionLS)) + L'.'
                                 + std::to_wstring(LOWORD(fixed->dwFileVersionLS));
    EXPECT_EQ(version, Wide(DISCHARGE_VERSION));
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);

    const auto* translation = Query<WORD>(L"\\VarFileInfo\\Translation");
    ASSERT_TRUE(translation);
    EXPECT_EQ(translation[0], 0x0804); // Chinese (Simplified)
    EXPECT_EQ(translation[1], 1200);   // Unicode

    const struct {
        const wchar_t* name;
        std::wstring value;
    } strings[] = {
        {L"FileVersion", Wide(DISCHARGE_VERSION)},
        {L"ProductVersion", Wide(DISCHARGE_VERSION)},
        {L"FileDescription", Wide("污水排放量计算")}, // as Chinese text, not its UTF-8 bytes
        {L"OriginalFilename", L"discharge.exe"},
    };
    for (const auto& [name, value] : strings) {
        const auto* text = Query<wchar_t>((L"\\StringFileInfo\\080404b0\\" + std::wstring(name)).c_str());
        EXPECT_EQ(text ? std::wstring(text) : L"(none)", value);
    }
}

// The icon group that Explorer and the taskbar use: 16, 32 and 48 pixels.
TEST_F(Resources, IconHasThreeSizes)
{
    const HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module);
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14)); // RT_GROUP_ICON
    ASSERT_TRUE(found);
    const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    // A group: reserved, type, count, then 14 bytes an image, width first.
    const WORD count = reinterpret_cast<const WORD*>(group)[2];
    std::vector<int> widths;
    for (WORD i = 0; i < count; ++i)
        widths.push_back(group[6 + 14 * i]);
    EXPECT_EQ(widths, (std::vector<int>{16, 32, 48}));
    FreeLibrary(module);
}

} // namespace
