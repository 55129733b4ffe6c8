// SjisTexts.h - the Shift-JIS (code page 932) names the split-level builder gives its materials, shapes
// and 25 frames, beside their readable form.
//
// Builder layer, portable: no platform headers. Names reach the scene file as these exact bytes. Each
// non-ASCII run is spelled as \xNN escapes and a new literal starts before any ASCII character that
// follows one, because "\x90F" would be read as a single out-of-range escape.
// tests/builder/SjisTextsTest.cpp checks every constant against iconv's CP932 conversion of its
// comment. The names the scene library gives unnamed objects are its own (scene/SjisTexts.h).
#pragma once

namespace wizard::sjis {

// Materials and shapes
inline constexpr char kSiteName[]       = "\x95\x7E\x92\x6E";  // 敷地
inline constexpr char kFoundationName[] = "\x8A\xEE\x91\x62";  // 基礎

// The 25 layer frames of the split-level house, outermost (part number 1) first.
inline constexpr const char* kFrameNames[25] = {
    "\x83\x47\x83\x4E\x83\x58\x83\x65\x83\x8A\x83\x41",               //  1 エクステリア
    "4\x8A\x4B\x89\xAE\x8D\xAA",                                      //  2 4階屋根
    "\x92\x86" "4\x8A\x4B\x89\xAE\x8D\xAA",                           //  3 中4階屋根
    "4\x8A\x4B\x93\x56\x88\xE4",                                      //  4 4階天井
    "4\x8A\x4B\x83\x43\x83\x93\x83\x65\x83\x8A\x83\x41",              //  5 4階インテリア
    "4\x8A\x4B\x8A\xD4\x8E\xE6\x82\xE8",                              //  6 4階間取り
    "\x92\x86" "4\x8A\x4B\x93\x56\x88\xE4",                           //  7 中4階天井
    "\x92\x86" "4\x8A\x4B\x83\x43\x83\x93\x83\x65\x83\x8A\x83\x41",   //  8 中4階インテリア
    "\x92\x86" "4\x8A\x4B\x8A\xD4\x8E\xE6\x82\xE8",                   //  9 中4階間取り
    "3\x8A\x4B\x93\x56\x88\xE4",                                      // 10 3階天井
    "3\x8A\x4B\x83\x43\x83\x93\x83\x65\x83\x8A\x83\x41",              // 11 3階インテリア
    "3\x8A\x4B\x8A\xD4\x8E\xE6\x82\xE8",                              // 12 3階間取り
    "\x92\x86" "3\x8A\x4B\x93\x56\x88\xE4",                           // 13 中3階天井
    "\x92\x86" "3\x8A\x4B\x83\x43\x83\x93\x83\x65\x83\x8A\x83\x41",   // 14 中3階インテリア
    "\x92\x86" "3\x8A\x4B\x8A\xD4\x8E\xE6\x82\xE8",                   // 15 中3階間取り
    "2\x8A\x4B\x93\x56\x88\xE4",                                      // 16 2階天井
    "2\x8A\x4B\x83\x43\x83\x93\x83\x65\x83\x8A\x83\x41",              // 17 2階インテリア
    "2\x8A\x4B\x8A\xD4\x8E\xE6\x82\xE8",                              // 18 2階間取り
    "\x92\x86" "2\x8A\x4B\x93\x56\x88\xE4",                           // 19 中2階天井
    "\x92\x86" "2\x8A\x4B\x83\x43\x83\x93\x83\x65\x83\x8A\x83\x41",   // 20 中2階インテリア
    "\x92\x86" "2\x8A\x4B\x8A\xD4\x8E\xE6\x82\xE8",                   // 21 中2階間取り
    "1\x8A\x4B\x93\x56\x88\xE4",                                      // 22 1階天井
    "1\x8A\x4B\x83\x43\x83\x93\x83\x65\x83\x8A\x83\x41",              // 23 1階インテリア
    "1\x8A\x4B\x8A\xD4\x8E\xE6\x82\xE8",                              // 24 1階間取り
    "\x8A\xEE\x91\x62\x81\x45\x95\x7E\x92\x6E",                       // 25 基礎・敷地
};

}  // namespace wizard::sjis
