"""Figures for the game beside a bare SDL2 + GL window opened the same way, measured in the
same run: launch to the first frame on screen, CPU (left alone and focused, with the clock
running, while a script picks one block a second, and without the focus), peak resident
memory, and the cost of one frame drawn back to back without a display. Medians over
several runs; no pass or fail.

    python3 bench/run_bench.py --game build/flipora --bare build/bench/bare_window \\
        --draw-frame build/bench/draw_frame_bench [--before path/to/older/flipora] [--language ru]

Every program runs in an Xvfb of its own, started afresh for each launch (Mesa's llvmpipe
renders, so the figures are those of a machine without a GPU), the game from a scratch
folder holding a copy of data/. --before measures another build of the game beside it.
"""

import argparse
import os
import re
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from flipora_e2e import XServer, block_centre  # noqa: E402

STARTS = 5
RUNS = 3
SECONDS = 8.0
SETTLE = 2.0
CLOCK_TICKS = os.sysconf("SC_CLK_TCK")
FIRST_FRAME = re.compile(r"first frame presented .* \(monotonic (\d+) ns\)")

# Targets on llvmpipe: CPU in % of one core, start and memory beside the bare window.
TARGETS = {"alone": 3.0, "clock": 5.0, "picks": 35.0, "unfocused": 1.0}
START_MARGIN_MS = 30.0
MEMORY_MARGIN_MIB = 8.0


class Launch:
    """One program in a fresh X server, with its stderr in a file."""

    def __init__(self, command, folder, env):
        self.server = XServer()
        self.env = dict(env, DISPLAY=self.server.display)
        self.stderr_path = os.path.join(folder, f"stderr-{time.monotonic_ns()}.txt")
        self.stderr = open(self.stderr_path, "w")
        self.launched_ns = time.monotonic_ns()
        self.process = subprocess.Popen(command, cwd=folder, env=self.env,
                                        stdout=subprocess.DEVNULL, stderr=self.stderr)
        self.others = []

    def text(self):
        with open(self.stderr_path) as f:
            return f.read()

    def first_frame_ms(self, timeout=60):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            match = FIRST_FRAME.search(self.text())
            if match:
                return (int(match.group(1)) - self.launched_ns) / 1e6
            if self.process.poll() is not None:
                break
            time.sleep(0.005)
        raise RuntimeError(f"no first frame:\n{self.text()}")

    def x(self, *command):
        return subprocess.run(command, env=self.env, capture_output=True, text=True,
                              timeout=30, check=True).stdout

    def window_of(self, pid):
        return self.x("xdotool", "search", "--sync", "--onlyvisible", "--pid", str(pid)).split()[0]

    def focus(self, pid):
        self.x("xdotool", "windowfocus", "--sync", self.window_of(pid))

    def cpu_seconds(self):
        with open(f"/proc/{self.process.pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS

    def cpu_percent(self, seconds, during=None):
        """CPU over `seconds` of wall time, % of one core; `during(t)` is called each
        second meanwhile."""
        before, start = self.cpu_seconds(), time.monotonic()
        for second in range(int(seconds)):
            if during:
                during(second)
            time.sleep(max(0.0, start + second + 1 - time.monotonic()))
        return 100.0 * (self.cpu_seconds() - before) / (time.monotonic() - start)

    def steal_focus(self, bare):
        """Another window takes the keyboard focus, as a player switching away would."""
        other = subprocess.Popen([bare, "events"], env=self.env,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.others.append(other)
        time.sleep(0.5)
        self.focus(other.pid)

    def stop(self):
        """SIGTERM: the game leaves its loop and saves as usual. Returns the peak resident
        set in MiB."""
        for other in self.others:
            other.terminate()
            other.wait()
        self.process.send_signal(signal.SIGTERM)
        _, _, usage = os.wait4(self.process.pid, 0)
        self.process.returncode = 0
        self.stderr.close()
        self.server.stop()
        return usage.ru_maxrss / 1024


def scratch_copy(data):
    """The images, the click and each language's pictures, without a score file."""
    folder = tempfile.mkdtemp(prefix="flipora-bench-")
    shutil.copytree(data, os.path.join(folder, "data"),
                    ignore=lambda _, names: [n for n in names if n.endswith((".txt", ".lock"))])
    return folder


def measure(name, command, is_game, bare, folder, env, results):
    figures = results.setdefault(name, {})

    def add(key, value):
        figures.setdefault(key, []).append(value)

    launch = Launch(command, folder, env)
    try:
        add("start", launch.first_frame_ms())
        time.sleep(0.5)
        launch.focus(launch.process.pid)
        time.sleep(SETTLE)
        add("alone", launch.cpu_percent(SECONDS))
        if is_game:
            # The first pick starts the clock; its turn is over within the settling time.
            launch.x("xdotool", "mousemove", "--sync", *map(str, block_centre(0)), "click", "1")
            time.sleep(SETTLE)
            add("clock", launch.cpu_percent(SECONDS))

        def pick(second):
            block = block_centre((second * 5 + 1) % 16)
            launch.x("xdotool", "mousemove", "--sync", *map(str, block), "click", "1")

        add("picks", launch.cpu_percent(SECONDS, pick))
        launch.steal_focus(bare)
        time.sleep(1.0)
        add("unfocused", launch.cpu_percent(SECONDS))
    finally:
        add("rss", launch.stop())
    match = re.search(r"(\d+) frames presented in (\d+) passes", launch.text())
    if match:
        add("frames", int(match.group(1)))
        add("passes", int(match.group(2)))


def median(values):
    return statistics.median(values) if values else None


def cell(values, unit, digits=1):
    if not values:
        return "—"
    return f"{median(values):.{digits}f} {unit}"


def print_table(results, names, bare_reference):
    rows = [("launch → first frame", "start", "ms"), ("peak resident memory", "rss", "MiB"),
            ("CPU left alone, focused", "alone", "%"), ("CPU, clock running", "clock", "%"),
            ("CPU, one pick a second", "picks", "%"), ("CPU, unfocused", "unfocused", "%")]
    width = max(len(n) for n in names) + 2
    print(f"\n{'':26}" + "".join(f"{n:>{width}}" for n in names) + f"{'game − bare':>14}  target")
    reference = results[bare_reference]
    for label, key, unit in rows:
        line = f"{label:26}" + "".join(f"{cell(results[n].get(key), unit):>{width}}" for n in names)
        game = median(results["game"].get(key, []))
        if key in ("start", "rss"):
            difference = game - median(reference[key])
            margin = START_MARGIN_MS if key == "start" else MEMORY_MARGIN_MIB
            floor = game - median(results["bare textured"][key])
            line += f"{difference:>+11.1f} {unit}  ≤ +{margin:g} {unit}   ({floor:+.1f} beside bare textured)"
        else:
            line += f"{'':>14}  ≤ {TARGETS[key]:g} %"
        print(line)
    for name in names:
        frames, passes = results[name].get("frames"), results[name].get("passes")
        if frames:
            print(f"{name}: {median(frames):.0f} frames presented in {median(passes):.0f} passes "
                  f"over a whole run (median of {len(frames)})")
    print(f"(medians of {RUNS} runs of {SECONDS:g} s each, starts of {STARTS + RUNS} launches;"
          f" '{bare_reference}' is the reference for start and memory; 'bare textured' also draws"
          f" one mipmapped texture, the least a textured picture costs)")


def main():
    global RUNS, SECONDS
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--game", required=True)
    parser.add_argument("--bare", required=True)
    parser.add_argument("--draw-frame", required=True)
    parser.add_argument("--before", help="an older build of the game, measured beside it")
    parser.add_argument("--data", default=os.path.join(os.path.dirname(__file__), "..", "data"))
    parser.add_argument("--runs", type=int, default=RUNS, help="runs of every measurement")
    parser.add_argument("--seconds", type=float, default=SECONDS, help="length of one CPU figure")
    parser.add_argument("--language", default="",
                        help="the language the game speaks (LANGUAGE, as a player sets it); English by default")
    args = parser.parse_args()
    RUNS, SECONDS = args.runs, args.seconds
    data = os.path.abspath(args.data)
    bare = os.path.abspath(args.bare)

    programs = [("game", [os.path.abspath(args.game)], True)]
    if args.before:
        programs.append(("game before", [os.path.abspath(args.before)], True))
    programs += [("bare paced", [bare, "paced"], False), ("bare on events", [bare, "events"], False),
                 ("bare textured", [bare, "textured"], False)]
    names = [name for name, _, _ in programs]

    folder = scratch_copy(data)
    env = dict(os.environ, SDL_AUDIODRIVER="dummy", FLIPORA_BENCH="1", LC_ALL="C.UTF-8",
               LANGUAGE=args.language)
    env.pop("SDL_VIDEODRIVER", None)
    results = {}
    try:
        for _ in range(STARTS):
            for name, command, _ in programs:
                launch = Launch(command, folder, env)
                try:
                    results.setdefault(name, {}).setdefault("start", []).append(launch.first_frame_ms())
                finally:
                    launch.stop()
        for run in range(RUNS):
            for name, command, is_game in programs:
                print(f"run {run + 1}/{RUNS}: {name}", file=sys.stderr, flush=True)
                measure(name, command, is_game, bare, folder, env, results)
    finally:
        shutil.rmtree(folder, ignore_errors=True)

    print_table(results, names, "bare on events")
    sys.stdout.flush()
    subprocess.run([os.path.abspath(args.draw_frame), os.path.dirname(data)], check=True,
                   env=dict(os.environ, SDL_VIDEODRIVER="offscreen", SDL_AUDIODRIVER="dummy"))


if __name__ == "__main__":
    main()
