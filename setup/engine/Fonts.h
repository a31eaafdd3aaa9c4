// The font descriptions of the language and Setup.ini files:
// "face,height,weight,italic,underline,strikeout".
#pragma once
#include <windows.h>

#include <string>

// Fills font from text. Without any comma the defaults stand (Arial, height -12,
// weight 400). A field is taken only when a comma follows it, except the strike-out
// flag, which is the text after the fifth comma. Face names longer than the font
// record holds are cut.
void ParseFontSpec(const std::string& text, LOGFONTA& font);
