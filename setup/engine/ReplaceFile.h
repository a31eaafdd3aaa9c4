// Replacing an installed file with a newer one, also when it is in use, and
// the SharedDLLs use counts.
#pragma once

#include <windows.h>

#include <string>

// The platform's name for its own replace call is not used here.
#ifdef ReplaceFile
#undef ReplaceFile
#endif

enum class WindowsFamily { NT, Win9x };

// The family the system reports (a 9x version set for the program counts).
WindowsFamily CurrentWindowsFamily();

enum class ReplaceResult {
    Replaced,
    NotReplaced,
    // source stays where it is: the system moves it onto the target at the
    // next restart.
    ScheduledAtRestart,
};

// Copies source onto target. An access-denied target is made writable and
// tried again; when it is still refused, the NT family renames the file in
// use out of the way (or schedules the move at restart) and sets
// restartNeeded, the 9x family adds a WinInit.ini [Rename] line.
ReplaceResult ReplaceFile(const std::string& source, const std::string& target, WindowsFamily family,
                          bool& restartNeeded);

// The name beside target that a file in use is renamed to: the last "dll" of
// the file name replaced by 001..998, or a three-digit suffix when the name
// has no "dll"; empty when every such name is taken.
std::string FreeInUseName(const std::string& target);

// Adds "target=source" under [Rename] of WinInit.ini in the Windows folder.
// False when the file cannot be opened or written.
bool ScheduleWinInitRename(const std::string& source, const std::string& target);

// Adds one to the target's count under HKLM SharedDLLs (1 when it has none);
// nothing when the key does not exist.
void IncrementSharedDllCount(const std::string& target);
