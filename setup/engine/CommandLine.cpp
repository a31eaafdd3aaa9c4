// setup's command-line options.
#include "CommandLine.h"

#include "SetupConfig.h"

#include <windows.h>

namespace {

bool IsOption(const std::string& arg, const char* option) { return lstrcmpiA(arg.c_str(), option) == 0; }

}  // namespace

void ApplyCommandLine(SetupConfig& config, const std::string& programFolder, const std::vector<std::string>& args)
{
    config.SetVariable("SourceDir", programFolder);
    for (size_t i = 1; i < args.size(); ++i) {
        if (IsOption(args[i], "-i")) {
            config.SetVariable("Imitation", "Y");
        } else if (IsOption(args[i], "-d")) {
            if (i + 1 < args.size())
                config.SetVariable("SourceDir", args[++i]);
        }
    }
}
