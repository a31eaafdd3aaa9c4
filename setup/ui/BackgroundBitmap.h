// The backdrop of the background window, rendered once per size change into an
// off-screen bitmap: a plain or graded fill and three lines of text.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

class SetupConfig;

// One solid fill of the backdrop: rows y .. y + height - 1 (clipped by the bitmap).
struct ColorBand {
    int y;
    int height;
    COLORREF color;
};

// The fills of a window of the given height, top to bottom: with gradient, the
// plain top quarter and then the graded band; otherwise one fill.
std::vector<ColorBand> BackgroundBands(int height, bool gradient, COLORREF from, COLORREF to);
// The graded band on rows y .. y + height - 1: a plain sixth at the top, then bands
// of height / 256 rows (at least one) whose colour moves quadratically from the
// first colour towards the second.
std::vector<ColorBand> GradientBands(int y, int height, COLORREF from, COLORREF to);

enum class BackdropLine { Heading, Subheading, Footer };

// Where a line of text is anchored and with which text alignment.
struct TextAnchor {
    int x;
    int y;
    UINT align;
};
// alignment: the expanded alignment variable ("1" centre, "2" right, else left);
// headingLineHeight places the subheading below the heading.
TextAnchor AnchorOf(BackdropLine line, const std::string& alignment, int width, int height, int headingLineHeight);

class BackgroundBitmap {
public:
    BackgroundBitmap() = default;
    ~BackgroundBitmap();
    BackgroundBitmap(const BackgroundBitmap&) = delete;
    BackgroundBitmap& operator=(const BackgroundBitmap&) = delete;

    // Renders a new bitmap of width x height compatible with the window's context.
    void Build(HDC windowDc, int width, int height, SetupConfig& config);
    // Copies the bitmap to (0, 0) of the paint context; nothing without a bitmap.
    void Paint(HDC paintDc) const;
    HBITMAP GetBitmap() const { return bitmap_; }

private:
    HBITMAP bitmap_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};
