#!/usr/bin/python3
"""Plays the game as a screen reader's user does, through AT-SPI: chooses a level in the
difficulty box's text, presses the start button and a pot through their actions, and reads the
pot's count as the reader says it.

    screen_reader.py PENTORA

Run on an X display and a private session bus (dbus-run-session); it starts the accessibility
bus itself, then the game."""
import os
import subprocess
import sys
import time

pyatspi = None  # imported once the accessibility bus runs


def wait_for(what, find, seconds=20.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = find()
        if found is not None:
            return found
        time.sleep(0.1)
    sys.exit(f"not found within {seconds:.0f} s: {what}")


def find_app(name):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == name:
            return app
    return None


def find(root, name, role=None):
    return pyatspi.findDescendant(
        root, lambda a: a is not None and a.name == name and (role is None or a.getRole() == role))


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
    launcher = None
    for path in ("/usr/libexec/at-spi-bus-launcher", "/usr/lib/at-spi2-core/at-spi-bus-launcher"):
        if os.access(path, os.X_OK):
            launcher = subprocess.Popen([path, "--launch-immediately"])
            break
    if launcher is None:
        sys.exit("at-spi-bus-launcher is not installed")
    global pyatspi
    import pyatspi as atspi
    pyatspi = atspi
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    game = subprocess.Popen([sys.argv[1]], env=env)
    try:
        app = wait_for("the game on the accessibility bus", lambda: find_app("Pentora"))
        pot = wait_for("La tua pentola 3", lambda: find(app, "La tua pentola 3"))
        if pot.getRole() != pyatspi.ROLE_PUSH_BUTTON:
            sys.exit(f"your pot is a {pot.getRoleName()}, not a button")
        if pot.description != "0 fagioli":
            sys.exit(f"before a game the pot reads {pot.description!r}")
        theirs = find(app, "Pentola 3 del computer")
        if theirs is None or actions(theirs):
            sys.exit("the computer's pot is missing, or can be pressed")

        box = find(app, "Difficolta'", pyatspi.ROLE_TEXT)
        if box is None:
            sys.exit("the difficulty box's text has no name")
        text = box.queryEditableText()
        text.setTextContents("Mediocre!")
        press(find(app, "Inizia", pyatspi.ROLE_PUSH_BUTTON))
        wait_for("four beans in the pot", lambda: pot.description == "4 fagioli" or None, 5)

        # Pot 3 of the opening: four beans, the last in the big pot, another move for you.
        press(pot)
        wait_for("the pot emptied", lambda: pot.description == "0 fagioli" or None, 10)
        big = find(app, "La tua pentola grande")
        wait_for("a bean in the big pot", lambda: big.description == "1 fagiolo" or None, 10)
        print("the screen reader chose a level, started, played pot 3 and read its count")
    finally:
        game.terminate()
        game.wait(10)
        launcher.terminate()
        launcher.wait(10)


if __name__ == "__main__":
    main()
