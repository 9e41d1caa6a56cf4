#!/usr/bin/python3
"""Plays the game as a screen reader's user does, through AT-SPI: chooses a level in the
difficulty box's text, presses the start button and a pot through their actions, and reads the
pot's count as the reader says it.

    screen_reader.py PENTORA

Run on an X display and a private session bus (dbus-run-session); it starts the accessibility
bus itself, then the game."""
import subprocess
import sys

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


def main():
    launcher = start_bus()
    global pyatspi
    import pyatspi as atspi
    pyatspi = atspi
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

        # Pot 3 of the opening: four beans, the last in the big pot, another move for you.
        press(pot)
        wait_for("the pot emptied", lambda: count(pot) == "0 fagioli" or None, 10)
        big = find(app, "La tua pentola grande")
        wait_for("a bean in the big pot", lambda: count(big) == "1 fagiolo" or None, 10)
        # The button's new caption, on one line.
        wait_for("the start button renamed", lambda: start.name == "Nuova Partita" or None, 5)
        print("the screen reader chose a level, started, played pot 3 and read its count")
    finally:
        game.terminate()
        game.wait(10)
        launcher.terminate()
        launcher.wait(10)


if __name__ == "__main__":
    main()
