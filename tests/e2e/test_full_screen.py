"""F11 under a window manager on a 4:3 screen, narrower than the window's proportions: the
window covers the screen, the whole scene shows with its text grown with it, clicks still
hit the block under them, F11 again gives the window its size back, and at full screen the
whole panel shows down to the Exit button, whose click ends the game."""

import sys

from flipora_e2e import (CLIENT_SIZE, TEXT_PLACES, TEXT_Z, board_rect, check,
                         check_exit_button_whole, check_turned_blocks, piece_rect, project, run)

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


def play(session):
    session.write_scores(30, [(10, "ann"), (9, "bob"), (8, "cid"), (7, "dee"), (6, "eve")],
                         [(100, "ann"), (90, "bob"), (80, "cid"), (70, "dee"), (60, "eve")])
    session.start_window_manager()
    session.start()
    check(session.client_size() == CLIENT_SIZE, f"the window opened at {session.client_size()}")
    windowed_origin = session.window_origin()
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
