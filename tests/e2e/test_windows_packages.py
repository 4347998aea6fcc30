"""The Windows game as a player gets it, under Wine: the zip made by CPack unzipped into a
scratch folder and run from another folder keeps its scores in its own data\\ with CR LF
lines; the 64-bit installer installs silently into Program Files with a Start-menu shortcut
and an uninstall entry, both naming the installed game; the game started from its shortcut,
then run from another folder, keeps the player's scores in %APPDATA%\\Flipora and writes
nothing into Program Files, and the silent uninstall removes the program and leaves the
scores. The installer speaks the player's language: a German player finding the game
installed is asked in a German window."""

import glob
import os
import re
import shutil
import subprocess
import sys
import time
import zipfile

from flipora_e2e import (SOURCE_DIR, WINDOW_TITLE, check, end_with_this_test, read_languages,
                         read_score_file, run)

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


def quit_game_started_elsewhere(session):
    """A game another program started (a shortcut, the installer): its first frame, Escape,
    its window gone. Its exit code is not ours to see; it closes its window only after the
    save at exit, whose table shows the quit."""
    session.find_game_window(drawn_on_screen=True)
    session.tap("Escape")
    session.wait_for_no_window(WINDOW_TITLE, timeout=30)


def windows_path(session, path):
    """A path inside the Wine prefix's drive C: as the game sees it."""
    inside = os.path.relpath(path, os.path.join(session.wine, "drive_c"))
    return "C:\\" + inside.replace("/", "\\")


def install_by_its_pages(session, installer):
    """Return on each page of the installer until the game its last page runs is on screen."""
    subprocess.Popen(["wine", installer], env=session.env, stdout=subprocess.DEVNULL,
                     stderr=subprocess.DEVNULL, preexec_fn=end_with_this_test)
    deadline = time.monotonic() + 120
    while True:
        windows = session.windows()
        game = windows.get(WINDOW_TITLE)
        if game and session.is_viewable(game[0]):
            break
        check(time.monotonic() < deadline, f"the installer never ran the game: {list(windows)}")
        # Its title gains a blank after the first page. Return while it installs does nothing.
        setup = [w for title, w in windows.items() if title.strip() == "Flipora Setup"]
        if setup and session.is_viewable(setup[0][0]):
            session.x("xdotool", "windowfocus", "--sync", setup[0][0], check_result=False)
            session.key("Return")
        time.sleep(1.5)


def ask_in_german(session, installer):
    """The installer under a German interface, with the game installed: its question whether
    to remove the earlier one comes first, in a window NSIS titles in German. Escape cancels
    it, and the installer ends."""
    process = subprocess.Popen(["wine", installer], env=dict(session.env, LC_ALL="de_DE.UTF-8"),
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                               preexec_fn=end_with_this_test)
    title = "Installation von Flipora"
    box = session.wait_for_window(title, timeout=60)
    session.x("import", "-window", box[0], os.path.join(session.shots, "installer-de-question.png"))
    session.focus(box[0])
    session.key("Escape")
    session.wait_for_no_window(title)
    process.wait(timeout=60)  # cancelled, the installer ends and installs nothing


def project_makers():
    """Who makes the game and the copyright line, as CMakeLists.txt states them once."""
    with open(os.path.join(SOURCE_DIR, "CMakeLists.txt"), encoding="utf-8") as f:
        text = f.read()
    developer = re.search(r'set\(FLIPORA_DEVELOPER "([^"]+)"\)', text).group(1)
    copyright = re.search(r'set\(FLIPORA_COPYRIGHT "([^"]+)"\)', text).group(1)
    return developer, copyright.replace("${FLIPORA_DEVELOPER}", developer)


def version_string(binary, name):
    """A value of the program's version resource: UTF-16 key, padding, UTF-16 value."""
    with open(binary, "rb") as f:
        data = f.read()
    key = (name + "\0").encode("utf-16-le")
    at = data.find(key)
    check(at >= 0, f"{binary} has no {name} in its version")
    at += len(key)
    while data[at:at + 2] == b"\0\0":
        at += 2
    end = at
    while data[end:end + 2] != b"\0\0":
        end += 2
    return data[at:end].decode("utf-16-le")


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
    developer, copyright = project_makers()
    check(version_string(game, "CompanyName") == developer and
          version_string(game, "LegalCopyright") == "Copyright \u00a9 " + copyright,
          "the program's version does not name its publisher and copyright")
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
    check(r"C:\Program Files\Flipora\flipora.exe" in entry,
          f"the uninstall entry does not name the installed game: {entry!r}")
    # Every language comes along: its catalogue and its pictures with words.
    for code in read_languages():
        for name in (os.path.join("locale", code, "LC_MESSAGES", "flipora.mo"),
                     os.path.join("data", code, "New.bmp")):
            check(os.path.isfile(os.path.join(installed, name)), f"{name} is not installed")
    with open(os.path.join(session.build, "installer_texts.nsh"), encoding="utf-8-sig") as f:
        check("LangString FliporaAlreadyInstalled ${LANG_GERMAN} \"Flipora ist bereits installiert."
              in f.read(), "the installer's own question is not in German")
    ask_in_german(session, os.path.join(made, PACKAGE + ".exe"))

    # Installed, the game keeps each player's scores in %APPDATA%, twice in a row: first
    # opened from its Start-menu shortcut as a player opens it, then run from elsewhere.
    before = sorted(os.listdir(os.path.join(installed, "data")))
    subprocess.run(["wine", "start", windows_path(session, shortcuts[0])], cwd=elsewhere,
                   env=session.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   timeout=60, check=True)
    quit_game_started_elsewhere(session)
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

    # The installer as a player runs it: no licence page to agree to (none has been
    # stated), Return through its pages, and Finish with its "Run Flipora" box as it comes
    # starts the installed game.
    with open(os.path.join(made, "_CPack_Packages", "win64", "NSIS", "project.nsi")) as f:
        check("MUI_PAGE_LICENSE" not in f.read(), "the installer shows a licence page")
    wait_until_gone(installed)
    install_by_its_pages(session, os.path.join(made, PACKAGE + ".exe"))
    quit_game_started_elsewhere(session)
    check_crlf_table(scores[0], 4)
    tool("wine", os.path.join(installed, "Uninstall.exe"), "/S", env=session.env)
    wait_until_gone(installed)


if __name__ == "__main__":
    sys.exit(run("windows_packages", packages))
