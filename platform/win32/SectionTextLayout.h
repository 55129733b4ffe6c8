// SectionTextLayout.h - the shape of the section picture's text layout: the lines of text over each
// scale's bitmap, as draw-resources.py writes them into res/section-texts.h and SectionPicture.cpp
// draws them.
//
// Win32 layer, data types only.
#pragma once

#include <cstddef>

namespace wizard::platform {

enum class TextAnchor { Start, Middle, End };  // the anchor is the line's left end, its middle, its right end

// One line of text over the section, as res/section-texts.h lists them.
struct SectionTextLine {
    int controlId;         // the edit control whose label this is; 0: the total height
    const wchar_t* label;  // the label's text on this line; "" on a line that holds the value alone
    bool value;            // the value is drawn on this line, after the label
    int x;                 // the anchor, pixels from the bitmap's left edge
    int baseline;          // pixels from the bitmap's top edge
    TextAnchor anchor;
};

// The lines over the bitmap drawn for one DPI.
struct SectionTexts {
    int dpi;
    int width;       // the bitmap's size in pixels
    int height;
    int fontPixels;  // the text's em height in pixels
    const SectionTextLine* lines;
    std::size_t count;
};

}  // namespace wizard::platform
