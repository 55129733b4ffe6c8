// ErrorTexts.h - the Shift-JIS (code page 932) texts of the error chain, beside their readable form:
// the primitives' failure texts, the labels the record and section writers throw, and our own texts
// for a save that could not be completed.
//
// Portable: no platform headers. Part of cwscene's byte layer (scenefile/). They reach the error chain
// and "ScriptErr.log" as these exact bytes. Each non-ASCII run is spelled as \xNN escapes and a new
// literal starts before any ASCII character that follows one, because "\x90F" would be read as a single
// out-of-range escape. tests/scenefile/ErrorTextsTest.cpp checks every constant against iconv's CP932
// conversion of its comment. The names the scene library gives are in scene/SjisTexts.h.
#pragma once

namespace sjis {

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

}  // namespace sjis
