"""Figures for the game as it runs: time from launch to the first frame on screen, CPU
use while it runs at its paced rate, peak resident memory, and the cost of one DrawFrame
drawn back to back without a display. Medians over several runs; no pass or fail.

    python3 bench/run_bench.py --game build/flipora --draw-frame build/bench/draw_frame_bench

The game runs in an Xvfb of its own (Mesa's llvmpipe renders, so the figures are those of
a machine without a GPU), from a scratch folder holding a copy of data/.
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
from flipora_e2e import XServer  # noqa: E402

STARTS = 5
CPU_RUNS = 3
CPU_SECONDS = 10.0
CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


class Run:
    """One launch of the game, with its stderr in a file and its rusage at the end."""

    def __init__(self, game, folder, env):
        self.stderr_path = os.path.join(folder, "stderr.txt")
        self.stderr = open(self.stderr_path, "w")
        self.launched_ns = time.monotonic_ns()
        self.process = subprocess.Popen([game], cwd=folder, env=env,
                                        stdout=subprocess.DEVNULL, stderr=self.stderr)

    def text(self):
        with open(self.stderr_path) as f:
            return f.read()

    def first_frame_ms(self, timeout=60):
        """Launch to the first presented frame, from the game's own monotonic stamp."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            match = re.search(r"first frame presented .* \(monotonic (\d+) ns\)", self.text())
            if match:
                return (int(match.group(1)) - self.launched_ns) / 1e6
            if self.process.poll() is not None:
                break
            time.sleep(0.01)
        raise RuntimeError(f"no first frame:\n{self.text()}")

    def cpu_seconds(self):
        with open(f"/proc/{self.process.pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        # utime and stime, fields 14 and 15 of the line (11 and 12 after the name).
        return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS

    def stop(self):
        """SIGTERM arrives as a quit event: the game leaves its loop and saves as usual.
        Returns the peak resident set in MiB."""
        self.process.send_signal(signal.SIGTERM)
        _, _, usage = os.wait4(self.process.pid, 0)
        self.process.returncode = 0
        self.stderr.close()
        return usage.ru_maxrss / 1024


def scratch_copy(data):
    folder = tempfile.mkdtemp(prefix="flipora-bench-")
    os.makedirs(os.path.join(folder, "data"))
    for entry in os.listdir(data):
        if entry.lower().endswith((".bmp", ".wav")):
            shutil.copy(os.path.join(data, entry), os.path.join(folder, "data"))
    return folder


def describe(values, unit, digits=1):
    low, high = min(values), max(values)
    return (f"median {statistics.median(values):.{digits}f} {unit} "
            f"(min {low:.{digits}f}, max {high:.{digits}f}, {len(values)} runs)")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--game", required=True)
    parser.add_argument("--draw-frame", required=True)
    parser.add_argument("--data", default=os.path.join(os.path.dirname(__file__), "..", "data"))
    args = parser.parse_args()
    game = os.path.abspath(args.game)
    data = os.path.abspath(args.data)

    server = XServer()
    folder = scratch_copy(data)
    env = dict(os.environ, DISPLAY=server.display, SDL_AUDIODRIVER="dummy",
               FLIPORA_BENCH="1", FLIPORA_DEBUG_FPS="1")
    env.pop("SDL_VIDEODRIVER", None)
    try:
        starts, peaks = [], []
        for _ in range(STARTS):
            run = Run(game, folder, env)
            starts.append(run.first_frame_ms())
            peaks.append(run.stop())
        print(f"launch to first frame:     {describe(starts, 'ms')}")

        cpu, rates = [], []
        for _ in range(CPU_RUNS):
            run = Run(game, folder, env)
            run.first_frame_ms()
            time.sleep(2.0)  # past start-up and the first frame-rate figure
            before, skip = run.cpu_seconds(), len(re.findall(r"FPS: \d+", run.text()))
            time.sleep(CPU_SECONDS)
            after = run.cpu_seconds()
            rates += [int(n) for n in re.findall(r"FPS: (\d+)", run.text())[skip:]]
            cpu.append(100.0 * (after - before) / CPU_SECONDS)
            peaks.append(run.stop())
        print(f"CPU while running (10 s):  {describe(cpu, '% of one core')}")
        print(f"frames per second then:    {describe(rates, 'fps', 0).replace(' runs', ' seconds')}")
        print(f"peak resident memory:      {describe(peaks, 'MiB')}")
    finally:
        server.stop()
        shutil.rmtree(folder, ignore_errors=True)

    sys.stdout.flush()
    subprocess.run([os.path.abspath(args.draw_frame), os.path.dirname(data)], check=True,
                   env=dict(os.environ, SDL_VIDEODRIVER="offscreen", SDL_AUDIODRIVER="dummy"))


if __name__ == "__main__":
    main()
