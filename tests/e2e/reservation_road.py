"""The road of one reservation, walked on the real hotel program as a receptionist walks it.

The program runs on a virtual X screen in a temporary data directory. The script finds every
window and control through the accessibility tree, clicks and types with the X server's mouse and
keyboard, answers the message boxes, reads the colour of a room tile from a screenshot and, once
the program has ended, checks the keys the steps wrote into the data files.

Usage (inside run_under_xvfb.sh): reservation_road.py <hotel binary> <folder holding nofoto.jpg>
"""

import datetime
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from atspi_driver import App, DriveError, extents, name_of, role_of, showing, text_of, walk  # noqa: E402
from ini_reader import read_ini  # noqa: E402

START = time.monotonic()

# The house of the test: two floors, a few rooms with default statuses.
ROOMS_DAT = """[DefaultsRooms]
Room1Name=101
Room1Size=2 lůžka
Room1Status=FREE
Room2Name=102
Room2Size=1 lůžko
Room2Status=FREE
Room22Name=201
Room22Size=apartmá
Room22Status=CLEAN
"""
HOTEL_INI = """[Floors]
Floor0Name=Přízemí
Floor1Name=1. patro
"""

SURNAME = "Dvořáková"
FIRST_NAME = "Žofie"
NOTE_LINES = ["Pozdní příjezd po 22. hodině", "Alergie na peří"]
ROOM_NUMBER = 1
ROOM_NAME = "101"

EDIT_ROLES = ("text", "entry", "paragraph")
BUTTON_ROLES = ("push button",)
FREE_RGB = 0x00FF00
FULL_RGB = 0xFF0000


def log(message):
    print(f"[{time.monotonic() - START:6.2f}] {message}", flush=True)


def date_text(day):
    """The short date text the program is pinned to (d.M.yyyy)."""
    return f"{day.day}.{day.month}.{day.year}"


def write_cp1250(path, text):
    with open(path, "wb") as f:
        f.write(text.replace("\n", "\r\n").encode("cp1250"))


def expect(condition, message):
    if not condition:
        raise DriveError(message)
    log(f"ok: {message}")


class Road:
    def __init__(self, hotel, demo_dir, work):
        self.hotel = hotel
        self.data = os.path.join(work, "data")
        os.makedirs(self.data)
        write_cp1250(os.path.join(self.data, "Rooms.dat"), ROOMS_DAT)
        write_cp1250(os.path.join(self.data, "hotel.ini"), HOTEL_INI)
        shutil.copy(os.path.join(demo_dir, "nofoto.jpg"), self.data)
        with open(os.path.join(self.data, "hotel.ini"), "rb") as f:
            self.hotel_ini_bytes = f.read()
        self.home = os.path.join(work, "home")
        os.makedirs(self.home)

        today = datetime.date.today()
        tomorrow = today + datetime.timedelta(days=1)
        # Both days on the calendar's current page: tomorrow, or yesterday at the end of a month.
        self.other = tomorrow if tomorrow.month == today.month else today - datetime.timedelta(days=1)
        self.today = today
        self.days = sorted([today, self.other])
        # A day without the reservation in the same month, for the plan's date box.
        later = self.days[-1] + datetime.timedelta(days=2)
        self.outside = later if later.month == today.month else self.days[0] - datetime.timedelta(days=2)
        self.process = None
        self.app = None

    # -- program ---------------------------------------------------------------------------------

    def start(self):
        env = dict(os.environ)
        env.update({
            "QT_QPA_PLATFORM": "xcb",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "QTWEBENGINE_DISABLE_SANDBOX": "1",
            "QTWEBENGINE_CHROMIUM_FLAGS": "--disable-gpu",
            "LODGERA_SHORT_DATE": "d.M.yyyy",
            "LODGERA_LONG_TIME": "H:mm:ss",
            "HOME": self.home,
            "XDG_CONFIG_HOME": os.path.join(self.home, ".config"),
            "XDG_DATA_HOME": os.path.join(self.home, ".local/share"),
            "XDG_CACHE_HOME": os.path.join(self.home, ".cache"),
        })
        self.process = subprocess.Popen([self.hotel], cwd=self.data, env=env)
        log(f"started {self.hotel} (pid {self.process.pid}) in {self.data}")
        self.app = App("Lodgera", log, self.process)
        self.app.attach(timeout=30)
        log("the program is on the accessibility desktop")

    def stop(self):
        if self.process is not None and self.process.poll() is None:
            self.process.kill()
            self.process.wait()

    # -- helpers ---------------------------------------------------------------------------------

    def click(self, window, name, roles=BUTTON_ROLES, count=1, **kw):
        """Clicks a control; by default a button, which every clickable control of the program
        reports itself as (the owner-drawn colour buttons included)."""
        control = self.app.control(window, name, roles=roles, **kw)
        self.app.screen.click(control, count=count)
        return control

    def fill(self, window, name, text):
        """Clicks into an edit box, empties it and types the text; checks what the box then holds."""
        edit = self.app.control(window, name, roles=EDIT_ROLES)
        self.app.screen.click(edit)
        self.app.screen.key("ctrl+a", "BackSpace")
        self.app.screen.type_into(edit, text)
        try:
            self.app.wait_for(f"'{name}' to read {text!r}", lambda: True if text_of(edit) == text else None, 5)
        except DriveError:
            raise DriveError(f"'{name}' reads {text_of(edit)!r} after typing {text!r}")
        return edit

    def expect_message(self, text):
        box, shown = self.app.message_box()
        expect(text in shown, f"message box says {text!r} (it says {shown!r})")
        self.app.answer(box)

    def tile(self, reception, room_name):
        """The tile of a room on the plan: a button named by the room's name, 40 pixels square."""

        def square(acc):
            _, _, w, h = extents(acc)
            return w == h == 40

        return self.app.control(reception, room_name, roles=BUTTON_ROLES, where=square)

    def tile_colour(self, reception, room_name):
        x, y, w, h = extents(self.tile(reception, room_name))
        # The tile's face inside its bevel; the caption and the screws are small against it.
        return self.app.screen.grab().dominant((x + 3, y + 3, w - 6, h - 6))

    def wait_tile_colour(self, reception, room_name, rgb, what):
        def probe():
            return True if self.tile_colour(reception, room_name) == rgb else None

        try:
            self.app.wait_for(f"tile {room_name} in #{rgb:06X}", probe, timeout=5)
        except DriveError:
            seen = self.tile_colour(reception, room_name)
            raise DriveError(f"{what}: tile {room_name} is #{seen:06X}, expected #{rgb:06X}")
        log(f"ok: {what}: tile {room_name} is #{rgb:06X}")

    def show_day(self, reception, day):
        """Sets the plan's date box to a day of the month it shows, with the arrow keys in its day
        field as a person steps a spin box, then reloads the plan with "Načíst"."""
        box = self.app.control(reception, "Datum")
        shown = self.shown_day(box)
        if (shown.year, shown.month) != (day.year, day.month):
            raise DriveError(f"the date box shows {date_text(shown)}, not the month of {date_text(day)}")
        x, y, w, h = extents(box)
        self.app.screen.click_at(x + 4, y + h // 2)  # the day field is the first one
        steps = (day - shown).days
        if steps:
            self.app.screen.key(*(["Up"] * steps if steps > 0 else ["Down"] * -steps))
        self.app.wait_for(f"the date box to read {date_text(day)}",
                          lambda: True if text_of(box) == date_text(day) else None, 5)
        self.click(reception, "Načíst")

    @staticmethod
    def shown_day(box):
        text = text_of(box)
        try:
            d, m, y = (int(part) for part in text.split("."))
            return datetime.date(y, m, d)
        except ValueError:
            raise DriveError(f"the date box reads {text!r}, not a d.M.yyyy date")

    # -- the road --------------------------------------------------------------------------------

    def step1_main_window(self):
        main = self.app.window("Lodgera 1.0", timeout=30)
        log(f"1. main window '{name_of(main)}' is shown")
        self.main = main

    def step2_new_guest(self):
        self.click(self.main, "Nový host")
        card = self.app.window("Karta hosta", exact=True)
        log("2. the guest card is open")
        self.fill(card, "Příjmení:", SURNAME)
        self.fill(card, "Jméno:", FIRST_NAME)
        self.fill(card, "Poznámka:", "\n".join(NOTE_LINES))
        self.click(card, "OK / Uložit")
        self.app.window_gone("Karta hosta")
        log("2. guest saved, card closed")

    def step3_reserve(self):
        self.click(self.main, "REZERVACE")
        menu = self.app.window("Správa rezervací", exact=True)
        self.click(menu, "Vytvořit rezervaci")
        create = self.app.window("Vytvoření rezervace", exact=True)
        log("3. create-reservation window is open")

        # Step 1: the guest, chosen with a double click in the picker's list.
        self.click(create, "Zvolit Hosta")
        picker = self.app.window("Výběr hosta", exact=True)
        cell = self.app.control(picker, SURNAME, roles=("table cell", "list item", "tree item"))
        self.app.screen.click(cell, count=2)
        self.app.window_gone("Výběr hosta")
        # Choosing a guest also opens the guest's card; close it without saving.
        card = self.app.window("Karta hosta", exact=True)
        expect(text_of(self.app.control(card, "Příjmení:", roles=EDIT_ROLES)) == SURNAME, "the card opened on the chosen guest")
        self.click(card, "Zrušit")
        self.app.window_gone("Karta hosta")
        guest_label = self.app.control(create, f"{SURNAME} {FIRST_NAME}", roles=("label",))
        log(f"3. step 1 shows '{name_of(guest_label)}'")

        # Step 2: two days, each a double click on its day in the month calendar.
        for day in (self.today, self.other):
            self.app.screen.click(self.calendar_day(create, day), count=2)
            self.app.wait_for(f"day {date_text(day)} in the list",
                              lambda d=day: self.day_list_item(create, date_text(d)), 5)
        log(f"3. step 2 lists {', '.join(date_text(d) for d in (self.today, self.other))}")

        # Step 3: the room, a click on its tile on the plan opened for the reservation.
        self.click(create, "Zvolit Pokoj")
        reception = self.app.window("Recepce", exact=True)
        self.app.screen.click(self.tile(reception, ROOM_NAME))
        self.app.window_gone("Recepce")
        self.app.control(create, ROOM_NAME, roles=("label",))
        log(f"3. step 3 shows room '{ROOM_NAME}'")

        self.click(create, "Zarezervovat!")
        self.expect_message("Rezervace byla úspěšně provedena!")
        self.app.window_gone("Vytvoření rezervace")
        self.click(menu, "OK")
        self.app.window_gone("Správa rezervací")
        log("3. reservation stored, windows closed")

    def calendar_day(self, window, day):
        """The cell of a day of the current month in the window's month calendar. The calendar's
        grid also shows the ends of the neighbouring months: days above 14 in its first row belong
        to the month before, days below 15 in its last rows to the month after."""

        def probe():
            cells = [a for a in walk(window, descend=showing)
                     if role_of(a) == "table cell" and showing(a) and name_of(a).isdigit()]
            rows = sorted({extents(a)[1] for a in cells})
            for a in cells:
                n = int(name_of(a))
                row = rows.index(extents(a)[1])
                if n == day.day and not ((row == 0 and n > 14) or (row >= 4 and n < 15)):
                    return a
            return None

        return self.app.wait_for(f"day {day.day} in the calendar", probe, 10)

    def day_list_item(self, create, text):
        for acc in walk(create):
            if role_of(acc) in ("list item", "table cell") and name_of(acc) == text:
                return acc
        return None

    def step4_plan_shows_reservation(self):
        self.click(self.main, "Recepce")
        reception = self.app.window("Recepce", exact=True)
        log("4. reception plan is open on today")
        self.wait_tile_colour(reception, ROOM_NAME, FULL_RGB, f"reserved today ({date_text(self.today)})")
        self.wait_tile_colour(reception, "102", FREE_RGB, "an unreserved room stays free today")
        self.show_day(reception, self.other)
        self.wait_tile_colour(reception, ROOM_NAME, FULL_RGB, f"reserved on the other day ({date_text(self.other)})")
        self.show_day(reception, self.outside)
        self.wait_tile_colour(reception, ROOM_NAME, FREE_RGB, f"free on a later day ({date_text(self.outside)})")
        self.click(reception, "OK")
        self.app.window_gone("Recepce")

    def step5_guest_book(self):
        report = os.path.join(self.data, "report.pdf")
        self.click(self.main, "Tisk")
        printing = self.app.window("Tiskové výstupy", exact=True)
        self.click(printing, "Vygenerovat")
        self.app.wait_for("report.pdf", lambda: True if os.path.exists(report) else None, 10)
        time.sleep(0.5)
        text = subprocess.run(["pdftotext", "-layout", report, "-"], check=True, capture_output=True,
                              text=True).stdout
        log("5. report.pdf: " + " / ".join(line.strip() for line in text.splitlines() if line.strip())[:400])
        expect(SURNAME in text and FIRST_NAME in text, "the guest book names the guest")
        for day in self.days:
            expect(date_text(day) in text, f"the guest book lists {date_text(day)}")
        expect(text.count(SURNAME) == 2, "the guest book has one line per reserved day")
        self.move_aside("Tiskov")

    def move_aside(self, title):
        """Moves a window off the main window's buttons, as a person drags a window by its title
        bar. The virtual screen has no window manager, so the window is moved through the X server."""
        ids = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title], capture_output=True,
                             text=True).stdout.split()
        if not ids:
            raise DriveError(f"no X window titled '{title}' to move aside")
        for wid in ids:
            subprocess.run(["xdotool", "windowmove", "--sync", wid, "1010", "0"], check=True, timeout=10)
        log(f"moved '{title}' aside to the right edge of the screen")

    def step6_cancel(self):
        self.click(self.main, "REZERVACE")
        menu = self.app.window("Správa rezervací", exact=True)
        self.click(menu, "Zrušit rezervaci")
        cancel = self.app.window("Zrušení rezervace", exact=True)
        row = self.app.control(cancel, "1", roles=("table cell", "tree item", "list item"))
        self.app.screen.click(row)
        self.click(cancel, "Zrušit rezervaci")
        self.expect_message("Akce byla v pořádku provedena.")
        self.app.wait_for("the cancelled reservation to leave the list",
                          lambda: None if any(role_of(a) in ("table cell", "tree item") and name_of(a) == "1"
                                              for a in walk(cancel)) else True, 5)
        self.click(cancel, "OK")
        self.app.window_gone("Zrušení rezervace")
        self.click(menu, "OK")
        self.app.window_gone("Správa rezervací")
        log("6. reservation cancelled")

        self.click(self.main, "Recepce")
        reception = self.app.window("Recepce", exact=True)
        for day in self.days:
            if day != self.today:
                self.show_day(reception, day)
            self.wait_tile_colour(reception, ROOM_NAME, FREE_RGB, f"back to its default status on {date_text(day)}")
        self.click(reception, "OK")
        self.app.window_gone("Recepce")

    def step7_exit(self):
        self.click(self.main, "Konec")
        clicked = time.monotonic()
        try:
            code = self.process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            raise DriveError("the program still runs 5 s after 'Konec'")
        took = time.monotonic() - clicked
        expect(took <= 2.0, f"the program ended {took:.2f} s after 'Konec' (code {code})")
        expect(code == 0, "the program ended with exit code 0")

    # -- files -----------------------------------------------------------------------------------

    def check_files(self):
        clients = read_ini(os.path.join(self.data, "Clients.dat"))
        reservations = read_ini(os.path.join(self.data, "Reservations.dat"))
        rooms = read_ini(os.path.join(self.data, "Rooms.dat"))
        day_texts = [date_text(d) for d in self.days]
        text_sorted = sorted(day_texts, key=str.casefold)

        expect(clients.get("global", {}).get("clients") == "2", "Clients.dat: Global/Clients = 2")
        guest = clients.get("client_2", {})
        expect(guest.get("surname") == SURNAME, "Clients.dat: Client_2/SurName")
        expect(guest.get("firstname") == FIRST_NAME, "Clients.dat: Client_2/FirstName")
        expect(guest.get("comment") == "\n".join(NOTE_LINES), "Clients.dat: Client_2/Comment holds both lines")
        expect(guest.get("living") == "0", "Clients.dat: Client_2/Living = 0 after the cancellation")
        expect(guest.get("photo") == os.path.join(self.data, "nofoto.jpg"), "Clients.dat: Client_2/Photo = placeholder")
        expect("deleted" not in guest, "Clients.dat: Client_2 is not deleted")
        expect(set(clients) == {"global", "client_2"}, f"Clients.dat: only Global and Client_2 ({sorted(clients)})")

        expect(reservations.get("global", {}).get("reservations") == "1", "Reservations.dat: Global/Reservations = 1")
        r = reservations.get("reservation_1", {})
        expect((r.get("clientid"), r.get("days"), r.get("room")) == ("2", "2", str(ROOM_NUMBER)),
               "Reservations.dat: Reservation_1 ClientID 2, Days 2, Room 1")
        expect([r.get("day1"), r.get("day2")] == text_sorted, f"Reservations.dat: Day1, Day2 = {text_sorted}")
        expect((r.get("active"), r.get("canceled")) == ("0", "1"), "Reservations.dat: Active 0, Canceled 1")
        expect(r.get("canceled_date", "").startswith(date_text(datetime.date.today()) + " "),
               "Reservations.dat: Canceled_date is today's date and a time")
        for t in day_texts:
            expect(f"room_{ROOM_NUMBER}_client" not in reservations.get(t.lower(), {}),
                   f"Reservations.dat: [{t}] no longer holds Room_{ROOM_NUMBER}_Client")

        defaults = rooms.get("defaultsrooms", {})
        expect(defaults.get("room1status") == "FREE" and defaults.get("room1name") == ROOM_NAME,
               "Rooms.dat: DefaultsRooms of room 1 unchanged")
        for t in day_texts:
            section = rooms.get("rooms_" + t.lower(), {})
            expect(section.get("room1status") == "FREE", f"Rooms.dat: Rooms_{t}/Room1Status = FREE (the default)")
            expect(section.get("room1clientid") == "2", f"Rooms.dat: Rooms_{t}/Room1ClientID = 2 stays")
            expect(set(section) == {"room1status", "room1clientid"}, f"Rooms.dat: Rooms_{t} holds room 1 only")
        day_sections = {s for s in rooms if s != "defaultsrooms"}
        expect(day_sections == {"rooms_" + t.lower() for t in day_texts},
               f"Rooms.dat: day sections only for the reserved days ({sorted(day_sections)})")

        with open(os.path.join(self.data, "hotel.ini"), "rb") as f:
            expect(f.read() == self.hotel_ini_bytes, "hotel.ini is unchanged")

    def run(self):
        self.start()
        self.step1_main_window()
        self.step2_new_guest()
        self.step3_reserve()
        self.step4_plan_shows_reservation()
        self.step5_guest_book()
        self.step6_cancel()
        self.step7_exit()
        self.check_files()


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    hotel, demo_dir = sys.argv[1], sys.argv[2]
    work = tempfile.mkdtemp(prefix="lodgera-e2e-")
    road = Road(os.path.abspath(hotel), os.path.abspath(demo_dir), work)
    try:
        road.run()
    except DriveError as error:
        log(f"FAILED: {error}")
        shot = os.path.join(work, "failure.xwd")
        try:
            with open(shot, "wb") as f:
                f.write(subprocess.run(["xwd", "-root", "-silent"], capture_output=True, timeout=10).stdout)
            log(f"screen at the failure: {shot}; data directory: {road.data}")
        except Exception:
            pass
        return 1
    finally:
        road.stop()
    log("PASSED: the whole road")
    shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
