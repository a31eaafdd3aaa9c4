// Starting the built programs from end-to-end tests: their paths under Wine and a
// run of robot.exe whose output is collected through a file.
#pragma once
#include "TestFolder.h"

#include <windows.h>

#include <string>

// The build's Unix path as Wine sees it.
inline std::string WinePath(const char* unixPath)
{
    std::string path = std::string("Z:") + unixPath;
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    return path;
}

// Runs robot.exe with args and returns its exit code (STILL_ACTIVE when it had to be
// ended after 30 seconds). Output goes through a file, not a pipe, so that no helper
// process can keep it open.
inline DWORD RunRobot(TestFolder& folder, const std::string& args, std::string& output)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    std::string path = folder / "robot.out";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = file;
    PROCESS_INFORMATION info{};
    std::string line = "\"" + WinePath(ROBOT_EXE_PATH) + "\" " + args;
    DWORD code = STILL_ACTIVE;
    if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) {
        if (WaitForSingleObject(info.hProcess, 30000) == WAIT_OBJECT_0)
            GetExitCodeProcess(info.hProcess, &code);
        else
            TerminateProcess(info.hProcess, 1);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    CloseHandle(file);
    output = folder.Read("robot.out");
    return code;
}
