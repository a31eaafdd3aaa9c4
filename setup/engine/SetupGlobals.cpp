// The program-wide objects of setup.
#include "SetupGlobals.h"

#include "Exceptions.h"

namespace {
HINSTANCE g_instance = nullptr;
SetupConfig* g_config = nullptr;
}  // namespace

HINSTANCE GetProgramInstance() { return g_instance; }
void SetProgramInstance(HINSTANCE instance) { g_instance = instance; }
SetupConfig& GetSetupConfig() { return *g_config; }
bool HasSetupConfig() { return g_config != nullptr; }
void PublishSetupConfig(SetupConfig* config) { g_config = config; }

OSVERSIONINFOEXA GetWindowsVersion()
{
    OSVERSIONINFOEXA extended{};
    extended.dwOSVersionInfoSize = sizeof extended;
    OSVERSIONINFOA& version = reinterpret_cast<OSVERSIONINFOA&>(extended);
    if (!GetVersionExA(&version)) {
        version.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        if (!GetVersionExA(&version))
            throw WinException("Couldn't check Windows version");
    }
    return extended;
}
