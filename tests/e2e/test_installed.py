"""The game as a player installs it: `cmake --install` into a scratch prefix, and the Debian
package made by CPack unpacked into a scratch root, each with the layout a desktop expects;
the package as Debian judges it (lintian) and with what the game opens by name among its
dependencies. Each installed binary is run from an unrelated folder with a scratch home: the
command line answers without a window; the window's class is the one the menu entry names;
a time trial placed in the table lands in the player's own score file, read first from a
distributor's default table that is never written; a second run reads the player's table
back; nothing under the installation changes."""

import configparser
import gzip
import os
import stat
import subprocess
import sys
import urllib.parse
import xml.etree.ElementTree as ElementTree

from flipora_e2e import (VERSION_TEXT, advance, board_rect, check, read_assets, read_languages,
                         read_score_file, run, score_file_text)

APP_ID = "org.flipora.Flipora"
DISTRIBUTOR_COUNTER = 57
DISTRIBUTOR_NORMAL = [(900, "n1"), (800, "n2"), (700, "n3"), (600, "n4"), (500, "n5")]
DISTRIBUTOR_TRIAL = [(300, "d1"), (200, "d2"), (90, "d3"), (50, "d4"), (10, "d5")]
NAME = "player"

# The layout an installation has under its prefix, beside the data files and the binary:
# in bin/ for a prefix, in games/ for the package, as Debian has it.
LAYOUT = [f"share/applications/{APP_ID}.desktop", f"share/metainfo/{APP_ID}.metainfo.xml",
          "share/man/man6/flipora.6.gz", "share/doc/flipora/copyright",
          "share/doc/flipora/changelog.gz"] + [
          f"share/icons/hicolor/{s}x{s}/apps/{APP_ID}.png" for s in (16, 24, 32, 48, 64, 128, 256)] + [
          f"share/locale/{code}/LC_MESSAGES/flipora.mo" for code in read_languages()] + [
          f"share/man/{code}/man6/flipora.6.gz" for code in read_languages()]
BINARY = {"prefix": "bin/flipora", "package": "games/flipora"}
# What the game opens by name, which no linker records: GLX through libGL, and its font.
NAMED_DEPENDENCIES = ["libgl1", "fonts-dejavu-core"]


def tool(*command, cwd=None):
    result = subprocess.run(command, cwd=cwd, capture_output=True, text=True, timeout=240)
    check(result.returncode == 0,
          f"{' '.join(command)} failed ({result.returncode}):\n{result.stdout}{result.stderr}")
    return result.stdout


def listing(root):
    """Every file and folder under root with its size, mode and modification time."""
    entries = {}
    for folder, folders, files in os.walk(root):
        for name in folders + files:
            path = os.path.join(folder, name)
            info = os.lstat(path)
            entries[os.path.relpath(path, root)] = (info.st_size, info.st_mode, info.st_mtime_ns)
    return entries


def check_layout(prefix, label):
    for path in LAYOUT + [BINARY[label]]:
        check(os.path.isfile(os.path.join(prefix, path)), f"{label}: {path} is not installed")
    for other in set(BINARY.values()) - {BINARY[label]}:
        check(not os.path.exists(os.path.join(prefix, other)), f"{label}: {other} is installed")
    # The manual page and the metainfo carry the build's version, as --version does.
    with gzip.open(os.path.join(prefix, "share/man/man6/flipora.6.gz"), "rt") as page:
        title = page.readline()
    check(title.startswith(".TH FLIPORA 6 ") and f'"{VERSION_TEXT}"' in title,
          f"{label}: the manual page's title is {title!r}")
    version = VERSION_TEXT.split()[-1]
    with open(os.path.join(prefix, f"share/metainfo/{APP_ID}.metainfo.xml"), encoding="utf-8") as f:
        metainfo = f.read()
    check(f'<release version="{version}"' in metainfo, f"{label}: the metainfo's release is not {version}")
    # Exactly the asset table: every image and the sound, and no score file; and a folder
    # for each language with its own images with words.
    data = os.path.join(prefix, "share/flipora/data")
    installed = sorted(os.listdir(data))
    check(installed == sorted(read_assets() + read_languages()), f"{label}: the data installed is {installed}")
    for code in read_languages():
        worded = sorted(os.listdir(os.path.join(data, code)))
        check(len(worded) == 10 and set(worded) < set(read_assets()),
              f"{label}: the {code} pictures installed are {worded}")


def check_command_line(session, binary, env, cwd, scores):
    """--version, --help and a refused option; no display, so a window could not open
    and any attempt would show on stderr."""
    env = dict(env, DISPLAY="", SDL_VIDEODRIVER="x11")

    def game(*args):
        return subprocess.run([binary, *args], cwd=cwd, env=env, capture_output=True,
                              text=True, timeout=30)

    version = game("--version")
    check(version.returncode == 0 and version.stdout == VERSION_TEXT + "\n" and not version.stderr,
          f"--version: {version.returncode} {version.stdout!r} {version.stderr!r}")
    usage = game("--help")
    check(usage.returncode == 0 and not usage.stderr, f"--help: {usage.returncode} {usage.stderr!r}")
    for text in ("Usage: flipora", "Escape", "Page Down", f"Scores are kept in {scores}\n"):
        check(text in usage.stdout, f"--help does not say {text!r}:\n{usage.stdout}")
    # An answer that cannot be written is a failure, never a success.
    for option in ("--help", "--version"):
        with open("/dev/full", "w") as full:
            lost = subprocess.run([binary, option], cwd=cwd, env=env, stdout=full,
                                  stderr=subprocess.PIPE, text=True, timeout=30)
        check(lost.returncode == 1 and "could not be written: No space left on device" in lost.stderr,
              f"{option} > /dev/full: {lost.returncode} {lost.stderr!r}")
    refused = game("--fullscreen")
    lines = refused.stderr.splitlines()
    check(refused.returncode == 2, f"an unknown option ended with {refused.returncode}")
    check(not refused.stdout and lines and lines[0] == "flipora: unknown option '--fullscreen'"
          and "Usage: flipora" in refused.stderr, f"unknown option: {refused.stderr!r}")
    check(not os.path.exists(scores), "the command line wrote a score file")


def check_desktop_files(prefix, label):
    """The metainfo names the licence and the developer and no screenshot on a reserved
    host; the menu entry names the window class it should match. Returns that class."""
    metainfo = os.path.join(prefix, f"share/metainfo/{APP_ID}.metainfo.xml")
    root = ElementTree.parse(metainfo).getroot()
    for tag in ("project_license", "developer_name"):
        check((root.findtext(tag) or "").strip(), f"{label}: the metainfo names no {tag}")
    for image in root.iter("image"):
        host = urllib.parse.urlparse(image.text.strip()).hostname or ""
        check(host and not host.endswith((".invalid", ".example", ".test", "localhost")),
              f"{label}: the screenshot {image.text.strip()!r} is on no real host")
    entry = configparser.ConfigParser(interpolation=None)
    entry.optionxform = str
    entry.read(os.path.join(prefix, f"share/applications/{APP_ID}.desktop"))
    section = entry["Desktop Entry"]
    check(section.get("StartupNotify") == "true", f"{label}: the entry has no StartupNotify")
    return section.get("StartupWMClass")


def check_window_class(session, expected, label):
    """The class and name of the game's window, as a task bar reads them, are the entry's
    StartupWMClass: that is how it finds the entry and icon of the running game."""
    text = session.x("xprop", "-id", session.window[0], "WM_CLASS")
    check(expected and text.strip() == f'WM_CLASS(STRING) = "{expected}", "{expected}"',
          f"{label}: the entry's StartupWMClass is {expected!r}, the window's {text.strip()!r}")


def play_time_trial(session, binary, env, cwd, counter, window_class, label):
    """One pair found, the clock run out, a name placed, Escape. The pair is where the
    deal of counter puts it, so it is found only if that table was read."""
    session.start(binary=binary, cwd=cwd, env=env)
    check_window_class(session, window_class, label)
    session.finish_time_trial(counter)
    session.key(*NAME, "Return")
    session.wait_until_settled("name-entered", board_rect())
    session.tap("Escape")
    code = session.wait_exit()
    check(code == 0, f"exit code {code}")


def check_installed(session, label, prefix, home, xdg):
    binary = os.path.join(prefix, BINARY[label])
    check_layout(prefix, label)
    window_class = check_desktop_files(prefix, label)
    shipped = os.path.join(prefix, "share/flipora/data/Scores.txt")
    with open(shipped, "w") as f:
        f.write(score_file_text(DISTRIBUTOR_COUNTER, DISTRIBUTOR_NORMAL, DISTRIBUTOR_TRIAL))
    before = listing(prefix)

    os.makedirs(home)
    elsewhere = os.path.join(session.scratch, f"elsewhere-{label}")
    os.makedirs(elsewhere)
    env = dict(session.env, HOME=home)
    env.pop("XDG_DATA_HOME", None)
    if xdg:
        env["XDG_DATA_HOME"] = xdg
    scores = os.path.join(xdg or os.path.join(home, ".local/share"), "flipora/Scores.txt")

    check_command_line(session, binary, env, elsewhere, scores)

    # From an unrelated folder the installed data is found, and with no table of the
    # player's yet the distributor's is read: its counter deals the board.
    play_time_trial(session, binary, env, elsewhere, DISTRIBUTOR_COUNTER, window_class, label)
    check(os.path.isfile(scores), f"{label}: no score file at {scores}")
    counter, values, names = read_score_file(scores)
    expected = advance(advance(DISTRIBUTOR_COUNTER))  # the placed entry, then the exit
    check(counter == expected, f"{label}: counter {counter}, expected {expected}")
    check(names[5:] == ["d1", "d2", NAME, "d3", "d4"] and 100 <= values[7] <= 110,
          f"{label}: the time trial table is {values[5:]} {names[5:]}")
    check(values[:5] == [v for v, _ in DISTRIBUTOR_NORMAL] and
          names[:5] == [n for _, n in DISTRIBUTOR_NORMAL], f"{label}: the normal table changed")
    folder_mode = stat.S_IMODE(os.stat(os.path.dirname(scores)).st_mode)
    file_mode = stat.S_IMODE(os.stat(scores).st_mode)
    check(folder_mode == 0o700 and file_mode == 0o600,
          f"{label}: the player's folder is {oct(folder_mode)}, the file {oct(file_mode)}")
    check(os.listdir(elsewhere) == [], f"{label}: files appeared in the current folder")
    if xdg:
        check(os.listdir(home) == [], f"{label}: files appeared in HOME: {os.listdir(home)}")

    # The second run reads the player's table: its counter goes on from there, and the
    # table written back is the player's.
    session.start(binary=binary, cwd=elsewhere, env=env)
    session.tap("Escape")
    check(session.wait_exit() == 0, f"{label}: the second run failed")
    again = read_score_file(scores)
    check(again == (advance(counter), values, names),
          f"{label}: the second run did not go on from the player's table: {again}")

    check(listing(prefix) == before, f"{label}: something under the installation changed")


def check_no_data_folder(session):
    """Run from a folder without data/ and not installed, the game fails as it always has,
    and stderr names every folder it looked in."""
    nowhere = os.path.join(session.scratch, "nowhere")
    os.makedirs(nowhere)
    session.start(expect_window=False, cwd=nowhere)
    session.answer_box("ERROR", "Return")
    session.wait_exit()
    beside = os.path.join(os.path.dirname(session.game_binary), "data")
    session.wait_for_stderr("Initialization Failed.")
    check(f"no data folder holds the game's images; tried data, {beside}, " in
          session.stderr_text(), f"the folders tried are not named:\n{session.stderr_text()}")
    check(os.listdir(nowhere) == [], "files appeared in the current folder")


def play(session):
    check(session.build, "the test needs --build")
    check_no_data_folder(session)
    prefix = os.path.join(session.scratch, "prefix")
    tool("cmake", "--install", session.build, "--prefix", prefix)
    check_installed(session, "prefix", prefix, os.path.join(session.scratch, "home-prefix"),
                    os.path.join(session.scratch, "xdg"))

    # The package, made in a folder of its own so the build folder is left as it is.
    packages = os.path.join(session.scratch, "packages")
    tool("cpack", "-G", "DEB", "-B", packages, "--config",
         os.path.join(session.build, "CPackConfig.cmake"))
    debs = [n for n in os.listdir(packages) if n.endswith(".deb")]
    arch = tool("dpkg", "--print-architecture").strip()
    check(debs == [f"flipora_1.0_{arch}.deb"], f"packages made: {debs}")
    deb = os.path.join(packages, debs[0])
    depends = [d.strip().split(" ")[0] for d in tool("dpkg-deb", "-f", deb, "Depends").split(",")]
    for package in ["libsdl2-2.0-0", "libc6"] + NAMED_DEPENDENCIES:
        check(package in depends, f"the package does not depend on {package}: {depends}")
    contents = tool("dpkg-deb", "-c", deb)
    for path in LAYOUT + [BINARY["package"]]:
        check(f" ./usr/{path}\n" in contents, f"the package lacks /usr/{path}")
    # Debian's own judgement: no error and no warning.
    judged = subprocess.run(["lintian", "--fail-on", "error,warning", deb], capture_output=True,
                            text=True, timeout=240)
    complaints = [line for line in judged.stdout.splitlines() if line[:2] in ("E:", "W:")]
    check(judged.returncode == 0 and not complaints,
          f"lintian ({judged.returncode}):\n{judged.stdout}{judged.stderr}")
    root = os.path.join(session.scratch, "root")
    tool("dpkg-deb", "-x", deb, root)
    # Here XDG_DATA_HOME is unset: the scores go to ~/.local/share.
    check_installed(session, "package", os.path.join(root, "usr"),
                    os.path.join(session.scratch, "home-package"), None)


if __name__ == "__main__":
    sys.exit(run("installed", play))
