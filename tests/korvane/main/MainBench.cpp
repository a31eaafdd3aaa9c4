// Benchmark of the real main window under Wine: a 100,000-record link file from load to the
// filled list, the Classic style refill and a find refill. Prints a table; sets no limits.
#include "Main.h"

#include "System.h"

#include <chrono>
#include <cstdio>
#include <fstream>

using Clock = std::chrono::steady_clock;

namespace {

class NoQuestions : public forms::Prompter {
public:
    int Ask(const std::string&, forms::MsgDlgType, unsigned, bool) override { return forms::mrNo; }
};

double Ms(Clock::time_point a) { return std::chrono::duration<double, std::milli>(Clock::now() - a).count(); }

}  // namespace

int main() {
    forms::Application& app = forms::Application::Instance();
    app.SetTitle("KorvaneBench");
    app.Initialize();
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    std::string dir = std::string(tmp) + "kvbench";
    CreateDirectoryA(dir.c_str(), nullptr);
    std::string file = dir + "\\big.ldb";
    {
        // 1,000 folders of 99 links each, sorted by path as the program keeps them.
        std::ofstream out(file, std::ios::binary);
        char name[64];
        for (int f = 0; f < 1000; ++f) {
            std::snprintf(name, sizeof name, "Favorites\\Folder %04d\\", f);
            TLinkRecord r = MakeLinkRecord(name, "", 0x30210000, FolderType);
            out.write(reinterpret_cast<const char*>(&r), sizeof r);
            for (int l = 0; l < 99; ++l) {
                std::string path = std::string(name) + "Link " + std::to_string(l);
                std::string url = "http://site" + std::to_string(f) + ".example/page" + std::to_string(l);
                TLinkRecord link = MakeLinkRecord(path, url, 0x30210000 + ((l % 28) << 16), UrlType);
                out.write(reinterpret_cast<const char*>(&link), sizeof link);
            }
        }
    }
    {
        forms::Registry reg;
        reg.OpenKey("\\SOFTWARE\\KorvaneBench\\Settings", true);
        reg.WriteString("LastOpenFile", file);
    }
    NoQuestions prompter;
    std::printf("%-44s %10s\n", "step (100,000 records)", "ms");
    {
        TFMainKvKorvane main(dir);
        main.Prompter = &prompter;
        main.TrayIcon1.NotifyIcon = [](DWORD, NOTIFYICONDATAA*) { return TRUE; };
        auto t = Clock::now();
        main.Show();
        std::printf("%-44s %10.1f\n", "first show: load, fill list, build tree", Ms(t));
        std::printf("%-44s %10d\n", "  rows shown / tree nodes", main.ListLinks.Count());
        std::printf("%-44s %10d\n", "", main.TreeLinks.Count());

        t = Clock::now();
        main.ViewStyleClick(true);
        std::printf("%-44s %10.1f\n", "Classic style refill (all links)", Ms(t));
        std::printf("%-44s %10d\n", "  rows shown", main.ListLinks.Count());
        for (int column : {1, 0, 2}) {
            t = Clock::now();
            main.ListLinksColumnClick(column);
            std::printf("%-44s %10.1f\n", column == 1 ? "sort all links by URL" : column == 0 ? "  by description" : "  by date", Ms(t));
        }

        main.EditFind.SetFocus();
        t = Clock::now();
        main.EditFind.SetText("k 7");
        std::printf("%-44s %10.1f\n", "find refill, 3 characters", Ms(t));
        std::printf("%-44s %10d\n", "  rows shown", main.ListLinks.Count());

        t = Clock::now();
        main.ListLinksColumnClick(1);
        std::printf("%-44s %10.1f\n", "sort the find result by URL", Ms(t));

        main.ViewStyleClick(false);
        t = Clock::now();
        main.Store.LoadLinkFile(file);
        std::printf("%-44s %10.1f\n", "load the file again", Ms(t));
        t = Clock::now();
        main.FillLinkList();
        std::printf("%-44s %10.1f\n", "Explorer style refill", Ms(t));
        t = Clock::now();
        main.BuildFolderTree();
        std::printf("%-44s %10.1f\n", "rebuild the folder tree", Ms(t));
        main.Store.Modified = false;
    }
    {
        // The same again in a process whose window system is already warmed up.
        TFMainKvKorvane again(dir);
        again.Prompter = &prompter;
        again.TrayIcon1.NotifyIcon = [](DWORD, NOTIFYICONDATAA*) { return TRUE; };
        auto t = Clock::now();
        again.Show();
        std::printf("%-44s %10.1f\n", "second window's first show", Ms(t));
    }
    forms::Registry reg;
    reg.DeleteKey("\\SOFTWARE\\KorvaneBench");
    DeleteFileA(file.c_str());
    RemoveDirectoryA(dir.c_str());
    return 0;
}
