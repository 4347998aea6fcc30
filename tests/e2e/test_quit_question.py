"""The modal boxes: New during a game asks "Quit Game" (No keeps the game, Yes starts a
new one), About stops the game while it is open, Exit quits at once and still saves
(never through a link planted at a temporary name), and a quit signal while a box is
open ends the game at once, saved, without waiting for an answer. With stdout and stderr
closed a box changes none of that."""

import os
import signal
import sys
import time

from flipora_e2e import (WINDOW_TITLE, block_rect, board_rect, check, read_score_file, run)

START_COUNTER = 12


def play(session):
    normal = [(10, "a"), (9, "b"), (8, "c"), (7, "d"), (6, "e")]
    trial = [(50, "f"), (40, "g"), (30, "h"), (20, "i"), (10, "j")]
    session.write_scores(START_COUNTER, normal, trial)
    # A link at the old fixed temporary name must never be written through.
    victim = os.path.join(session.scratch, "victim.txt")
    with open(victim, "w") as f:
        f.write("not a score file\n")
    os.symlink(victim, session.score_path + ".tmp")
    session.start()
    board = board_rect()
    face_down = session.screenshot("start")

    # The first click starts the game; New now asks first. No keeps the game as it is.
    session.click_block(5)
    one_up = session.wait_until_settled("block-5-up", board)
    check(one_up.count_differences(face_down, block_rect(5, inset=0.5)) > 1000,
          "block 5 did not turn")
    session.click_button("New")
    box = session.wait_for_window("Quit Game")
    session.screenshot("quit-question")
    check(box[0] != session.windows()[WINDOW_TITLE][0], "the question is not a window of its own")
    session.answer_box("Quit Game", "Escape")
    kept = session.wait_until_settled("answered-no", board)
    check(kept.count_differences(one_up, board) == 0, "No changed the board")

    # About: nothing of the game runs while it is open, not even the frame-rate text.
    session.click_button("About")
    about = session.wait_for_window("About Flipora")
    first = session.screenshot("about-open")
    time.sleep(2.5)
    second = session.screenshot("about-still-open")
    _, bx, by, bw, bh = about
    box_rect = (bx - 2, by - 2, bx + bw + 2, by + bh + 2)
    check(second.differences_outside(first, [box_rect]) == 0,
          "the game drew frames while the About box was open")
    session.answer_box("About Flipora", "Return")

    # Yes: the block turns back and a new game is dealt.
    session.click_button("New")
    session.answer_box("Quit Game", "Return")
    session.wait_until("new-game", lambda image: image.count_differences(face_down, board) == 0)

    # Exit during a game: no question, the program ends and saves.
    session.click_block(0)
    session.wait_until_settled("block-0-up", board)
    session.click_button("Exit")
    code = session.wait_exit()
    check(code == 0, f"exit code {code}")
    check("Quit Game" not in session.windows(), "Exit asked a question")
    counter, scores, names = read_score_file(session.score_path)
    check(counter == START_COUNTER + 2, f"counter {counter}, expected {START_COUNTER + 2}")
    check(scores == [s for s, _ in normal + trial] and names == [n for _, n in normal + trial],
          f"the tables changed: {scores} {names}")
    with open(victim) as f:
        check(f.read() == "not a score file\n", "the save wrote through the planted link")
    leftovers = [n for n in os.listdir(session.data) if n.startswith("Scores.txt.tmp")]
    check(not leftovers, f"temporary files left beside the score file: {leftovers}")

    # A logout while About is open: the quit signal does not wait for the box.
    session.start()
    session.click_button("About")
    session.wait_for_window("About Flipora")
    signalled = time.monotonic()
    session.process.send_signal(signal.SIGQUIT)
    code = session.wait_exit(timeout=10)
    took = time.monotonic() - signalled
    check(code == 0, f"exit code {code} after SIGQUIT")
    check(took < 2.0, f"the game took {took:.1f} s to end with the box open")
    session.wait_for_no_window("About Flipora", timeout=5)
    counter, _, _ = read_score_file(session.score_path)
    check(counter == START_COUNTER + 3, f"counter {counter}, expected {START_COUNTER + 3}")

    # Started with stdout and stderr closed: whatever a box makes the game or SDL write goes
    # nowhere and is never taken for a quit signal; the game plays on and saves at exit.
    session.start(closed_output=True)
    session.click_button("About")
    session.answer_box("About Flipora", "Return")
    session.click_block(5)
    session.wait_until("block-5-up-after-about",
                       lambda image: image.count_differences(face_down, block_rect(5, inset=0.5)) > 1000)
    session.check_still_running("playing on after About")
    session.tap("Escape")
    code = session.wait_exit()
    check(code == 0, f"exit code {code} with stdout and stderr closed")
    counter, _, _ = read_score_file(session.score_path)
    check(counter == START_COUNTER + 4, f"counter {counter}, expected {START_COUNTER + 4}")


if __name__ == "__main__":
    sys.exit(run("quit_question", play))
