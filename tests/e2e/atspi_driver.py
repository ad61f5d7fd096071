"""A small driver for a Qt program under Xvfb, seen through the accessibility tree (AT-SPI).

It finds windows and controls by role and accessible name, as a screen reader lists them, and acts
on them as a person would: mouse clicks and key strokes sent to the X server with xdotool at the
screen position the control reports. It reads texts through the accessible text interface and
colours from a screenshot of the whole screen (xwd).
"""

import struct
import subprocess
import time

import pyatspi


class DriveError(Exception):
    """A step could not be carried out or did not show what it should."""


def _children(acc):
    try:
        count = acc.childCount
    except Exception:
        return []
    found = []
    for i in range(count):
        try:
            child = acc.getChildAtIndex(i)
        except Exception:
            continue
        if child is not None:
            found.append(child)
    return found


def name_of(acc):
    try:
        return acc.name or ""
    except Exception:
        return ""


def role_of(acc):
    try:
        return acc.getRoleName()
    except Exception:
        return ""


def showing(acc):
    try:
        return acc.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def extents(acc):
    """(x, y, width, height) on the screen; an empty area for an accessible without one."""
    try:
        e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    except Exception:
        return (0, 0, 0, 0)
    return (e.x, e.y, e.width, e.height)


def text_of(acc):
    """The control's text: its text interface when it has one, else its accessible name."""
    try:
        t = acc.queryText()
        return t.getText(0, -1)
    except Exception:
        return name_of(acc)


def walk(root, descend=lambda acc: True):
    """Every accessible below root, depth first in reading order."""
    stack = [root]
    while stack:
        acc = stack.pop()
        yield acc
        if descend(acc):
            stack.extend(reversed(_children(acc)))


def describe(acc):
    return f"{role_of(acc)} '{name_of(acc)}'"


class Screen:
    """The X screen: pointer, keyboard and pixels."""

    def __init__(self, log):
        self.log = log

    def _xdotool(self, *args):
        subprocess.run(["xdotool", *args], check=True, timeout=30)

    def click_at(self, x, y, count=1):
        self._xdotool("mousemove", "--sync", str(x), str(y))
        time.sleep(0.05)
        if count == 1:
            self._xdotool("click", "1")
        else:
            self._xdotool("click", "--repeat", str(count), "--delay", "80", "1")

    def click(self, acc, count=1, where=(0.5, 0.5)):
        x, y, w, h = extents(acc)
        if w <= 0 or h <= 0:
            raise DriveError(f"{describe(acc)} has no area on the screen to click")
        px = x + int(w * where[0])
        py = y + int(h * where[1])
        self.log(f"click{'' if count == 1 else ' x%d' % count} {describe(acc)} at ({px}, {py})")
        self.click_at(px, py, count)

    def type_text(self, text):
        self._xdotool("type", "--delay", "40", "--", text)

    def type_into(self, acc, text, timeout=3.0):
        """Types text into the focused editable control acc, checking through its accessible text
        that every character arrived. xdotool types a character missing from the keyboard map by
        mapping it to a spare key for the moment; when the program reads the key after the map has
        changed again, the character is lost or another one arrives. Such characters are typed one
        at a time, checked, and typed again when they did not arrive."""
        runs = []
        for c in text:
            if c.isascii() and c != "\n" and runs and runs[-1][0] == "ascii":
                runs[-1][1] += c
            else:
                runs.append(["ascii" if c.isascii() and c != "\n" else "other", c])
        for kind, chunk in runs:
            before = text_of(acc)
            for attempt in range(5):
                if chunk == "\n":
                    self.key("Return")
                else:
                    self.type_text(chunk)
                deadline = time.monotonic() + timeout
                now = text_of(acc)
                while now != before + chunk and time.monotonic() < deadline:
                    time.sleep(0.05)
                    now = text_of(acc)
                if now == before + chunk:
                    break
                if kind == "ascii" or attempt == 4:
                    raise DriveError(f"typing {chunk!r} into {describe(acc)} gave {now!r}")
                self.log(f"note: {chunk!r} arrived as {now[len(before):]!r}; typed again")
                for _ in range(len(now) - len(before)):
                    self.key("BackSpace")

    def key(self, *keys):
        self._xdotool("key", "--delay", "40", *keys)

    def grab(self):
        """The whole screen as a Pixels object."""
        data = subprocess.run(["xwd", "-root", "-silent"], check=True, capture_output=True, timeout=30).stdout
        return Pixels(data)


class Pixels:
    """The pixels of an xwd dump of a TrueColor screen."""

    def __init__(self, data):
        header = struct.unpack(">25I", data[:100])
        header_size = header[0]
        self.depth = header[3]
        self.width = header[4]
        self.height = header[5]
        self.byte_order = header[7]  # 0 = least significant byte first
        self.bits_per_pixel = header[11]
        self.bytes_per_line = header[12]
        self.masks = header[14:17]
        ncolors = header[19]
        if self.bits_per_pixel not in (24, 32) or header[13] not in (4, 5):  # TrueColor, DirectColor
            raise DriveError(f"screen dump of {self.bits_per_pixel} bits per pixel, visual class {header[13]}")
        self.bytes_per_pixel = self.bits_per_pixel // 8
        self.offset = header_size + ncolors * 12
        self.data = data
        self.order = "little" if self.byte_order == 0 else "big"

    @staticmethod
    def _channel(value, mask):
        shift = (mask & -mask).bit_length() - 1
        return (value & mask) >> shift

    def rgb(self, x, y):
        pos = self.offset + y * self.bytes_per_line + x * self.bytes_per_pixel
        value = int.from_bytes(self.data[pos:pos + self.bytes_per_pixel], self.order)
        r, g, b = (self._channel(value, m) for m in self.masks)
        return (r << 16) | (g << 8) | b

    def dominant(self, rect):
        """The most frequent colour inside rect (x, y, width, height), as 0xRRGGBB."""
        x0, y0, w, h = rect
        counts = {}
        for y in range(max(y0, 0), min(y0 + h, self.height)):
            for x in range(max(x0, 0), min(x0 + w, self.width)):
                c = self.rgb(x, y)
                counts[c] = counts.get(c, 0) + 1
        if not counts:
            raise DriveError(f"rectangle {rect} lies outside the screen")
        return max(counts, key=counts.get)


class App:
    """One running program on the accessibility desktop."""

    def __init__(self, name, log, process=None):
        self.name = name
        self.log = log
        self.process = process
        self.acc = None
        self.screen = Screen(log)

    def _check_alive(self):
        if self.process is not None and self.process.poll() is not None:
            raise DriveError(f"the program ended with code {self.process.returncode}")

    def attach(self, timeout):
        """Waits until the program is listed on the accessibility desktop."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            self._check_alive()
            desktop = pyatspi.Registry.getDesktop(0)
            for app in _children(desktop):
                if name_of(app) == self.name:
                    self.acc = app
                    return app
            time.sleep(0.2)
        raise DriveError(f"'{self.name}' did not appear on the accessibility desktop within {timeout} s")

    def windows(self):
        """The top-level windows that are on the screen."""
        try:
            self.acc.clearCache()
        except Exception:
            pass
        return [w for w in _children(self.acc) if showing(w)]

    def message_boxes(self):
        return [w for w in self.windows() if role_of(w) in ("alert", "dialog")]

    def _fail_on_message_box(self, expected_titles=()):
        for box in self.message_boxes():
            if name_of(box) in expected_titles:
                continue
            texts = [text_of(a) for a in walk(box) if role_of(a) == "label" and text_of(a)]
            raise DriveError(f"unexpected message box: {' | '.join(texts)}")

    def wait_for(self, what, probe, timeout=10.0, allow_boxes=False):
        """Polls probe() until it gives something other than None; fails on a message box nobody
        expected, on the program's end and on the timeout."""
        deadline = time.monotonic() + timeout
        last_error = None
        while True:
            self._check_alive()
            try:
                found = probe()
                if found is not None:
                    return found
            except DriveError:
                raise
            except Exception as error:  # the tree changes while it is read
                last_error = error
            if not allow_boxes:
                self._fail_on_message_box()
            if time.monotonic() > deadline:
                extra = f" (last error: {last_error})" if last_error else ""
                raise DriveError(f"timed out after {timeout} s waiting for {what}{extra}")
            time.sleep(0.15)

    def window(self, title, timeout=10.0, exact=False):
        def probe():
            for w in self.windows():
                n = name_of(w)
                if (n == title) if exact else n.startswith(title):
                    return w
            return None

        return self.wait_for(f"window '{title}'", probe, timeout)

    def window_gone(self, title, timeout=10.0):
        def probe():
            return True if all(not name_of(w).startswith(title) for w in self.windows()) else None

        self.wait_for(f"window '{title}' to close", probe, timeout)

    def control(self, window, name, roles=None, timeout=10.0, exact=True, where=None):
        """A showing control of window by accessible name (and role, when given)."""

        def matches(acc):
            if roles and role_of(acc) not in roles:
                return False
            n = name_of(acc)
            if not ((n == name) if exact else (name in n)):
                return False
            if where is not None and not where(acc):
                return False
            return showing(acc)

        def probe():
            for acc in walk(window, descend=showing):
                if acc is not window and matches(acc):
                    return acc
            return None

        what = f"{'/'.join(roles) if roles else 'control'} '{name}' in '{name_of(window)}'"
        return self.wait_for(what, probe, timeout)

    def message_box(self, timeout=10.0):
        """Waits for a message box and returns (box, its text)."""

        def probe():
            boxes = self.message_boxes()
            return boxes[0] if boxes else None

        box = self.wait_for("a message box", probe, timeout, allow_boxes=True)
        texts = [text_of(a) for a in walk(box) if role_of(a) == "label" and text_of(a)]
        return box, " | ".join(texts)

    def answer(self, box, button="OK"):
        self.screen.click(self.control(box, button, roles=("push button",)))
        self.wait_for("the message box to close", lambda: None if self.message_boxes() else True, 10.0,
                      allow_boxes=True)
