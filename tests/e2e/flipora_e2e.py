"""Driving the real game in an X server of its own.

An Xvfb per test, a scratch folder with a copy of the data and a score file written by
the test, the flipora binary started there, xdotool for clicks and keys, ImageMagick
screenshots read back as pixels, and the game's own geometry and deal to know where to
click. Standard library only.
"""

import argparse
import copy
import ctypes
import math
import os
import pwd
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SOURCE_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")


def read_identity(source=SOURCE_DIR):
    """The game's window size, title and --version text from game/identity.h, with the
    project's version from CMakeLists.txt, so they are written once."""
    with open(os.path.join(source, "CMakeLists.txt"), encoding="utf-8") as f:
        version = re.search(r"project\(Flipora VERSION ([\d.]+)", f.read())
    with open(os.path.join(source, "game", "identity.h"), encoding="utf-8") as f:
        text = f.read()
    numbers = dict(re.findall(r"inline constexpr int (kWindow\w+) = (\d+);", text))
    texts = {}
    for name, pieces in re.findall(r"inline constexpr const char\* (k\w+) = ([^;]*);", text):
        # Adjacent literals and the version macro, joined as the compiler joins them.
        parts = re.findall(r'"[^"]*"|FLIPORA_VERSION', pieces)
        if version:
            texts[name] = "".join(version.group(1) if part == "FLIPORA_VERSION" else part[1:-1]
                                  for part in parts)
    if not version or len(numbers) != 2 or "kWindowTitle" not in texts:
        raise AssertionError("could not read the game's identity from game/identity.h")
    return (int(numbers["kWindowWidth"]), int(numbers["kWindowHeight"])), texts


def read_assets(source=SOURCE_DIR):
    """The data files the game reads, as game/assets.h lists them: one quoted name a line."""
    with open(os.path.join(source, "game", "assets.h"), encoding="utf-8") as f:
        names = re.findall(r'^ *(?:inline .*= )?"([^"]+)"', f.read(), re.MULTILINE)
    if len(names) < 2:
        raise AssertionError("could not read the data files from game/assets.h")
    return names


def read_languages(source=SOURCE_DIR):
    """The languages the game speaks besides English, as po/LINGUAS lists them."""
    with open(os.path.join(source, "po", "LINGUAS"), encoding="utf-8") as f:
        return [code for line in f if not line.startswith("#") for code in line.split()]


CLIENT_SIZE, IDENTITY_TEXTS = read_identity()
WINDOW_TITLE = IDENTITY_TEXTS["kWindowTitle"]
VERSION_TEXT = IDENTITY_TEXTS["kVersionText"]


def read_scene_layout(path=os.path.join(SOURCE_DIR, "game", "scene_layout.h")):
    """The scene's numbers from the game's own layout header, so they are written once:
    (constants by name, pieces by name as (x, y, z, half width, half height, face z))."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    number = r"-?\d+(?:\.\d+)?"
    constants = {}
    for name, values in re.findall(r"inline constexpr double (k\w+)(?:\[\d+\])? = \{?([^;}]*)\}?;",
                                   text):
        numbers = [float(v) for v in re.findall(number, values)]
        if not numbers:  # the design size is the window's, from game/identity.h
            numbers = [float(dict(kWindowWidth=CLIENT_SIZE[0], kWindowHeight=CLIENT_SIZE[1])[
                values.strip()])]
        constants[name] = numbers if len(numbers) > 1 else numbers[0]
    pieces = {}
    row = r"\{(" + number + r"), (\d+), " + ", ".join(["(" + number + ")"] * 6) + r"\},\s*// (\w+)"
    for match in re.finditer(row, text):
        x, y, z, half_width, half_height, face_z = (float(v) for v in match.groups()[2:8])
        pieces[match.group(9)] = (x, y, z, half_width, half_height, face_z)
    if len(pieces) != 16 or len(constants) != 10:
        raise AssertionError(f"could not read the scene layout from {path}")
    return constants, pieces


def read_text_layout(path=os.path.join(SOURCE_DIR, "game", "text_layout.h")):
    """Where the texts are printed, from the game's text layout: the plane's z and the
    places by name as (x, y)."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    number = r"(-?\d+(?:\.\d+)?)f"
    places = {name: (float(x), float(y)) for name, x, y in re.findall(
        r"inline constexpr TextPlace (k\w+) = \{" + number + ", " + number + r"\};", text)}
    z = re.search(r"inline constexpr float kTextZ = " + number + ";", text)
    if not z or "kFrameRateText" not in places or "kClockText" not in places:
        raise AssertionError(f"could not read the text layout from {path}")
    return float(z.group(1)), places


# Scene geometry: the block centres, and the clickable menu elements (centre, depth).
_LAYOUT, PIECES = read_scene_layout()
BLOCK_X = tuple(_LAYOUT["kBlockColumnX"])
BLOCK_Y = tuple(_LAYOUT["kBlockRowY"])
BLOCK_FRONT_Z = _LAYOUT["kBlockZ"] + _LAYOUT["kBlockHalfDepth"]  # the side a resting block shows
BLOCK_HALF = _LAYOUT["kBlockHalf"]
BUTTONS = {name: PIECES[name][:3] for name in ("New", "Mode", "Sound", "Help", "About", "Exit")}
DESIGN_ASPECT = _LAYOUT["kSceneDesignWidth"] / _LAYOUT["kSceneDesignHeight"]
TEXT_Z, TEXT_PLACES = read_text_layout()


def project(x, y, z, size):
    """Window pixel (origin top-left) of an eye-space point in a client area of size. The
    vertical field of view is the design's at its aspect and wider; narrower, the scene's
    width fills the window's."""
    width, height = size
    aspect = width / height
    focal = 1.0 / math.tan(math.radians(_LAYOUT["kFieldOfView"] / 2)) * min(1.0, aspect / DESIGN_ASPECT)
    ndc_x = focal / aspect * x / -z
    ndc_y = focal * y / -z
    return ((ndc_x + 1) / 2 * width, (1 - ndc_y) / 2 * height)


def block_centre(index, size=CLIENT_SIZE):
    x, y = project(BLOCK_X[index % 4], BLOCK_Y[index // 4], BLOCK_FRONT_Z, size)
    return round(x), round(y)


def block_rect(index, size=CLIENT_SIZE, inset=0.0):
    """Pixel rectangle (left, top, right, bottom) of a resting block's front face."""
    cx, cy = BLOCK_X[index % 4], BLOCK_Y[index // 4]
    half = BLOCK_HALF - inset
    left, top = project(cx - half, cy + half, BLOCK_FRONT_Z, size)
    right, bottom = project(cx + half, cy - half, BLOCK_FRONT_Z, size)
    return round(left), round(top), round(right), round(bottom)


def button_centre(name, size=CLIENT_SIZE):
    x, y = project(*BUTTONS[name], size)
    return round(x), round(y)


def piece_rect(name, size=CLIENT_SIZE, inset=0):
    """Pixel rectangle of a flat piece of the scene by its layout name, inset pixels inside."""
    x, y, z, half_width, half_height, face_z = PIECES[name]
    left, top = project(x - half_width, y + half_height, z + face_z, size)
    right, bottom = project(x + half_width, y - half_height, z + face_z, size)
    return round(left) + inset, round(top) + inset, round(right) - inset, round(bottom) - inset


def board_rect(size=CLIENT_SIZE):
    """The part of the window the 16 blocks (and the banners over them) can touch."""
    left = block_rect(0, size)[0] - 4
    top = block_rect(0, size)[1] - 4
    right = block_rect(15, size)[2] + 4
    bottom = block_rect(15, size)[3] + 4
    return left, top, right, bottom


def panel_rect(size=CLIENT_SIZE):
    """The menu panel at the right, from its background's left edge."""
    x, _, z, half_width, _, _ = PIECES["MenuPanel"]
    left, _ = project(x - half_width, 0.0, z, size)
    return round(left) + 2, 0, size[0], size[1]


def fps_rect(size=CLIENT_SIZE):
    """The frame-rate text at the top-left corner, 12-px glyphs."""
    left, top = project(*TEXT_PLACES["kFrameRateText"], TEXT_Z, size)
    return 0, 0, round(left) + 90, round(top) + 6


def banner_rect(size=CLIENT_SIZE, grow=-6):
    """The Game Over banner's rectangle, used for the Paused one (0.4 units to its right)
    too. The default shrinks it to pixels surely inside; a positive grow covers its blurred
    edges."""
    x, y, z, half_width, half_height, _ = PIECES["GameOverBanner"]
    left, top = project(x - half_width, y + half_height, z, size)
    right, bottom = project(x + half_width, y - half_height, z, size)
    return round(left) - grow, round(top) - grow, round(right) + grow, round(bottom) + grow


def clock_rect(size=CLIENT_SIZE):
    """Where the clock digits (or pairs / moves) are printed: from the clock's raster
    position, a little left and up to half a unit right."""
    x, y = TEXT_PLACES["kClockText"]
    left, top = project(x - 0.1, y + 0.08, TEXT_Z, size)
    right, bottom = project(x + 0.5, y - 0.04, TEXT_Z, size)
    return round(left), round(top), round(right), round(bottom)


# The run-time library's generator and the deal built on it, as the game runs them: one
# sequence for the whole process, from the start-up deal on.
class Dealer:
    def __init__(self):
        self.state = 1

    def draw(self):
        self.state = (self.state * 214013 + 2531011) & 0xFFFFFFFF
        return (self.state >> 16) & 0x7FFF

    def deal(self, counter):
        counts = [0] * 8
        pairs = []
        for _ in range(16):
            while True:
                r = (self.draw() % (8 * counter + 1)) // counter
                if r <= 7 and counts[r] < 2:
                    break
            counts[r] += 1
            pairs.append(r)
        return pairs


def pair_positions(pairs):
    """The 8 pairs of a deal as (first block, second block), in pair order."""
    where = {}
    for index, pair in enumerate(pairs):
        where.setdefault(pair, []).append(index)
    return [tuple(where[p]) for p in sorted(where)]


def read_counter_limit(path=os.path.join(SOURCE_DIR, "game", "score_table.h")):
    """Where the game counter wraps back to 1, from the game's own score table rules."""
    with open(path, encoding="utf-8") as f:
        limit = re.search(r"inline constexpr int32_t kCounterLimit = (\d+);", f.read())
    if not limit:
        raise AssertionError(f"could not read the counter's limit from {path}")
    return int(limit.group(1))


COUNTER_LIMIT = read_counter_limit()


def advance(counter):
    counter += 1
    return counter - COUNTER_LIMIT if counter > COUNTER_LIMIT else counter


# Score files, as the game's headers describe them: Scores.txt line by line
# (scores/scores.h) and the other boards' file (scores/board_scores.h).
def read_score_formats(source=SOURCE_DIR):
    with open(os.path.join(source, "scores", "scores.h"), encoding="utf-8") as f:
        lines = re.findall(r"\{ScoreLine::(Counter|Score|Name), (\d+)\}", f.read())
    with open(os.path.join(source, "scores", "board_scores.h"), encoding="utf-8") as f:
        text = f.read()
    board = dict(re.findall(r'inline constexpr const char\* (kBoardScores\w+) = "([^"]+)";', text))
    version = re.search(r"inline constexpr int kBoardScoresVersion = (\d+);", text)
    words = re.search(r"kBoardTableWords\[2\] = \{\"([^\"]+)\", \"([^\"]+)\"\}", text)
    if len(lines) != 21 or not version or not words or len(board) != 2:
        raise AssertionError("could not read the score files' formats from scores/")
    heading = f"{board['kBoardScoresHeading']} {version.group(1)}"
    return ([(kind, int(slot)) for kind, slot in lines], board["kBoardScoresFileName"], heading,
            words.groups())


SCORE_FILE_LINES, BOARD_SCORES_NAME, BOARD_SCORES_HEADING, BOARD_TABLE_WORDS = read_score_formats()


def score_file_text(counter, normal, trial):
    """normal and trial: five (score, name) each, best first; the game's lines after a
    comment."""
    slots = normal + trial
    lines = ["// written by the end-to-end test"]
    for kind, slot in SCORE_FILE_LINES:
        lines.append(str(counter) if kind == "Counter" else
                     str(slots[slot][0]) if kind == "Score" else slots[slot][1])
    return "\n".join(lines) + "\n"


def board_scores_text(boards):
    """boards: {(columns, rows): (normal, trial)}, each five (score, name), best first."""
    lines = [BOARD_SCORES_HEADING]
    for (columns, rows), tables in sorted(boards.items()):
        for word, table in zip(BOARD_TABLE_WORDS, tables):
            lines.append(f"{columns}x{rows} {word}")
            lines += [f"{score} {name}".rstrip() for score, name in table]
    return "\n".join(lines) + "\n"


def data_lines(path):
    """The lines of a score file that are neither comments nor empty, line ends dropped."""
    with open(path, encoding="latin-1", newline="") as f:
        text = f.read()
    text = text[1:] if text.startswith("\u00ef\u00bb\u00bf") else text
    lines = [line for line in re.split(r"\r\n|\n|\r", text)]
    return [line for line in lines if line and not line.startswith("/")]


def check_normal_entry_on_top(path, counter, name, trial):
    """The file after a normal game of 1000 was placed above a table of x1..x4 at 0: the
    counter, the entry in slot 0, the rest moved down by one, the time trial untouched."""
    saved_counter, scores, names = read_score_file(path)
    check(saved_counter == counter, f"counter {saved_counter}, expected {counter}")
    check(scores[0] == 1000 and names[0] == name,
          f"slot 0 holds {scores[0]} {names[0]!r}, expected 1000 {name!r}")
    check(scores[1:5] == [0] * 4 and names[1:5] == ["x1", "x2", "x3", "x4"],
          f"the normal table did not move down by one: {scores[:5]} {names[:5]}")
    check(scores[5:] == [s for s, _ in trial] and names[5:] == [n for _, n in trial],
          "the time-trial table changed")


def read_score_file(path):
    """(counter, [10 scores], [10 names]) from the game's file, where a line of one blank is
    an empty name."""
    data = data_lines(path)
    if len(data) != len(SCORE_FILE_LINES):
        raise AssertionError(f"score file has {len(data)} data lines, not {len(SCORE_FILE_LINES)}: {data}")
    counter, scores, names = None, [0] * 10, [""] * 10
    for (kind, slot), line in zip(SCORE_FILE_LINES, data):
        if kind == "Counter":
            counter = int(line)
        elif kind == "Score":
            scores[slot] = int(line)
        else:
            names[slot] = line.strip()
    return counter, scores, names


def read_board_scores(path):
    """{(columns, rows): ([5 normal (score, name)], [5 time-trial])} from the other boards'
    file as the game writes it."""
    data = data_lines(path)
    if not data or data[0] != BOARD_SCORES_HEADING:
        raise AssertionError(f"{path} does not begin with {BOARD_SCORES_HEADING!r}: {data[:1]}")
    boards, table = {}, None
    for line in data[1:]:
        heading = re.fullmatch(r"(\d+)x(\d+) (\S+)", line)
        if heading:
            size = (int(heading.group(1)), int(heading.group(2)))
            table = boards.setdefault(size, ([], []))[BOARD_TABLE_WORDS.index(heading.group(3))]
        else:
            score, _, name = line.partition(" ")
            table.append((int(score), name))
    return boards


# Pixels.
class Image:
    """A screenshot as RGB bytes, read from ImageMagick's binary PPM."""

    def __init__(self, ppm):
        match = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", ppm)
        if not match:
            raise RuntimeError("screenshot is not a PPM image")
        self.width, self.height = int(match.group(1)), int(match.group(2))
        self.pixels = ppm[match.end():]

    def pixel(self, x, y):
        offset = (y * self.width + x) * 3
        return tuple(self.pixels[offset:offset + 3])

    def rows(self, rect):
        left, top, right, bottom = rect
        for y in range(max(top, 0), min(bottom, self.height)):
            start = (y * self.width + max(left, 0)) * 3
            end = (y * self.width + min(right, self.width)) * 3
            yield y, self.pixels[start:end]

    def mean(self, rect):
        """Mean (r, g, b) of the pixels inside rect."""
        sums, count = [0, 0, 0], 0
        for _, row in self.rows(rect):
            for i in range(3):
                sums[i] += sum(row[i::3])
            count += len(row) // 3
        return tuple(total // max(count, 1) for total in sums)

    def count_differences(self, other, rect, tolerance=8):
        """Pixels inside rect whose colour differs by more than tolerance in a channel."""
        count = 0
        for (_, mine), (_, theirs) in zip(self.rows(rect), other.rows(rect)):
            if mine == theirs:
                continue
            for i in range(0, len(mine), 3):
                if (abs(mine[i] - theirs[i]) > tolerance or
                        abs(mine[i + 1] - theirs[i + 1]) > tolerance or
                        abs(mine[i + 2] - theirs[i + 2]) > tolerance):
                    count += 1
        return count

    def differences_outside(self, other, rects, tolerance=8):
        """Differing pixels of the whole image that lie in none of rects."""
        count = 0
        for y in range(self.height):
            covered = sorted((max(l, 0), min(r, self.width)) for l, t, r, b in rects
                             if t <= y < b and l < r)
            x = 0
            for left, right in covered + [(self.width, self.width)]:
                if left > x:
                    count += self.count_differences(other, (x, y, left, y + 1), tolerance)
                x = max(x, right)
        return count


def docs_picture(name):
    """A picture of docs/ (the snapshot tool's, drawn on Linux) as an Image."""
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "docs", name)
    return Image(subprocess.run(["convert", path, "-depth", "8", "ppm:-"], capture_output=True,
                                timeout=30, check=True).stdout)


def text_rects(size=CLIENT_SIZE):
    """Where the game prints text at the start: the frame rate, the score list, the clock.
    Fonts differ between systems; nothing else on screen may."""
    return [fps_rect(size), piece_rect("ScoreBoard", size), clock_rect(size)]


HIGHLIGHT = (255, 217, 0)  # the keyboard highlight's ring, (1, 0.85, 0) in 8 bits


def ring_pixels(image, rect):
    """Pixels of the keyboard highlight's colour just outside the left and right edges of
    rect (a block's face), where its ring lies in the gap between the blocks."""
    left, top, right, bottom = rect
    count = 0
    for y in range(top - 6, bottom + 6):
        for x in (left - 3, left - 2, right + 1, right + 2):
            if all(abs(a - b) <= 12 for a, b in zip(image.pixel(x, y), HIGHLIGHT)):
                count += 1
    return count


def fail(message):
    raise AssertionError(message)


def check(condition, message):
    if not condition:
        fail(message)


def check_exit_button_whole(image, size, when=""):
    """The Exit button, the panel's lowest right corner, lies inside the window and shows its
    red at both ends: where a view too narrow for the scene cuts the panel off, it goes
    first."""
    left, top, right, bottom = piece_rect("Exit", size, inset=3)
    check(left >= 0 and top >= 0 and right <= size[0] and bottom <= size[1],
          f"the Exit button {left, top, right, bottom} is not inside {size}{when}")
    quarter = (right - left) // 4
    for end, rect in (("left", (left, top, left + quarter, bottom)),
                      ("right", (right - quarter, top, right, bottom))):
        r, g, b = image.mean(rect)
        check(r > g + 60 and r > b + 60,
              f"the Exit button's {end} end is not red but {(r, g, b)} at {size}{when}")


def check_turned_blocks(after, before, turned, size=CLIENT_SIZE, when=""):
    """Of the 16 blocks, exactly those in turned look different in after than in before."""
    for block in range(16):
        changed = after.count_differences(before, block_rect(block, size, inset=0.5)) > 0
        check(changed == (block in turned),
              f"block {block} {'turned' if changed else 'did not turn'}{when}")


def end_with_this_test():
    """For Popen's preexec_fn: the child gets SIGTERM when this test's process ends, also
    when CTest kills it at its timeout and no teardown of ours runs."""
    ctypes.CDLL(None, use_errno=True).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG


class XServer:
    """An Xvfb of our own; it picks a free display number itself (-displayfd). Keys repeat
    only after 5 s: a key the test holds (R for half a second) must not repeat into the
    name entry that the end of the game opens, however late a loaded machine lets go."""

    def __init__(self, size=(1280, 1024)):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{size[0]}x{size[1]}x24",
             "-nolisten", "tcp", "-noreset", "-ardelay", "5000"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=end_with_this_test)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            self.process.kill()
            raise RuntimeError("Xvfb did not start")
        self.display = f":{number}"

    def stop(self):
        self.process.terminate()
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()


class Session:
    """One test: an X server, a scratch folder, at most one running game at a time."""

    def __init__(self, name, screen=(1280, 1024)):
        parser = argparse.ArgumentParser()
        parser.add_argument("--game", required=True)
        parser.add_argument("--data", required=True)
        parser.add_argument("--shots", required=True)
        parser.add_argument("--build", help="the build folder, for tests that install from it")
        parser.add_argument("--wine", metavar="PREFIX",
                            help="--game is the Windows build: run it under Wine in this prefix")
        args = parser.parse_args()
        self.wine = args.wine and os.path.abspath(args.wine)
        self.build = args.build and os.path.abspath(args.build)
        self.name = name
        self.game_binary = os.path.abspath(args.game)
        self.source_data = os.path.abspath(args.data)
        self.shots = os.path.abspath(args.shots)
        shutil.rmtree(self.shots, ignore_errors=True)
        os.makedirs(self.shots)
        self.process = None
        self.window_manager = None
        self.server = None
        self.scratch = tempfile.mkdtemp(prefix=f"flipora-{name}-")
        try:
            self.data = os.path.join(self.scratch, "data")
            self.copy_data()
            self.server = XServer(screen)
        except BaseException:
            self.close()
            raise
        # English, whatever language the machine running the tests speaks; a test of another
        # language sets LANGUAGE (or LC_ALL, as Wine reads it) in its own environment.
        self.env = dict(os.environ, DISPLAY=self.server.display, SDL_AUDIODRIVER="dummy",
                        LIBGL_ALWAYS_SOFTWARE="1", FLIPORA_BENCH="1", FLIPORA_DEBUG_FPS="1",
                        LC_ALL="C.UTF-8")
        for name in ("SDL_VIDEODRIVER", "LANGUAGE"):
            self.env.pop(name, None)
        self.client_origin = (0, 0)  # of the game's client area in the screenshots' root
        if self.wine:
            # A wineserver of this test's own, so that Wine's windows go to this X server.
            self.env.update(WINEPREFIX=self.wine, WINEDEBUG="-all")
            self.stop_wine()
        self.shot_number = 0

    def start_window_manager(self):
        """A minimal window manager (evilwm, no borders), for what only a manager does, such
        as full screen. It frames the game's window, so windows are looked up in the whole
        tree at their absolute places from then on."""
        self.window_manager = subprocess.Popen(
            ["evilwm", "-fn", "fixed", "-bw", "0"], env=self.env,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, preexec_fn=end_with_this_test)
        deadline = time.monotonic() + 10
        while "_NET_SUPPORTING_WM_CHECK(WINDOW)" not in self.x("xprop", "-root",
                                                               check_result=False):
            if time.monotonic() > deadline or self.window_manager.poll() is not None:
                fail("the window manager did not start")
            time.sleep(0.05)

    def stop_wine(self):
        subprocess.run(["wineserver", "-k"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=30)
        subprocess.run(["wineserver", "-w"], env=self.env, timeout=30)

    def copy_data(self):
        os.makedirs(self.data, exist_ok=True)
        for entry in os.listdir(self.source_data):
            if entry.lower().endswith((".bmp", ".wav")):
                shutil.copy(os.path.join(self.source_data, entry), self.data)

    @property
    def score_path(self):
        return os.path.join(self.data, "Scores.txt")

    def write_scores(self, counter, normal, trial):
        with open(self.score_path, "w") as f:
            f.write(score_file_text(counter, normal, trial))

    # X helpers.
    def x(self, *command, check_result=True):
        result = subprocess.run(command, env=self.env, capture_output=True, text=True,
                                timeout=30)
        if check_result and result.returncode != 0:
            fail(f"{' '.join(command)} failed: {result.stderr.strip()}")
        return result.stdout

    def windows(self):
        """Top-level windows as {title: (id, x, y, width, height)}, at their places on the
        screen (under a window manager, the named windows inside its frames)."""
        # A window that goes away while xwininfo walks the tree fails the walk: walk again.
        for attempt in range(10):
            result = subprocess.run(
                ["xwininfo", "-root", "-tree" if self.window_manager else "-children"],
                env=self.env, capture_output=True, text=True, timeout=30)
            if result.returncode == 0:
                break
            time.sleep(0.05)
        else:
            fail(f"xwininfo failed: {result.stderr.strip()}")
        tree = result.stdout
        found = {}
        for match in re.finditer(r'(0x[0-9a-f]+) "([^"]*)".*?(\d+)x(\d+)\+(-?\d+)\+(-?\d+)'
                                 r'\s+\+(-?\d+)\+(-?\d+)', tree):
            wid, title = match.group(1), match.group(2)
            width, height, x, y = (int(match.group(i)) for i in (3, 4, 7, 8))
            found[title] = (wid, x, y, width, height)
        return found

    def wait_for_window(self, title, timeout=30):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            window = self.windows().get(title)
            if window and self.is_viewable(window[0]):
                return window
            self.check_still_running(f"waiting for the window {title!r}")
            time.sleep(0.1)
        fail(f"no window titled {title!r} within {timeout} s; have {list(self.windows())}")

    def is_viewable(self, wid):
        return "IsViewable" in self.x("xwininfo", "-id", wid, check_result=False)

    def wait_for_no_window(self, title, timeout=10):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            window = self.windows().get(title)
            if not window or not self.is_viewable(window[0]):
                return
            time.sleep(0.1)
        fail(f"window {title!r} still open after {timeout} s")

    def focus(self, wid):
        self.x("xdotool", "windowfocus", "--sync", wid)

    def twin(self):
        """A second player: another X server, the same folder, a game of its own."""
        other = copy.copy(self)
        other.server = XServer()
        other.env = dict(self.env, DISPLAY=other.server.display)
        other.process = None
        other.shot_number = self.shot_number + 50
        other.name = self.name + "-twin"
        return other

    def close_twin(self):
        if self.process is not None:
            self.process.kill()
            self.process.wait()
            self.stderr_file.close()
            self.process = None
        self.server.stop()

    def home_of(self, user):
        return os.path.join(self.scratch, f"home-{user}")

    def open_to(self, user):
        """Lets an unprivileged user into the scratch folder (tests that run the game as
        someone else: root ignores file modes), with a home folder of its own."""
        os.chmod(self.scratch, 0o755)
        home = self.home_of(user)
        os.makedirs(home, exist_ok=True)
        shutil.chown(home, user, pwd.getpwnam(user).pw_gid)

    # The game.
    def start(self, expect_window=True, binary=None, cwd=None, env=None, box=None,
              user=None, closed_output=False):
        """The game from the scratch folder, or another binary, folder and environment; as
        user, when given, with its own home. box: the title of a box the game shows before
        its first frame, answered with Return. closed_output: started with stdout and
        stderr closed, so it says nothing and the first frame is waited for on screen."""
        check(self.process is None, "a game is already running")
        self.stderr_path = os.path.join(self.scratch, f"stderr-{self.shot_number}-{time.monotonic_ns()}.txt")
        self.stderr_file = open(self.stderr_path, "w")
        command, env = [binary or self.game_binary], env or self.env
        if self.wine:
            command = ["wine"] + command
        if closed_output:
            command = ["sh", "-c", 'exec "$0" >&- 2>&-'] + command
        if user is not None:
            check(shutil.which("setpriv"), "setpriv (util-linux) is missing: cannot play as another user")
            # A number is a user the password database does not know: no home at all.
            group = user if isinstance(user, int) else pwd.getpwnam(user).pw_gid
            command = ["setpriv", f"--reuid={user}", f"--regid={group}",
                       "--clear-groups", "--"] + command
            if isinstance(user, int):
                env = {k: v for k, v in env.items() if k not in ("HOME", "XDG_DATA_HOME")}
            else:
                env = dict(env, HOME=self.home_of(user))
        self.process = subprocess.Popen(command, cwd=cwd or self.scratch, env=env,
                                        stdout=subprocess.DEVNULL, stderr=self.stderr_file,
                                        preexec_fn=end_with_this_test)
        if not expect_window:
            return
        if box:
            self.wait_for_window(box)
            self.screenshot(box.lower().replace(" ", "-"))
            self.answer_box(box, "Return")
        self.find_game_window(drawn_on_screen=closed_output)

    def find_game_window(self, drawn_on_screen=False):
        """The game's window, once its first frame is presented (seen on stderr, or with
        drawn_on_screen on the screen itself), focused. Also for a game started by another
        program (a shortcut, an installer), whose output the test never sees."""
        self.window = self.wait_for_window(WINDOW_TITLE)
        # Without a window manager SDL puts the client area at the screen's corner, so
        # screenshots of the root window and client pixels share their coordinates.
        if not self.window_manager:
            check(self.window[1:3] == (0, 0), f"the window opened at {self.window[1:3]}")
        if self.wine:
            # Wine draws the frame inside its X window: equal borders, the caption on top.
            # Screenshots are cut to the client area, so pixels again share coordinates.
            border = (self.window[3] - CLIENT_SIZE[0]) // 2
            self.client_origin = (border, self.window[4] - CLIENT_SIZE[1] - border)
        if drawn_on_screen:
            # Drawn: a block's face stands out from the clear colour at the window's corner.
            corner = (2, CLIENT_SIZE[1] - 3)
            self.wait_until("first-frame",
                            lambda image: image.pixel(*block_centre(0)) != image.pixel(*corner))
        else:
            self.wait_for_stderr("first frame presented")
        self.focus(self.window[0])

    def stderr_text(self):
        with open(self.stderr_path) as f:
            return f.read()

    def wait_for_stderr(self, text, timeout=30):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if text in self.stderr_text():
                return
            self.check_still_running(f"waiting for {text!r} on stderr")
            time.sleep(0.05)
        fail(f"{text!r} never appeared on stderr:\n{self.stderr_text()}")

    def check_still_running(self, doing):
        if self.process is not None and self.process.poll() is not None:
            fail(f"the game ended (code {self.process.returncode}) while {doing}:\n"
                 f"{self.stderr_text()}")

    def wait_for_file(self, what, condition, timeout=10):
        """Polls the score file until condition(counter, scores, names) holds."""
        deadline = time.monotonic() + timeout
        while True:
            try:
                state = read_score_file(self.score_path)
                if condition(*state):
                    return state
            except (OSError, AssertionError, ValueError):
                state = None
            if time.monotonic() > deadline:
                fail(f"the score file never showed {what}: {state}")
            time.sleep(0.1)

    def finish_time_trial(self, counter):
        """From a fresh start in time-trial mode with the file's counter: one matching pair
        of the start-up deal, then R held until the clock reads 0:00. One pair in one move
        scores 100 + 10 = 110."""
        board = board_rect()
        face_down = self.screenshot("trial-start")
        first, second = pair_positions(Dealer().deal(counter))[0]
        self.click_block(first)
        self.click_block(second)
        self.wait_until_settled("trial-pair", board)
        self.key_down("r")
        time.sleep(0.5)
        self.key_up("r")
        self.wait_until("trial-over",
                        lambda image: image.count_differences(face_down, banner_rect()) > 2000)
        self.wait_until_settled("trial-over-settled", board)

    def wait_exit(self, timeout=30):
        try:
            code = self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            fail(f"the game did not end within {timeout} s")
        self.process = None
        self.stderr_file.close()
        return code

    def window_origin(self):
        wid, x, y, _, _ = self.windows()[WINDOW_TITLE]
        return x + self.client_origin[0], y + self.client_origin[1]

    def client_size(self):
        _, _, _, width, height = self.windows()[WINDOW_TITLE]
        return width, height

    def click(self, point):
        """Left click at a point in the game window's client pixels."""
        ox, oy = self.window_origin()
        self.x("xdotool", "mousemove", "--sync", str(ox + point[0]), str(oy + point[1]),
               "click", "1")

    def click_block(self, index, size=CLIENT_SIZE):
        self.click(block_centre(index, size))

    def click_button(self, name, size=CLIENT_SIZE):
        self.click(button_centre(name, size))

    def key(self, *names, delay_ms=60):
        self.x("xdotool", "key", "--delay", str(delay_ms), *names)

    def tap(self, name, hold=0.3):
        """A game key held as a player holds it, over many passes of the loop (key() with
        delay_ms=0 sends the press and the release together)."""
        self.key_down(name)
        time.sleep(hold)
        self.key_up(name)

    def key_down(self, name):
        self.x("xdotool", "keydown", name)

    def key_up(self, name):
        self.x("xdotool", "keyup", name)

    def answer_box(self, title, key):
        """Focus the modal box with this title and press a key in it (Return, Escape)."""
        box = self.wait_for_window(title)
        self.focus(box[0])
        self.key(key)
        self.wait_for_no_window(title)
        # The game may be ending (a box at exit): its window can go at any moment.
        window = self.windows().get(WINDOW_TITLE)
        if self.process is not None and window and self.is_viewable(window[0]):
            self.x("xdotool", "windowfocus", "--sync", window[0], check_result=False)
        return box

    def window_exists(self):
        window = self.windows().get(WINDOW_TITLE)
        return bool(window) and self.is_viewable(window[0])

    def screenshot(self, label):
        """The game window's client area (the whole screen with rect=None) as an Image,
        also saved as a PNG for people to look at."""
        ppm = self.grab()
        self.shot_number += 1
        path = os.path.join(self.shots, f"{self.shot_number:02d}-{label}.png")
        subprocess.run(["convert", "ppm:-", path], input=ppm, check=True, timeout=30)
        return Image(ppm)

    def grab(self):
        """The screen as a PPM, from the client area's corner on."""
        crop = []
        if self.client_origin != (0, 0):
            crop = ["-crop", "+%d+%d" % self.client_origin, "+repage"]
        return subprocess.run(["import", "-window", "root", *crop, "-depth", "8", "ppm:-"],
                              env=self.env, capture_output=True, timeout=30, check=True).stdout

    def wait_until(self, label, condition, timeout=20, interval=0.15):
        """Screenshots until condition(image) holds; the last one is returned."""
        deadline = time.monotonic() + timeout
        while True:
            image = Image(self.grab())
            if condition(image):
                return self.screenshot(label)
            if time.monotonic() > deadline:
                self.screenshot(label + "-timeout")
                fail(f"timed out waiting for: {label}")
            self.check_still_running(f"waiting for {label}")
            time.sleep(interval)

    def wait_until_settled(self, label, rect, timeout=20):
        """Two screenshots in a row, 0.3 s apart, that agree inside rect."""
        previous = [None]

        def settled(image):
            same = previous[0] is not None and image.count_differences(previous[0], rect) == 0
            previous[0] = image
            return same
        return self.wait_until(label, settled, timeout, interval=0.3)

    def _end_game(self):
        if self.process is not None:
            self.process.kill()
            self.process.wait()
            self.stderr_file.close()
            self.process = None

    def _end_window_manager(self):
        if self.window_manager is not None:
            self.window_manager.terminate()
            try:
                self.window_manager.wait(10)
            except subprocess.TimeoutExpired:
                self.window_manager.kill()
                self.window_manager.wait()
            self.window_manager = None

    def _end_wine(self):
        if self.wine and hasattr(self, "env"):
            self.stop_wine()

    def _end_server(self):
        if self.server is not None:
            self.server.stop()
            self.server = None

    def close(self):
        """Ends the game, the window manager and the X server and removes the scratch
        folder, each even when one before it fails; the first error is raised after."""
        first_error = None
        for step in (self._end_game, self._end_window_manager, self._end_wine,
                     self._end_server,
                     lambda: shutil.rmtree(self.scratch, ignore_errors=True)):
            try:
                step()
            except BaseException as error:  # the rest must still run
                first_error = first_error or error
        if first_error is not None:
            raise first_error


def run(name, body, screen=(1280, 1024)):
    """Runs body(session) and reports; exit code 0 on success. The session is torn down
    whatever ends the body: a failed check, any other error, an interrupt."""
    session = Session(name, screen)
    try:
        body(session)
    except AssertionError as error:
        print(f"FAIL {name}: {error}", file=sys.stderr)
        print(f"screenshots in {session.shots}", file=sys.stderr)
        return 1
    finally:
        session.close()
    print(f"PASS {name} (screenshots in {session.shots})")
    return 0
