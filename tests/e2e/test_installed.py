"""The game as a player installs it: `cmake --install` into a scratch prefix, and the Debian
package made by CPack unpacked into a scratch root, each with the layout a desktop expects.
Each installed binary is run from an unrelated folder with a scratch home: the command line
answers without a window and nothing under the installation changes."""

import os
import subprocess
import sys

from flipora_e2e import check, run, score_file_text

APP_ID = "org.flipora.Flipora"
DISTRIBUTOR_COUNTER = 57
DISTRIBUTOR_NORMAL = [(900, "n1"), (800, "n2"), (700, "n3"), (600, "n4"), (500, "n5")]
DISTRIBUTOR_TRIAL = [(300, "d1"), (200, "d2"), (90, "d3"), (50, "d4"), (10, "d5")]

# The layout an installation has under its prefix, beside the 25 images and the sound.
LAYOUT = ["bin/flipora", "share/flipora/data/Vexo.bmp", "share/flipora/data/Sound.wav",
          f"share/applications/{APP_ID}.desktop", f"share/metainfo/{APP_ID}.metainfo.xml",
          "share/man/man6/flipora.6"] + [
          f"share/icons/hicolor/{s}x{s}/apps/{APP_ID}.png" for s in (48, 64, 128, 256)]


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
    for path in LAYOUT:
        check(os.path.isfile(os.path.join(prefix, path)), f"{label}: {path} is not installed")
    images = [n for n in os.listdir(os.path.join(prefix, "share/flipora/data")) if n.endswith(".bmp")]
    check(len(images) == 25, f"{label}: {len(images)} images installed, not 25")
    check(not os.path.exists(os.path.join(prefix, "share/flipora/data/Scores.txt")),
          f"{label}: a score file was installed")


def check_command_line(session, binary, env, cwd, scores):
    """--version, --help and a refused option; no display, so a window could not open
    and any attempt would show on stderr."""
    env = dict(env, DISPLAY="", SDL_VIDEODRIVER="x11")

    def game(*args):
        return subprocess.run([binary, *args], cwd=cwd, env=env, capture_output=True,
                              text=True, timeout=30)

    version = game("--version")
    check(version.returncode == 0 and version.stdout == "Flipora 1.0\n" and not version.stderr,
          f"--version: {version.returncode} {version.stdout!r} {version.stderr!r}")
    usage = game("--help")
    check(usage.returncode == 0 and not usage.stderr, f"--help: {usage.returncode} {usage.stderr!r}")
    for text in ("Usage: flipora", "Escape", "Page Down", f"Scores are kept in {scores}\n"):
        check(text in usage.stdout, f"--help does not say {text!r}:\n{usage.stdout}")
    refused = game("--fullscreen")
    lines = refused.stderr.splitlines()
    check(refused.returncode == 2, f"an unknown option ended with {refused.returncode}")
    check(not refused.stdout and lines and lines[0] == "flipora: unknown option '--fullscreen'"
          and "Usage: flipora" in refused.stderr, f"unknown option: {refused.stderr!r}")
    check(not os.path.exists(scores), "the command line wrote a score file")


def check_installed(session, label, prefix, home, xdg):
    binary = os.path.join(prefix, "bin/flipora")
    check_layout(prefix, label)
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

    # The installed data is found from an unrelated folder: the game opens and draws.
    session.start(binary=binary, cwd=elsewhere, env=env)
    session.screenshot(f"{label}-start")
    session.tap("Escape")
    check(session.wait_exit() == 0, f"{label}: the game did not end cleanly")
    check(os.listdir(elsewhere) == [], f"{label}: files appeared in the current folder")

    check(listing(prefix) == before, f"{label}: something under the installation changed")


def play(session):
    check(session.build, "the test needs --build")
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
    info = tool("dpkg-deb", "-I", deb)
    depends = [line for line in info.splitlines() if line.startswith(" Depends:")]
    check(depends and "libsdl2-2.0-0" in depends[0] and "libc6" in depends[0],
          f"the package's Depends: {depends}")
    contents = tool("dpkg-deb", "-c", deb)
    for path in LAYOUT:
        check(f" ./usr/{path}\n" in contents, f"the package lacks /usr/{path}")
    root = os.path.join(session.scratch, "root")
    tool("dpkg-deb", "-x", deb, root)
    # Here XDG_DATA_HOME is unset: the scores go to ~/.local/share.
    check_installed(session, "package", os.path.join(root, "usr"),
                    os.path.join(session.scratch, "home-package"), None)


if __name__ == "__main__":
    sys.exit(run("installed", play))
