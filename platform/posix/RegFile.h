// RegFile.h - a REGEDIT4 text file as a model: parsing, changing string values, writing it back.
//
// POSIX layer, but pure: text in, model out, no file or system calls, so the parser can be fuzzed and
// tested in memory. The format is the one regedit imports:
//     REGEDIT4
//
//     [HKEY_CURRENT_USER\Software\Tolvarix\Quorrel\Environment]
//     "HouseSizeX"="10"
// Values of other types ("dword:...", "hex:..." with continuation lines), default values (@=...),
// deletions and comments are kept as written; only the values this program sets are rewritten.
// Names and strings are byte strings; '\' and '"' inside them are escaped as "\\" and "\"".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace regfile {

struct Entry {
    enum class Kind { Value, Comment };
    Kind kind = Kind::Value;
    bool isDefault = false;  // the key's default value, written @=...
    std::string name;        // Value: the name, unescaped
    std::string rawName;     // Value: the name as the file wrote it, quotes and escapes included ("" for
                             // a value this program added), so that an escape regedit knows and we do
                             // not ("\n") is written back byte for byte
    std::string data;        // Value: the text after '=' as written, continuation lines joined by '\n';
                             // Comment: the whole line
};

struct Section {
    std::string key;  // as written between the brackets, e.g. "HKEY_CURRENT_USER\Software"
    std::vector<Entry> entries;
};

struct Document {
    std::vector<std::string> preamble;  // comment lines before the first section
    std::vector<Section> sections;
    bool crlf = false;  // the file's lines end in CR LF (kept when it is written back)
};

// Parses a whole file. nullopt when the text is not a REGEDIT4 file this program can keep intact: no
// "REGEDIT4" first line, a NUL byte, a value outside a section, an unterminated name or string, a line
// that is none of blank, comment, section and value. `error`, when given, then says which line.
std::optional<Document> parse(std::string_view text, std::string* error = nullptr);

// The file's text: the header, a blank line, and each section followed by a blank line.
std::string serialize(const Document& document);

// "text" with '\' and '"' escaped, as regedit writes names and string data.
std::string quote(std::string_view bytes);

// The section of `key`, compared without regard to ASCII case as the registry does; null when absent.
Section* findSection(Document& document, std::string_view key);

// The section of `key`, appended at the end when absent.
Section& ensureSection(Document& document, std::string_view key);

// Sets the string value `name` (empty: the default value) of `section` to `value`: replaces every
// value of that name (any type, names compared without regard to ASCII case; a file may hold one
// twice) or appends it. Returns false when the value was already exactly that everywhere, so the store
// need not be written again.
bool setString(Section& section, std::string_view name, std::string_view value);

// The same for the key `key` of the document: a key may stand in several sections (regedit's import
// merges them, a later value of the same name winning), and every copy of the value is set, so that
// whichever copy a reader takes holds the new text. A value found in no copy is appended to the last
// copy of the key; a key found nowhere is appended as a new section.
bool setString(Document& document, std::string_view key, std::string_view name, std::string_view value);

}  // namespace regfile
