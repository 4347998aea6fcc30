"""Closing the window the way a window manager asks (WM_DELETE_WINDOW) ends the game in
the middle of a game, without a question, and the scores and the advanced counter are
still saved; through a symlinked score file, which stays a link."""

import ctypes
import os
import sys

from flipora_e2e import WINDOW_TITLE, advance, check, read_score_file, run

START_COUNTER = 41


class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class XEvent(ctypes.Union):
    _fields_ = [("client", ClientMessage), ("pad", ctypes.c_long * 24)]


def ask_to_close(display_name, window_id):
    """What a window manager sends when the close box is clicked."""
    x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                               ctypes.POINTER(XEvent)]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(display_name.encode())
    check(display, f"cannot open display {display_name}")
    event = XEvent()
    event.client.type = 33  # ClientMessage
    event.client.window = window_id
    event.client.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
    event.client.format = 32
    event.client.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    event.client.data[1] = 0  # CurrentTime
    check(x11.XSendEvent(display, window_id, 0, 0, ctypes.byref(event)) != 0,
          "XSendEvent failed")
    x11.XFlush(display)
    x11.XCloseDisplay(display)


def play(session):
    normal = [(10, "a"), (9, "b"), (8, "c"), (7, "d"), (6, "e")]
    trial = [(50, "f"), (40, "g"), (30, "h"), (20, "i"), (10, "j")]
    # The player keeps the real file elsewhere (a synced folder) and links it in.
    synced = os.path.join(session.scratch, "synced")
    os.mkdir(synced)
    real = os.path.join(synced, "scores.txt")
    os.symlink("../synced/scores.txt", session.score_path)
    session.write_scores(START_COUNTER, normal, trial)
    session.start()
    session.click_block(3)  # a game is running: still no question on closing
    session.wait_for_stderr("FPS")

    ask_to_close(session.server.display, int(session.windows()[WINDOW_TITLE][0], 16))
    code = session.wait_exit(timeout=20)
    check(code == 0, f"exit code {code}")
    check(os.readlink(session.score_path) == "../synced/scores.txt",
          "the score file is no longer the player's link")
    counter, scores, names = read_score_file(real)
    check(counter == advance(START_COUNTER), f"counter {counter}, not {advance(START_COUNTER)}")
    check(scores == [10, 9, 8, 7, 6, 50, 40, 30, 20, 10], f"scores changed: {scores}")
    check(names == list("abcdefghij"), f"names changed: {names}")


if __name__ == "__main__":
    sys.exit(run("close_window", play))
