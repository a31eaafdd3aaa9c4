// Font description texts to logical fonts.
#include "Fonts.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

long Number(const std::string& text, size_t from, size_t to)
{
    return std::strtol(text.substr(from, to - from).c_str(), nullptr, 10);
}

}  // namespace

void ParseFontSpec(const std::string& text, LOGFONTA& font)
{
    std::memset(&font, 0, sizeof font);
    std::strcpy(font.lfFaceName, "Arial");
    font.lfHeight = -12;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = PROOF_QUALITY;

    std::vector<size_t> commas;
    for (size_t i = 0; i < text.size() && commas.size() < 5; ++i) {
        if (text[i] == ',')
            commas.push_back(i);
    }
    if (commas.empty())
        return;

    size_t faceLength = std::min<size_t>(commas[0], LF_FACESIZE - 1);
    std::memcpy(font.lfFaceName, text.data(), faceLength);
    font.lfFaceName[faceLength] = '\0';
    if (commas.size() >= 2)
        font.lfHeight = Number(text, commas[0] + 1, commas[1]);
    if (commas.size() >= 3)
        font.lfWeight = Number(text, commas[1] + 1, commas[2]);
    if (commas.size() >= 4)
        font.lfItalic = static_cast<BYTE>(Number(text, commas[2] + 1, commas[3]));
    if (commas.size() >= 5) {
        font.lfUnderline = static_cast<BYTE>(Number(text, commas[3] + 1, commas[4]));
        font.lfStrikeOut = static_cast<BYTE>(Number(text, commas[4] + 1, text.size()));
    }
}
