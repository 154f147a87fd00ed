"""The DevTools side of the browser test: headless Chromium driven over --remote-debugging-pipe with
Python's standard library, and the pictures and trace rows it reads back."""
import base64, csv, json, os, pathlib, re, select, subprocess, sys, time

# The shirts' lit side (the defenders' boots share it) and shaded side.
SHIRT, SHADED_SHIRT = (205, 23, 17), (169, 18, 9)
LIMIT = 10  # seconds for any one step: screenshots get slow on a busy machine
KEY_CODES = {"Enter": 13, "Escape": 27, "ArrowLeft": 37}  # the letters' codes are their capitals'
MENU_OPEN = "document.getElementById('menu').open"
CURSOR = "getComputedStyle(document.getElementById('canvas')).cursor"
MUSIC = "Module.page.musicPlaying()"
MUSIC_LOADED = "typeof music == 'object' && music !== null"
TURNS = "Module._web_turns()"
# What DevTools answers when the page went on to another document while it asked.
GONE = ("Inspected target navigated or closed", "Cannot find context with specified id",
        "Execution context was destroyed")
# Comes to nothing once the page has shown two more frames: what was drawn is on the screen.
SHOWN = "new Promise(done => requestAnimationFrame(() => requestAnimationFrame(() => done())))"


def expect(holds, what):
    if not holds:
        print("FAIL: " + what)
        sys.exit(1)


def visible(selector):
    return f"document.querySelector({json.dumps(selector)}).checkVisibility()"


def controlled_x(row):
    return row["player1.x"] if row["controlledPlayer"] == 1 else row["player2.x"]


def png_rgb(data):
    """(width, height, rows of RGB bytes) of a PNG, decoded by netpbm."""
    ppm = subprocess.run(["pngtopnm"], input=data, capture_output=True, check=True).stdout
    header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", ppm)
    expect(header, "pngtopnm gave no 8-bit colour picture")
    width, height, pixels = int(header[1]), int(header[2]), ppm[header.end():]
    return width, height, [pixels[y * width * 3:(y + 1) * width * 3] for y in range(height)]


def count(picture, colour, top=0):
    """Pixels of exactly `colour` in the rows from `top` down, and their mean x."""
    anywhere = re.compile(b"(?=" + re.escape(bytes(colour)) + b")")  # overlapping matches too
    xs = [m.start() // 3 for row in picture[2][top:] for m in anywhere.finditer(row) if m.start() % 3 == 0]
    return len(xs), sum(xs) / len(xs) if xs else 0.0


def shirts(picture):
    return count(picture, SHIRT)[0]


def player_x(picture):
    """Where the controlled player stands across the lower half of the view."""
    pixels, x = count(picture, SHADED_SHIRT, 400)
    return x if pixels > 50 else float("inf")


def compare(web, headless):
    """Pixels that differ: in all, by one level at most (a colour on a rounding tie), and by more where
    neither picture has the other's colour in the pixel's 3x3 neighbourhood (not an edge or a sliver
    falling one pixel over: a colour or shape fault)."""
    width, height, a = web
    b = headless[2]
    differ = rounding = unexplained = 0

    def near(rows, x, y):
        return [rows[v][3 * u:3 * u + 3] for v in range(max(y - 1, 0), min(y + 2, height))
                for u in range(max(x - 1, 0), min(x + 2, width))]
    for y, x in ((y, x) for y in range(height) if a[y] != b[y] for x in range(width)):
        pixel, other = a[y][3 * x:3 * x + 3], b[y][3 * x:3 * x + 3]
        if pixel == other:
            continue
        differ += 1
        if max(abs(p - q) for p, q in zip(pixel, other)) <= 1:
            rounding += 1
        elif pixel not in near(b, x, y) and other not in near(a, x, y):
            unexplained += 1
    return differ, rounding, unexplained


class Browser:
    """Headless Chromium with one page, spoken to over --remote-debugging-pipe; the site it plays and the
    headless runner the game is held to."""

    def __init__(self, profile, shots, site, headless):
        self.site, self.headless = site, headless
        trace = subprocess.run([headless, "--headless", "--no-render", "--frames", "1", "--trace", "-"],
                               capture_output=True, text=True, check=True, timeout=60).stdout
        self.columns = trace.split("\n")[0].split(",")
        ours, theirs = os.pipe(), os.pipe()  # (we read, they write), (they read, we write)
        def pipes_at_3_and_4():
            read, write = os.dup(theirs[0]), os.dup(ours[1])
            os.dup2(read, 3)
            os.dup2(write, 4)
        flags = ["--headless", "--remote-debugging-pipe", "--user-data-dir=" + profile, "--no-first-run",
                 "--use-angle=swiftshader", "--enable-unsafe-swiftshader", "--mute-audio", "--window-size=1280,720"]
        if os.geteuid() == 0:
            flags.append("--no-sandbox")
        self.process = subprocess.Popen(["chromium"] + flags + ["about:blank"], preexec_fn=pipes_at_3_and_4,
                                        close_fds=False, stdout=subprocess.DEVNULL,
                                        stderr=open(os.path.join(profile, "chromium.log"), "w"))
        os.close(ours[1])
        os.close(theirs[0])
        self.reader, self.writer, self.buffer, self.next_id = ours[0], theirs[1], b"", 0
        self.shots, self.session = shots, None
        page = next(t for t in self.call("Target.getTargets")["targetInfos"] if t["type"] == "page")
        self.attach(page["targetId"])
        self.call("Emulation.setFocusEmulationEnabled", {"enabled": True})

    def attach(self, target):
        """Speaks to the page TARGET from now on."""
        self.target = target
        self.session = self.call("Target.attachToTarget", {"targetId": target, "flatten": True}, page=False)["sessionId"]
        self.call("Page.enable")
        self.metrics(1280, 720)

    def minimise(self, minimised):
        """Minimises the page's window or brings it back: its page is hidden meanwhile, as in a background tab."""
        window = self.call("Browser.getWindowForTarget", {"targetId": self.target}, page=False)["windowId"]
        state = "minimized" if minimised else "normal"
        self.call("Browser.setWindowBounds", {"windowId": window, "bounds": {"windowState": state}}, page=False)

    def call(self, method, params=None, page=True, navigating=False):
        """A DevTools command, to the page once attached unless `page` is false; its result. With `navigating`,
        None when the page went on to another document meanwhile (a reload, say)."""
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params or {}}
        if self.session and page:
            message["sessionId"] = self.session
        os.write(self.writer, json.dumps(message).encode() + b"\0")
        deadline = time.time() + 20
        while True:
            while b"\0" not in self.buffer:
                ready = select.select([self.reader], [], [], max(deadline - time.time(), 0))[0]
                expect(ready, f"{method}: no answer from Chromium within 20 s")
                chunk = os.read(self.reader, 1 << 20)
                expect(chunk, f"{method}: Chromium went away")
                self.buffer += chunk
            text, self.buffer = self.buffer.split(b"\0", 1)
            answer = json.loads(text)
            if answer.get("id") == self.next_id:
                if navigating and any(gone in answer.get("error", {}).get("message", "") for gone in GONE):
                    return None
                expect("error" not in answer, f"{method}: {answer.get('error')}")
                return answer["result"]

    def js(self, expression, navigating=False):
        """The value of a JavaScript expression; of a promise, what it comes to. With `navigating`, None if the
        page moved on to another document before it answered."""
        result = self.call("Runtime.evaluate", {"expression": expression, "returnByValue": True, "awaitPromise": True},
                           navigating=navigating)
        if result is None:
            return None
        expect("exceptionDetails" not in result, f"{expression}: {result.get('exceptionDetails')}")
        return result["result"].get("value")

    def wait(self, what, test, limit=LIMIT):
        """Polls `test`, a function or a JavaScript condition, until it holds; `what`, the failure, may be a
        function that tells more of it."""
        # The condition may be asked while the page reloads: then it does not hold yet.
        holds = test if callable(test) else lambda: self.js(test, navigating=True)
        deadline = time.time() + limit
        while not holds():
            if time.time() > deadline:
                expect(False, f"{what() if callable(what) else what} (waited {limit} s)")
            time.sleep(0.05)

    def wait_turns(self, turns, what="the game stopped"):
        self.wait(what, f"{TURNS} >= {self.js(TURNS) + turns}")

    def open(self, page="index.html", drawn=True):
        """Goes to a page of the site and, if `drawn`, waits for its first frame."""
        self.call("Page.navigate", {"url": self.site + page})
        if drawn:
            self.wait("no frame drawn on " + page, "typeof Module == 'object' && Module.firstFrameMs !== undefined", 15)

    def screenshot(self, name):
        """The page as a picture, kept as `last` and saved as NAME.png."""
        data = base64.b64decode(self.call("Page.captureScreenshot", {"format": "png"})["data"])
        pathlib.Path(self.shots, name + ".png").write_bytes(data)
        self.last = png_rgb(data)
        return self.last

    def metrics(self, width, height, phone=False):
        """The page's size in CSS pixels; a phone has twice the device pixels, is touch-only and is held
        the way its shape says."""
        wide = width > height
        self.call("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": 2 if phone else 1, "mobile": phone,
            "screenOrientation": {"type": "landscapePrimary" if wide else "portraitPrimary", "angle": 90 if wide else 0}})
        self.call("Emulation.setTouchEmulationEnabled", {"enabled": phone, "maxTouchPoints": 5})

    def rect(self, selector):
        """An element's box in CSS pixels: x, y, width, height."""
        return self.js(f"(r => ({{x: r.x, y: r.y, width: r.width, height: r.height}}))("
                       f"document.querySelector({json.dumps(selector)}).getBoundingClientRect())")

    def centre(self, selector, dx=0.0):
        """A point in an element, DX of its half width right of its centre."""
        r = self.rect(selector)
        return r["x"] + r["width"] / 2 * (1 + dx), r["y"] + r["height"] / 2

    def touch(self, kind, fingers):
        """touchStart, touchMove or touchEnd; `fingers`: {id: (x, y)} of every finger down after it."""
        points = [{"x": x, "y": y, "id": finger} for finger, (x, y) in fingers.items()]
        self.call("Input.dispatchTouchEvent", {"type": kind, "touchPoints": points})

    def tap(self, selector):
        self.touch("touchStart", {0: self.centre(selector)})
        self.touch("touchEnd", {})

    def click(self, selector):
        x, y = self.centre(selector)
        for kind in ("mousePressed", "mouseReleased"):
            self.call("Input.dispatchMouseEvent", {"type": kind, "x": x, "y": y, "button": "left", "clickCount": 1})

    def row(self):
        """The trace row of the last turn, by column name (numbers as floats, the banner as text)."""
        values = next(csv.reader([self.js("Module.UTF8ToString(Module._web_trace_row())")]))
        return {name: (value if name == "bannerText" else float(value)) for name, value in zip(self.columns, values)}

    def press(self, *keys):
        for key in keys:
            code, vk = (key, KEY_CODES[key]) if key in KEY_CODES else ("Key" + key.upper(), ord(key.upper()))
            for kind in ("rawKeyDown", "keyUp"):
                self.call("Input.dispatchKeyEvent", {"type": kind, "key": key, "code": code, "windowsVirtualKeyCode": vk})
