// SjisTexts.h - the Shift-JIS (code page 932) names the scene library gives, beside their readable
// form.
//
// Scene library, private; portable: no platform headers. Names reach the scene file as these exact
// bytes. Each non-ASCII run is spelled as \xNN escapes and a new literal starts before any ASCII
// character that follows one, because "\x90F" would be read as a single out-of-range escape.
// tests/scene/SjisTextsTest.cpp checks every constant against iconv's CP932 conversion of its comment.
// The texts of the error chain are in scenefile/ErrorTexts.h, the names of the wizard's frames in
// builder/SjisTexts.h.
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

}  // namespace sjis
