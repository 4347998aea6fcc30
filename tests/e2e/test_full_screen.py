"""Under a window manager on a 4:3 screen: another window dragged across the game while it
has no focus, and one closed over it, leave no trace of themselves in its window. Then F11,
narrower than the window's proportions: the window covers the screen, the whole scene shows
with its text grown with it, clicks still hit the block under them, F11 again gives the
window its size back, and at full screen the whole panel shows down to the Exit button,
whose click ends the game."""

import subprocess
import sys
import time

from flipora_e2e import (CLIENT_SIZE, TEXT_PLACES, TEXT_Z, board_rect, check,
                         check_exit_button_whole, check_turned_blocks, fps_rect, piece_rect,
                         project, run)

# 4:3: the scene fills the width, 1600 / 1016 of its size, with background above and below.
SCREEN = (1600, 1200)


def score_list_rect(size):
    """The five rows of the score list, from the first row's raster position to the
    scores' column, a little around."""
    x, y = TEXT_PLACES["kScoreFirstRow"]
    left, top = project(x - 0.05, y + 0.12, TEXT_Z, size)
    right, bottom = project(3.8, y - 0.66, TEXT_Z, size)
    return round(left), round(top), round(right), round(bottom)


def dark_pixels(image, rect):
    return sum(1 for _, row in image.rows(rect) for i in range(0, len(row), 3)
               if max(row[i], row[i + 1], row[i + 2]) < 60)


def other_window(session, geometry):
    """Another program's window at geometry (WxH+X+Y), mapped and given the focus."""
    other = subprocess.Popen(["xmessage", "-geometry", geometry, "-bg", "white", "-fg", "black",
                              "another program's window"], env=session.env,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    window = session.wait_for_window("xmessage")
    session.focus(window[0])
    return other, window[0]


def check_no_trace(session, before, label):
    """The game's window, left alone again, shows what it showed before the other window
    (but for the frame-rate figure, which the focused game may have updated meanwhile)."""
    ox, oy = session.window_origin()
    client = (ox, oy, ox + CLIENT_SIZE[0], oy + CLIENT_SIZE[1])
    after = session.wait_until_settled(label, client)
    left, top, right, bottom = fps_rect()
    ghost = (after.count_differences(before, client) -
             after.count_differences(before, (ox + left, oy + top, ox + right, oy + bottom)))
    check(ghost == 0, f"{ghost} pixels of the game's window still show the other window ({label})")


def no_trace_of_other_windows(session):
    """A window dragged across the game without the focus, and one closed over it."""
    ox, oy = session.window_origin()
    before = session.wait_until_settled("before-other-window",
                                        (ox, oy, ox + CLIENT_SIZE[0], oy + CLIENT_SIZE[1]))
    # The pointer away from both, where it gives no window the focus.
    session.x("xdotool", "mousemove", "--sync", str(SCREEN[0] - 1), str(SCREEN[1] - 1))
    other, wid = other_window(session, f"440x540+{ox + 40}+{oy + 60}")
    for step in range(1, 9):
        session.x("xdotool", "windowmove", "--sync", wid, str(ox + 40 + step * 80), str(oy + 60))
        time.sleep(0.05)
    session.x("xdotool", "windowmove", "--sync", wid, str(ox + 100), str(oy + CLIENT_SIZE[1] + 20))
    check_no_trace(session, before, "dragged-across")
    other.terminate()
    other.wait()
    other, wid = other_window(session, f"600x400+{ox + 200}+{oy + 150}")
    time.sleep(0.3)
    other.terminate()
    other.wait()
    check_no_trace(session, before, "closed-over")


def play(session):
    session.write_scores(30, [(10, "ann"), (9, "bob"), (8, "cid"), (7, "dee"), (6, "eve")],
                         [(100, "ann"), (90, "bob"), (80, "cid"), (70, "dee"), (60, "eve")])
    session.start_window_manager()
    session.start()
    check(session.client_size() == CLIENT_SIZE, f"the window opened at {session.client_size()}")
    windowed_origin = session.window_origin()
    no_trace_of_other_windows(session)
    session.focus(session.window[0])
    windowed = session.screenshot("windowed")

    session.key("F11")
    session.wait_until("full-screen", lambda image: session.client_size() == SCREEN)
    check(session.window_origin() == (0, 0), f"full screen at {session.window_origin()}")
    board = board_rect(SCREEN)
    # The text is rebuilt once the size has rested, then the picture stays.
    full = session.wait_until_settled("full-screen-settled", board)
    full = session.wait_until_settled("full-screen-text", score_list_rect(SCREEN))
    ox, oy = windowed_origin
    small_rect = score_list_rect(CLIENT_SIZE)
    small_ink = dark_pixels(windowed, (small_rect[0] + ox, small_rect[1] + oy,
                                       small_rect[2] + ox, small_rect[3] + oy))
    large_ink = dark_pixels(full, score_list_rect(SCREEN))
    # 19-pixel glyphs against 12: about (19 / 12)^2 = 2.5 times the ink; a list cut off at
    # the right edge has less.
    check(small_ink > 100, f"no score list in the window ({small_ink} dark pixels)")
    check(2.0 * small_ink < large_ink < 3.0 * small_ink,
          f"the score list has {large_ink} dark pixels at full screen, {small_ink} before")

    session.click_block(10, SCREEN)
    turned = session.wait_until_settled("block-10-turned", board)
    check_turned_blocks(turned, full, [10], SCREEN, " after the click")

    check_exit_button_whole(turned, SCREEN, " at full screen")

    session.key("F11")
    session.wait_until("windowed-again", lambda image: session.client_size() == CLIENT_SIZE)
    session.key("F11")
    session.wait_until("full-screen-again", lambda image: session.client_size() == SCREEN)
    session.wait_until_settled("full-screen-again-settled", board)
    # Near the Exit button's right end, the part a cut-off panel loses first.
    left, top, right, bottom = piece_rect("Exit", SCREEN)
    session.click((right - 8, (top + bottom) // 2))
    code = session.wait_exit()
    check(code == 0, f"exit code {code}")


if __name__ == "__main__":
    sys.exit(run("full_screen", play, SCREEN))
