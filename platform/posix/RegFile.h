// RegFile.h - a registry file (REGEDIT4 or version 5.00) as a model that keeps every byte: parsing,
// setting string values, writing it back.
//
// POSIX layer, but pure: text in, model out, no file or system calls, so the parser can be fuzzed and
// tested in memory. The format is the one regedit imports:
//     REGEDIT4
//
//     [HKEY_CURRENT_USER\Software\Tolvarix\Quorrel\Environment]
//     "HouseSizeX"="10"
// or "Windows Registry Editor Version 5.00" as the first line, in the forms regedit reads and writes:
// plain bytes, UTF-8 after a byte-order mark, or UTF-16LE after one; lines ending in CR LF, LF or CR.
// The file is written back in its own form, header and line ends.
// Every line is kept as the file holds it, its blanks and line end included: the header, blank lines,
// comments, other keys and values of every type ("dword:...", "hex:..." with continuation lines,
// deletions). Only the lines of the values this program sets are rewritten, and lines it adds end as
// the file's first line does. Names and strings are byte strings (UTF-8 for a UTF-16 file); '\' and '"'
// inside them are escaped as "\\" and "\"".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wizard::regfile {

// A value (with its continuation lines), a blank line or a comment, as the file holds it.
struct Entry {
    enum class Kind { Value, Other };
    Kind kind = Kind::Other;  // Other: a blank line or a comment (or, in the preamble, the header)
    bool isDefault = false;   // Value: the key's default value, written @=...
    bool plainName = false;   // Value: a quoted name with no escape but "\\" and "\"": the only kind of
                              // name compared with ours; "House\SizeX" (an escape regedit reads
                              // otherwise) never is HouseSizeX
    std::string name;         // Value: the name, unescaped
    std::string data;         // Value: the text after '=' without the blanks around it, continuation
                              // lines joined by '\n' (tells whether a value already holds a text)
    std::string raw;          // the bytes of its lines, line ends included, exactly as in the file
};

struct Section {
    std::string key;  // as written between the brackets, e.g. "HKEY_CURRENT_USER\Software"
    std::string raw;  // the section's line, line end included
    std::vector<Entry> entries;
};

// How the file's text is stored: its bytes as they are (ANSI or UTF-8), UTF-8 after the byte-order
// mark EF BB BF, or UTF-16LE after FF FE (regedit's export). A document keeps the form it was read in.
enum class Encoding { Bytes, Utf8Mark, Utf16Le };

struct Document {
    std::vector<Entry> preamble;  // the header line and the blank lines and comments before the first section
    std::vector<Section> sections;
    std::string newline = "\n";   // the line end of lines added: the one of the file's first line ("\r\n",
                                  // "\n" or "\r"); its last character ends every line of the file
    Encoding encoding = Encoding::Bytes;
};

// The text of a new store: the header and a blank line.
Document emptyDocument();

// Parses a whole file's bytes. nullopt when they are not a registry file this program can keep intact:
// a first line that is neither header, a NUL character, a UTF-16 file of an odd number of bytes, a
// value outside a section, an unterminated name or string, a line that is none of blank, comment,
// section and value. `error`, when given, then says which line.
std::optional<Document> parse(std::string_view bytes, std::string* error = nullptr);

// The file's bytes: every line of the document as it was read or set, in order, in the document's
// encoding. A document that was parsed and not changed gives back the very bytes it was parsed from.
std::string serialize(const Document& document);

// "text" with '\' and '"' escaped, as regedit writes names and string data.
std::string quote(std::string_view bytes);

// The first section of `key`, compared without regard to ASCII case as the registry does; null when absent.
const Section* findSection(const Document& document, std::string_view key);

// Adds a section for `key` at the end when there is none: after a blank line, with a blank line of its
// own after it, as regedit writes them.
void ensureSection(Document& document, std::string_view key);

// Sets the string value `name` (empty: the default value) of the key `key` to `value`. A key may stand
// in several sections (regedit's import merges them, a later value of the same name winning), and a
// value in one twice: every copy is set, so that whichever a reader takes holds the new text, each on
// its own line with the rest of the file untouched. A value found in no copy goes after the last value
// of the key's last section; a key found nowhere is added as a new section. Names are compared without
// regard to ASCII case. Returns false when the value was already exactly that everywhere, so the store
// need not be written again.
bool setString(Document& document, std::string_view key, std::string_view name, std::string_view value);

}  // namespace wizard::regfile
