// A program that setup runs before or after installing: the comma-separated record
// "program,parameters,,show mode,,no-wait,".
#pragma once
#include <string>

class RunCommand {
public:
    // Parses an already expanded record.
    explicit RunCommand(const std::string& record);

    const std::string& GetProgram() const { return program_; }
    const std::string& GetParameters() const { return parameters_; }
    int GetShowMode() const { return showMode_; }
    bool GetNoWait() const { return noWait_; }

    // A program whose name holds ".exe" or ".bat" is started as a process, anything
    // else is opened through the shell. Unless no-wait is set this waits, without a
    // limit, for the started process to end. Failures are ignored.
    void Run() const;

private:
    std::string program_;
    std::string parameters_;
    int showMode_;
    bool noWait_;
};
