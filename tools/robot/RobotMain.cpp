// robot.exe: the command-line face of the window robot for end-to-end tests.
//
//   robot <command> [--class NAME] [--caption TEXT] [--pid N] [--timeout SECONDS]
//                   [--id N] [--text TEXT]
//
// Commands: wait (print the handle of the first match), gone (wait until nothing
// matches), dump (print the window and its controls), settext (--id, --text),
// press (--id), close. Every command waits up to --timeout seconds (default 10) for
// the window. Exit codes: 0 done, 1 bad command line, 2 time-out, 3 no such control,
// 4 the window refused the action.
#include "Robot.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

enum ExitCode { Done = 0, Usage = 1, TimedOut = 2, NoControl = 3, Refused = 4 };

int UsageError(const char* what)
{
    std::fprintf(stderr, "robot: %s\n"
                         "usage: robot wait|gone|dump|settext|press|close [--class NAME] [--caption TEXT]"
                         " [--pid N] [--timeout SECONDS] [--id N] [--text TEXT]\n",
                 what);
    return Usage;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return UsageError("no command");
    const std::string command = argv[1];
    robot::WindowQuery query;
    double timeoutSeconds = 10;
    int id = 0;
    bool hasId = false;
    std::string text;
    bool hasText = false;

    for (int i = 2; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc)
            return UsageError(("missing value for " + option).c_str());
        const char* value = argv[++i];
        if (option == "--class") {
            query.className = value;
            query.hasClass = true;
        } else if (option == "--caption") {
            query.caption = value;
            query.hasCaption = true;
        } else if (option == "--pid") {
            query.processId = std::strtoul(value, nullptr, 10);
        } else if (option == "--timeout") {
            timeoutSeconds = std::atof(value);
        } else if (option == "--id") {
            id = static_cast<int>(std::strtol(value, nullptr, 0));
            hasId = true;
        } else if (option == "--text") {
            text = value;
            hasText = true;
        } else {
            return UsageError(("unknown option " + option).c_str());
        }
    }
    if (!query.hasClass && !query.hasCaption && !query.processId)
        return UsageError("give --class, --caption or --pid");
    const DWORD timeoutMs = timeoutSeconds <= 0 ? 0 : static_cast<DWORD>(timeoutSeconds * 1000);

    if (command == "gone") {
        if (!robot::WaitForWindowGone(query, timeoutMs)) {
            std::fprintf(stderr, "robot: window still there\n");
            return TimedOut;
        }
        return Done;
    }
    if (command != "wait" && command != "dump" && command != "settext" && command != "press" && command != "close")
        return UsageError(("unknown command " + command).c_str());
    if ((command == "settext" || command == "press") && !hasId)
        return UsageError("give --id");
    if (command == "settext" && !hasText)
        return UsageError("give --text");

    HWND window = robot::WaitForWindow(query, timeoutMs);
    if (!window) {
        std::fprintf(stderr, "robot: no such window\n");
        return TimedOut;
    }
    if (command == "wait") {
        std::printf("0x%08lx\n", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
    } else if (command == "dump") {
        std::fputs(robot::Dump(window).c_str(), stdout);
    } else if (command == "close") {
        if (!robot::CloseWindow(window))
            return Refused;
    } else {
        if (!robot::FindControl(window, id)) {
            std::fprintf(stderr, "robot: no control with id %d\n", id);
            return NoControl;
        }
        bool ok = command == "press" ? robot::PressControl(window, id) : robot::SetControlText(window, id, text);
        if (!ok)
            return Refused;
    }
    std::fflush(stdout);
    return Done;
}
