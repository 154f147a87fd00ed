"""The browser game on a phone and as an installed web app: touch controls, the 16:9 view and the
turn-the-device notice, a hidden page's stopped clock, the first visit's download, the manifest, offline
play and updates (docs/browser.md)."""
import hashlib, json, pathlib, re, struct, time, wave

from devtools import MENU_OPEN, MUSIC, MUSIC_LOADED, TURNS, controlled_x, expect, visible

STEP = 0.1  # how far one arrow's key-down moves the controlled player
BUDGET = 300 * 1024  # the first visit, gzipped
# The service worker's scope once it is ready; a worker that cannot install is never ready.
READY = ("Promise.race([navigator.serviceWorker.ready.then(r => r.scope),"
         " new Promise(done => setTimeout(() => done('not ready after 15 s'), 15000))])")


def summary(row):
    return ", ".join(f"{name} {row[name]:g}" for name in ("frame", "attempts", "controlledPlayer", "ballHolder",
                                                          "ballInFlight", "passState", "shotState"))


def phone(browser, folder):
    """844 x 390 landscape, touch only: no key event is sent until the last step."""
    browser.metrics(844, 390, phone=True)
    browser.open()
    view = browser.rect("#canvas")
    expect(abs(view["width"] * 9 - view["height"] * 16) <= 16 and view["height"] == 390
           and abs(view["x"] * 2 + view["width"] - 844) <= 1, f"the view is not 16:9 in the middle: {view}")
    pixels = browser.js("[canvas.width, canvas.height]")
    expect(abs(pixels[0] - 2 * view["width"]) <= 1 and abs(pixels[1] - 2 * view["height"]) <= 1,
           f"the view draws {pixels} device pixels into {view}")
    small = [(selector, box) for selector in ("#pad", "#pass", "#shoot", "[data-button='2']", "[data-button='3']",
                                              "[data-button='5']", "[data-button='6']", "#full")
             for box in [browser.rect("#controls " + selector)] if box["width"] < 48 or box["height"] < 48]
    expect(not small, f"touch controls smaller than 48 CSS pixels: {small}")
    for selector in ("#pass", "#shoot"):
        expect(browser.rect(selector)["x"] >= view["x"] + view["width"], f"{selector} covers the view")
    expect(not browser.js(visible("#title")), "the Title button shows while the match is not paused")
    browser.screenshot("phone-title")
    print(f"ok: a phone in landscape shows a {view['width']:.0f}x{view['height']:.0f} view with the controls beside it")

    browser.tap("[data-button='2']")  # Start
    browser.wait("tapping Start did not start the match", lambda: browser.row()["matchPhase"] == 2)
    browser.wait("no music after the first touch", MUSIC)
    start = controlled_x(browser.row())
    # The left arrow held: one press, then repeats; let go well before the player reaches the ball, so
    # nothing but the arrow can move him.
    left = {0: browser.centre("#pad", -0.75)}
    browser.touch("touchStart", left)
    browser.wait("holding the left arrow did not keep moving the player",
                 lambda: controlled_x(browser.row()) <= start - 8 * STEP, 20)
    browser.touch("touchEnd", {})
    browser.wait("the pad was not let go", "!document.getElementById('pad').classList.contains('held')")
    released = browser.row()
    browser.wait("the game stopped", f"{TURNS} >= {released['frame'] + 12}")
    drift = (controlled_x(released) - controlled_x(browser.row())) / STEP
    expect(-0.01 < drift < 2.01, f"the player went on {drift:.2f} steps after the left arrow was let go")
    browser.touch("touchStart", left)  # for the picture: a finger on the pad, as in play
    browser.screenshot("phone-playing")
    browser.touch("touchEnd", {})
    print(f"ok: Start starts the match with music; the left arrow held moves the player "
          f"{(start - controlled_x(released)) / STEP:.0f} steps, {drift:.0f} more after it was let go")

    # Multi-touch: the arrow held on to the ball, then Pass with a second finger while it still holds. On a
    # slow machine a defender may take the ball first; the player then starts again from kick-off.
    for attempt in range(3):
        browser.touch("touchStart", left)
        browser.wait("the left arrow did not bring the player to the ball", lambda: browser.row()["ballHolder"] == 1, 20)
        before = browser.row()
        browser.touch("touchStart", {**left, 1: browser.centre("#pass")})
        browser.touch("touchMove", left)
        browser.wait(lambda: f"Pass beside the held arrow passed nothing: {summary(before)}, then {summary(browser.row())}",
                     lambda: browser.row()["controlledPlayer"] == 2 or browser.row()["attempts"] > before["attempts"])
        browser.touch("touchEnd", {})
        if browser.row()["controlledPlayer"] == 2:
            break
        browser.wait_turns(5)  # back at kick-off
    else:
        expect(False, "a defender took the ball before every pass")
    browser.wait("the pass did not arrive", lambda: browser.row()["ballInFlight"] == 0, 20)
    browser.tap("#shoot")
    browser.wait("Shoot did not shoot", lambda: browser.row()["shotState"] != 3)
    print("ok: Pass with a second finger while the arrow is held passes"
          + (f" (a defender took the ball first {attempt} times)" if attempt else "") + "; Shoot shoots")

    browser.tap("[data-button='6']")  # Help
    browser.wait("Help showed no MENU dialog", MENU_OPEN)
    ok = browser.rect("#menu .ok")
    expect(ok["width"] >= 48 and ok["height"] >= 48, f"the dialog's OK is too small to touch: {ok}")
    browser.tap("#menu .ok")
    browser.wait("a tap on OK did not close the MENU dialog", "!" + MENU_OPEN)
    browser.tap("[data-button='3']")  # Pause: the Title button appears once the pause has settled
    browser.wait("Pause did not bring the Title button", visible("#title"))
    browser.press("p")
    browser.wait("a key press left the touch controls", "!" + visible("#pad"))
    print("ok: Help opens the dialog and OK closes it by touch; Title shows while paused; a key hides the controls")


def portrait(browser, folder):
    browser.metrics(390, 844, phone=True)
    browser.open()
    browser.wait("upright, the page does not ask to turn the device", visible("#turn"))
    text = browser.js("document.getElementById('turn').textContent")
    expect("Turn the device" in text and "Fullscreen" in text, f"the notice reads {text!r}")
    print("ok: upright, the page asks to turn the device and offers Fullscreen")


def hidden(browser, folder):
    """The page in a window of its own, minimised for two seconds: hidden as in a background tab. (The
    first window, with its focus emulation, stayed visible when minimised.)"""
    first = browser.target, browser.session
    browser.attach(browser.call("Target.createTarget", {"url": "about:blank", "newWindow": True}, page=False)["targetId"])
    try:
        browser.open()
        browser.press("Enter")
        browser.wait("Enter did not start the match with music", MUSIC)
        browser.minimise(True)
        browser.wait("the minimised page is not hidden", "document.hidden")
        before = browser.js(TURNS)
        browser.wait("the music plays on in a hidden page", "audio.state == 'suspended'")
        time.sleep(2)  # the test is that nothing happens meanwhile
        after = browser.js(TURNS)
        expect(after == before, f"{after - before:.0f} turns ran while the page was hidden")
        browser.minimise(False)
        browser.wait("the page did not show again", "!document.hidden")
        browser.wait_turns(10, "the game did not go on once shown")
        browser.wait("the music did not go on once shown", MUSIC)
        expect(browser.row()["pauseState"] == 0, "hiding the page paused the match")
    finally:
        browser.call("Target.closeTarget", {"targetId": browser.target}, page=False)
        browser.target, browser.session = first
    print(f"ok: minimised for 2 s, no turn ran (turn {after:.0f}) and the music stopped; shown, both go on")


def first_visit(browser, folder):
    """Every file the server sent until the service worker is ready, gzipped; and the manifest."""
    browser.open()
    browser.wait("the music was not fetched", MUSIC_LOADED, 20)
    scope = browser.js(READY)
    expect(scope == browser.site, f"the service worker's scope is {scope}")
    sizes = dict(browser.served)
    total = sum(sizes.values())
    print("ok: first visit " + ", ".join(f"{name} {size / 1024:.1f}" for name, size in sizes.items())
          + f": {total / 1024:.1f} KB gzipped")
    expect(total <= BUDGET, f"the first visit downloads {total / 1024:.1f} KB gzipped, over {BUDGET // 1024}")
    expect("gamesound.wav" not in sizes, "the first visit fetched the WAV as well")
    # The Vorbis loop lasts exactly as long as the WAV's, so it loops without a gap or a jump.
    with wave.open(str(pathlib.Path(folder, "gamesound.wav"))) as wav:
        seconds = wav.getnframes() / wav.getframerate()
    duration = browser.js("music.duration")
    expect(abs(duration - seconds) < 1e-6, f"the music lasts {duration} s, the WAV {seconds} s")

    manifest = browser.call("Page.getAppManifest")
    expect(not manifest["errors"], f"the manifest has errors: {manifest['errors']}")
    data = json.loads(manifest["data"])
    for field in ("name", "short_name", "start_url", "theme_color", "background_color"):
        expect(data.get(field), f"the manifest has no {field}")
    expect(data.get("display") in ("fullscreen", "standalone") and data.get("orientation") == "landscape",
           f"the manifest shows the game as {data.get('display')}, {data.get('orientation')}")
    for icon in data["icons"]:
        png = pathlib.Path(folder, icon["src"]).read_bytes()
        expect(png[:8] == b"\x89PNG\r\n\x1a\n" and "{}x{}".format(*struct.unpack(">II", png[16:24])) == icon["sizes"],
               f"{icon['src']} is not a {icon['sizes']} PNG")
    expect(sorted(icon["sizes"] for icon in data["icons"]) == ["192x192", "512x512"], "the icons are not 192 and 512")
    problems = browser.call("Page.getInstallabilityErrors")["installabilityErrors"]
    expect(not problems, f"Chromium would not install the game: {problems}")
    print(f"ok: the manifest ({data['name']!r}, {data['display']}, landscape, icons 192 and 512) is installable")

    # A browser that cannot decode Vorbis gets the WAV.
    without_vorbis = browser.call("Page.addScriptToEvaluateOnNewDocument", {"source": (
        "const decode = AudioContext.prototype.decodeAudioData;"
        "AudioContext.prototype.decodeAudioData = function (data) {"
        "  return new Uint8Array(data, 0, 4).join() == '79,103,103,83'"  # "OggS"
        "    ? Promise.reject(new Error('no Vorbis here')) : decode.call(this, data); };")})["identifier"]
    try:
        browser.open()
        browser.wait("without Vorbis, the WAV was not played", MUSIC_LOADED, 20)
        expect(abs(browser.js("music.duration") - seconds) < 1e-6 and "gamesound.wav" in dict(browser.served),
               "without Vorbis, the music is not the WAV's")
    finally:
        browser.call("Page.removeScriptToEvaluateOnNewDocument", {"identifier": without_vorbis})
    print("ok: a browser that cannot decode the Vorbis music plays the WAV")


def network(browser, online):
    browser.call("Network.emulateNetworkConditions",
                 {"offline": not online, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1})


def offline(browser, folder):
    """Loaded once (first_visit), then with the network off: the page comes from the service worker."""
    browser.open()
    expect(browser.js(READY) == browser.site, "no service worker to play offline with")
    browser.call("Network.enable")
    network(browser, online=False)
    try:
        browser.open()
        expect(browser.js("navigator.serviceWorker.controller !== null"), "offline, the page did not come from the cache")
        browser.wait("offline, the title did not draw", f"{TURNS} >= 10")
        browser.press("Enter")
        browser.wait("offline, Enter did not start a match", lambda: browser.row()["matchPhase"] == 2)
        browser.wait("offline, no music", MUSIC_LOADED)
    finally:
        network(browser, online=True)
    print("ok: offline, the page loads from its cache, draws the title and Enter starts a match with its music")


def new_version(folder, version, changed, stale=False):
    """Changes the file `changed` in the site and writes sw.js for it as version VERSION; if `stale`, sw.js
    keeps that file's old digest, as if the site changed again while the worker installed."""
    worker, path = pathlib.Path(folder, "sw.js"), pathlib.Path(folder, changed)
    path.write_bytes(path.read_bytes() + f"<!-- {version} -->\n".encode())
    text = re.sub(r'const VERSION = "[^"]*"', f'const VERSION = "{version}"', worker.read_text())
    for name in re.findall(r'\["([^"]+)", "[0-9a-f]{64}"\]', text):
        if not (stale and name == changed):
            digest = hashlib.sha256(pathlib.Path(folder, name).read_bytes()).hexdigest()
            text = re.sub(rf'\["{re.escape(name)}", "[0-9a-f]{{64}}"\]', f'["{name}", "{digest}"]', text)
    worker.write_text(text)


def update(browser, folder):
    """A new version of the site gets a cache of its own and takes over only when no page of the old one
    is open; one whose files do not match its list leaves the old version as it was."""
    browser.open()
    old = browser.js("caches.keys()")
    expect(len(old) == 1 and old[0].startswith("brightwicket-"), f"the caches are {old}")
    new_version(folder, "test-2", "index.html")
    refresh = "navigator.serviceWorker.getRegistration().then(r => r.update()).then(() => true, e => String(e))"
    browser.js(refresh)
    # Installed, not just installing (its cache is made first): it waits beside the old one.
    waiting = "navigator.serviceWorker.getRegistration().then(r => r.waiting !== null)"
    browser.wait("the new version did not install and wait beside the old one", lambda: browser.js(waiting) is True
                 and sorted(browser.js("caches.keys()")) == sorted(old + ["brightwicket-test-2"]), 20)
    version = "[...document.childNodes].filter(n => n.nodeType == 8).map(n => n.data.trim()).join() || 'built'"
    browser.open()  # a reload: the old page is still open while the new one loads
    expect(browser.js(version) == "built", "a reload while the old page was open got the new version")
    gap = [0.0]

    def taken_over():
        # With no page of the old version open for a moment, the new one takes over.
        browser.call("Page.navigate", {"url": "about:blank"})
        gap[0] += 0.5
        time.sleep(gap[0])
        browser.open()
        return browser.js("caches.keys()") == ["brightwicket-test-2"]
    browser.wait("the new version did not take over once the old page was gone", taken_over, 30)
    expect(browser.js(version) == "test-2", f"the new version's page reads {browser.js(version)}")

    new_version(folder, "test-3", "brightwicket.webmanifest", stale=True)
    browser.js(refresh)
    installed = "navigator.serviceWorker.getRegistration().then(r => !r.installing && !r.waiting)"
    browser.wait("a version whose files do not match its list was kept",
                 lambda: browser.js(installed) is True and browser.js("caches.keys()") == ["brightwicket-test-2"], 20)
    print("ok: a new version waits beside the old until the old page is gone; a stale one is refused, leaving no cache")
