// Parsing and running of before- and after-install programs.
#include "RunCommand.h"

#include "Handles.h"
#include "RecordFields.h"

#include <windows.h>
#include <shellapi.h>

RunCommand::RunCommand(const std::string& record)
{
    std::vector<std::string> fields = SplitRecord(record);
    program_ = RecordField(fields, 0);
    parameters_ = RecordField(fields, 1);
    showMode_ = RecordNumber(fields, 3);
    noWait_ = RecordNumber(fields, 5) != 0;
}

void RunCommand::Run() const
{
    ScopedHandle process;
    if (program_.find(".exe") != std::string::npos || program_.find(".bat") != std::string::npos) {
        std::string commandLine = program_ + " " + parameters_;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(showMode_);
        PROCESS_INFORMATION info{};
        if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
            return;
        CloseHandle(info.hThread);
        process.Reset(info.hProcess);
    } else {
        // The parameters go separately: a document given without any would otherwise
        // be looked up under its name with a trailing blank.
        SHELLEXECUTEINFOA execute{};
        execute.cbSize = sizeof execute;
        execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
        execute.lpFile = program_.c_str();
        execute.lpParameters = parameters_.empty() ? nullptr : parameters_.c_str();
        execute.nShow = showMode_;
        if (!ShellExecuteExA(&execute))
            return;
        process.Reset(execute.hProcess);
    }
    if (!noWait_ && process.IsValid())
        WaitForSingleObject(process.Get(), INFINITE);
}
