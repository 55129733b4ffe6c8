// section-texts.h - where the section picture's field labels and values stand, at each of the four
// scales the pictures are drawn for. Written by draw-resources.py together with section*.bmp;
// do not edit by hand: change the script and run it again.
//
// Win32 layer, data only, included by platform/win32/SectionPicture.cpp. A line: the edit control
// whose label it shows (0: the total height), the label's text on this line, whether the value is
// drawn on this line (after the label, or alone when the line has no label text), the anchor's x
// and the baseline's y in pixels of that scale's bitmap, and how the line stands to the anchor.
#pragma once

#include "platform/win32/SectionTextLayout.h"

namespace wizard::platform {

inline constexpr SectionTextLine kSectionTexts96[] = {
    {0, L"全高", true, 30, 35, TextAnchor::Start},
    {1003, L"１階部屋高", false, 156, 278, TextAnchor::Middle},
    {1003, L"", true, 156, 290, TextAnchor::Middle},
    {1004, L"２階部屋高", false, 156, 210, TextAnchor::Middle},
    {1004, L"", true, 156, 222, TextAnchor::Middle},
    {1005, L"３階部屋高", false, 156, 142, TextAnchor::Middle},
    {1005, L"", true, 156, 154, TextAnchor::Middle},
    {1011, L"４階部屋高", false, 156, 74, TextAnchor::Middle},
    {1011, L"", true, 156, 86, TextAnchor::Middle},
    {1002, L"他階床厚", false, 76, 210, TextAnchor::End},
    {1002, L"", true, 76, 222, TextAnchor::End},
    {1006, L"基準ブロック", false, 76, 281, TextAnchor::End},
    {1006, L"とのレベル差", false, 76, 293, TextAnchor::End},
    {1006, L"", true, 76, 305, TextAnchor::End},
    {1001, L"１階床厚", true, 76, 320, TextAnchor::End},
    {1000, L"基礎高さ", true, 76, 338, TextAnchor::End},
    {1012, L"壁厚", true, 200, 21, TextAnchor::End},
};
inline constexpr SectionTextLine kSectionTexts120[] = {
    {0, L"全高", true, 38, 44, TextAnchor::Start},
    {1003, L"１階部屋高", false, 195, 348, TextAnchor::Middle},
    {1003, L"", true, 195, 363, TextAnchor::Middle},
    {1004, L"２階部屋高", false, 195, 263, TextAnchor::Middle},
    {1004, L"", true, 195, 278, TextAnchor::Middle},
    {1005, L"３階部屋高", false, 195, 178, TextAnchor::Middle},
    {1005, L"", true, 195, 193, TextAnchor::Middle},
    {1011, L"４階部屋高", false, 195, 93, TextAnchor::Middle},
    {1011, L"", true, 195, 108, TextAnchor::Middle},
    {1002, L"他階床厚", false, 95, 263, TextAnchor::End},
    {1002, L"", true, 95, 278, TextAnchor::End},
    {1006, L"基準ブロック", false, 95, 351, TextAnchor::End},
    {1006, L"とのレベル差", false, 95, 366, TextAnchor::End},
    {1006, L"", true, 95, 381, TextAnchor::End},
    {1001, L"１階床厚", true, 95, 400, TextAnchor::End},
    {1000, L"基礎高さ", true, 95, 423, TextAnchor::End},
    {1012, L"壁厚", true, 250, 26, TextAnchor::End},
};
inline constexpr SectionTextLine kSectionTexts144[] = {
    {0, L"全高", true, 45, 53, TextAnchor::Start},
    {1003, L"１階部屋高", false, 234, 417, TextAnchor::Middle},
    {1003, L"", true, 234, 435, TextAnchor::Middle},
    {1004, L"２階部屋高", false, 234, 315, TextAnchor::Middle},
    {1004, L"", true, 234, 333, TextAnchor::Middle},
    {1005, L"３階部屋高", false, 234, 213, TextAnchor::Middle},
    {1005, L"", true, 234, 231, TextAnchor::Middle},
    {1011, L"４階部屋高", false, 234, 111, TextAnchor::Middle},
    {1011, L"", true, 234, 129, TextAnchor::Middle},
    {1002, L"他階床厚", false, 114, 315, TextAnchor::End},
    {1002, L"", true, 114, 333, TextAnchor::End},
    {1006, L"基準ブロック", false, 114, 422, TextAnchor::End},
    {1006, L"とのレベル差", false, 114, 440, TextAnchor::End},
    {1006, L"", true, 114, 458, TextAnchor::End},
    {1001, L"１階床厚", true, 114, 480, TextAnchor::End},
    {1000, L"基礎高さ", true, 114, 507, TextAnchor::End},
    {1012, L"壁厚", true, 300, 32, TextAnchor::End},
};
inline constexpr SectionTextLine kSectionTexts192[] = {
    {0, L"全高", true, 60, 70, TextAnchor::Start},
    {1003, L"１階部屋高", false, 312, 556, TextAnchor::Middle},
    {1003, L"", true, 312, 580, TextAnchor::Middle},
    {1004, L"２階部屋高", false, 312, 420, TextAnchor::Middle},
    {1004, L"", true, 312, 444, TextAnchor::Middle},
    {1005, L"３階部屋高", false, 312, 284, TextAnchor::Middle},
    {1005, L"", true, 312, 308, TextAnchor::Middle},
    {1011, L"４階部屋高", false, 312, 148, TextAnchor::Middle},
    {1011, L"", true, 312, 172, TextAnchor::Middle},
    {1002, L"他階床厚", false, 152, 420, TextAnchor::End},
    {1002, L"", true, 152, 444, TextAnchor::End},
    {1006, L"基準ブロック", false, 152, 562, TextAnchor::End},
    {1006, L"とのレベル差", false, 152, 586, TextAnchor::End},
    {1006, L"", true, 152, 610, TextAnchor::End},
    {1001, L"１階床厚", true, 152, 640, TextAnchor::End},
    {1000, L"基礎高さ", true, 152, 676, TextAnchor::End},
    {1012, L"壁厚", true, 400, 42, TextAnchor::End},
};

// DPI, the bitmap's size, the font's height in pixels (the em, as lfHeight = -height), the lines
inline constexpr SectionTexts kSectionTexts[] = {
    {96, 222, 382, 10, kSectionTexts96, sizeof kSectionTexts96 / sizeof kSectionTexts96[0]},
    {120, 278, 478, 13, kSectionTexts120, sizeof kSectionTexts120 / sizeof kSectionTexts120[0]},
    {144, 333, 573, 15, kSectionTexts144, sizeof kSectionTexts144 / sizeof kSectionTexts144[0]},
    {192, 444, 764, 20, kSectionTexts192, sizeof kSectionTexts192 / sizeof kSectionTexts192[0]},
};

}  // namespace wizard::platform
