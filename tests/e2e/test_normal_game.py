"""A whole normal-mode game through the window: Mode, three boards played pair by pair
from the deals the counter gives, the game-over banner, a name typed, Enter (saved at
once), then the terminal closed (SIGHUP), which saves and quits like Escape."""

import signal
import sys

from flipora_e2e import (Dealer, advance, banner_rect, block_rect, board_rect, check,
                         check_normal_entry_on_top, docs_picture, fps_rect, pair_positions,
                         panel_rect, ring_pixels, run, text_rects)

START_COUNTER = 41
NAME = "tester"


def play(session):
    trial = [(900, "ann"), (800, "bob"), (700, "cid"), (600, "dee"), (500, "eve")]
    normal = [(0, "x1"), (0, "x2"), (0, "x3"), (0, "x4"), (0, "x5")]
    session.write_scores(START_COUNTER, normal, trial)
    session.start()

    board = board_rect()
    panel = panel_rect()
    face_down = session.screenshot("start-face-down")
    if session.wine:
        differing = docs_picture("start.png").differences_outside(face_down, text_rects())
        check(differing == 0, f"{differing} pixels outside the text differ from the Linux start")

    def all_face_down(image):
        return image.count_differences(face_down, board) == 0

    # The generator runs on from the start-up deal; every round reset advances the counter.
    dealer = Dealer()
    counter = START_COUNTER
    dealer.deal(counter)

    # Mode before the first click: no question, normal mode (and the sound on).
    session.click_button("Mode")
    counter = advance(counter)
    deals = []
    for board_number in range(3):
        deals.append(dealer.deal(counter))
        if board_number == 0:
            # The frame that first shows the normal-mode panel has also dealt the new
            # board: no block was turning, so the deal came in that frame's update.
            session.wait_until(
                "mode-switched", lambda image: image.count_differences(face_down, panel) > 0)
        for first, second in pair_positions(deals[-1]):
            session.click_block(first)
            session.click_block(second)
        cleared = session.screenshot(f"board-{board_number + 1}-cleared")
        # A mouse player never sees the keyboard's ring.
        ringed = [block for block in range(16) if ring_pixels(cleared, block_rect(block)) > 0]
        check(not ringed, f"the keyboard highlight shows around blocks {ringed}")
        # The last pair faces up, then the whole board turns back and the next is dealt.
        counter = advance(counter)
        if board_number < 2:
            session.wait_until(f"board-{board_number + 2}-dealt", all_face_down)

    # The third cleared board also ends the game, once a fresh, unplayable board is dealt:
    # the banner fades in over the face-down board.
    dealer.deal(counter)
    banner = banner_rect()
    session.wait_until(
        "game-over-banner", lambda image: image.count_differences(face_down, banner) > 2000)
    over = session.wait_until_settled("game-over-settled", board)
    outside_banner = over.differences_outside(face_down, [banner_rect(grow=3), panel_rect(), fps_rect()])
    check(outside_banner == 0,
          f"{outside_banner} pixels outside the banner differ from a face-down board")

    session.key(*NAME, "Return")
    counter = advance(counter)
    # In the file as soon as it is placed, under the file's own counter.
    session.wait_for_file("the placed name",
                          lambda saved, scores, names: names[:2] == [NAME, "x1"] and
                          scores[0] == 1000 and saved == START_COUNTER)
    session.wait_until_settled("name-entered", board)
    if session.wine:
        session.tap("Escape")  # Windows has no hang-up signal
    else:
        session.process.send_signal(signal.SIGHUP)
    code = session.wait_exit()
    check(code == 0, f"exit code {code}")
    counter = advance(counter)

    check_normal_entry_on_top(session.score_path, counter, NAME, trial)
    if session.wine:
        with open(session.score_path, "rb") as f:
            lines = f.read().split(b"\n")
        check(lines[-1] == b"" and all(line.endswith(b"\r") for line in lines[:-1]),
              "the Windows game's score file does not end every line in CR LF")


if __name__ == "__main__":
    sys.exit(run("normal_game", play))
