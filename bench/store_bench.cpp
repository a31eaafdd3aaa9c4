// Times the link store on a deterministic 100,000-record link file against a plain read and
// write of the same bytes. Run: scripts/as-test-user wine build/bench/store_bench.exe
#include "LinkStore.h"
#include "Platform.h"
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

class YesPrompter : public TPrompter {
public:
    TModalResult MessageDlgBeep(const std::string&, TMsgDlgType, TMsgDlgButtons) override {
        return TModalResult::Yes;
    }
};

double Now() {
    static LARGE_INTEGER freq = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart * 1000.0 / freq.QuadPart;
}

// Best of n runs of fn, in milliseconds; prepare runs untimed before each.
double Time(int n, const std::function<void()>& fn, const std::function<void()>& prepare = nullptr) {
    double best = 1e300;
    for (int i = 0; i < n; ++i) {
        if (prepare) prepare();
        double t0 = Now();
        fn();
        best = std::min(best, Now() - t0);
    }
    return best;
}

uint32_t Rng = 12345;
uint32_t Next() { Rng = Rng * 1103515245u + 12345u; return Rng >> 8; }

const char* const Words[] = {"Daily", "news", "REVIEW", "Journal", "weekly", "Digest", "ARCHIVE",
                             "Gazette", "science", "Travel", "MUSIC", "recipes", "Garden",
                             "software", "History", "sport", "Caf\xe9", "\xc9t\xe9", "Market", "Opinion"};

std::string LongName(int n) {
    std::string s;
    for (int i = 0; i < 5; ++i) { s += Words[Next() % 20]; s += ' '; }
    return s + "No " + std::to_string(n);
}

std::string Url(int n) {
    return "http://www." + std::string(Words[n % 20]) + "-site-" + std::to_string(n % 977) +
           ".example.com/section/" + std::to_string(n) + "/index.html";
}

uint32_t Date(int n) { return 0x5A2C6000u + ((n % 300) << 16) % (0x0A000000u); }

struct Builder {
    std::vector<TLinkRecord> Records;
    int Serial = 0;
    void Folder(const std::string& path) { Records.push_back(MakeLinkRecord(path, "", Date(Serial++), "Folder")); }
    void Link(const std::string& folder) {
        int n = Serial++;
        Records.push_back(MakeLinkRecord(folder + LongName(n), Url(n), Date(n), "Url"));
    }
    // A folder with links and subfolders, nested depth levels, of about count records.
    void Tree(const std::string& path, int count, int depth) {
        Folder(path);
        --count;
        const int subs = depth > 0 ? 4 : 0;
        const int own = subs ? count / 5 : count;
        for (int i = 0; i < own; ++i) Link(path);
        for (int s = 0; s < subs; ++s)
            Tree(path + "Sub Folder " + Words[(s * 7 + depth) % 20] + " Level " + std::to_string(depth) +
                     " Part " + std::to_string(s) + "\\",
                 (count - own) / subs, depth - 1);
    }
};

std::vector<TLinkRecord> BuildRecords() {
    Builder b;
    b.Tree("Favorites\\Archive Of Everything\\", 20000, 3);
    b.Folder("Favorites\\Big Folder Of Links\\");
    for (int i = 0; i < 15000; ++i) b.Link("Favorites\\Big Folder Of Links\\");
    b.Tree("Favorites\\Paste Source\\", 10000, 2);
    b.Folder("Favorites\\Paste Target\\");
    for (int i = 0; i < 200; ++i) b.Link("Favorites\\");
    for (int t = 0; b.Records.size() < 100000; ++t) {
        int left = 100000 - static_cast<int>(b.Records.size());
        b.Tree("Favorites\\Topic " + std::to_string(t) + " " + Words[t % 20] + " And " + Words[(t * 3) % 20] + "\\",
               std::min(left, 2500), 3);
    }
    b.Records.resize(100000);
    // A deterministic shuffle, so that the sort has real work to do.
    for (size_t i = b.Records.size() - 1; i > 0; --i) std::swap(b.Records[i], b.Records[Next() % (i + 1)]);
    return b.Records;
}

void PlainWrite(const std::string& file, const std::vector<char>& bytes) {
    HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    DWORD put;
    for (size_t done = 0; done < bytes.size(); done += put)
        WriteFile(h, bytes.data() + done, DWORD(std::min<size_t>(8192 * 528, bytes.size() - done)), &put, nullptr);
    CloseHandle(h);
}

void PlainRead(const std::string& file, std::vector<char>& bytes) {
    HANDLE h = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    bytes.resize(GetFileSize(h, nullptr));
    DWORD got;
    for (size_t done = 0; done < bytes.size(); done += got) {
        ReadFile(h, bytes.data() + done, DWORD(std::min<size_t>(8192 * 528, bytes.size() - done)), &got, nullptr);
        if (!got) break;
    }
    CloseHandle(h);
}

struct Row { const char* Name; double Ms; double Reference; double Target; const char* Unit; };

}  // namespace

int main() {
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    const std::string dir = std::string(tmp) + "kvbench_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
    const std::string linkFile = dir + "\\bench.ldb", plainFile = dir + "\\plain.bin", saved = dir + "\\saved.ldb";

    const std::vector<TLinkRecord> records = BuildRecords();
    std::vector<char> bytes(reinterpret_cast<const char*>(records.data()),
                            reinterpret_cast<const char*>(records.data() + records.size()));
    PlainWrite(linkFile, bytes);

    YesPrompter prompter;
    LinkStore store(prompter);
    std::vector<char> readBack;
    const int runs = 5;
    const double plainWrite = Time(runs, [&] { PlainWrite(plainFile, bytes); });
    const double plainRead = Time(runs, [&] { PlainRead(plainFile, readBack); });
    const double load = Time(runs, [&] { store.LoadLinkFile(linkFile); });
    const double sort = Time(runs, [&] { store.LinkList.Sort(); }, [&] { store.LoadLinkFile(linkFile); });
    const double save = Time(runs, [&] { store.SaveLinkFile(saved); });

    // Each listing is timed until it is built; freeing it (at the next refill) is timed apart.
    TListing listing;
    double freeing = 0;
    auto release = [&] {
        double t = Now();
        TListing().swap(listing);
        freeing = std::max(freeing, Now() - t);
    };
    store.SetCurrentFolder("Favorites\\");
    const double listRoot = Time(runs, [&] { listing = store.ListFolder(); }, release);
    const size_t rootEntries = listing.size();
    store.SetCurrentFolder("Favorites\\Big Folder Of Links\\");
    const double listBig = Time(runs, [&] { listing = store.ListFolder(); }, release);
    const size_t bigEntries = listing.size();
    store.SetCurrentFolder("Favorites\\");
    const double subtree = Time(runs, [&] { listing = store.ListSubtree(); }, release);
    const size_t subtreeEntries = listing.size();
    freeing = 0;
    release();
    const double freeSubtree = freeing;
    const double findOnly = Time(runs, [&] { store.FindMatches("sci"); });
    const double find = Time(runs, [&] { listing = store.ListSubtree(store.FindMatches("sci")); }, release);
    const size_t found = listing.size();
    std::string outlineText;
    const double outline = Time(runs, [&] { outlineText = store.FolderOutline(); });
    size_t n = outlineText.size();

    int below = 0;
    for (const TLinkRecord& r : store.LinkList)
        below += r.GetPath().substr(0, 32) == "Favorites\\Archive Of Everything\\";
    double t0 = Now();
    store.RenameFolder("Archive Of Everything", "Archive Renamed");
    const double rename = Now() - t0;

    TListing root = store.ListFolder();
    TListing pick;
    for (const TListEntry& e : root)
        if (e.Name == "Paste Source") pick.push_back(e);
    store.CopyEntries(pick);
    store.SetCurrentFolder("Favorites\\Paste Target\\");
    t0 = Now();
    store.PasteEntries();
    const double paste = Now() - t0;

    std::printf("link file: %d records, %.1f MB; root %u entries, big folder %u, subtree %u, find %u;\n"
                "rename moves %d records, paste adds %u records (list now %d)\n\n",
                static_cast<int>(records.size()), bytes.size() / 1e6, unsigned(rootEntries),
                unsigned(bigEntries), unsigned(subtreeEntries), unsigned(found), below,
                unsigned(store.CopyBuffer.size()), store.LinkList.Count());
    const Row rows[] = {
        {"plain write (reference)", plainWrite, 0, 0, ""},
        {"plain read (reference)", plainRead, 0, 0, ""},
        {"LoadLinkFile", load, plainRead, 2, "x read"},
        {"SaveLinkFile", save, plainWrite, 2, "x write"},
        {"sort LinkList", sort, 0, 300, "ms"},
        {"ListFolder root", listRoot, 0, 50, "ms"},
        {"ListFolder big folder", listBig, 0, 50, "ms"},
        {"ListSubtree root", subtree, 0, 50, "ms"},
        {"  (freeing that listing)", freeSubtree, 0, 0, ""},
        {"FindMatches 3 chars", find, 0, 50, "ms"},
        {"  (the filter alone)", findOnly, 0, 0, ""},
        {"FolderOutline", outline, 0, 50, "ms"},
        {"RenameFolder 20,000", rename, 0, 200, "ms"},
        {"PasteEntries 10,000", paste, 0, 200, "ms"},
    };
    std::printf("%-26s %10s %10s %12s  %s\n", "operation", "ms", "ratio", "target", "met");
    for (const Row& r : rows) {
        if (r.Target == 0) { std::printf("%-26s %10.1f\n", r.Name, r.Ms); continue; }
        const bool relative = r.Reference > 0;
        const double ratio = relative ? r.Ms / r.Reference : r.Ms / r.Target;
        std::printf("%-26s %10.1f %10.2f %9s%.0f %s  %s\n", r.Name, r.Ms, ratio, "< ", r.Target, r.Unit,
                    (relative ? ratio <= r.Target : r.Ms < r.Target) ? "yes" : "NO");
    }
    std::printf("\n(best of %d runs; ratio is against the plain read/write or the target; checksum %u)\n", runs, unsigned(n % 1000));
    DeleteFileA(linkFile.c_str());
    DeleteFileA(plainFile.c_str());
    DeleteFileA(saved.c_str());
    RemoveDirectoryA(dir.c_str());
    return 0;
}
