// The program-wide objects of setup: the instance handle and the one SetupConfig.
#pragma once
#include <windows.h>

class SetupConfig;

HINSTANCE GetProgramInstance();
void SetProgramInstance(HINSTANCE instance);

// The published configuration; only valid after PublishSetupConfig.
SetupConfig& GetSetupConfig();
bool HasSetupConfig();
void PublishSetupConfig(SetupConfig* config);

// The system's version: the extended record, or the basic one when the extended is
// refused; throws WinException "Couldn't check Windows version" when both are.
OSVERSIONINFOEXA GetWindowsVersion();
