"""Frames come at most 60 a second, also where the swap does not wait for a display
refresh (Xvfb has none): the game prints its frame-rate text to stderr on request. And
however few a loaded machine manages, a change of the picture is drawn: the running clock
shows each step."""

import re
import sys
import time

from flipora_e2e import check, clock_rect, run


def play(session):
    session.write_scores(3, [(0, "a")] * 5, [(0, "b")] * 5)
    session.start()
    # A running clock as well: the frame rate must not depend on the game's state.
    started = time.monotonic()
    session.click_block(0)
    first = session.screenshot("clock-running")
    session.wait_until("the clock's next step on screen",
                       lambda image: image.count_differences(first, clock_rect()) > 0, timeout=10)
    time.sleep(max(0.0, 6.5 - (time.monotonic() - started)))
    session.screenshot("after-six-seconds")
    session.tap("Escape")
    code = session.wait_exit()
    check(code == 0, f"exit code {code}")

    rates = [int(n) for n in re.findall(r"flipora: FPS: (\d+)", session.stderr_text())]
    # The first figure counts the frames of the first partial second.
    rates = rates[1:]
    print(f"frames per second: {rates}")
    check(len(rates) >= 4, f"only {len(rates)} frame-rate figures in 6.5 s")
    check(max(rates) <= 62, f"more than 60 frames a second: {rates}")


if __name__ == "__main__":
    sys.exit(run("frame_rate", play))
