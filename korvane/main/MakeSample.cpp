// Writes Korvane's sample link file from its text form: MakeSample <links.txt> <out.ldb>.
#include "LinkStore.h"

#include <windows.h>

#include <cstdio>
#include <fstream>

namespace {

class NoQuestions : public TPrompter {
public:
    TModalResult MessageDlgBeep(const std::string&, TMsgDlgType, TMsgDlgButtons) override { return TModalResult::OK; }
};

uint32_t DosDate(const std::string& ymd) {
    int y = 2004, m = 1, d = 1;
    if (!ymd.empty()) std::sscanf(ymd.c_str(), "%d-%d-%d", &y, &m, &d);
    return (static_cast<uint32_t>(y - 1980) << 25) | (static_cast<uint32_t>(m) << 21) | (static_cast<uint32_t>(d) << 16) |
           (12u << 11);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: MakeSample <links.txt> <out.ldb>\n");
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    NoQuestions prompter;
    LinkStore store(prompter);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        size_t a = line.find('|');
        size_t b = a == std::string::npos ? std::string::npos : line.find('|', a + 1);
        std::string path = line.substr(0, a);
        std::string url = a == std::string::npos ? "" : line.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1);
        std::string date = b == std::string::npos ? "" : line.substr(b + 1);
        bool folder = !path.empty() && path.back() == '\\';
        store.LinkList.Add(path, url, DosDate(date), folder ? FolderType : UrlType);
    }
    store.LinkList.Sort();
    try {
        store.SaveLinkFile(argv[2]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::printf("%d records written to %s\n", store.LinkList.Count(), argv[2]);
    return 0;
}
