"""A time trial: a few turns, pause and resume with Space, translucent blocks with Page
Down, the clock run out by holding R, Escape. The pause and the quit are quick taps (press
and release in one batch of events), which must not be lost. The score earns no place.
Then two games on two displays share the folder and each places a name: both names stay
in the file, also when one game's X server dies right after its Enter."""

import sys
import time

from flipora_e2e import (Dealer, advance, banner_rect, board_rect, check, check_turned_blocks,
                         clock_rect, fps_rect, pair_positions, panel_rect, read_score_file, run)

START_COUNTER = 97


def play(session):
    normal = [(24, "n1"), (23, "n2"), (22, "n3"), (21, "n4"), (20, "n5")]
    trial = [(5000, "t1"), (4000, "t2"), (3000, "t3"), (2000, "t4"), (1000, "t5")]
    session.write_scores(START_COUNTER, normal, trial)
    session.start()

    board = board_rect()
    panel = panel_rect()
    face_down = session.screenshot("start")

    # Two matching turns and one that misses: 2 pairs in 3 moves, six blocks face up.
    pairs = pair_positions(Dealer().deal(START_COUNTER))
    (a1, a2), (b1, b2), (c1, _), (d1, _) = pairs[:4]
    for block in (a1, a2, b1, b2, c1, d1):
        session.click_block(block)
    turned = session.wait_until_settled("three-turns", board)
    check_turned_blocks(turned, face_down, (a1, a2, b1, b2, c1, d1))

    # A tap of Space pauses: the banner fades in over the board and the clock stands still.
    session.key("space", delay_ms=0)
    paused = session.wait_until_settled("paused", board)
    check(paused.count_differences(turned, banner_rect()) > 2000, "no Paused banner")
    time.sleep(1.5)
    still = session.screenshot("still-paused")
    check(still.count_differences(paused, clock_rect()) == 0, "the clock ran while paused")

    # Page Down: the blocks turn translucent; the board changes and nothing else does.
    session.tap("Next")
    translucent = session.wait_until(
        "translucent",
        lambda image: image.count_differences(paused, board) > 20000)
    translucent = session.wait_until_settled("translucent-settled", board)
    outside = translucent.differences_outside(paused, [board, fps_rect()])
    check(outside == 0, f"{outside} pixels changed outside the board with Page Down")
    check(translucent.count_differences(paused, panel) == 0, "the panel changed")

    # Page Down again: back to opaque blocks, exactly as before.
    session.tap("Next")
    session.wait_until(
        "opaque-again", lambda image: image.count_differences(paused, board) == 0)

    # Space resumes: the banner goes and the clock runs on.
    session.tap("space")
    resumed = session.wait_until(
        "resumed", lambda image: image.count_differences(turned, board) == 0)
    session.wait_until("clock-running",
                       lambda image: image.count_differences(resumed, clock_rect()) > 0,
                       timeout=5)

    # Holding R sets the clock to 0:00: the game ends with 200 + 20 / 3 = 206 points,
    # which earns no place in a table whose lowest entry is 1000.
    session.key_down("r")
    time.sleep(0.5)
    session.key_up("r")
    session.wait_until(
        "game-over", lambda image: image.count_differences(turned, banner_rect()) > 2000)
    session.wait_until_settled("game-over-settled", board)

    # A tap of Escape quits.
    session.key("Escape", delay_ms=0)
    code = session.wait_exit(timeout=10)
    check(code == 0, f"exit code {code}")
    counter, scores, names = read_score_file(session.score_path)
    check(counter == 98, f"counter {counter}, expected 98")
    check(scores == [s for s, _ in normal + trial] and names == [n for _, n in normal + trial],
          f"the tables changed: {scores} {names}")

    two_players(session)


def two_players(session):
    normal = [(24, "n1"), (23, "n2"), (22, "n3"), (21, "n4"), (20, "n5")]
    trial = [(300, "t1"), (200, "t2"), (100, "t3"), (50, "t4"), (10, "t5")]
    session.write_scores(40, normal, trial)
    other = session.twin()
    try:
        session.start()
        other.start()
        # One pair in one move each: 110, which ranks third.
        session.finish_time_trial(40)
        other.finish_time_trial(40)
        session.key(*"alpha", "Return")
        session.wait_for_file("alpha's entry", lambda c, s, n: n[5:9] == ["t1", "t2", "alpha", "t3"])
        # The other game still shows the table it read; its entry goes into the file as
        # it is now, below the equal score already there.
        other.key(*"beta", "Return")
        session.wait_for_file("beta's entry",
                              lambda c, s, n: n[5:] == ["t1", "t2", "alpha", "beta", "t3"])
        other.server.stop()
        other.wait_exit()
        session.tap("Escape")
        code = session.wait_exit()
        check(code == 0, f"exit code {code}")
    finally:
        other.close_twin()
    counter, scores, names = read_score_file(session.score_path)
    check(scores[5:] == [300, 200, 110, 110, 100] and
          names[5:] == ["t1", "t2", "alpha", "beta", "t3"],
          f"the time-trial table lost an entry: {scores[5:]} {names[5:]}")
    check(scores[:5] == [s for s, _ in normal] and names[:5] == [n for _, n in normal],
          "the normal table changed")
    # The counter is the game's own that quit last: one round reset (Enter) and the exit.
    check(counter == advance(advance(40)), f"counter {counter}, expected {advance(advance(40))}")


if __name__ == "__main__":
    sys.exit(run("time_trial", play))
