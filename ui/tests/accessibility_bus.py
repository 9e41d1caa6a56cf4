"""What the screen-reader tests share: the accessibility bus on the session bus that the test
runs in (dbus-run-session), and finding the game's objects on it with pyatspi."""
import os
import subprocess
import sys
import time

LAUNCHERS = ("/usr/libexec/at-spi-bus-launcher", "/usr/lib/at-spi2-core/at-spi-bus-launcher")


def start_bus(env=None):
    """Starts the accessibility bus; returns its launcher, to be terminated at the end."""
    for path in LAUNCHERS:
        if os.access(path, os.X_OK):
            return subprocess.Popen([path, "--launch-immediately"], env=env)
    sys.exit("at-spi-bus-launcher is not installed")


def game_environment(env=None):
    """The environment the game runs in: on X, its accessibility on without a desktop's say."""
    return dict(env or os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")


def wait_for(what, find, seconds=20.0):
    """The first thing `find` returns that is not None, asked every 0.1 s; exits after `seconds`."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = find()
        if found is not None:
            return found
        time.sleep(0.1)
    sys.exit(f"not found within {seconds:.0f} s: {what}")


def find_app(pyatspi, name):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == name:
            return app
    return None


def find(pyatspi, root, name, role=None):
    """The object whose name is `name`, or begins with `name` and a comma (a pot and its count)."""
    def matches(a):
        return (a is not None and (a.name == name or a.name.startswith(name + ", "))
                and (role is None or a.getRole() == role))
    return pyatspi.findDescendant(root, matches)
