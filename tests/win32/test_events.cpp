// The Win32 front end's side of the seam: window messages turned into the shell's records.
// (What the shell does with the records is test_shell_input.cpp's, on every system.)
#include <gtest/gtest.h>

#include "app/win32/win32_front_end.h"

namespace {

Event RecordOf(UINT message, WPARAM wParam, LPARAM lParam)
{
    Event record;
    EXPECT_TRUE(EventFromMessage(message, wParam, lParam, &record)) << message;
    return record;
}

}  // namespace

// Bit 30 of a key message says the key was down already: auto-repeat. The system-key
// messages (Alt held, F10) are marked as such, key-ups included.
TEST(Win32Events, KeysBecomeRecordsWithRepeatAndSystemKeys)
{
    Event press = RecordOf(WM_KEYDOWN, 'R', 0x00130001);
    EXPECT_EQ(press.kind, Event::Kind::KeyDown);
    EXPECT_EQ(press.key, 82);
    EXPECT_FALSE(press.repeat);
    EXPECT_FALSE(press.system);
    EXPECT_TRUE(RecordOf(WM_KEYDOWN, 'R', 0x40130001).repeat);

    Event system = RecordOf(WM_SYSKEYDOWN, 'R', 0x20130001);
    EXPECT_EQ(system.kind, Event::Kind::KeyDown);
    EXPECT_TRUE(system.system);
    EXPECT_TRUE(RecordOf(WM_SYSKEYDOWN, VK_F10, 0x00440001).system);

    Event release = RecordOf(WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001));
    EXPECT_EQ(release.kind, Event::Kind::KeyUp);
    EXPECT_EQ(release.key, 32);
    EXPECT_FALSE(release.system);
    EXPECT_TRUE(RecordOf(WM_SYSKEYUP, 'R', static_cast<LPARAM>(0xE0130001)).system);
}

TEST(Win32Events, WindowMouseAndQuitBecomeRecords)
{
    // Positions are signed: a click left of or above the client area (a captured drag).
    Event left = RecordOf(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(120, 45));
    EXPECT_EQ(left.kind, Event::Kind::MouseDown);
    EXPECT_TRUE(left.left);
    EXPECT_EQ(left.x, 120);
    EXPECT_EQ(left.y, 45);
    Event right = RecordOf(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(-3, 7));
    EXPECT_FALSE(right.left);
    EXPECT_EQ(right.x, -3);
    EXPECT_FALSE(RecordOf(WM_MBUTTONDOWN, MK_MBUTTON, 0).left);

    Event size = RecordOf(WM_SIZE, SIZE_RESTORED, MAKELPARAM(1016, 676));
    EXPECT_EQ(size.kind, Event::Kind::Size);
    EXPECT_EQ(size.x, 1016);
    EXPECT_EQ(size.y, 676);
    Event none;
    EXPECT_FALSE(EventFromMessage(WM_SIZE, SIZE_MINIMIZED, 0, &none)) << "a minimised window keeps its view";

    EXPECT_EQ(RecordOf(WM_PAINT, 0, 0).kind, Event::Kind::Exposed);
    EXPECT_EQ(RecordOf(WM_SETFOCUS, 0, 0).kind, Event::Kind::FocusGained);
    EXPECT_EQ(RecordOf(WM_KILLFOCUS, 0, 0).kind, Event::Kind::FocusLost);
    EXPECT_EQ(RecordOf(WM_CLOSE, 0, 0).kind, Event::Kind::Close);
    EXPECT_EQ(RecordOf(WM_QUIT, 0, 0).kind, Event::Kind::Quit);
    EXPECT_EQ(RecordOf(WM_ENDSESSION, TRUE, 0).kind, Event::Kind::SessionEnd);
    EXPECT_FALSE(EventFromMessage(WM_ENDSESSION, FALSE, 0, &none)) << "the session goes on";
    EXPECT_FALSE(EventFromMessage(WM_MOUSEMOVE, 0, 0, &none));
}
