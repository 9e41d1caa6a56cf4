#!/usr/bin/python3
"""A blind player's whole game on Windows, under Wine, as a screen reader there gets it.

    uia_game.py PENTORA.EXE UIA_PROBE.EXE RUNNER...

RUNNER is how a Windows program runs here (packaging/windows/wine-run.sh with its path). Run on
an X display with a window manager. The game runs on Wine's windows platform; a UI Automation
client (uia_probe.exe, through COM's IUIAutomation, as NVDA and Narrator read a program) wakes
its accessibility and reads its window: the fourteen pots by name, the player's six as buttons.
The player presses keys on the X server: the board key before the game, a level in the
difficulty box, the start, and each move chosen from what was last said, until the result box.

What the game raises is read from Wine's uiautomation channel, where Wine 10 writes each
UiaRaiseNotificationEvent with its text: the start, every turn and the board key must each be
one notification whose counts are those the pots' names give, 48 beans in all; the result box
must name the outcome and both scores. Wine cuts a long text after about 290 characters: when a
turn's message is cut, the counts it holds are checked and the board key gives the rest. On a
failure, everything raised is printed."""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time

from orca_game import BOARD, RESULT, SCORES, choose, end, press

TURN_SECONDS = 120.0
RAISED = re.compile(r'UiaRaiseNotificationEvent \([0-9A-Fa-f]+, \d+, \d+, L"((?:[^"\\]|\\.)*)"(\.\.\.)?')
POT = re.compile(r"^(?:La tua pentola (\d)|La tua pentola grande|Pentola (\d) del computer|"
                 r"Pentola grande del computer), (\d+) fagiol[io]$")
BUTTON = 50000  # UIA_ButtonControlTypeId


def unescape(text):
    """Wine's debug text: \\xxxx (four hex digits) for a letter beyond ASCII, \\n, \\", \\\\."""
    return re.sub(r"\\([0-9a-fA-F]{4}|.)",
                  lambda m: chr(int(m[1], 16)) if len(m[1]) == 4 else
                  {"n": "\n", "r": "\r", "t": "\t"}.get(m[1], m[1]), text)


class Game:
    """The game under Wine, what it raised read from its error output as it is written, in a
    Wine prefix of its own: its Wine server and desktop serve this display alone, and ending
    them ends no other test's programs."""

    def __init__(self, runner, program):
        self.prefix = tempfile.mkdtemp(prefix="pentora-uia-wine-")
        os.environ["WINEPREFIX"] = self.prefix  # for the client's runs too
        os.environ["WINEDLLOVERRIDES"] = "winemenubuilder.exe=d;mscoree,mshtml="
        subprocess.run(["wineboot", "--init"], env=dict(os.environ, WINEDEBUG="-all"),
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
        env = dict(os.environ, WINEDEBUG="-all,fixme+uiautomation")
        env.pop("QT_QPA_PLATFORM", None)  # Wine's windows platform, as on Windows
        self.process = subprocess.Popen(runner + [program], stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                        env=env)
        self.raised = []  # (text, cut) in order
        self.condition = threading.Condition()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in iter(self.process.stderr.readline, b""):
            found = RAISED.search(line.decode(errors="replace"))
            if found:
                with self.condition:
                    self.raised.append((unescape(found[1]), found[2] is not None))
                    self.condition.notify_all()

    def mark(self):
        with self.condition:
            return len(self.raised)

    def wait_for(self, what, pattern, since, also=None, seconds=TURN_SECONDS):
        """The first notification after `since` that matches `pattern` (or is cut); None as soon
        as `also()` is true instead."""
        deadline = time.monotonic() + seconds
        with self.condition:
            while True:
                for text, cut in self.raised[since:]:
                    if cut or re.search(pattern, text):
                        return text, cut
                if also is not None and also():
                    return None
                left = deadline - time.monotonic()
                if left <= 0 or self.process.poll() is not None:
                    break
                self.condition.wait(min(left, 1.0))
        self.fail(f"no notification for {what} within {seconds:.0f} s")

    def fail(self, why):
        print("What the game raised to UI Automation:")
        with self.condition:
            for text, cut in self.raised:
                print(f"  {text!r}{' (cut)' if cut else ''}")
        self.stop()
        sys.exit(why)

    def stop(self):
        end(self.process)
        subprocess.run(["wineserver", "-k"], check=False)
        shutil.rmtree(self.prefix, ignore_errors=True)


def read_windows(runner, probe, frames=None):
    """The game's windows as the client reads them: [(title, [(type, invoke, name), ...])]; and
    into `frames`, when given, each window's title-bar buttons: [(title, {what: "1"|"0"|"?"})]."""
    env = dict(os.environ, WINEDEBUG="-all")
    out = subprocess.run(runner + [probe, "names"], stdout=subprocess.PIPE, env=env,
                         check=False).stdout.decode(errors="replace")
    windows, current = [], None
    for line in out.splitlines():
        fields = line.rstrip("\r").split("\t")
        if fields[0] == "window":
            current = []
            windows.append((fields[1], current))
        elif fields[0] == "frame" and frames is not None and windows:
            frames.append((windows[-1][0], dict(f.split("=", 1) for f in fields[1:])))
        elif current is not None and len(fields) == 3:
            current.append((int(fields[0]), fields[1], fields[2].replace("\\n", "\n")))
    return windows


def check_frame(game, what, frame, minimize):
    """The title bar's buttons: close (where this client can read it: not under Wine, whose
    client answers no window property and reads no other program's system menu), minimize as
    asked, never maximize; through UI Automation's window properties where they answer."""
    wanted = {"minimize": "1" if minimize else "0", "maximize": "0", "close": "1",
              "uia-minimize": "1" if minimize else "0", "uia-maximize": "0"}
    wrong = {k: v for k, v in frame.items() if k in wanted and v not in (wanted[k], "?")}
    unread = sorted(k for k, v in frame.items() if k in wanted and v == "?")
    if wrong or frame.get("minimize") is None:
        game.fail(f"the {what}'s title bar offers {frame}, not {wanted}")
    print(f"the {what}'s title bar: {frame}" +
          (f" ({', '.join(unread)} not readable by this client)" if unread else ""))


def split(windows):
    """The game's own window (the one with the pots) and the others (its message boxes)."""
    own = [elements for _, elements in windows if pots(elements) is not None]
    return (own[0] if own else None), [w for w in windows if pots(w[1]) is None]


def pots(elements):
    """The fourteen counts the pots' names give, the player's side first; None if any is
    missing."""
    mine, theirs = [None] * 7, [None] * 7
    for _, _, name in elements:
        found = POT.match(name)
        if found:
            side = theirs if name.startswith("Pentola") else mine
            number = found[1] or found[2]
            side[int(number) - 1 if number else 6] = int(found[3])
    return None if None in mine + theirs else (mine, theirs)


def board_in(text):
    """The counts a message gives, left to right, as far as it goes (a cut message, part)."""
    found = BOARD.search(text)
    if found:
        counts = [int(n) for n in found.groups()]
        return counts[:7], counts[7:]
    start = text.find("Le tue pentole: ")
    return None if start < 0 else [int(n) for n in re.findall(r"\d+", text[start:])]


def main():
    program, probe, runner = sys.argv[1], sys.argv[2], sys.argv[3:]
    game = Game(runner, program)
    turns = 0
    try:
        for _ in range(150):
            if subprocess.run(["xdotool", "search", "--name", "^Pentora$"],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0:
                break
            time.sleep(0.2)
        else:
            game.fail("no window named Pentora within 30 s")
        time.sleep(2)  # the first paint

        # The client's first request wakes the game's UI Automation.
        frames = []  # one for each window, in the same order
        windows = read_windows(runner, probe, frames)
        elements, _ = split(windows)
        if elements is None:
            game.fail("the UI Automation client found no window of the game with its pots")
        for (_, shown), (_, frame) in zip(windows, frames):
            if shown is elements:
                check_frame(game, "game's window", frame, minimize=True)
        if pots(elements) != ([0] * 7, [0] * 7):
            game.fail(f"before a game the pots should read 0: {elements}")
        for number in range(1, 7):
            kind = [e for e in elements if e[2].startswith(f"La tua pentola {number},")]
            if kind[0][0] != BUTTON or kind[0][1] == "-":
                game.fail(f"your pot {number} is not a button that can be invoked: {kind[0]}")

        def shown():
            own, _ = split(read_windows(runner, probe))
            if own is None:
                game.fail("the UI Automation client lost the game's window")
            return pots(own)

        def check(said, cut):
            """The counts said against the pots' names; the board key for a cut message."""
            heard = board_in(said)
            board = shown()
            flat = board[0] + board[1]
            if cut:
                heard = None if heard is None else heard[:-1]  # the last may be cut in two
                if heard is None or heard != flat[:len(heard)]:
                    game.fail(f"a cut message {said!r} holds counts the pots do not: {flat}")
                mark = game.mark()
                press("0")
                said, cut = game.wait_for("the board key", r"\. Tocca (ancora )?a te\.$", mark)
                heard = board_in(said)
            if cut or heard != board:
                game.fail(f"raised {said!r}, the pots read {board}")
            if sum(flat) != 48:
                game.fail(f"48 beans expected, the pots read {board}")

        mark = game.mark()
        press("0")
        said, _ = game.wait_for("the board key before a game", r"Nessuna partita in corso\.$", mark)
        if board_in(said) != ([0] * 7, [0] * 7):
            game.fail(f"before a game the board should be empty: {said!r}")

        # The first level from the difficulty box's list, then back to the start button.
        press("Tab", "Down", "shift+Tab")
        mark = game.mark()
        press("space")
        said, cut = game.wait_for("the start", r"^Partita iniziata, livello 1, Troppo facile! ",
                                  mark)
        check(said, cut)

        def result_box():
            return any(RESULT.search(text) for _, elements in split(read_windows(runner, probe))[1]
                       for _, _, text in elements)

        while True:
            mine = shown()[0]
            pot = choose(mine)
            mark = game.mark()
            if turns == 0 and subprocess.run(
                    runner + [probe, "invoke", f"La tua pentola {pot + 1},"],
                    env=dict(os.environ, WINEDEBUG="-all"), check=False).returncode == 0:
                print(f"move 1: pot {pot + 1} invoked through UI Automation")
            else:
                if turns == 0:
                    print("move 1: the client could not invoke the pot (Wine 10's client has no "
                          "pattern interfaces); played by its key")
                press(str(pot + 1))
            turns += 1
            said = game.wait_for(f"what followed move {turns} (pot {pot + 1})",
                                 r"Tocca (ancora )?a te\.$", mark, also=result_box)
            if said is None:
                break
            check(*said)
            if turns == 3:
                # The board key in the middle of the game: the same board, the same turn.
                mark = game.mark()
                press("0")
                again, _ = game.wait_for("the board key", r"\. Tocca (ancora )?a te\.$", mark)
                if board_in(again) != shown():
                    game.fail(f"the board key raised {again!r}")

        # The result box, as a reader reads a dialog that opens: its text names the outcome and
        # both scores; its title bar offers close alone.
        frames = []
        windows = read_windows(runner, probe, frames)
        boxes = split(windows)[1]
        for (_, shown), (_, frame) in zip(windows, frames):
            if pots(shown) is None:
                check_frame(game, "result box", frame, minimize=False)
        box = [text for _, elements in boxes for _, _, text in elements if RESULT.search(text)]
        scores = SCORES.search(box[0]) if box else None
        if scores is None or int(scores[1]) + int(scores[2]) != 48:
            game.fail(f"the result box should give both scores, 48 in all: {boxes}")
        print(f"the result box reads {box[0]!r}")
        press("Return")
        print(f"UI Automation was raised the board key, the start and each of {turns} turns, "
              "with the pots' counts, and the result box was read")
        return 0
    finally:
        game.stop()


if __name__ == "__main__":
    sys.exit(main())
