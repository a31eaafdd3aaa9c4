// The program-wide objects of setup.
#include "SetupGlobals.h"

namespace {
HINSTANCE g_instance = nullptr;
SetupConfig* g_config = nullptr;
}  // namespace

HINSTANCE GetProgramInstance() { return g_instance; }
void SetProgramInstance(HINSTANCE instance) { g_instance = instance; }
SetupConfig& GetSetupConfig() { return *g_config; }
bool HasSetupConfig() { return g_config != nullptr; }
void PublishSetupConfig(SetupConfig* config) { g_config = config; }
