// Installs a package of 200 files (100 MiB) with the installation worker and
// compares the time with plain copies of the same bytes. Prints a table.
#include "InstallWorker.h"
#include "SetupConfig.h"
#include "TestFolder.h"
#include "ZipReader.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {

const int kFiles = 200;

std::string Folder(const char* path) {
    std::string text = path;
    return text.substr(0, text.rfind('\\'));
}

void WriteText(const std::string& path, const std::string& text) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

double Seconds(LARGE_INTEGER start, LARGE_INTEGER end) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

// One installation run into target; seconds, or a negative value on failure.
double Install(const std::string& work, const std::string& target) {
    std::string ini = "[GENERAL_INFO]\r\nProductName=Bench\r\nCompanyName=KvBench\r\nProductVersion=1\r\n"
                      "[SETUP_INFO]\r\nDefaultInstallationPath=" + target + "\r\n[APPLICATION_FILES]\r\n";
    for (int n = 0; n < kFiles; ++n) {
        char line[64];
        std::snprintf(line, sizeof(line), "%d,file%03d.txt,%%AppDir%%\\file%03d.txt\r\n", n, n, n);
        ini += line;
    }
    WriteText(work + "\\Setup.ini", ini);
    WriteText(work + "\\English.dat", "[UNINSTALL_DIALOG]\r\n");

    SetupConfig config(work);
    HWND page = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND bar = CreateWindowA(PROGRESS_CLASSA, "", WS_CHILD, 0, 0, 10, 10, page, nullptr, nullptr, nullptr);
    HWND status = CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 10, 10, page, nullptr, nullptr, nullptr);
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    InstallWorker worker(page, config, bar, status);
    worker.start();
    bool done = false;
    while (!done) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.hwnd == page && message.message == WM_COMMAND && LOWORD(message.wParam) == 1048) done = true;
            DispatchMessageA(&message);
        }
        if (!done) MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    worker.Wait(INFINITE);
    QueryPerformanceCounter(&end);
    DestroyWindow(page);
    return Seconds(start, end);
}

// The archive reads alone, without the worker around them.
double Extract(const std::string& archive, const std::string& target) {
    CreateDirectoryA(target.c_str(), nullptr);
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    ZipReader zip(archive);
    for (int n = 0; n < kFiles; ++n) {
        char name[32];
        std::snprintf(name, sizeof(name), "file%03d.txt", n);
        if (!zip.ExtractEntry(name, target + "\\" + name)) return -1;
    }
    QueryPerformanceCounter(&end);
    return Seconds(start, end);
}

double Copy(const std::string& data, const std::string& target) {
    CreateDirectoryA(target.c_str(), nullptr);
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int n = 0; n < kFiles; ++n) {
        char name[32];
        std::snprintf(name, sizeof(name), "\\file%03d.txt", n);
        if (!CopyFileA((data + name).c_str(), (target + name).c_str(), FALSE)) return -1;
    }
    QueryPerformanceCounter(&end);
    return Seconds(start, end);
}

// Three rounds over one package; prints them and returns install / copy of
// the best rounds.
double Measure(const std::string& here, const std::string& work, const char* package) {
    if (!CopyFileA((here + "\\" + package).c_str(), (work + "\\setup.zip").c_str(), FALSE)) {
        std::printf("%s not found beside the program\n", package);
        return -1;
    }
    std::printf("\n%s\n%-10s %12s %12s %12s\n", package, "round", "install s", "extract s", "copy s");
    double bestInstall = 1e9, bestCopy = 1e9, bestExtract = 1e9;
    for (int round = 1; round <= 3; ++round) {
        TestFolder output;  // removed after each round
        std::string installed = output / "Installed", extracted = output / "Extracted", copied = output / "Copied";
        double copy = Copy(here + "\\data", copied);
        double extract = Extract(work + "\\setup.zip", extracted);
        double install = Install(work, installed);
        std::printf("%-10d %12.3f %12.3f %12.3f\n", round, install, extract, copy);
        if (install > 0 && install < bestInstall) bestInstall = install;
        if (extract > 0 && extract < bestExtract) bestExtract = extract;
        if (copy > 0 && copy < bestCopy) bestCopy = copy;
    }
    std::printf("%-10s %12.3f %12.3f %12.3f\n", "best", bestInstall, bestExtract, bestCopy);
    return bestInstall / bestCopy;
}

}  // namespace

int main() {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string here = Folder(self);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    double deflated, stored;
    {
        TestFolder folder;
        const std::string& work = folder.Path();
        SetCurrentDirectoryA(work.c_str());

    std::printf("200 files, 100 MiB; installation run without the pause per record,\n"
                "the archive reads alone, and CopyFile of the same files\n");
        deflated = Measure(here, work, "deflated.zip");
        stored = Measure(here, work, "stored.zip");
        SetCurrentDirectoryA(temp);
    }
    std::printf("\ninstall / copy: deflated %.2f, stored %.2f (goal: within 1.50)\n", deflated, stored);
    for (const char* key : {"KvBench\\Bench\\1", "KvBench\\Bench", "KvBench"})
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string("SOFTWARE\\Oltrane\\Instorra\\UserData\\") + key).c_str());
    return 0;
}
