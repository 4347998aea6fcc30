"""Failures at the edges of a run: a missing image, a score file that cannot be read
(a folder, a FIFO, one the player may not read, a link another user planted, one saved
as UTF-16), one with a byte-order mark, a folder the scores cannot be saved in, no home to
keep them in, no display at all, a display that never answers and one that stops. A failed
start or a failed save ends with exit code 1 and says why; a score file that could not be
read is never written; a quit signal ends the game within 3 s whatever the display does."""

import os
import pwd
import re
import shutil
import signal
import socket
import stat
import subprocess
import sys
import time

from flipora_e2e import (WINDOW_TITLE, advance, check, fail, read_score_file, run,
                         score_file_text)

TABLE = ([(5, "a"), (4, "b"), (3, "c"), (2, "d"), (1, "e")],
         [(50, "f"), (40, "g"), (30, "h"), (20, "i"), (10, "j")])
PLAYER = "nobody"  # root ignores file modes, so those cases run as someone else
OTHER_PLAYER = "games"
NO_SUCH_USER = 4242  # no entry in the password database, and no HOME


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
    check(code == 1, f"exit code {code}")
    check(box[3] > 0 and box[4] > 0, "the box has no size")

    after = os.stat(session.score_path)
    with open(session.score_path, "rb") as f:
        check(f.read() == content, "the score file changed")
    check(after.st_mtime_ns == before.st_mtime_ns, "the score file was written")
    check(sorted(os.listdir(session.data)).count("Scores.txt") == 1 and
          not [n for n in os.listdir(session.data) if n.startswith("Scores.txt.")],
          "something was written beside the score file")
    session.copy_data()


def box_under_non_ascii_folder(session):
    """Windows: a box's text is read back as the player reads it, whatever its letters, and
    the score-file box of a game started in a folder named with them names the whole path
    to the file, in Windows' spelling."""
    boxes = subprocess.run(["wine", os.path.join(session.build, "tests", "win32_tests.exe")],
                           env=session.env, capture_output=True, text=True, timeout=120)
    check(boxes.returncode == 0, f"the boxes' texts are not shown as given:\n{boxes.stdout}")
    folder = os.path.join(session.scratch, "Spiele", "Gr\u00f6\u00dfe")
    shutil.copytree(session.data, os.path.join(folder, "data"))
    scores = os.path.join(folder, "data", "Scores.txt")
    if os.path.exists(scores):
        os.remove(scores)
    os.mkdir(scores)
    session.start(expect_window=False, cwd=folder)
    session.wait_for_window("SCORE FILE ERROR")
    session.screenshot("score-file-box-non-ascii-folder")
    session.answer_box("SCORE FILE ERROR", "Return")
    session.find_game_window()
    session.tap("Escape")
    check(session.wait_exit() == 0, "the game did not end normally")
    shown = "Z:" + scores.replace("/", "\\")
    check(f"The score file {shown} cannot be read" in session.stderr_text(),
          f"the box does not name {shown}: {session.stderr_text()!r}")


def unreadable_score_file(session, kind, reason, user=None):
    """The game starts with empty tables, says once which file it cannot read and why,
    plays, and at exit leaves the file and its folder exactly as they were."""
    listing = sorted(os.listdir(session.data))
    session.start(box="SCORE FILE ERROR", user=user)
    session.screenshot(f"running-without-scores-{kind}")
    session.tap("Escape")
    code = session.wait_exit()
    check(code == 0, f"{kind}: exit code {code}")
    said = session.stderr_text()
    check(said.count("SCORE FILE ERROR") == 1 and "data/Scores.txt" in said and reason in said,
          f"{kind}: the start does not say what cannot be read and why: {said!r}")
    check("SHUTDOWN ERROR" not in said, f"{kind}: a shutdown error was reported")
    check(sorted(os.listdir(session.data)) == listing,
          f"{kind}: files were left beside the score file: {sorted(os.listdir(session.data))}")


def unreadable_score_files(session):
    # A folder where the score file should be.
    os.remove(session.score_path)
    os.mkdir(session.score_path)
    unreadable_score_file(session, "folder", "it is a folder")
    check(os.path.isdir(session.score_path), "the folder in place of the score file is gone")
    os.rmdir(session.score_path)

    # A FIFO would block a plain open for good.
    os.mkfifo(session.score_path)
    unreadable_score_file(session, "fifo", "it is not a regular file")
    check(stat.S_ISFIFO(os.lstat(session.score_path).st_mode), "the FIFO was replaced")
    os.remove(session.score_path)

    # A table the player may not read (left by a run as root), in a folder the player
    # may write: the save could replace it, and must not.
    session.write_scores(21, *TABLE)
    with open(session.score_path, "rb") as f:
        content = f.read()
    os.chmod(session.score_path, 0)
    os.chmod(session.data, 0o777)
    session.open_to(PLAYER)
    unreadable_score_file(session, "no-permission", "Permission denied", user=PLAYER)
    with open(session.score_path, "rb") as f:
        check(f.read() == content, "the unreadable score file changed")
    check(stat.S_IMODE(os.stat(session.score_path).st_mode) == 0, "its mode changed")
    os.remove(session.score_path)

    # A link another user planted in the shared folder, to a file of the player's: the
    # save would replace the player's file with a table. It is refused like an unreadable
    # file, and the file it names stays as it was.
    notes = os.path.join(session.home_of(PLAYER), "notes.txt")
    with open(notes, "w") as f:
        f.write("the player's own notes\n")
    shutil.chown(notes, PLAYER)
    before = os.stat(notes)
    os.symlink(notes, session.score_path)
    other = pwd.getpwnam(OTHER_PLAYER)
    os.lchown(session.score_path, other.pw_uid, other.pw_gid)
    unreadable_score_file(session, "foreign-link", "it is a link made by another user", user=PLAYER)
    with open(notes) as f:
        check(f.read() == "the player's own notes\n", "the file behind the planted link changed")
    check(os.stat(notes).st_mtime_ns == before.st_mtime_ns, "the file behind the link was written")
    check(os.listdir(session.home_of(PLAYER)) == ["notes.txt"],
          f"files were left beside the linked file: {os.listdir(session.home_of(PLAYER))}")
    os.remove(session.score_path)
    os.chmod(session.data, 0o755)

    # Saved by Notepad as "Unicode": UTF-16 with its mark. Read as empty tables, it was
    # overwritten by the next save; now it is unreadable, and left as it is.
    text = "\ufeff" + score_file_text(21, *TABLE)
    with open(session.score_path, "wb") as f:
        f.write(text.encode("utf-16-le"))
    unreadable_score_file(session, "utf16", "it holds NUL bytes")
    with open(session.score_path, "rb") as f:
        check(f.read() == text.encode("utf-16-le"), "the UTF-16 score file was written over")
    os.remove(session.score_path)

    # A byte-order mark (older Notepad's UTF-8) is skipped: the counter read is the file's.
    with open(session.score_path, "wb") as f:
        f.write(b"\xef\xbb\xbf" + score_file_text(40, *TABLE).encode())
    session.start()
    session.tap("Escape")
    check(session.wait_exit() == 0, "the game with a byte-order mark did not end well")
    counter, _, names = read_score_file(session.score_path)
    check(counter == advance(40), f"counter {counter} after a file with a byte-order mark")
    with open(session.score_path, "rb") as f:
        check(not f.read().startswith(b"\xef"), "the byte-order mark was written back")


def read_only_folder(session):
    """A name placed where the player cannot write: the save on Enter fails and shows it
    at once, the game tries again while it runs, the exit shows the failure and ends with
    code 1. Both places the table may go, the data folder and the player's own folder, are
    read-only here."""
    trial = [(300, "t1"), (200, "t2"), (100, "t3"), (50, "t4"), (10, "t5")]
    xdg = os.path.join(session.scratch, "xdg")
    os.makedirs(os.path.join(xdg, "flipora"), exist_ok=True)
    tables = [session.score_path, os.path.join(xdg, "flipora", "Scores.txt")]
    for path in tables:
        with open(path, "w") as f:
            f.write(score_file_text(8, TABLE[0], trial))
        os.chmod(path, 0o644)
    os.chmod(session.data, 0o755)  # root's folders: read-only for the player
    session.open_to(PLAYER)
    session.start(user=PLAYER, env=dict(session.env, XDG_DATA_HOME=xdg))
    session.finish_time_trial(8)
    session.key("k", "i", "m", "Return")
    # Shown at once, over the running game, which goes on trying.
    session.wait_for_window("SCORE FILE ERROR", timeout=10)
    session.screenshot("save-failed-at-enter")
    session.answer_box("SCORE FILE ERROR", "Return")
    session.key("x", "Return")  # typing on while the blocks turn back places nothing more
    time.sleep(1)  # passes that try again, and say nothing new
    session.tap("Escape")
    box = session.wait_for_window("SHUTDOWN ERROR")
    session.screenshot("save-failed")
    check(box[3] > 0 and box[4] > 0, "the box has no size")
    session.answer_box("SHUTDOWN ERROR", "Return")
    code = session.wait_exit()
    check(code == 1, f"exit code {code}")
    said = session.stderr_text()
    check(said.count("The game keeps trying.") == 1 and "(Permission denied). The game" in said,
          f"the failure at Enter was not told once:\n{said}")
    expected = "SHUTDOWN ERROR: The scores could not be saved to "
    check(expected in said and "Scores.txt (" in said and "Permission denied)." in said,
          f"stderr does not say {expected!r}... 'Permission denied':\n{said}")
    for path in tables:
        with open(path) as f:
            check(f.read() == score_file_text(8, TABLE[0], trial), f"{path} changed")


def no_home(session):
    """A player with no home (no password entry, HOME unset) and a data folder it may not
    write: a placed name cannot be kept, and a box says so, and why, once."""
    session.write_scores(8, *TABLE)
    os.chmod(session.scratch, 0o755)
    os.chmod(session.data, 0o755)
    session.start(user=NO_SUCH_USER)
    session.finish_time_trial(8)
    session.key("n", "o", "Return")
    session.wait_for_window("SCORE FILE ERROR", timeout=10)
    session.screenshot("no-home")
    session.answer_box("SCORE FILE ERROR", "Return")
    session.tap("Escape")
    code = session.wait_exit()
    said = session.stderr_text()
    check(code == 0, f"exit code {code}:\n{said}")
    check(said.count("The scores cannot be kept: there is no home folder: HOME is not set") == 1,
          f"the box did not say, once, why the name cannot be kept:\n{said}")
    _, _, names = read_score_file(session.score_path)
    check("no" not in names, "the data folder was written")


def quit_signals_with_a_display_that_does_not_answer(session):
    """SIGTERM ends the game within 3 s when its display accepts and never answers (the
    start hangs in the window system), and when the X server is stopped while the game
    runs: then the exit save is still made."""
    session.write_scores(30, *TABLE)
    number = 200 + os.getpid() % 300
    path = f"/tmp/.X11-unix/X{number}"
    os.makedirs("/tmp/.X11-unix", exist_ok=True)
    if os.path.exists(path):
        os.remove(path)
    silent = socket.socket(socket.AF_UNIX)
    silent.bind(path)
    silent.listen(4)
    try:
        session.start(expect_window=False, env=dict(session.env, DISPLAY=f":{number}"))
        time.sleep(1.5)  # inside the window system's start, which never comes back
        check(session.process.poll() is None, "the game did not wait for the silent display")
        signalled = time.monotonic()
        session.process.send_signal(signal.SIGTERM)
        code = session.wait_exit(timeout=20)
        took = time.monotonic() - signalled
    finally:
        silent.close()
        os.remove(path)
    check(took <= 3.0, f"SIGTERM took {took:.1f} s with a display that never answers")
    check(code == 1, f"exit code {code} for a start that never opened a window")

    session.start()
    session.click_block(0)  # the clock runs: a frame a second, which a stopped server blocks
    time.sleep(0.5)
    os.kill(session.server.process.pid, signal.SIGSTOP)
    try:
        time.sleep(2.5)
        signalled = time.monotonic()
        session.process.send_signal(signal.SIGTERM)
        code = session.wait_exit(timeout=20)
        took = time.monotonic() - signalled
    finally:
        os.kill(session.server.process.pid, signal.SIGCONT)
    said = session.stderr_text()
    check(took <= 3.0, f"SIGTERM took {took:.1f} s with the X server stopped:\n{said}")
    check(code == 0, f"exit code {code} with the X server stopped:\n{said}")
    counter, _, _ = read_score_file(session.score_path)
    check(counter == advance(30), f"the exit save was not made: counter {counter}")


def no_display(session):
    """No X display and no Wayland: the game says so and ends at once, rather than run on
    a video driver that shows nothing, with no window, until it is killed."""
    session.write_scores(7, *TABLE)
    with open(session.score_path, "rb") as f:
        content = f.read()
    env = {k: v for k, v in session.env.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER")}
    started = time.monotonic()
    try:
        result = subprocess.run([session.game_binary], cwd=session.scratch, env=env,
                                capture_output=True, text=True, timeout=20)
    except subprocess.TimeoutExpired:
        fail("with no display the game was still running after 20 s")
    took = time.monotonic() - started
    check(result.returncode == 1, f"exit code {result.returncode}: {result.stderr!r}")
    # It ends within a second; the bound leaves room for a loaded machine.
    check(took < 5, f"the game took {took:.1f} s to give up")
    said = re.search(r"cannot open a window: (.+); is DISPLAY set\?\n", result.stderr)
    check(said and said.group(1).strip(), f"the reason is not on stderr: {result.stderr!r}")
    with open(session.score_path, "rb") as f:
        check(f.read() == content, "the score file changed")


def harness_tears_down():
    """Whatever ends a test's body, even an error that is no failed check, its game, X
    server and scratch folder go with it. Runs first: it shares this test's screenshots
    folder."""
    left = {}

    def body(inner):
        inner.start()
        left.update(scratch=inner.scratch, server=inner.server.process, game=inner.process)
        raise RuntimeError("a fault that is not a failed check")
    try:
        run("start_failures-teardown", body)
        fail("the error did not reach the caller")
    except RuntimeError:
        pass
    check(not os.path.exists(left["scratch"]), "the scratch folder was left behind")
    check(left["server"].poll() is not None, "the X server was left running")
    check(left["game"].poll() is not None, "the game was left running")

    # A test killed outright, as CTest does at its timeout: its X server ends with it.
    harness = os.path.dirname(os.path.abspath(__file__))
    child = subprocess.Popen(
        [sys.executable, "-c", "import sys; sys.path.insert(0, sys.argv[1]); import flipora_e2e; "
         "print(flipora_e2e.XServer().process.pid, flush=True); sys.stdin.read()", harness],
        stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
    server = int(child.stdout.readline())
    child.kill()
    child.wait()
    deadline = time.monotonic() + 10
    while running(server) and time.monotonic() < deadline:
        time.sleep(0.05)
    check(not running(server), "the X server outlived its killed test")


def running(pid):
    """A live process (a zombie waiting for its reaper counts as ended)."""
    try:
        with open(f"/proc/{pid}/stat") as f:
            return f.read().rsplit(")", 1)[1].split()[0] != "Z"
    except FileNotFoundError:
        return False


def play(session):
    harness_tears_down()
    missing_image(session)
    if session.wine:
        box_under_non_ascii_folder(session)
        return  # the rest stands on POSIX files and users, and on X without Wine
    unreadable_score_files(session)
    read_only_folder(session)
    no_home(session)
    no_display(session)
    quit_signals_with_a_display_that_does_not_answer(session)
    check(WINDOW_TITLE not in session.windows(), "a game window was left open")


if __name__ == "__main__":
    sys.exit(run("start_failures", play))
