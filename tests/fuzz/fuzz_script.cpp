// Feeds any bytes to the script reader: it must accept or refuse them with a
// one-line message naming a line, never crash, and what it accepts must read
// back the same after being written out again.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "replay/script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Script script = parseScript(text, "fuzz");
    if (!script.error.empty()) {
        if (script.error.find('\n') != std::string::npos || script.error.rfind("fuzz:", 0) != 0 ||
            !script.events.empty()) {
            std::fprintf(stderr, "bad error report: %s\n", script.error.c_str());
            std::abort();
        }
        return 0;
    }
    std::string again;
    std::int64_t last = 0;
    for (const ScriptEvent& e : script.events) {
        if (e.turn < 1 || e.turn < last)
            std::abort();
        last = e.turn;
        again += formatScriptEvent(e) + "\n";
    }
    const Script reread = parseScript(again, "again");
    if (!reread.error.empty() || reread.events.size() != script.events.size())
        std::abort();
    for (std::size_t i = 0; i < script.events.size(); ++i)
        if (reread.events[i].turn != script.events[i].turn ||
            reread.events[i].kind != script.events[i].kind ||
            reread.events[i].code != script.events[i].code)
            std::abort();
    return 0;
}
