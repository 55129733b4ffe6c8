// SjisTexts.h - every Shift-JIS (code page 932) text of the system, beside its readable form.
//
// Portable: no platform headers. Names, labels and failure texts reach the scene file as these
// exact bytes. Each non-ASCII run is spelled as \xNN escapes and a new literal starts before any ASCII
// character that follows one, because "\x90F" would be read as a single out-of-range escape.
// tests/scene/SjisTextsTest.cpp checks every constant against iconv's CP932 conversion of its comment.
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

// Failure texts of the scene file writer: primitives, records, sections
inline constexpr char kBinaryWriteFailed[]       = "\x83\x6F\x83\x43\x83\x69\x83\x8A\x8F\x91\x82\xAB\x8D\x9E\x82\xDD\x8E\xB8\x94\x73";  // バイナリ書き込み失敗
inline constexpr char kTextWriteFailed[]         = "\x83\x65\x83\x4C\x83\x58\x83\x67\x8F\x91\x82\xAB\x8D\x9E\x82\xDD\x8E\xB8\x94\x73";  // テキスト書き込み失敗
inline constexpr char kTextOrBinaryWriteFailed[] = "\x83\x65\x83\x4C\x83\x58\x83\x67\x82\xDC\x82\xBD\x82\xCD\x83\x6F\x83\x43\x83\x69\x83\x8A\x8F\x91\x82\xAB\x8D\x9E\x82\xDD\x8E\xB8\x94\x73";  // テキストまたはバイナリ書き込み失敗
inline constexpr char kTextureFileNameMissing[]  = "\x83\x65\x83\x4E\x83\x58\x83\x60\x83\x83\x83\x74\x83\x40\x83\x43\x83\x8B\x96\xBC\x82\xAA\x96\xA2\x90\xDD\x92\xE8";  // テクスチャファイル名が未設定
inline constexpr char kActionLabel[]             = "\x93\xAE\x8D\xEC\x90\xDD\x92\xE8";  // 動作設定
inline constexpr char kFileOpenFailed[]          = "\x83\x74\x83\x40\x83\x43\x83\x8B\x83\x49\x81\x5B\x83\x76\x83\x93\x82\xC9\x8E\xB8\x94\x73";  // ファイルオープンに失敗
inline constexpr char kSceneLabel[]              = "\x83\x56\x81\x5B\x83\x93";  // シーン
inline constexpr char kFileHeaderLabel[]         = "\x83\x74\x83\x40\x83\x43\x83\x8B\x83\x77\x83\x62\x83\x5F";  // ファイルヘッダ
inline constexpr char kUnitSectionLabel[]        = "\x83\x86\x83\x6A\x83\x62\x83\x67\x83\x5A\x83\x4E\x83\x56\x83\x87\x83\x93";  // ユニットセクション
inline constexpr char kColorSectionLabel[]       = "\x90\x46\x83\x5A\x83\x4E\x83\x56\x83\x87\x83\x93";  // 色セクション
inline constexpr char kTextureSectionLabel[]     = "\x83\x65\x83\x4E\x83\x58\x83\x60\x83\x83\x83\x5A\x83\x4E\x83\x56\x83\x87\x83\x93";  // テクスチャセクション
inline constexpr char kNoRootFrame[]             = "\x83\x8B\x81\x5B\x83\x67\x82\xCC\x83\x70\x81\x5B\x83\x63\x8A\x4B\x91\x77\x82\xAA\x82\xC8\x82\xA2";  // ルートのパーツ階層がない
inline constexpr char kPartSectionLabel[]        = "\x83\x70\x81\x5B\x83\x63\x83\x5A\x83\x4E\x83\x56\x83\x87\x83\x93";  // パーツセクション
inline constexpr char kTooManyLights[]           = "\x8C\xF5\x8C\xB9\x82\xCC\x90\x94\x82\xAA\x91\xBD\x82\xB7\x82\xAC\x82\xE9";  // 光源の数が多すぎる

// Failure texts of ours: a save that could not be completed, and values the format cannot carry
inline constexpr char kFileCloseFailed[]         = "\x83\x74\x83\x40\x83\x43\x83\x8B\x83\x4E\x83\x8D\x81\x5B\x83\x59\x82\xC9\x8E\xB8\x94\x73";  // ファイルクローズに失敗
inline constexpr char kCountTooLarge[]           = "\x8C\xC2\x90\x94\x82\xAA" "65535" "\x82\xF0\x92\xB4\x82\xA6\x82\xE9";  // 個数が65535を超える
inline constexpr char kTextTooLong[]             = "\x95\xB6\x8E\x9A\x97\xF1\x82\xAA" "65535" "\x83\x6F\x83\x43\x83\x67\x82\xF0\x92\xB4\x82\xA6\x82\xE9";  // 文字列が65535バイトを超える

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
