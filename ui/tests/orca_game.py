#!/usr/bin/python3
"""A blind player's whole game, with the Orca screen reader itself and the keyboard only.

    orca_game.py PENTORA

Run on an X display with a window manager and on a private session bus (dbus-run-session). It
starts the accessibility bus, Orca (with a debug log and settings of its own, no audio) and then
the game, and plays as a person who hears only what Orca says: the board key before the game,
a level chosen in the difficulty box, the start, and then each move chosen from the counts of
the last thing Orca said, until the result. It checks that the start, every turn and the result
were said, and that every count it heard is the one the game shows. What Orca said is printed.

Exits with 77 (a skip) when another Orca of this user is running: Orca will not start beside
it, and stopping it would silence a person's screen reader. Under CI (CI=true) that is a
failure instead, naming the Orca found."""
import os
import pty
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time

from accessibility_bus import find, find_app, game_environment, start_bus, wait_for

SKIP = 77
# Long enough for the computer's longest turn, bean by bean, in a sanitizer build on a busy
# machine.
TURN_SECONDS = 90.0

SIDE = r"(\d+), (\d+), (\d+), (\d+), (\d+), (\d+); {big}: (\d+)\."
BOARD = re.compile("Le tue pentole: " + SIDE.format(big="la tua pentola grande") +
                   " Pentole del computer: " + SIDE.format(big="pentola grande del computer"))
RESULT = re.compile(r"Hai VINTO!|Hai PERSO!|Pareggio!")
SCORES = re.compile(r"CPU: (\d+) / TU: (\d+)")


class Orca:
    """Orca, its debug log read line by line as it is written."""

    def __init__(self, env, prefs):
        # The log goes to a terminal of our own: Orca's log file is then line-buffered, so each
        # line can be read as soon as Orca has written it.
        master, slave = pty.openpty()
        self.process = subprocess.Popen(
            ["orca", "--debug-file=/dev/stdout", "--user-prefs", prefs],
            stdin=subprocess.DEVNULL, stdout=slave, stderr=subprocess.STDOUT, env=env)
        os.close(slave)
        self.log = []  # the whole debug log, for a failure's post-mortem
        self.spoken = []  # everything said, in order
        self.condition = threading.Condition()
        threading.Thread(target=self._read, args=(master,), daemon=True).start()

    def _read(self, master):
        pending = b""
        speech = None  # a speech line, until its end (what is said may hold line breaks)
        while True:
            try:
                data = os.read(master, 65536)
            except OSError:
                data = b""
            if not data:
                return
            pending += data
            *lines, pending = pending.split(b"\n")
            for line in lines:
                text = line.decode(errors="replace").rstrip("\r")
                self.log.append(text)
                if "SPEECH OUTPUT: '" in text:
                    speech = text
                elif speech is not None:
                    speech += "\n" + text.strip()
                else:
                    continue
                # SPEECH OUTPUT: 'what was said', then the voice's settings, if any.
                said = re.search(r"SPEECH OUTPUT: '(.*?)'(\s?[\[{].*[\]}]|\s\w+)?$", speech,
                                 re.DOTALL)
                if said:
                    speech = None
                    with self.condition:
                        self.spoken.append(said.group(1))
                        self.condition.notify_all()

    def mark(self):
        with self.condition:
            return len(self.spoken)

    def wait_for(self, what, pattern, since, seconds=TURN_SECONDS):
        """The first thing said after `since` (a mark) that matches `pattern`."""
        deadline = time.monotonic() + seconds
        with self.condition:
            while True:
                for said in self.spoken[since:]:
                    if re.search(pattern, said):
                        return said
                left = deadline - time.monotonic()
                if left <= 0 or self.process.poll() is not None:
                    break
                self.condition.wait(left)
        self.stop()
        self.print_transcript()
        with open("orca-debug.log", "w", encoding="utf-8") as log:
            log.write("\n".join(self.log))
        sys.exit(f"Orca did not say {what} within {seconds:.0f} s; its log: "
                 f"{os.path.abspath('orca-debug.log')}")

    def stop(self):
        end(self.process)

    def print_transcript(self):
        with self.condition:
            print("What Orca said:")
            for said in self.spoken:
                print(f"  {said}")


def end(process):
    """Ends a process politely, then not, if it is still running."""
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(10)
        except subprocess.TimeoutExpired:
            process.kill()


def press(*keys):
    """Keys pressed on the keyboard, as the X server gets them from a person."""
    subprocess.run(["xdotool", "key", "--delay", "80", *keys], check=True)


def heard_board(message):
    """The fourteen counts a message says: the player's six pots and big pot, the computer's."""
    found = BOARD.search(message)
    if found is None:
        sys.exit(f"no board in {message!r}")
    counts = [int(n) for n in found.groups()]
    return counts[:7], counts[7:]


def shown_board(pyatspi, app):
    """The fourteen counts as the game's pots name them."""
    def count(name):
        pot = find(pyatspi, app, name)
        return int(pot.name.split(", ")[-1].split()[0])
    mine = [count(f"La tua pentola {n}") for n in range(1, 7)] + [count("La tua pentola grande")]
    theirs = ([count(f"Pentola {n} del computer") for n in range(1, 7)] +
              [count("Pentola grande del computer")])
    return mine, theirs


def choose(mine):
    """A pot whose last bean falls in the big pot if there is one, else the fullest."""
    for pot in range(5, -1, -1):
        if mine[pot] == 6 - pot:
            return pot
    return max(range(6), key=lambda pot: mine[pot])


def main():
    other = subprocess.run(["pgrep", "-a", "-u", str(os.getuid()), "-x", "orca"],
                           stdout=subprocess.PIPE, text=True, check=False).stdout.strip()
    if other:
        # On a person's desktop that Orca is theirs; in CI a skip would let a green run hide
        # that the blind player's game was never played.
        if os.environ.get("CI") == "true":
            sys.exit(f"another Orca of this user is running, so the blind player's game cannot "
                     f"be played (CI=true, where that is a failure, not a skip): {other}")
        print(f"another Orca of this user is running: not started beside it: {other}")
        return SKIP
    work = tempfile.mkdtemp(prefix="pentora-orca-")
    # Orca, speech-dispatcher and dconf keep their settings, sockets and logs here, not in the
    # user's home.
    env = dict(os.environ)
    for variable, folder in (("XDG_CONFIG_HOME", "config"), ("XDG_CACHE_HOME", "cache"),
                             ("XDG_DATA_HOME", "data"), ("XDG_RUNTIME_DIR", "runtime")):
        os.makedirs(os.path.join(work, folder), mode=0o700)
        env[variable] = os.path.join(work, folder)
    launcher = start_bus(env)
    import pyatspi
    orca = Orca(env, os.path.join(work, "orca"))
    game = None
    try:
        orca.wait_for("that it is on", r"Screen reader on|Lettore dello schermo attivo", 0, 60)
        mark = orca.mark()
        game = subprocess.Popen([sys.argv[1]], env=game_environment(env))
        orca.wait_for("the start button, focused", r"^Inizia\b", mark, 60)
        app = wait_for("the game on the accessibility bus", lambda: find_app(pyatspi, "Pentora"))

        mark = orca.mark()
        press("0")
        said = orca.wait_for("the board before a game", r"Nessuna partita in corso\.$", mark)
        if heard_board(said) != ([0] * 7, [0] * 7):
            sys.exit(f"before a game the board should be empty: {said!r}")

        # The first level from the difficulty box's list, then back to the start button.
        mark = orca.mark()
        press("Tab")
        orca.wait_for("the difficulty box", r"combo box", mark, 30)
        mark = orca.mark()
        press("Down")
        orca.wait_for("the first level", r"Troppo facile!", mark, 30)
        mark = orca.mark()
        press("shift+Tab")
        orca.wait_for("the start button again", r"^Inizia\b", mark, 30)
        mark = orca.mark()
        press("space")
        said = orca.wait_for("the start", r"Partita iniziata, livello 1, Troppo facile!", mark)

        moves = 0
        while True:
            mine, theirs = heard_board(said)
            if (mine, theirs) != shown_board(pyatspi, app):
                sys.exit(f"heard {mine} {theirs}, the game shows {shown_board(pyatspi, app)}")
            if sum(mine) + sum(theirs) != 48:
                sys.exit(f"48 beans expected in {said!r}")
            if moves == 3:
                # The board key, in the middle of the game: the same board, the same turn.
                mark = orca.mark()
                press("0")
                again = orca.wait_for("the board on request", r"Tocca a te\.$", mark)
                if heard_board(again) != (mine, theirs):
                    sys.exit(f"the board key said {again!r} after {said!r}")
            pot = choose(mine)
            mark = orca.mark()
            press(str(pot + 1))
            moves += 1
            said = orca.wait_for(f"what followed move {moves} (pot {pot + 1})",
                                 r"Tocca (ancora )?a te\.$|" + RESULT.pattern, mark)
            if RESULT.search(said):
                break

        scores = SCORES.search(said)
        if scores is None or int(scores[1]) + int(scores[2]) != 48:
            sys.exit(f"the result should give both scores, 48 in all: {said!r}")
        mark = orca.mark()
        press("Return")
        orca.wait_for("the window again after the result", r"^Inizia\b", mark, 30)
        orca.stop()
        orca.print_transcript()
        print(f"Orca said the start, each of {moves} turns, the board on request and the result")
        return 0
    finally:
        if game is not None and game.poll() is None:
            game.terminate()
            game.wait(10)
        orca.stop()
        # speech-dispatcher, started for Orca, ends with its session.
        subprocess.run(["pkill", "-f", f"speech-dispatcher.*{work}"], check=False)
        launcher.terminate()
        launcher.wait(10)
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
