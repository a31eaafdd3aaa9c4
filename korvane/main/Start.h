// Program start: the single-instance mapping, the hand-over to a running copy, the splash and
// the creation of the forms.
#pragma once
#include <string>
#include <vector>

// The name of the mapping that marks a running copy.
constexpr const char* InstanceMappingName = "{6C1D2E4B-93A7-4F05-B8E2-51D7A0C39F64}";

// The text a second start hands over: address, line break, description ("blank" when only the
// address was given), with its terminating zero.
std::string BuildHandOverText(const std::vector<std::string>& args);

// Runs Korvane with its command-line arguments (the program's name left out); the exit code.
int RunKorvane(const std::vector<std::string>& args);
