// A fresh folder under the temporary folder, removed with everything in it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The whole content of a file; empty when it cannot be opened.
inline std::string ReadFileBytes(const std::string& path)
{
    std::string text;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return text;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    CloseHandle(file);
    return text;
}

class TestFolder {
public:
    TestFolder()
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        static int counter = 0;
        path_ = std::string(temp) + "setup_test_" + std::to_string(GetCurrentProcessId()) + "_" +
                std::to_string(++counter) + "_" + std::to_string(GetTickCount());
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TestFolder() { Remove(path_); }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

    // Writes bytes as they are.
    void WriteRaw(const std::string& name, const std::string& bytes) const
    {
        HANDLE file = CreateFileA((*this / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    // Writes every line followed by CR LF.
    void WriteLines(const std::string& name, const std::vector<std::string>& lines) const
    {
        std::string text;
        for (const std::string& line : lines)
            text += line + "\r\n";
        WriteRaw(name, text);
    }
    std::string Read(const std::string& name) const { return ReadFileBytes(*this / name); }
    bool Exists(const std::string& name) const
    {
        return GetFileAttributesA((*this / name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    // Removes a folder with everything in it.
    static void Remove(const std::string& path)
    {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                std::string name = found.cFileName;
                if (name == "." || name == "..")
                    continue;
                std::string child = path + "\\" + name;
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    Remove(child);
                else
                    DeleteFileA(child.c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(path.c_str());
    }

private:
    std::string path_;
};
