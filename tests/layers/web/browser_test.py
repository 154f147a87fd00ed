#!/usr/bin/env python3
"""browser_test.py WEB_FOLDER HEADLESS_BINARY: the browser game played as a person would, in headless
Chromium driven over the DevTools protocol on a pipe (Python's standard library only), and its pictures
compared with the headless runner's (README: The browser test)."""
import base64, http.server, json, os, pathlib, re, select, shutil, subprocess, sys, tempfile, threading, time

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..")
# The shirts' lit side (the defenders' boots share it) and shaded side.
SHIRT, SHADED_SHIRT = (205, 23, 17), (169, 18, 9)
LIMIT = 10  # seconds for any one step: screenshots get slow on a busy machine
KEY_CODES = {"Enter": 13, "Escape": 27, "ArrowLeft": 37}  # the letters' codes are their capitals'
MENU_OPEN = "document.getElementById('menu').open"
CURSOR = "getComputedStyle(document.getElementById('canvas')).cursor"
MUSIC = "Module.page.musicPlaying()"
TURNS = "Module._web_turns()"


def expect(holds, what):
    if not holds:
        print("FAIL: " + what)
        sys.exit(1)


def png_rgb(data):
    """(width, height, rows of RGB bytes) of a PNG, decoded by netpbm."""
    ppm = subprocess.run(["pngtopnm"], input=data, capture_output=True, check=True).stdout
    header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", ppm)
    expect(header, "pngtopnm gave no 8-bit colour picture")
    width, height, pixels = int(header[1]), int(header[2]), ppm[header.end():]
    return width, height, [pixels[y * width * 3:(y + 1) * width * 3] for y in range(height)]


def count(picture, colour, top=0, bottom=None):
    """Pixels of exactly `colour` in rows top..bottom, and the mean x of them."""
    anywhere = re.compile(b"(?=" + re.escape(bytes(colour)) + b")")  # overlapping matches too
    xs = [m.start() // 3 for row in picture[2][top:bottom] for m in anywhere.finditer(row) if m.start() % 3 == 0]
    return len(xs), sum(xs) / len(xs) if xs else 0.0


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
    """Headless Chromium with one page, spoken to over --remote-debugging-pipe."""

    def __init__(self, profile, shots):
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
        self.session = self.call("Target.attachToTarget", {"targetId": page["targetId"], "flatten": True})["sessionId"]
        self.call("Page.enable")
        self.call("Emulation.setDeviceMetricsOverride",
                  {"width": 1280, "height": 720, "deviceScaleFactor": 1, "mobile": False})
        self.call("Emulation.setFocusEmulationEnabled", {"enabled": True})

    def call(self, method, params=None):
        """A DevTools command, to the page once attached; its result."""
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params or {}}
        if self.session:
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
                expect("error" not in answer, f"{method}: {answer.get('error')}")
                return answer["result"]

    def js(self, expression):
        result = self.call("Runtime.evaluate", {"expression": expression, "returnByValue": True})
        expect("exceptionDetails" not in result, f"{expression}: {result.get('exceptionDetails')}")
        return result["result"].get("value")

    def wait(self, what, test, limit=LIMIT):
        """Polls `test`, a function or a JavaScript condition, until it holds."""
        holds = test if callable(test) else lambda: self.js(test)
        deadline = time.time() + limit
        while not holds():
            expect(time.time() <= deadline, f"{what} (waited {limit} s)")
            time.sleep(0.05)

    def open(self, url):
        self.call("Page.navigate", {"url": url})
        self.wait("no frame drawn on " + url, "typeof Module == 'object' && Module.firstFrameMs !== undefined", 15)

    def screenshot(self, name):
        """The page as a picture, kept as `last` and saved as NAME.png."""
        data = base64.b64decode(self.call("Page.captureScreenshot", {"format": "png"})["data"])
        pathlib.Path(self.shots, name + ".png").write_bytes(data)
        self.last = png_rgb(data)
        return self.last

    def press(self, *keys):
        for key in keys:
            code, vk = (key, KEY_CODES[key]) if key in KEY_CODES else ("Key" + key.upper(), ord(key.upper()))
            for kind in ("rawKeyDown", "keyUp"):
                event = {"type": kind, "key": key, "code": code, "windowsVirtualKeyCode": vk}
                self.call("Input.dispatchKeyEvent", event)

    def click(self, selector):
        x, y = self.js(f"(r => [r.x + r.width / 2, r.y + r.height / 2])("
                       f"document.querySelector('{selector}').getBoundingClientRect())")
        for kind in ("mousePressed", "mouseReleased"):
            self.call("Input.dispatchMouseEvent", {"type": kind, "x": x, "y": y, "button": "left", "clickCount": 1})


def source_text(name):
    """One of the MENU texts, as src/app/input.cpp writes it."""
    source = pathlib.Path(ROOT, "src", "app", "input.cpp").read_text(encoding="utf-8")
    literal = re.search(name + r"\s*=\s*((?:\"[^\"]*\"\s*)+);", source).group(1)
    return "".join(re.findall(r"\"([^\"]*)\"", literal))


def play(browser, site):
    browser.open(site + "index.html")
    first_frame = browser.js("Module.firstFrameMs")
    browser.wait("fewer than 10 turns", TURNS + " >= 10")
    browser.screenshot("title")  # compared with the headless runner's title below
    expect(browser.js(CURSOR) == "none", "the cursor shows over the game")
    print(f"ok: title view without a cursor, first frame {first_frame:.0f} ms")

    browser.press("Enter")
    browser.wait("Enter did not bring the match view", lambda: count(browser.screenshot("match"), SHIRT)[0] > 20)
    start = player_x(browser.last)
    browser.wait("no music after the first key", MUSIC)
    # P, and R once the pause has settled, go back to the title. Then Enter, the arrows and P go in one burst:
    # the arrows act before any defender can reach the ball (which would put the player back), and the pause
    # holds the picture however slow the screenshots are.
    browser.press("p")
    browser.wait("the pause did not settle", f"{TURNS} > {browser.js(TURNS) + 35}")
    browser.press("r")
    browser.wait("P and R did not go back to the title",
                 lambda: count(browser.screenshot("title-again"), SHIRT)[0] == 0)
    browser.press("Enter", *["ArrowLeft"] * 15, "p")
    browser.wait("the left arrow did not move the controlled player",
                 lambda: player_x(browser.screenshot("moved")) < start - 10)
    print("ok: Enter shows the match with music; P and R go back to the title; the left arrow moves the player")

    browser.press("m")
    browser.wait("M showed no MENU dialog", MENU_OPEN)
    shown = browser.js("[...document.querySelectorAll('#menu-caption, #menu-description, #menu-keys, #menu .ok')]"
                       ".map(e => e.textContent)")
    expect(shown == ["MENU", source_text("menuDescriptionText"), source_text("menuKeyHelpText"), "OK"],
           f"the MENU dialog reads {shown}")
    expect(browser.js(CURSOR) != "none", "no cursor while the MENU dialog is open")
    browser.screenshot("menu")
    browser.press("Enter")  # goes to the dialog and does nothing there
    time.sleep(0.3)
    expect(browser.js(MENU_OPEN), "Enter closed the MENU dialog")
    browser.click("#menu .ok")
    browser.wait("OK did not close the MENU dialog", "!" + MENU_OPEN)
    browser.wait("the cursor stays after the dialog closed", CURSOR + " == 'none'")
    print("ok: M shows the MENU dialog with both texts and the cursor; Enter leaves it, OK closes it")

    turns, work = browser.js(TURNS), browser.js("Module._web_work_ms()")
    browser.press("Escape")
    browser.wait("Escape did not end the game", "(e => !e.hidden && e.textContent.includes('ended'))"
                                                "(document.getElementById('notice'))")
    ended = browser.js(TURNS)
    time.sleep(0.3)
    expect(browser.js(TURNS) == ended and not browser.js(MUSIC), "the game or its music goes on after Escape")
    print(f"ok: Escape ends the game and the music; frame work {work / turns:.2f} ms a turn over {turns} turns")


def compare_pictures(browser, site, headless, work):
    for name, frames, script in (("title", 10, None), ("kickoff", 3, "kickoff.script"), ("shot", 122, "shot.script")):
        args = [headless, "--headless", "--frames", str(frames), "--size", "1280x720",
                "--screenshot", f"{frames}:{work}/{name}-headless.png"]
        if script:
            shutil.copy(os.path.join(ROOT, "docs", "screenshots", script), work)
            args += ["--script", os.path.join(work, script)]
        subprocess.run(args, check=True, timeout=60)
        browser.open(site + f"index.html?frames={frames}" + (f"&watch={script}" if script else ""))
        browser.wait(f"{name}: the page did not stop at turn {frames}", f"{TURNS} == {frames}")
        time.sleep(0.2)
        headless_picture = png_rgb(pathlib.Path(work, name + "-headless.png").read_bytes())
        differ, rounding, unexplained = compare(browser.screenshot(name + "-web"), headless_picture)
        print(f"ok: {name} at 1280x720: {differ} pixels differ from the headless runner's, {rounding} of them "
              f"by one colour level, {differ - rounding - unexplained} at edges, {unexplained} elsewhere")
        expect(differ - rounding <= 1280 * 720 // 100 and unexplained <= 100,
               f"the {name} picture is not the headless runner's")


def gamepad(browser, site):
    browser.call("Page.addScriptToEvaluateOnNewDocument", {"source": (
        "window.pad = {id: 'test', index: 0, connected: true, mapping: 'standard', timestamp: 0, axes: [0, 0],"
        " buttons: Array.from({length: 17}, () => ({pressed: false, value: 0}))};"
        "navigator.getGamepads = () => [window.pad];")})
    browser.open(site + "index.html")
    browser.js("pad.buttons[9].pressed = true")  # Start
    time.sleep(0.2)
    browser.js("pad.buttons[9].pressed = false")
    browser.wait("Start on a gamepad did not start the match",
                 lambda: count(browser.screenshot("pad"), SHIRT)[0] > 20)
    start = player_x(browser.screenshot("pad"))
    browser.js("pad.axes[0] = -1")  # the left stick held left: one press (3 pixels), then repeats
    browser.wait("the left stick held did not move the player on",
                 lambda: player_x(browser.screenshot("pad")) < start - 20)
    for button, shown in ((4, True), (0, False)):  # the left shoulder is M; South presses OK in the dialog
        browser.js(f"pad.buttons[{button}].pressed = true")
        browser.wait(f"pad button {button} did not {'open' if shown else 'close'} the MENU dialog",
                     MENU_OPEN if shown else "!" + MENU_OPEN)
        browser.js(f"pad.buttons[{button}].pressed = false")
    print("ok: a gamepad's Start starts the match, its left stick held moves the player on, M and OK work the MENU")


def no_webgl(browser, site):
    browser.call("Page.addScriptToEvaluateOnNewDocument",
                 {"source": "HTMLCanvasElement.prototype.getContext = () => null;"})
    browser.call("Page.navigate", {"url": site + "index.html"})
    browser.wait("no line saying that WebGL is missing",
                 "((document.getElementById('notice') || {}).textContent || '').includes('WebGL')")
    print("ok: without WebGL the page says so in one line")


def main():
    folder = os.path.abspath(sys.argv[1])
    shots = os.path.join(folder, "..", "web-test")
    os.makedirs(shots, exist_ok=True)
    work = tempfile.mkdtemp(prefix="bw-web.")
    site_folder = shutil.copytree(folder, os.path.join(work, "site"))
    handler = lambda *a: type("Quiet", (http.server.SimpleHTTPRequestHandler,),
                              {"log_message": lambda *_: None})(*a, directory=site_folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    site = f"http://127.0.0.1:{server.server_address[1]}/"
    started = time.time()
    browser = Browser(work, shots)
    try:
        play(browser, site)
        compare_pictures(browser, site, os.path.abspath(sys.argv[2]), site_folder)
        gamepad(browser, site)
        no_webgl(browser, site)
    finally:
        browser.process.kill()
        browser.process.wait()
        server.shutdown()
        shutil.rmtree(work, ignore_errors=True)
    print(f"browser test: ok in {time.time() - started:.1f} s")


if __name__ == "__main__":
    main()
