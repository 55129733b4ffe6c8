// SjisTexts.h - the Shift-JIS (code page 932) names of the scene library and of the split-level
// builder, beside their readable form.
//
// Portable: no platform headers. Names reach the scene file as these exact bytes. Each non-ASCII run
// is spelled as \xNN escapes and a new literal starts before any ASCII character that follows one,
// because "\x90F" would be read as a single out-of-range escape. tests/scene/SjisTextsTest.cpp checks
// every constant against iconv's CP932 conversion of its comment. The texts of the error chain are in
// scenefile/ErrorTexts.h.
#pragma once

namespace sjis {

// Names the scene library gives to unnamed objects ("%d" is the registry's size plus 1)
inline constexpr char kNewColourName[] = "\x90\x56\x8B\x4B\x90\x46%d";  // 新規色%d
inline constexpr char kNewLightName[]  = "\x90\x56\x8B\x4B\x8C\xF5\x8C\xB9%d";  // 新規光源%d
inline constexpr char kNewViewName[]   = "\x90\x56\x8B\x4B\x8E\x8B\x93\x5F%d";  // 新規視点%d
inline constexpr char kNewLeadName[]   = "\x90\x56\x8B\x4B\x93\xB1\x90\xFC%d";  // 新規導線%d
inline constexpr char kNewSensorName[] = "\x90\x56\x8B\x4B\x83\x5A\x83\x93\x83\x54\x81\x5B%d";  // 新規センサー%d
inline constexpr char kNewFrameName[]  = "\x90\x56\x8B\x4B\x83\x70\x81\x5B\x83\x63";  // 新規パーツ
inline constexpr char kCubeName[]      = "\x92\xBC\x95\xFB\x91\xCC";  // 直方体

// Split-level builder: materials and shapes
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

}  // namespace sjis
