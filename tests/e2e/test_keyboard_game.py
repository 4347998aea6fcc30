"""A whole game without a single mouse event: the highlight walked with the arrows and
Enter pressed on blocks and buttons. The question of New answered No and then Yes, About
opened and closed, Mode, three normal-mode boards played pair by pair from the deals the
counter gives, the name typed and placed, and Exit pressed from the keyboard."""

import sys

from flipora_e2e import (Dealer, advance, banner_rect, block_rect, board_rect, check,
                         check_normal_entry_on_top, pair_positions, piece_rect, ring_pixels, run)

START_COUNTER = 63
NAME = "keys"
MENU = ["New", "Mode", "Sound", "Help", "About", "Exit"]


class Highlight:
    """Where the game's highlight is, kept in step with the keys the test sends: a block
    index, a menu button's name, or None while hidden."""

    def __init__(self, session):
        self.session = session
        self.at = None
        self.left_block = 0

    def press(self, *keys):
        self.session.key(*keys)

    def to_block(self, target):
        keys = []
        if self.at is None:
            keys.append("Up")          # the first arrow shows it on block 0
            self.at = 0
        elif self.at in MENU:
            keys.append("Left")        # back to the block it left
            self.at = self.left_block
        row, column = divmod(self.at, 4)
        goal_row, goal_column = divmod(target, 4)
        keys += ["Down" if goal_row > row else "Up"] * abs(goal_row - row)
        keys += ["Right" if goal_column > column else "Left"] * abs(goal_column - column)
        self.at = target
        self.press(*keys)

    def to_button(self, name):
        keys = []
        if self.at not in MENU:
            if self.at is None:
                keys.append("Up")
                self.at = 0
            row, column = divmod(self.at, 4)
            keys += ["Right"] * (4 - column)
            self.left_block = row * 4 + 3   # Right leaves the board from its last column
            self.at = "New"
        here, goal = MENU.index(self.at), MENU.index(name)
        keys += ["Down" if goal > here else "Up"] * abs(goal - here)
        self.at = name
        self.press(*keys)

    def enter(self):
        self.press("Return")


def play(session):
    trial = [(900, "ann"), (800, "bob"), (700, "cid"), (600, "dee"), (500, "eve")]
    normal = [(0, "x1"), (0, "x2"), (0, "x3"), (0, "x4"), (0, "x5")]
    session.write_scores(START_COUNTER, normal, trial)
    session.start()

    board = board_rect()
    face_down = session.screenshot("start-face-down")
    highlight = Highlight(session)

    # The block faces only: the ring around a block lies outside them.
    def all_face_down(image):
        return all(image.count_differences(face_down, block_rect(i, inset=0.5)) == 0
                   for i in range(16))

    dealer = Dealer()
    counter = START_COUNTER
    dealer.deal(counter)

    # The first arrow rings the top-left block.
    highlight.to_block(5)
    ringed = session.wait_until("ring-on-block-5",
                                lambda image: ring_pixels(image, block_rect(5)) > 100)
    check(ring_pixels(ringed, block_rect(7)) == 0, "block 7 is ringed as well")

    # Enter turns block 5: the time trial's clock runs, so New asks. No keeps the game.
    highlight.enter()
    one_up = session.wait_until_settled("block-5-up", board)
    check(one_up.count_differences(face_down, block_rect(5, inset=0.5)) > 1000,
          "Enter did not turn block 5")
    highlight.to_button("New")
    highlight.enter()
    session.answer_box("Quit Game", "Escape")
    kept = session.wait_until_settled("answered-no", board)
    check(kept.count_differences(one_up, block_rect(5, inset=0.5)) == 0, "No changed the board")

    # About opens its box and Enter closes it.
    highlight.to_button("About")
    highlight.enter()
    session.answer_box("About Flipora", "Return")

    # New again, Yes: the board turns back and the next one is dealt.
    highlight.to_button("New")
    highlight.enter()
    session.answer_box("Quit Game", "Return")
    counter = advance(counter)
    dealer.deal(counter)
    session.wait_until("new-game", all_face_down)

    # Mode with no game running asks nothing: normal mode on the next deal.
    highlight.to_button("Mode")
    highlight.enter()
    counter = advance(counter)
    deals = []
    for board_number in range(3):
        deals.append(dealer.deal(counter))
        if board_number == 0:
            session.wait_until(
                "mode-switched",
                lambda image: image.count_differences(face_down, piece_rect("TimeTrialLabel", inset=2)) > 0)
        for first, second in pair_positions(deals[-1]):
            highlight.to_block(first)
            highlight.enter()
            highlight.to_block(second)
            highlight.enter()
        session.screenshot(f"board-{board_number + 1}-cleared")
        counter = advance(counter)
        if board_number < 2:
            session.wait_until(f"board-{board_number + 2}-dealt", all_face_down)

    dealer.deal(counter)
    banner = banner_rect()
    session.wait_until(
        "game-over-banner", lambda image: image.count_differences(face_down, banner) > 2000)
    session.wait_until_settled("game-over-settled", board)

    # The name takes the keys first: Enter places it and clicks nothing.
    session.key(*NAME, "Return")
    counter = advance(counter)
    session.wait_until("name-placed-next-board", all_face_down)
    highlight.to_button("Exit")
    highlight.enter()
    code = session.wait_exit()
    check(code == 0, f"exit code {code}")
    counter = advance(counter)

    check_normal_entry_on_top(session.score_path, counter, NAME, trial)


if __name__ == "__main__":
    sys.exit(run("keyboard_game", play))
