"""The Windows game as a player gets it, under Wine: the zip made by CPack unzipped into a
scratch folder and run from another folder keeps its scores in its own data\\ with CR LF
lines; the 64-bit installer installs silently into Program Files with a Start-menu shortcut
and an uninstall entry, the installed game run from another folder keeps the player's scores
in %APPDATA%\\Flipora and writes nothing into Program Files, and the silent uninstall removes
the program and leaves the scores."""

import glob
import os
import shutil
import subprocess
import sys
import time
import zipfile

from flipora_e2e import check, read_score_file, run

PACKAGE = "Flipora-1.0-win64"


def tool(*command, cwd=None, env=None):
    result = subprocess.run(command, cwd=cwd, env=env, capture_output=True, text=True,
                            timeout=240)
    check(result.returncode == 0,
          f"{' '.join(command)} failed ({result.returncode}):\n{result.stdout}{result.stderr}")
    return result.stdout


def play_and_quit(session, binary, cwd):
    """The game from cwd, its first frame, Escape: exit code 0."""
    session.start(binary=binary, cwd=cwd)
    session.tap("Escape")
    code = session.wait_exit()
    check(code == 0, f"{binary}: exit code {code}")


def check_crlf_table(path, counter):
    with open(path, "rb") as f:
        lines = f.read().split(b"\n")
    check(lines[-1] == b"" and all(line.endswith(b"\r") for line in lines[:-1]),
          f"{path} does not end every line in CR LF")
    saved, _, _ = read_score_file(path)
    check(saved == counter, f"{path}: counter {saved}, expected {counter}")


def wait_until_gone(path, timeout=30):
    deadline = time.monotonic() + timeout
    while os.path.exists(path):
        check(time.monotonic() < deadline, f"{path} is still there after {timeout} s")
        time.sleep(0.2)


def packages(session):
    check(session.wine and session.build, "run with --wine and --build")
    made = os.path.join(session.scratch, "packages")
    tool("cpack", "-G", "ZIP;NSIS", "-B", made, cwd=session.build)
    elsewhere = os.path.join(session.scratch, "elsewhere")
    os.makedirs(elsewhere)

    # The zip, unzipped anywhere: its own data\ is the player's.
    unzipped = os.path.join(session.scratch, "unzipped")
    with zipfile.ZipFile(os.path.join(made, PACKAGE + ".zip")) as archive:
        archive.extractall(unzipped)
    game = os.path.join(unzipped, PACKAGE, "flipora.exe")
    play_and_quit(session, game, elsewhere)
    check_crlf_table(os.path.join(unzipped, PACKAGE, "data", "Scores.txt"), 2)

    # The installer, silently, into Program Files; no player has scores yet.
    drive = os.path.join(session.wine, "drive_c")
    for earlier in glob.glob(os.path.join(drive, "users", "*", "AppData", "Roaming", "Flipora")):
        shutil.rmtree(earlier)
    installed = os.path.join(drive, "Program Files", "Flipora")
    tool("wine", os.path.join(made, PACKAGE + ".exe"), "/S", env=session.env)
    for name in ("flipora.exe", "Uninstall.exe", os.path.join("data", "Vexo.bmp"),
                 os.path.join("data", "Sound.wav")):
        check(os.path.isfile(os.path.join(installed, name)), f"{name} is not installed")
    shortcuts = glob.glob(os.path.join(drive, "*", "Microsoft", "Windows", "Start Menu",
                                       "Programs", "Flipora", "Flipora.lnk"))
    check(shortcuts, "no Start-menu shortcut")
    entry = tool("wine", "reg", "query",
                 r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Flipora",
                 env=session.env)
    check("DisplayName" in entry and "Flipora" in entry, f"no uninstall entry: {entry!r}")

    # Installed, the game keeps each player's scores in %APPDATA%, twice in a row.
    before = sorted(os.listdir(os.path.join(installed, "data")))
    play_and_quit(session, r"C:\Program Files\Flipora\flipora.exe", elsewhere)
    play_and_quit(session, r"C:\Program Files\Flipora\flipora.exe", elsewhere)
    scores = glob.glob(os.path.join(drive, "users", "*", "AppData", "Roaming", "Flipora",
                                    "Scores.txt"))
    check(len(scores) == 1, f"the player's score file is not in %APPDATA%\\Flipora: {scores}")
    check_crlf_table(scores[0], 3)
    check(sorted(os.listdir(os.path.join(installed, "data"))) == before,
          "the installed game wrote into Program Files")

    # The silent uninstall removes the program and leaves the player's scores.
    tool("wine", os.path.join(installed, "Uninstall.exe"), "/S", env=session.env)
    wait_until_gone(os.path.join(installed, "flipora.exe"))
    wait_until_gone(shortcuts[0])
    check(not os.path.exists(os.path.join(installed, "data")), "the data folder stayed")
    check(os.path.isfile(scores[0]), "the uninstall removed the player's scores")


if __name__ == "__main__":
    sys.exit(run("windows_packages", packages))
