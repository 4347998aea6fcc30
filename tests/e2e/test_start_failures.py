"""Failures at the edges of a run: a missing image, a score file that cannot be written,
and no display at all. Each ends with exit code 0; a failed start writes no score file."""

import os
import subprocess
import sys

from flipora_e2e import WINDOW_TITLE, check, run

TABLE = ([(5, "a"), (4, "b"), (3, "c"), (2, "d"), (1, "e")],
         [(50, "f"), (40, "g"), (30, "h"), (20, "i"), (10, "j")])


def missing_image(session):
    session.write_scores(33, *TABLE)
    before = os.stat(session.score_path)
    with open(session.score_path, "rb") as f:
        content = f.read()
    os.remove(os.path.join(session.data, "ex3.bmp"))

    session.start(expect_window=False)
    box = session.wait_for_window("ERROR")
    session.screenshot("initialization-failed")
    # The game window is closed before the box is shown.
    check(not session.window_exists(), "the game window is still open behind the box")
    session.wait_for_stderr("Initialization Failed.")
    session.answer_box("ERROR", "Return")
    code = session.wait_exit()
    check(code == 0, f"exit code {code}")
    check(box[3] > 0 and box[4] > 0, "the box has no size")

    after = os.stat(session.score_path)
    with open(session.score_path, "rb") as f:
        check(f.read() == content, "the score file changed")
    check(after.st_mtime_ns == before.st_mtime_ns, "the score file was written")
    check(sorted(os.listdir(session.data)).count("Scores.txt") == 1 and
          not [n for n in os.listdir(session.data) if n.startswith("Scores.txt.")],
          "something was written beside the score file")
    session.copy_data()


def unwritable_score_file(session):
    # A folder where the score file should be: it reads as missing and cannot be replaced.
    os.remove(session.score_path)
    os.mkdir(session.score_path)
    listing = sorted(os.listdir(session.data))
    session.start()
    session.screenshot("running-without-scores")
    session.tap("Escape")
    code = session.wait_exit()
    check(code == 0, f"exit code {code}")
    check(os.path.isdir(session.score_path), "the folder in place of the score file is gone")
    check(sorted(os.listdir(session.data)) == listing,
          f"files were left beside the score file: {sorted(os.listdir(session.data))}")
    check("SHUTDOWN ERROR" not in session.stderr_text(), "a shutdown error was reported")
    os.rmdir(session.score_path)


def no_display(session):
    session.write_scores(7, *TABLE)
    with open(session.score_path, "rb") as f:
        content = f.read()
    env = dict(session.env, DISPLAY="", SDL_VIDEODRIVER="x11")
    env.pop("WAYLAND_DISPLAY", None)
    result = subprocess.run([session.game_binary], cwd=session.scratch, env=env,
                            capture_output=True, text=True, timeout=60)
    check(result.returncode == 0, f"exit code {result.returncode}")
    check("Failed To Register The Window Class." in result.stderr,
          f"the failure is not on stderr: {result.stderr!r}")
    with open(session.score_path, "rb") as f:
        check(f.read() == content, "the score file changed")


def play(session):
    missing_image(session)
    unwritable_score_file(session)
    no_display(session)
    check(WINDOW_TITLE not in session.windows(), "a game window was left open")


if __name__ == "__main__":
    sys.exit(run("start_failures", play))
