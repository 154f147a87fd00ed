#include "layers/common/command_line.h"

std::string parseDesktopArguments(const std::vector<std::string>& args, DesktopOptions& options)
{
    bool haveRecord = false, haveTrace = false, haveWatch = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& flag = args[i];
        if (flag == "--windowed") {
            options.windowed = true;
        } else if (flag == "--record" || flag == "--trace" || flag == "--watch") {
            bool& seen = flag == "--record" ? haveRecord : flag == "--trace" ? haveTrace : haveWatch;
            if (seen)
                return flag + " is given twice";
            seen = true;
            if (i + 1 >= args.size() || args[i + 1].empty() || args[i + 1].rfind("--", 0) == 0)
                return flag + " needs a file name";
            (flag == "--record" ? options.recordPath : flag == "--trace" ? options.tracePath : options.watchPath) =
                args[++i];
        } else {
            return "unknown option '" + flag +
                   "' (the desktop game takes --windowed, --record FILE, --trace FILE and --watch FILE; "
                   "brightwicket --help lists every option)";
        }
    }
    if (haveRecord && haveTrace && options.recordPath == options.tracePath)
        return "--record and --trace name the same file";
    if (haveRecord && haveWatch)
        return "--watch plays a recording back and records nothing: leave out --record";
    return {};
}
