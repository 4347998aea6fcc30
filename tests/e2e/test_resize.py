"""A resized window keeps the scene's proportions: wider, the view keeps its 30-degree
height and shows more at the sides; narrower (800 x 600), the whole width of the scene
shows, panel and all. Clicks still land on the blocks and buttons under them, and the window
stays between the smallest size that keeps the text legible and the largest the GL draws."""

import sys
import time

from flipora_e2e import (CLIENT_SIZE, block_centre, board_rect, check, check_exit_button_whole,
                         check_turned_blocks, project, run)

CLEAR_COLOUR = (0, 69, 77)  # (0, 0.27, 0.3) in 8 bits


def is_background(pixel):
    return all(abs(a - b) <= 6 for a, b in zip(pixel, CLEAR_COLOUR))


def block_extent(image, centre):
    """Width and height of the block around centre, scanning out to the clear colour."""
    x, y = centre
    left = x
    while left > 0 and not is_background(image.pixel(left - 1, y)):
        left -= 1
    right = x
    while right < image.width - 1 and not is_background(image.pixel(right + 1, y)):
        right += 1
    top = y
    while top > 0 and not is_background(image.pixel(x, top - 1)):
        top -= 1
    bottom = y
    while bottom < image.height - 1 and not is_background(image.pixel(x, bottom + 1)):
        bottom += 1
    return right - left + 1, bottom - top + 1


def expected_block_size(size):
    left, top = project(-3.0, 3.0, -49.5, size)
    right, bottom = project(3.0, -3.0, -49.5, size)
    return right - left, bottom - top


def play(session):
    session.write_scores(20, [(0, "a")] * 5, [(0, "b")] * 5)
    session.start()
    check(session.client_size() == CLIENT_SIZE,
          f"the client area opened at {session.client_size()}")
    before = session.screenshot("opened")
    width, height = block_extent(before, block_centre(10))
    expected = expected_block_size(CLIENT_SIZE)
    check(abs(width - expected[0]) <= 4 and abs(height - expected[1]) <= 4,
          f"block 10 is {width} x {height} px, expected about {expected}")

    # Wider and lower: the picture shrinks with the height and shows more at the sides.
    size = (1240, 520)
    session.x("xdotool", "windowsize", "--sync", session.window[0], str(size[0]), str(size[1]))
    check(session.client_size() == size, f"the window is {session.client_size()}")
    board = board_rect(size)
    resized = session.wait_until_settled("resized", board)
    width, height = block_extent(resized, block_centre(10, size))
    expected = expected_block_size(size)
    check(abs(width - height) <= 3, f"block 10 lost its square shape: {width} x {height} px")
    check(abs(width - expected[0]) <= 4 and abs(height - expected[1]) <= 4,
          f"block 10 is {width} x {height} px after the resize, expected about {expected}")

    # Picking follows the new view: block 10 turns, and no other block does.
    session.click_block(10, size)
    turned = session.wait_until_settled("block-10-turned", board)
    check_turned_blocks(turned, resized, [10], size, " after the click")

    # Far wider than the GL may draw (no window manager here to honour the maximum size
    # the game sets): the game sizes itself back to 8192, the most it ever draws.
    session.x("xdotool", "windowsize", session.window[0], "12000", str(size[1]))
    deadline = time.monotonic() + 20
    while session.client_size()[0] != 8192 and time.monotonic() < deadline:
        session.check_still_running("waiting for the window to come back to 8192")
        time.sleep(0.2)
    check(session.client_size() == (8192, size[1]),
          f"the window stayed {session.client_size()} wide, beyond what the GL can draw")
    session.x("xdotool", "windowsize", "--sync", session.window[0], str(size[0]), str(size[1]))
    session.wait_until_settled("back-from-too-wide", board)

    # 4:3, narrower than the scene: blocks keep their square shape at the size the width
    # gives them, the panel shows whole, and a click turns the block under it.
    size = (800, 600)
    session.x("xdotool", "windowsize", "--sync", session.window[0], str(size[0]), str(size[1]))
    check(session.client_size() == size, f"the window is {session.client_size()}")
    board = board_rect(size)
    narrow = session.wait_until_settled("narrow", board)
    width, height = block_extent(narrow, block_centre(5, size))
    expected = expected_block_size(size)
    check(abs(width - expected[0]) <= 4 and abs(height - expected[1]) <= 4,
          f"block 5 is {width} x {height} px at {size}, expected about {expected}")
    check_exit_button_whole(narrow, size)
    session.click_block(5, size)
    turned = session.wait_until_settled("narrow-block-5-turned", board)
    check_turned_blocks(turned, narrow, [5], size, " after the click at 800 x 600")

    # Smaller than the text can be read at: sized back to the smallest window.
    smallest = (762, 507)
    session.x("xdotool", "windowsize", session.window[0], "400", "300")
    deadline = time.monotonic() + 20
    while session.client_size() != smallest and time.monotonic() < deadline:
        session.check_still_running("waiting for the window to come back to its smallest size")
        time.sleep(0.2)
    check(session.client_size() == smallest,
          f"the window stayed {session.client_size()}, smaller than {smallest}")
    hints = session.x("xprop", "-id", session.window[0], "WM_NORMAL_HINTS")
    check("minimum size: 762 by 507" in hints, f"no minimum size for a window manager: {hints}")
    smallest_shot = session.wait_until_settled("smallest", board_rect(smallest))
    check_exit_button_whole(smallest_shot, smallest)

    session.click_button("Exit", smallest)
    code = session.wait_exit()
    check(code == 0, f"exit code {code}")


if __name__ == "__main__":
    sys.exit(run("resize", play))
