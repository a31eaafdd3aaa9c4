// setup's program run: everything between the entry point and the exit code.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Runs setup with the argument vector (argument 0 is the program) and returns the
// exit code: the quit message's code, or -1 after a reported failure.
int RunSetup(HINSTANCE instance, const std::vector<std::string>& args);
