#!/usr/bin/python3
"""A blind player's whole game, with the Orca screen reader itself and the keyboard only.

    orca_game.py PENTORA                  the game's window
    orca_game.py --page BROWSER SITE      the game's page (SITE, a folder) in firefox or chromium

Run on an X display with a window manager and on a private session bus (dbus-run-session). It
starts the accessibility bus, Orca (with a debug log and settings of its own, no audio) and then
the game, and plays as a person who hears only what Orca says: the board key before the game,
a level chosen in the difficulty box, the start, and then each move chosen from the counts of
the last thing Orca said, until the result. It checks that the start, every turn and the result
were said, that the board key is heard (twice in a row on the page), and that every count it heard is the
one the game shows. What Orca said is printed.

The page is served on 127.0.0.1 and opened in a browser window of its own. There Orca starts in
browse mode, where the digits move among headings: the player turns sticky focus mode on (Orca+A
twice) on the start button, as a reader's user does on a page with keys of its own.

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
                        # A zero-width space is written, never heard.
                        self.spoken.append(said.group(1).replace("\u200b", ""))
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

    def wait_until_quiet(self, what, quiet=2.0, seconds=TURN_SECONDS):
        """Waits until Orca has said nothing for `quiet` seconds: it has finished `what`."""
        deadline = time.monotonic() + seconds
        with self.condition:
            while time.monotonic() < deadline:
                said = len(self.spoken)
                self.condition.wait(quiet)
                if len(self.spoken) == said:
                    return
        sys.exit(f"Orca did not finish {what} within {seconds:.0f} s")

    def press(self, *keys):
        """Keys pressed once Orca has finished what it was saying, as a person listens first;
        returns the mark of what is said after them."""
        self.wait_until_quiet("what it was saying", quiet=1.0)
        mark = self.mark()
        press(*keys)
        return mark

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


def pots(pyatspi, root):
    """The fourteen pots, found once: the player's six and big pot, then the computer's."""
    names = ([f"La tua pentola {n}" for n in range(1, 7)] + ["La tua pentola grande"] +
             [f"Pentola {n} del computer" for n in range(1, 7)] + ["Pentola grande del computer"])
    return [wait_for(f"the pot {name!r}", lambda name=name: find(pyatspi, root, name))
            for name in names]


def shown_board(pots):
    """The fourteen counts as the game's pots name them now."""
    counts = [int(pot.name.split(", ")[-1].split()[0]) for pot in pots]
    return counts[:7], counts[7:]


def choose(mine):
    """A pot whose last bean falls in the big pot if there is one, else the fullest."""
    for pot in range(5, -1, -1):
        if mine[pot] == 6 - pot:
            return pot
    return max(range(6), key=lambda pot: mine[pot])


class Window:
    """The game's own window: it opens with the focus on the start button."""

    def __init__(self, program):
        self.program = program
        self.process = None

    def open(self, env, orca):
        mark = orca.mark()
        self.process = subprocess.Popen([self.program], env=game_environment(env))
        orca.wait_for("the start button, focused", r"^Inizia\b", mark, 60)

    def root(self, pyatspi):
        return wait_for("the game on the accessibility bus", lambda: find_app(pyatspi, "Pentora"))

    @staticmethod
    def choose_first_level(orca):
        """Down in the box chooses the next level at once."""
        mark = orca.press("Down")
        orca.wait_for("the first level", r"Troppo facile!", mark, 30)

    def ready_to_play(self, orca):
        pass

    board_key_presses = 1

    def close(self):
        if self.process is not None:
            end(self.process)


class Page:
    """The game's page, served from a folder on 127.0.0.1, in a browser window of its own."""

    def __init__(self, browser, site, work):
        self.browser = browser
        self.site = site
        self.work = work
        self.processes = []

    def open(self, env, orca):
        server = subprocess.Popen(
            [sys.executable, "-u", "-m", "http.server", "0", "--bind", "127.0.0.1",
             "--directory", self.site],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, env=env)
        self.processes.append(server)
        port = re.search(r"port (\d+)", server.stdout.readline())
        if port is None:
            sys.exit(f"the page could not be served from {self.site}")
        url = f"http://127.0.0.1:{port[1]}/"
        profile = os.path.join(self.work, "browser")
        os.makedirs(profile)
        if self.browser == "firefox":
            # A new profile with no first-run pages, telemetry or default-browser question.
            with open(os.path.join(profile, "user.js"), "w", encoding="utf-8") as prefs:
                for name, value in (("browser.shell.checkDefaultBrowser", "false"),
                                    ("browser.startup.homepage_override.mstone", '"ignore"'),
                                    ("browser.aboutwelcome.enabled", "false"),
                                    ("datareporting.policy.dataSubmissionEnabled", "false"),
                                    ("toolkit.telemetry.reportingpolicy.firstRun", "false")):
                    prefs.write(f'user_pref("{name}", {value});\n')
            command = ["firefox-esr", "--no-remote", "--profile", profile, url]
        else:
            command = ["chromium", "--force-renderer-accessibility", f"--user-data-dir={profile}",
                       "--no-first-run", "--no-default-browser-check", "--disable-gpu",
                       "--disable-background-networking", "--disable-component-update",
                       "--disable-sync", url]
            if os.getuid() == 0:
                command.insert(1, "--no-sandbox")
        mark = orca.mark()
        self.processes.append(subprocess.Popen(
            command, env=dict(env, GNOME_ACCESSIBILITY="1"), stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL))
        # Orca names the page as it loads (and may go on to read it); the menu bar is the first
        # stop of Tab, the start button the second.
        orca.wait_for("the page", r"\bPentora\b|fagioli", mark, 90)
        orca.wait_until_quiet("reading the page")
        for control in ("Istruzioni", "Inizia"):
            mark = orca.press("Tab")
            orca.wait_for(f"{control}, focused", rf"^{control}\b", mark, 30)

    def root(self, pyatspi):
        def document():
            for app in pyatspi.Registry.getDesktop(0):
                if app is not None and app.name.lower() in ("firefox", "chromium"):
                    found = pyatspi.findDescendant(
                        app, lambda a: a is not None and a.getRole() == pyatspi.ROLE_DOCUMENT_WEB)
                    if found is not None:
                        return found
            return None
        return wait_for("the page on the accessibility bus", document)

    @staticmethod
    def choose_first_level(orca):
        """Down opens the list on its first level, and Enter chooses it."""
        mark = orca.press("Down")
        orca.wait_for("the list on its first level", r"Troppo facile!", mark, 30)
        mark = orca.press("Return")
        orca.wait_for("the list closed", r"collapsed|Troppo facile!", mark, 30)

    # Twice: a message equal to the one before it is said again.
    board_key_presses = 2

    def ready_to_play(self, orca):
        # Orca+A twice: focus mode, and sticky, so that Orca does not go back to browse mode
        # when the start button's caption changes.
        mark = orca.press("Insert+a", "Insert+a")
        orca.wait_for("focus mode", r"^(Focus mode|Modalità focus)", mark, 30)

    def close(self):
        for process in reversed(self.processes):
            end(process)


def main():
    page = sys.argv[1] == "--page" if len(sys.argv) > 1 else False
    if len(sys.argv) != (4 if page else 2) or (page and sys.argv[2] not in ("firefox", "chromium")):
        sys.exit(__doc__)
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
    game = Page(sys.argv[2], sys.argv[3], work) if page else Window(sys.argv[1])
    try:
        orca.wait_for("that it is on", r"Screen reader on|Lettore dello schermo attivo", 0, 60)
        game.open(env, orca)
        shown = pots(pyatspi, game.root(pyatspi))

        mark = orca.press("0")
        said = orca.wait_for("the board before a game", r"Nessuna partita in corso\.$", mark)
        if heard_board(said) != ([0] * 7, [0] * 7):
            sys.exit(f"before a game the board should be empty: {said!r}")

        # The first level from the difficulty box's list, then back to the start button.
        mark = orca.press("Tab")
        orca.wait_for("the difficulty box", r"combo box", mark, 30)
        game.choose_first_level(orca)
        mark = orca.press("shift+Tab")
        orca.wait_for("the start button again", r"^Inizia\b", mark, 30)
        game.ready_to_play(orca)
        mark = orca.press("space")
        said = orca.wait_for("the start", r"Partita iniziata, livello 1, Troppo facile!", mark)

        moves = 0
        while True:
            mine, theirs = heard_board(said)
            if (mine, theirs) != shown_board(shown):
                sys.exit(f"heard {mine} {theirs}, the game shows {shown_board(shown)}")
            if sum(mine) + sum(theirs) != 48:
                sys.exit(f"48 beans expected in {said!r}")
            if moves == 3:
                # The board key in the middle of the game: the same board, the same turn, said
                # each time it is pressed.
                for which in ("", " again")[:game.board_key_presses]:
                    mark = orca.press("0")
                    again = orca.wait_for(f"the board on request{which}", r"Tocca a te\.$", mark)
                    if heard_board(again) != (mine, theirs):
                        sys.exit(f"the board key said {again!r} after {said!r}")
            pot = choose(mine)
            mark = orca.press(str(pot + 1))
            moves += 1
            said = orca.wait_for(f"what followed move {moves} (pot {pot + 1})",
                                 r"Tocca (ancora )?a te\.$|" + RESULT.pattern, mark)
            if RESULT.search(said):
                break

        scores = SCORES.search(said)
        if scores is None or int(scores[1]) + int(scores[2]) != 48:
            sys.exit(f"the result should give both scores, 48 in all: {said!r}")
        mark = orca.press("Return")
        # The focus back on the start button, which may still say "Nuova Partita" as it gets it:
        # its caption turns back to "Inizia" as the board is set again.
        orca.wait_for("the start button again after the result", r"^(Inizia|Nuova Partita)\b",
                      mark, 30)
        orca.stop()
        orca.print_transcript()
        print(f"Orca said the start, each of {moves} turns, the board on request and the result")
        return 0
    finally:
        game.close()
        orca.stop()
        # speech-dispatcher, started for Orca, ends with its session.
        subprocess.run(["pkill", "-f", f"speech-dispatcher.*{work}"], check=False)
        launcher.terminate()
        launcher.wait(10)
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
