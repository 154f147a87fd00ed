#include "support/run_script.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "replay/trace.h"

namespace {
const std::string empty;

std::vector<std::string> splitCsvLine(const std::string& line)
{
    std::vector<std::string> fields;
    std::string field;
    bool quoted = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            field += c;
        } else if (c == ',' && !quoted) {
            fields.push_back(field);
            field.clear();
        } else {
            field += c;
        }
    }
    fields.push_back(field);
    return fields;
}
}  // namespace

Trace Trace::parse(const std::string& csv)
{
    Trace trace;
    std::istringstream in(csv);
    std::string line;
    if (std::getline(in, line))
        trace.columns = splitCsvLine(line);
    while (std::getline(in, line))
        trace.rows.push_back(splitCsvLine(line));
    return trace;
}

bool Trace::hasColumn(std::string_view column) const
{
    for (const std::string& c : columns)
        if (c == column)
            return true;
    return false;
}

const std::string& Trace::text(std::int64_t frame, std::string_view column) const
{
    if (frame < 1 || frame > frames()) {
        ADD_FAILURE() << "no frame " << frame << " in a trace of " << frames();
        return empty;
    }
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (columns[i] == column)
            return rows[static_cast<std::size_t>(frame - 1)].at(i);
    ADD_FAILURE() << "no column " << column;
    return empty;
}

std::int64_t Trace::integer(std::int64_t frame, std::string_view column) const
{
    const std::string& value = text(frame, column);
    return value.empty() ? 0 : std::stoll(value);
}

float Trace::real(std::int64_t frame, std::string_view column) const
{
    const std::string& value = text(frame, column);
    return value.empty() ? 0.0f : std::strtof(value.c_str(), nullptr);
}

std::string Trace::banner(std::int64_t frame) const
{
    const std::string& value = text(frame, "bannerText");
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') {
        ADD_FAILURE() << "banner text not quoted: " << value;
        return value;
    }
    return value.substr(1, value.size() - 2);
}

ScriptRun runScript(std::string_view script, std::int64_t frames, const FrameObserver& observe)
{
    // Each run starts the shot draws afresh, as a new process of the game does.
    std::srand(1);
    ScriptRun run;
    run.script = parseScript(script, "test script");
    EXPECT_EQ(run.script.error, "");
    run.game = std::make_unique<HeadlessGame>(run.script.events);
    run.csv = std::string(traceHeader) + "\n";
    HeadlessGame& game = *run.game;
    char row[traceRowCapacity];
    game.run(
        frames,
        [&] {
            run.csv.append(row, formatTraceRow(row, game.frames(), game.state));
            if (observe)
                observe(game.frames(), game.state);
        },
        [] { return true; });
    run.trace = Trace::parse(run.csv);
    return run;
}

std::string scenario(std::string_view name)
{
    const std::string path = std::string(BRIGHTWICKET_TEST_SCRIPTS) + "/" + std::string(name);
    std::ifstream in(path);
    EXPECT_TRUE(in.good()) << "cannot read " << path;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::filesystem::path freshTempFolder()
{
    std::string pattern = (std::filesystem::path(::testing::TempDir()) / "bw_test_XXXXXX").string();
    EXPECT_NE(mkdtemp(pattern.data()), nullptr) << pattern;
    return pattern;
}
