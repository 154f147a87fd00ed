#include "replay/script.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

struct NamedEvent {
    const char* name;
    MessageKind kind;
    std::int32_t code;
};

constexpr NamedEvent namedEvents[] = {
    {"enter", MessageKind::keyDown, vk::enter},
    {"escape", MessageKind::keyDown, vk::escape},
    {"left", MessageKind::keyDown, vk::left},
    {"up", MessageKind::keyDown, vk::up},
    {"right", MessageKind::keyDown, vk::right},
    {"down", MessageKind::keyDown, vk::down},
    {"a", MessageKind::keyDown, vk::a},
    {"m", MessageKind::keyDown, vk::m},
    {"p", MessageKind::keyDown, vk::p},
    {"r", MessageKind::keyDown, vk::r},
    {"s", MessageKind::keyDown, vk::s},
    {"z", MessageKind::keyDown, vk::z},
    {"close", MessageKind::close, 0},
    {"menu-ok", MessageKind::menuOk, 0},
    {"menu-close", MessageKind::menuClose, 0},
};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool allDigits(std::string_view s)
{
    if (s.empty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// Parses a decimal number made of digits only, up to `limit`.
bool parseBounded(std::string_view s, std::int64_t limit, std::int64_t& value)
{
    if (!allDigits(s))
        return false;
    std::int64_t v = 0;
    for (char c : s) {
        v = v * 10 + (c - '0');
        if (v > limit)
            return false;
    }
    value = v;
    return true;
}

// Quotes a piece of a bad line for an error message, kept short and printable.
std::string quoted(std::string_view s)
{
    constexpr std::size_t maxShown = 40;
    std::string out = "'";
    for (std::size_t i = 0; i < s.size() && i < maxShown; ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c >= 32 && c < 127) {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        }
    }
    if (s.size() > maxShown)
        out += "...";
    return out + "'";
}

bool parseEvent(std::string_view word, ScriptEvent& event)
{
    for (const NamedEvent& named : namedEvents) {
        if (word == named.name) {
            event.kind = named.kind;
            event.code = named.code;
            return true;
        }
    }
    constexpr std::string_view keyPrefix = "key:";
    std::int64_t code = 0;
    if (word.substr(0, keyPrefix.size()) == keyPrefix &&
        parseBounded(word.substr(keyPrefix.size()), 255, code)) {
        event.kind = MessageKind::keyDown;
        event.code = static_cast<std::int32_t>(code);
        return true;
    }
    return false;
}

}  // namespace

namespace {

// Takes a script a line at a time; the first bad line ends it.
class ScriptReader {
public:
    explicit ScriptReader(std::string_view name) : name(name) {}

    bool failed() const { return !script.error.empty(); }
    Script take() { return std::move(script); }

    // One line without its line end; false once the script is refused.
    bool addLine(std::string_view line)
    {
        ++lineNumber;
        if (line.size() > maxScriptLine)
            return fail("the line is longer than " + std::to_string(maxScriptLine) + " bytes");
        // Blanks, tabs and one carriage return may end a line.
        while (!line.empty() && (isBlank(line.back()) || line.back() == '\r'))
            line.remove_suffix(1);
        std::size_t start = 0;
        while (start < line.size() && isBlank(line[start]))
            ++start;
        line.remove_prefix(start);
        if (!line.empty() && line.front() == '#')
            readEndLine(line);
        if (line.empty() || line.front() == '#')
            return true;

        std::size_t gap = 0;
        while (gap < line.size() && !isBlank(line[gap]))
            ++gap;
        const std::string_view turnWord = line.substr(0, gap);
        std::size_t eventStart = gap;
        while (eventStart < line.size() && isBlank(line[eventStart]))
            ++eventStart;
        std::size_t eventEnd = eventStart;
        while (eventEnd < line.size() && !isBlank(line[eventEnd]))
            ++eventEnd;
        const std::string_view eventWord = line.substr(eventStart, eventEnd - eventStart);

        std::int64_t turn = 0;
        if (!parseBounded(turnWord, maxScriptTurn, turn) || turn < 1)
            return fail("turn " + quoted(turnWord) + " is not a number from 1 to 2147483647");
        if (turn < lastTurn)
            return fail("turn " + std::to_string(turn) + " comes after turn " + std::to_string(lastTurn) +
                        " (turns may not go backwards)");
        if (eventWord.empty())
            return fail("missing event after turn " + std::to_string(turn));
        if (eventEnd != line.size()) {
            std::size_t extra = eventEnd;
            while (isBlank(line[extra]))
                ++extra;
            return fail("unexpected " + quoted(line.substr(extra)) + " after the event");
        }
        ScriptEvent event;
        event.turn = static_cast<std::int32_t>(turn);
        if (!parseEvent(eventWord, event))
            return fail("unknown event " + quoted(eventWord));
        if (script.events.size() == maxScriptEvents)
            return fail("more than " + std::to_string(maxScriptEvents) + " events");
        lastTurn = turn;
        script.events.push_back(event);
        return true;
    }

private:
    // The end line of a recording; any other comment says nothing.
    void readEndLine(std::string_view line)
    {
        constexpr std::string_view start = "# ended in turn ";
        if (line.substr(0, start.size()) != start)
            return;
        line.remove_prefix(start.size());
        const std::size_t colon = line.find(':');
        std::int64_t turn = 0;
        if (colon != std::string_view::npos && parseBounded(line.substr(0, colon), maxScriptTurn, turn))
            script.endTurn = turn;
    }

    bool fail(const std::string& problem)
    {
        std::vector<ScriptEvent>().swap(script.events);
        script.error = std::string(name) + ":" + std::to_string(lineNumber) + ": " + problem;
        return false;
    }

    std::string_view name;
    Script script;
    std::int64_t lastTurn = 0;
    std::size_t lineNumber = 0;
};

}  // namespace

Script parseScript(std::string_view text, std::string_view name)
{
    ScriptReader reader(name);
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        if (!reader.addLine(text.substr(pos, end - pos)))
            break;
        pos = end + 1;
    }
    return reader.take();
}

Script loadScript(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        Script script;
        script.error = "cannot read script " + path + ": " + std::strerror(errno);
        return script;
    }
    Script script = readScript(file, path);
    std::fclose(file);
    return script;
}

Script readScript(std::FILE* file, const std::string& path)
{
    ScriptReader reader(path);
    std::string line;  // never more than one byte past the longest line allowed
    char chunk[65536];
    std::size_t got;
    while (!reader.failed() && (got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        for (std::string_view rest(chunk, got); !rest.empty() && !reader.failed();) {
            const std::size_t end = rest.find('\n');
            const std::size_t take = std::min(rest.size(), std::min(end, maxScriptLine + 1 - line.size()));
            line.append(rest.substr(0, take));
            rest.remove_prefix(take);
            if (line.size() > maxScriptLine) {
                reader.addLine(line);  // refused at once, whatever follows
            } else if (take == end) {
                reader.addLine(line);
                line.clear();
                rest.remove_prefix(1);
            }
        }
    }
    // A directory opens fine on some systems and only fails on reading.
    if (std::ferror(file) != 0 && !reader.failed()) {
        Script script;
        script.error = "cannot read script " + path + ": " + std::strerror(errno);
        return script;
    }
    if (!line.empty() && !reader.failed())
        reader.addLine(line);
    return reader.take();
}

std::string formatScriptEvent(const ScriptEvent& event)
{
    std::string line = std::to_string(event.turn) + " ";
    for (const NamedEvent& named : namedEvents)
        if (named.kind == event.kind && (event.kind != MessageKind::keyDown || named.code == event.code))
            return line + named.name;
    return line + "key:" + std::to_string(event.code);
}

std::size_t formatEndLine(char* out, std::int64_t frames)
{
    if (frames < 0)
        frames = 0;
    constexpr char lead[] = "# ended in turn ";
    constexpr char middle[] = ": replay with --frames ";
    char digits[20];
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + frames % 10);
        frames /= 10;
    } while (frames > 0);
    std::size_t n = 0;
    const auto put = [&](const char* text, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i)
            out[n++] = text[i];
    };
    const auto putNumber = [&] {
        for (std::size_t i = count; i > 0; --i)
            out[n++] = digits[i - 1];
    };
    put(lead, sizeof lead - 1);
    putNumber();
    put(middle, sizeof middle - 1);
    putNumber();
    out[n++] = '\n';
    return n;
}
