// setup's command line: -i (imitation), -s (ignored), -d folder (source folder).
#pragma once
#include <string>
#include <vector>

class SetupConfig;

// Sets SourceDir to programFolder, then applies the arguments after the program name
// (options compared ignoring case; anything else ignored).
void ApplyCommandLine(SetupConfig& config, const std::string& programFolder, const std::vector<std::string>& args);
