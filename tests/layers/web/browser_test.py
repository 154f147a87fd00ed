#!/usr/bin/env python3
"""browser_test.py WEB_FOLDER HEADLESS_BINARY [CHECK...]: the browser game played as a person would in
headless Chromium, and its pictures compared with the headless runner's (docs/browser.md)."""
import gzip, http.server, os, pathlib, re, shutil, subprocess, sys, tempfile, threading, time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from devtools import (CURSOR, MENU_OPEN, MUSIC, SHOWN, TURNS, Browser, compare, controlled_x, expect, player_x,
                      png_rgb, shirts)
import phone_checks

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..")
ENDED = "!document.getElementById('ended').hidden"
WATCH_ENDED = "document.body.dataset.watch == 'ended'"
NOTICE = "document.getElementById('notice')"


def source_text(name):
    """One of the MENU texts, as src/app/input.cpp writes it."""
    source = pathlib.Path(ROOT, "src", "app", "input.cpp").read_text(encoding="utf-8")
    literal = re.search(name + r"\s*=\s*((?:\"[^\"]*\"\s*)+);", source).group(1)
    return "".join(re.findall(r"\"([^\"]*)\"", literal))


def play(browser, folder):
    browser.open()
    first_frame = browser.js("Module.firstFrameMs")
    browser.wait("fewer than 10 turns", TURNS + " >= 10")
    expect(browser.js(CURSOR) == "none", "the cursor shows over the game")
    print(f"ok: title view without a cursor, first frame {first_frame:.0f} ms")

    browser.press("Enter")
    browser.wait("Enter did not bring the match view", lambda: shirts(browser.screenshot("match")) > 20)
    start = player_x(browser.last)
    browser.wait("no music after the first key", MUSIC)
    # P, and R once the pause has settled, go back to the title. Then Enter, the arrows and P go in one burst:
    # the arrows act before any defender can reach the ball (which would put the player back), and the pause
    # holds the picture however slow the screenshots are.
    browser.press("p")
    browser.wait_turns(36, "the pause did not settle")
    browser.press("r")
    browser.wait("P and R did not go back to the title", lambda: shirts(browser.screenshot("title-again")) == 0)
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
    browser.wait_turns(5)
    expect(browser.js(MENU_OPEN), "Enter closed the MENU dialog")
    browser.click("#menu .ok")
    browser.wait("OK did not close the MENU dialog", "!" + MENU_OPEN)
    browser.wait("the cursor stays after the dialog closed", CURSOR + " == 'none'")
    print("ok: M shows the MENU dialog with both texts and the cursor; Enter leaves it, OK closes it")

    # Escape never waits behind keys: 400 presses of the up arrow fill the queue, then Escape.
    turns, work_ms = browser.js(TURNS), browser.js("Module._web_work_ms()")
    posted = browser.js("(() => { const key = (key, code) => document.dispatchEvent("
                        "new KeyboardEvent('keydown', {key: key, code: code, bubbles: true}));"
                        "for (let i = 0; i < 400; ++i) key('ArrowUp', 'ArrowUp');"
                        "key('Escape', 'Escape'); return Module._web_turns(); })()")
    browser.wait("Escape did not end the game", ENDED + " && document.body.textContent.includes('has ended')")
    ended = browser.js(TURNS)
    expect(ended <= posted + 2, f"Escape behind 400 up arrows ended the game {ended - posted:.0f} turns later")
    time.sleep(0.3)
    expect(browser.js(TURNS) == ended and not browser.js(MUSIC), "the game or its music goes on after Escape")
    browser.screenshot("ended")
    browser.click("#ended button")
    browser.wait("Play again did not start the game again",
                 "typeof Module == 'object' && Module.firstFrameMs !== undefined && " + ENDED[1:], 15)
    print(f"ok: Escape behind 400 up arrows ends the game {ended - posted:.0f} turns after, and the music; Play "
          f"again starts it again; frame work {work_ms / turns:.2f} ms a turn over {turns} turns")


def pictures(browser, folder):
    for name, frames, script in (("title", 10, None), ("kickoff", 3, "kickoff.script"), ("shot", 122, "shot.script")):
        args = [browser.headless, "--headless", "--frames", str(frames), "--size", "1280x720",
                "--screenshot", f"{frames}:{folder}/{name}-headless.png"]
        if script:
            shutil.copy(os.path.join(ROOT, "docs", "screenshots", script), folder)
            args += ["--script", os.path.join(folder, script)]
        subprocess.run(args, check=True, timeout=60)
        browser.open(f"index.html?frames={frames}" + (f"&watch={script}" if script else ""))
        browser.wait(f"{name}: the page did not stop at turn {frames}", f"{TURNS} == {frames}")
        browser.js(SHOWN)
        headless_picture = png_rgb(pathlib.Path(folder, name + "-headless.png").read_bytes())
        differ, rounding, unexplained = compare(browser.screenshot(name + "-web"), headless_picture)
        print(f"ok: {name} at 1280x720: {differ} pixels differ from the headless runner's, {rounding} of them "
              f"by one colour level, {differ - rounding - unexplained} at edges, {unexplained} elsewhere")
        expect(differ - rounding <= 1280 * 720 // 100 and unexplained <= 100,
               f"the {name} picture is not the headless runner's")


def gamepad(browser, folder):
    browser.call("Page.addScriptToEvaluateOnNewDocument", {"source": (
        "window.pad = {id: 'test', index: 0, connected: true, mapping: 'standard', timestamp: 0, axes: [0, 0],"
        " buttons: Array.from({length: 17}, () => ({pressed: false, value: 0}))};"
        "navigator.getGamepads = () => [window.pad];")})
    browser.open()
    browser.js("pad.buttons[9].pressed = true")  # Start, held while the game reads the pad
    browser.wait_turns(2)
    browser.js("pad.buttons[9].pressed = false")
    browser.wait("Start on a gamepad did not start the match", lambda: shirts(browser.screenshot("pad")) > 20)
    start = player_x(browser.screenshot("pad"))
    browser.js("pad.axes[0] = -1")  # the left stick held left: one press (3 pixels), then repeats
    browser.wait("the left stick held did not move the player on",
                 lambda: player_x(browser.screenshot("pad")) < start - 20)
    for button, shown in ((4, True), (0, False)):  # the left shoulder is M; South presses OK in the dialog
        browser.js(f"pad.buttons[{button}].pressed = true")
        browser.wait(f"pad button {button} did not {'open' if shown else 'close'} the MENU dialog",
                     MENU_OPEN if shown else "!" + MENU_OPEN)
        browser.js(f"pad.buttons[{button}].pressed = false")
    # Start held on OK: the press used up by OK must not go on into the match as Enter, which would set
    # the attempts back to 0. One attempt is spent first: the stick held on, the player runs with the ball
    # until a defender takes it.
    browser.js("pad.axes[0] = -1")
    browser.wait("the stick held did not spend an attempt", lambda: browser.row()["attempts"] >= 1, 30)
    browser.js("pad.axes[0] = 0")
    browser.wait_turns(5)  # the players back at kick-off
    before = browser.row()
    browser.js("pad.buttons[4].pressed = true")
    browser.wait("the left shoulder did not open the MENU dialog", MENU_OPEN)
    browser.js("pad.buttons[4].pressed = false; pad.buttons[9].pressed = true")
    browser.wait("Start did not press OK", "!" + MENU_OPEN)
    browser.wait_turns(25)  # held well past the first repeat
    browser.js("pad.buttons[9].pressed = false")
    after = browser.row()
    expect(after["attempts"] == before["attempts"] and controlled_x(after) == controlled_x(before),
           "Start held on OK restarted the match")
    print("ok: gamepad: Start starts, the stick moves the player, M and OK work the MENU, Start held on OK restarts nothing")


def no_webgl(browser, folder):
    browser.call("Page.addScriptToEvaluateOnNewDocument",
                 {"source": "HTMLCanvasElement.prototype.getContext = () => null;"})
    browser.open(drawn=False)
    browser.wait("no line saying that WebGL is missing", f"(({NOTICE} || {{}}).textContent || '').includes('WebGL')")
    print("ok: without WebGL the page says so in one line")


def watching(browser, folder):
    """Recordings read as the desktop reads them, and a watch that keeps its picture."""
    pathlib.Path(folder, "big.script").write_text("1 enter\n" + "".join(f"{turn} up\n" for turn in range(2, 300_001)))
    pathlib.Path(folder, "zero.script").write_bytes(b"1 enter\n2 left\n\0\n3 bogus-event\n")
    pathlib.Path(folder, "last.script").write_text("1 enter\n20 left\n40 escape\n")
    pathlib.Path(folder, "cut.script").write_text("1 enter\n20 left\n# ended in turn 30: replay with --frames 30\n")
    for bad in ("zero.script", "brightwicket.wasm"):
        desktop = subprocess.run([browser.headless, "--headless", "--no-render", "--frames", "5", "--script", bad],
                                 cwd=folder, capture_output=True, timeout=60).stderr.decode("utf-8", "replace").strip()
        expect(re.match(f"brightwicket: {re.escape(bad)}:[13]", desktop), f"the headless runner says {desktop!r} of {bad}")
        browser.open("index.html?watch=" + bad, drawn=False)
        browser.wait(f"no line on the page about {bad}", f"!({NOTICE} || {{hidden: true}}).hidden")
        line = browser.js(NOTICE + ".textContent")
        expect(line == "cannot watch " + desktop.removeprefix("brightwicket: "),
               f"of {bad} the page says {line!r}, the desktop {desktop!r}")
    print(f"ok: a recording with a zero byte and a .wasm file are refused with the desktop's line: {line[:60]}...")

    browser.open("index.html?watch=big.script")
    browser.wait("the recording of 300,000 events does not play", f"{TURNS} >= 30", 20)
    expect(browser.js(NOTICE + ".hidden"), "the recording of 300,000 events was refused")
    browser.press("Escape")
    browser.wait("Escape did not stop the watch", WATCH_ENDED)
    stopped = browser.js(TURNS)
    time.sleep(0.3)
    expect(browser.js(TURNS) == stopped, "the watch goes on after Escape")
    expect(shirts(browser.screenshot("watch-stopped")) > 20, "a stopped watch lost its picture")
    print(f"ok: a recording of 300,000 events plays, and Escape stops the watch at turn {stopped:.0f} with its picture")

    browser.open("index.html?watch=last.script")
    browser.wait("the watch did not reach the recording's Escape", WATCH_ENDED, 20)
    expect(browser.js(TURNS) == 40 and not browser.js(ENDED),
           "the recording's Escape ended the watch elsewhere than on turn 40, or showed the game's end")
    expect(shirts(browser.screenshot("watch-end")) > 20, "the recording's Escape took the last picture away")
    print("ok: a watch that reaches the recording's Escape keeps its last picture")

    browser.open("index.html?watch=cut.script")
    browser.wait("the watch did not stop at the recording's end line", WATCH_ENDED, 20)
    expect(browser.js(TURNS) == 30, f"a recording that ends in turn 30 was watched to turn {browser.js(TURNS):.0f}")
    expect(shirts(browser.screenshot("watch-cut")) > 20, "the end line took the last picture away")
    print("ok: a recording cut short without Escape is watched to its end line, and its picture stays")


class Site(http.server.SimpleHTTPRequestHandler):
    """The web folder as a static site; it notes each file it sends whole, gzipped."""
    served = []
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, ".wasm": "application/wasm",
                      ".webmanifest": "application/manifest+json", ".ogg": "audio/ogg"}

    def log_message(self, *_):
        pass

    def copyfile(self, source, outputfile):
        data = source.read()
        Site.served.append((self.path.split("?")[0].lstrip("/") or "index.html", len(gzip.compress(data, 6))))
        outputfile.write(data)


# In this order: offline plays from first_visit's cache, update changes the site, and no_webgl keeps WebGL
# from every page after it.
CHECKS = {check.__name__: check for check in (phone_checks.first_visit, play, pictures, phone_checks.phone,
                                                phone_checks.portrait, phone_checks.hidden, watching, gamepad,
                                                phone_checks.offline, phone_checks.update, no_webgl)}


def main():
    shots = os.path.join(os.path.abspath(sys.argv[1]), "..", "web-test")
    os.makedirs(shots, exist_ok=True)
    temporary = tempfile.mkdtemp(prefix="bw-web.")
    folder = shutil.copytree(sys.argv[1], os.path.join(temporary, "site"))  # the site, changed by some checks
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), lambda *a: Site(*a, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    started = time.time()
    browser = Browser(temporary, shots, f"http://127.0.0.1:{server.server_address[1]}/", os.path.abspath(sys.argv[2]))
    browser.served = Site.served  # what first_visit weighs
    try:
        for name in sys.argv[3:] or CHECKS:
            browser.metrics(1280, 720)
            CHECKS[name](browser, folder)
    finally:
        browser.process.kill()
        browser.process.wait()
        server.shutdown()
        shutil.rmtree(temporary, ignore_errors=True)
    print(f"browser test: ok in {time.time() - started:.1f} s")


if __name__ == "__main__":
    main()
