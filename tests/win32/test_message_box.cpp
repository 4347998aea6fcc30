// The Windows platform's boxes on Windows itself (under Wine in the tests): what the player
// reads in them, read back from the box's own text control.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "platform/message_box.h"

namespace {

// Closes the first box the given thread shows, keeping its title and text as the box has
// them.
struct BoxReader {
    std::wstring title;
    std::wstring text;
    std::atomic<bool> found{false};

    static BOOL CALLBACK TakeBox(HWND window, LPARAM found)
    {
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        if (std::wstring(className) != L"#32770")  // the dialog class of every box
            return TRUE;
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }

    void CloseWhenShown(DWORD thread)
    {
        for (int tries = 0; tries < 1000 && !found; ++tries) {
            HWND box = nullptr;
            EnumThreadWindows(thread, TakeBox, reinterpret_cast<LPARAM>(&box));
            if (!box || !IsWindowVisible(box)) {
                Sleep(10);
                continue;
            }
            wchar_t buffer[512] = {};
            GetWindowTextW(box, buffer, 512);
            title = buffer;
            GetDlgItemTextW(box, 0xFFFF, buffer, 512);  // the box's text control
            text = buffer;
            found = true;
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    }
};

}  // namespace

// A path under a folder with non-ASCII letters reads as it is, not as its UTF-8 bytes in
// the system's code page; bytes that are no UTF-8 show as replacement characters.
TEST(Win32Boxes, TextsAreShownFromUtf8)
{
    BoxReader reader;
    DWORD thread = GetCurrentThreadId();
    std::thread closer([&] { reader.CloseWhenShown(thread); });
    bool answer = ShowMessageBox("C:\\Spiele\\Gr\xc3\xb6\xc3\x9f" "e\\data\\Scores.txt \xe2\x82\xac \xff!",
                                 "SCORE FILE \xc3\x89RROR", BoxButtons::Ok, BoxIcon::Exclamation,
                                 false);
    closer.join();
    ASSERT_TRUE(reader.found) << "no box was shown";
    EXPECT_TRUE(answer);
    EXPECT_EQ(reader.title, L"SCORE FILE \u00c9RROR");
    EXPECT_EQ(reader.text, L"C:\\Spiele\\Gr\u00f6\u00dfe\\data\\Scores.txt \u20ac \ufffd!");
}
