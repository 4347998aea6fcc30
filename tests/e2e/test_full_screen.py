"""F11 under a window manager: the window covers the screen, the scene keeps its
proportions with its text grown to the new height, clicks still hit the block under them,
and F11 again gives the window its size back."""

import sys

from flipora_e2e import CLIENT_SIZE, board_rect, check, check_turned_blocks, project, run

# One and a half times the window, in its proportions: the whole panel stays in view.
SCREEN = (1524, 1014)


def score_list_rect(size):
    """The five rows of the score list: raster x 2.45 .. 3.75, y -1.0 .. -1.6 at -10."""
    left, top = project(2.4, -0.88, -10.0, size)
    right, bottom = project(3.8, -1.66, -10.0, size)
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
    # 18-pixel glyphs against 12: about (18 / 12)^2 = 2.25 times the ink.
    check(small_ink > 100, f"no score list in the window ({small_ink} dark pixels)")
    check(1.8 * small_ink < large_ink < 2.8 * small_ink,
          f"the score list has {large_ink} dark pixels at full screen, {small_ink} before")

    session.click_block(10, SCREEN)
    turned = session.wait_until_settled("block-10-turned", board)
    check_turned_blocks(turned, full, [10], SCREEN, " after the click")

    session.key("F11")
    session.wait_until("windowed-again", lambda image: session.client_size() == CLIENT_SIZE)
    session.tap("Escape")
    code = session.wait_exit()
    check(code == 0, f"exit code {code}")


if __name__ == "__main__":
    sys.exit(run("full_screen", play, SCREEN))
