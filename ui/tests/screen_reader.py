#!/usr/bin/python3
"""Plays the game as a screen reader's user does, through AT-SPI: chooses a level in the
difficulty box's text, presses the start button and a pot through their actions, and reads the
pot's count as the reader says it. It also hears what the game says, as a reader does: each
message is a notification shown with the message as its name (Qt 6.4) or an announcement
(Qt 6.8); a start, a second start right after it and the extra move must each be heard with
their own words.

    screen_reader.py PENTORA

Run on an X display and a private session bus (dbus-run-session); it starts the accessibility
bus itself, then the game."""
import subprocess
import sys
import time

from accessibility_bus import find_app, game_environment, start_bus, wait_for
import accessibility_bus

pyatspi = None  # imported once the accessibility bus runs


def find(root, name, role=None):
    return accessibility_bus.find(pyatspi, root, name, role)


def count(pot):
    """A pot's count as its name says it: "La tua pentola 3, 4 fagioli"."""
    return pot.name.split(", ")[-1]


def actions(accessible):
    try:
        action = accessible.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def press(accessible):
    names = actions(accessible)
    if "Press" not in names:
        sys.exit(f"{accessible.name!r} offers no Press action, only {names}")
    accessible.queryAction().doAction(names.index("Press"))


class Heard:
    """What the game says, as a client of the accessibility bus gets it."""

    def __init__(self):
        self.notices = []  # the notifications reported shown, in order
        self.announced = []  # the texts of announcements, in order
        pyatspi.Registry.registerEventListener(self._shown, "object:state-changed:showing")
        pyatspi.Registry.registerEventListener(self._announced, "object:announcement")

    def _shown(self, event):
        if event.detail1 == 1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
            self.notices.append(event.source)

    def _announced(self, event):
        self.announced.append(str(event.any_data))

    def messages(self):
        """Every message heard. A notification's text is read once all were shown, as a reader
        that was busy reads them: each must still hold its own."""
        return [notice.name for notice in self.notices] + self.announced

    def wait_for_count(self, count, seconds=10.0):
        """Dispatches the bus's events until `count` messages were heard, or the time is up."""
        from gi.repository import GLib
        context = GLib.MainContext.default()
        deadline = time.monotonic() + seconds
        while len(self.notices) + len(self.announced) < count and time.monotonic() < deadline:
            while context.pending():
                context.iteration(False)
            time.sleep(0.02)


def main():
    launcher = start_bus()
    global pyatspi
    import pyatspi as atspi
    pyatspi = atspi
    heard = Heard()
    game = subprocess.Popen([sys.argv[1]], env=game_environment())
    try:
        app = wait_for("the game on the accessibility bus", lambda: find_app(pyatspi, "Pentora"))
        pot = wait_for("La tua pentola 3", lambda: find(app, "La tua pentola 3"))
        if pot.getRole() != pyatspi.ROLE_PUSH_BUTTON:
            sys.exit(f"your pot is a {pot.getRoleName()}, not a button")
        if pot.name != "La tua pentola 3, 0 fagioli":
            sys.exit(f"before a game the pot reads {pot.name!r}")
        theirs = find(app, "Pentola 3 del computer")
        if theirs is None or actions(theirs):
            sys.exit("the computer's pot is missing, or can be pressed")

        box = find(app, "Difficolta'", pyatspi.ROLE_TEXT)
        if box is None:
            sys.exit("the difficulty box's text has no name")
        text = box.queryEditableText()
        text.setTextContents("Mediocre!")
        start = find(app, "Inizia", pyatspi.ROLE_PUSH_BUTTON)
        press(start)
        wait_for("four beans in the pot", lambda: count(pot) == "4 fagioli" or None, 5)
        heard.wait_for_count(1)
        # A second start on the heels of the first, at another level.
        text.setTextContents("Troppo facile!")
        press(start)
        heard.wait_for_count(2)

        # Pot 3 of the opening: four beans, the last in the big pot, another move for you.
        press(pot)
        wait_for("the pot emptied", lambda: count(pot) == "0 fagioli" or None, 10)
        big = find(app, "La tua pentola grande")
        wait_for("a bean in the big pot", lambda: count(big) == "1 fagiolo" or None, 10)
        # The button's new caption, on one line.
        wait_for("the start button renamed", lambda: start.name == "Nuova Partita" or None, 5)

        heard.wait_for_count(3)
        opening = ("Le tue pentole: 4, 4, 4, 4, 4, 4; la tua pentola grande: 0. Pentole del "
                   "computer: 4, 4, 4, 4, 4, 4; pentola grande del computer: 0.")
        expected = [f"Partita iniziata, livello 4, Mediocre! {opening} Tocca a te.",
                    f"Partita iniziata, livello 1, Troppo facile! {opening} Tocca a te.",
                    "Le tue pentole: 4, 4, 0, 5, 5, 5; la tua pentola grande: 1. Pentole del "
                    "computer: 4, 4, 4, 4, 4, 4; pentola grande del computer: 0. Tocca ancora a te."]
        if heard.messages() != expected:
            sys.exit("heard, in order:\n  " + "\n  ".join(map(repr, heard.messages())) +
                     "\nexpected:\n  " + "\n  ".join(map(repr, expected)))
        print("the screen reader chose a level, started twice, played pot 3, read its count and "
              "heard each message")
    finally:
        game.terminate()
        game.wait(10)
        launcher.terminate()
        launcher.wait(10)


if __name__ == "__main__":
    main()
