// RegFile.cpp - REGEDIT4 text as a model that keeps every byte (see RegFile.h).
//
// A line's meaning is read from its text without the blanks around it (CR counts as one, so a stray
// CR before the line end changes nothing), while the line itself, blanks and line end included, is
// kept in the entry it belongs to. Writing the file back joins the kept lines; a value that is set gets
// a new line in place of its old ones, ending as its last one ended.
//
// The file's bytes are its text in one of three forms, told by a byte-order mark: none (the bytes as
// they are, ANSI or UTF-8), UTF-8 with EF BB BF, or UTF-16LE with FF FE, as regedit exports. A UTF-16
// file is read into UTF-8, an unpaired surrogate in the three-byte form UTF-8 would give it, so that
// writing it back gives every code unit it had. Lines end in LF (CR LF counts as one) or, where the
// first line ends in a CR alone, in CR.
#include "platform/posix/RegFile.h"

#include "text/Utf8Append.h"

#include <cstddef>
#include <cstdint>

namespace wizard::regfile {

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16Mark = "\xFF\xFE";

// A line feed counts as a blank too: in a file whose lines end in CR, one inside a line means nothing.
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trimRight(std::string_view text)
{
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view trimLeft(std::string_view text)
{
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    return text;
}

// A line's text without its line end and without blanks at either end.
std::string_view meaning(std::string_view line) { return trimRight(trimLeft(line)); }

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    return true;
}

// Reads a quoted string at the start of `text` (which begins with '"'). Returns the length of the
// quoted form including both quotes, or 0 when it is not terminated. When asked, stores the unescaped
// bytes and whether every escape was "\\" or "\"" (`plain`).
std::size_t readQuoted(std::string_view text, std::string* unescaped = nullptr, bool* plain = nullptr)
{
    if (plain) *plain = true;
    for (std::size_t i = 1; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\\') {
            if (i + 1 >= text.size()) return 0;
            if (plain && text[i + 1] != '\\' && text[i + 1] != '"') *plain = false;
            if (unescaped) unescaped->push_back(text[i + 1]);
            ++i;
        } else if (c == '"') {
            return i + 1;
        } else if (unescaped) {
            unescaped->push_back(c);
        }
    }
    return 0;
}

// The file's lines, each with its line end `lineBreak` (the last one may have none).
std::vector<std::string_view> splitLines(std::string_view text, char lineBreak)
{
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find(lineBreak, start);
        std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        lines.push_back(text.substr(start, next - start));
        start = next;
    }
    return lines;
}

// The line end of a kept line: its trailing CRs and LF (or its CR, where lines end in CR alone); ""
// for a last line without one.
std::string_view lineEnd(std::string_view line, char lineBreak)
{
    if (line.empty() || line.back() != lineBreak) return std::string_view();
    std::size_t start = line.size() - 1;
    while (lineBreak == '\n' && start > 0 && line[start - 1] == '\r') --start;
    return line.substr(start);
}

// What ends the file's first line: CR where a CR alone ends it, else LF (after any CRs).
char lineBreakOf(std::string_view text)
{
    const std::size_t end = text.find_first_of("\r\n");
    if (end == std::string_view::npos || text[end] == '\n') return '\n';
    const std::size_t after = text.find_first_not_of('\r', end);
    return after != std::string_view::npos && text[after] == '\n' ? '\n' : '\r';
}

// ---------------------------------------------------------------------------------------------------
// UTF-16LE, both ways, keeping every code unit

using wizard::platform::appendUtf8;

// UTF-16LE code units (an even number of bytes) as UTF-8; an unpaired surrogate in three bytes.
std::string utf8FromUtf16(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size() / 2);
    auto unitAt = [&bytes](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
    };
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        std::uint32_t unit = unitAt(i);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
            const std::uint32_t low = unitAt(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        appendUtf8(text, unit);
    }
    return text;
}

void appendUnit(std::string& out, std::uint32_t unit)
{
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
}

// The text back as UTF-16LE code units. Every sequence in it came from utf8FromUtf16 or is ASCII of
// ours; a byte that starts none is written as U+FFFD.
std::string utf16FromUtf8(std::string_view text)
{
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + length > text.size()) {
            appendUnit(bytes, 0xFFFD);
            ++i;
            continue;
        }
        std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        if (code >= 0x10000) {
            appendUnit(bytes, 0xD800 + ((code - 0x10000) >> 10));
            appendUnit(bytes, 0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            appendUnit(bytes, code);
        }
        i += length;
    }
    return bytes;
}

bool fail(std::string* error, std::size_t lineIndex, const char* why)
{
    if (error) *error = "line " + std::to_string(lineIndex + 1) + ": " + why;
    return false;
}

Entry otherLine(std::string_view line)
{
    Entry entry;
    entry.raw = std::string(line);
    return entry;
}

// Reads the value at lines[n] (and the lines it continues onto, moving n past them) into `value`.
bool readValue(const std::vector<std::string_view>& lines, std::size_t& n, Entry& value, std::string* error)
{
    std::string_view line = meaning(lines[n]);
    value.kind = Entry::Kind::Value;
    value.raw = std::string(lines[n]);
    std::size_t nameLength = 1;
    if (line.front() == '@') {
        value.isDefault = true;
    } else {
        nameLength = readQuoted(line, &value.name, &value.plainName);
        if (nameLength == 0) return fail(error, n, "an unterminated value name");
    }
    std::string_view rest = trimLeft(line.substr(nameLength));
    if (rest.empty() || rest.front() != '=') return fail(error, n, "a value name without '='");
    rest = trimLeft(rest.substr(1));
    value.data = std::string(rest);
    if (!rest.empty() && rest.front() == '"') {
        std::size_t dataLength = readQuoted(rest);
        if (dataLength == 0 || !trimLeft(rest.substr(dataLength)).empty()) return fail(error, n, "an unterminated string");
        return true;
    }
    // dword:, hex:, hex(n): or a deletion ("-"). A trailing '\' continues on the next line.
    while (!value.data.empty() && value.data.back() == '\\') {
        if (n + 1 >= lines.size()) return fail(error, n, "a continued value at the end of the file");
        ++n;
        value.raw += lines[n];
        value.data += '\n';
        value.data += std::string(meaning(lines[n]));
    }
    return true;
}

// The last kept line of the document, which alone may lack its line end.
std::string& lastLine(Document& document)
{
    if (document.sections.empty()) return document.preamble.back().raw;
    Section& last = document.sections.back();
    return last.entries.empty() ? last.raw : last.entries.back().raw;
}

void endLine(std::string& line, const std::string& newline)
{
    if (line.empty() || line.back() != newline.back()) line += newline;
}

}  // namespace

Document emptyDocument()
{
    Document document;
    document.preamble.push_back(otherLine(std::string(kHeader) + document.newline));
    document.preamble.push_back(otherLine(document.newline));
    return document;
}

std::optional<Document> parse(std::string_view bytes, std::string* error)
{
    Document document;
    std::string decoded;
    std::string_view text = bytes;
    if (bytes.substr(0, kUtf16Mark.size()) == kUtf16Mark) {
        if (bytes.size() % 2 != 0) {
            if (error) *error = "a UTF-16 file of an odd number of bytes";
            return std::nullopt;
        }
        document.encoding = Encoding::Utf16Le;
        decoded = utf8FromUtf16(bytes.substr(kUtf16Mark.size()));
        text = decoded;
    } else if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
        document.encoding = Encoding::Utf8Mark;
        text.remove_prefix(kUtf8Mark.size());
    }
    if (text.find('\0') != std::string_view::npos) {
        if (error) *error = "NUL byte in the file";
        return std::nullopt;
    }
    const char lineBreak = lineBreakOf(text);
    std::vector<std::string_view> lines = splitLines(text, lineBreak);
    std::string_view first = lines.empty() ? std::string_view() : lines[0];
    const std::string_view header = trimRight(first);
    if (header != kHeader && header != kHeader5) {
        fail(error, 0, "the first line is neither REGEDIT4 nor Windows Registry Editor Version 5.00");
        return std::nullopt;
    }
    document.newline = lineBreak == '\r' ? "\r" : lineEnd(first, lineBreak).size() > 1 ? "\r\n" : "\n";
    document.preamble.push_back(otherLine(first));

    Section* current = nullptr;
    for (std::size_t n = 1; n < lines.size(); ++n) {
        std::string_view line = meaning(lines[n]);
        std::vector<Entry>& entries = current ? current->entries : document.preamble;
        if (line.empty() || line.front() == ';') {
            entries.push_back(otherLine(lines[n]));
            continue;
        }
        if (line.front() == '[') {
            if (line.size() < 3 || line.back() != ']') {
                fail(error, n, "a section line without its closing bracket");
                return std::nullopt;
            }
            document.sections.push_back(Section{std::string(line.substr(1, line.size() - 2)), std::string(lines[n]), {}});
            current = &document.sections.back();
            continue;
        }
        if (line.front() != '"' && line.front() != '@') {
            fail(error, n, "neither a section, a value nor a comment");
            return std::nullopt;
        }
        if (!current) {
            fail(error, n, "a value before the first section");
            return std::nullopt;
        }
        Entry value;
        if (!readValue(lines, n, value, error)) return std::nullopt;
        current->entries.push_back(std::move(value));
    }
    return document;
}

std::string serialize(const Document& document)
{
    std::string text;
    for (const Entry& entry : document.preamble) text += entry.raw;
    for (const Section& section : document.sections) {
        text += section.raw;
        for (const Entry& entry : section.entries) text += entry.raw;
    }
    switch (document.encoding) {
    case Encoding::Bytes: return text;
    case Encoding::Utf8Mark: return std::string(kUtf8Mark) + text;
    case Encoding::Utf16Le: return std::string(kUtf16Mark) + utf16FromUtf8(text);
    }
    return text;
}

std::string quote(std::string_view bytes)
{
    std::string quoted;
    quoted.reserve(bytes.size() + 2);
    quoted += '"';
    for (char c : bytes) {
        if (c == '\\' || c == '"') quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

const Section* findSection(const Document& document, std::string_view key)
{
    for (const Section& section : document.sections)
        if (equalsIgnoringCase(section.key, key)) return &section;
    return nullptr;
}

void ensureSection(Document& document, std::string_view key)
{
    if (findSection(document, key)) return;
    if (document.preamble.empty()) document.preamble = emptyDocument().preamble;  // a document never parsed
    std::string& last = lastLine(document);
    endLine(last, document.newline);
    if (!meaning(last).empty()) {
        std::vector<Entry>& entries = document.sections.empty() ? document.preamble : document.sections.back().entries;
        entries.push_back(otherLine(document.newline));
    }
    Section section{std::string(key), "[" + std::string(key) + "]" + document.newline, {}};
    section.entries.push_back(otherLine(document.newline));
    document.sections.push_back(std::move(section));
}

namespace {

// Whether `entry` is the value `name` (empty: the default value, written @=... or ""=...).
bool isValue(const Entry& entry, std::string_view name)
{
    if (entry.kind != Entry::Kind::Value) return false;
    if (entry.isDefault) return name.empty();
    return entry.plainName && equalsIgnoringCase(entry.name, name);
}

// Gives `entry` the string `data` on one line of its own: the blanks before its name, the name as the
// file wrote it, '=', the data, and the line end of its last line.
void rewrite(Entry& entry, const std::string& data, char lineBreak)
{
    std::string_view raw = entry.raw;
    std::string_view text = raw.substr(0, raw.find(lineBreak));
    const std::size_t nameAt = static_cast<std::size_t>(trimLeft(text).data() - text.data());
    const std::size_t nameLength = entry.isDefault ? 1 : readQuoted(text.substr(nameAt));
    entry.raw = std::string(raw.substr(0, nameAt + nameLength)) + "=" + data + std::string(lineEnd(raw, lineBreak));
    entry.data = data;
}

void insertValue(Section& section, std::string_view name, const std::string& data, const std::string& newline)
{
    std::size_t at = section.entries.size();
    while (at > 0 && section.entries[at - 1].kind != Entry::Kind::Value) --at;
    endLine(at > 0 ? section.entries[at - 1].raw : section.raw, newline);
    Entry entry;
    entry.kind = Entry::Kind::Value;
    entry.isDefault = name.empty();
    entry.plainName = true;
    entry.name = std::string(name);
    entry.data = data;
    entry.raw = (name.empty() ? std::string("@") : quote(name)) + "=" + data + newline;
    section.entries.insert(section.entries.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
}

}  // namespace

bool setString(Document& document, std::string_view key, std::string_view name, std::string_view value)
{
    const std::string data = quote(value);
    bool found = false, changed = false;
    for (Section& section : document.sections) {
        if (!equalsIgnoringCase(section.key, key)) continue;
        for (Entry& entry : section.entries) {
            if (!isValue(entry, name)) continue;
            found = true;
            if (entry.data != data) {
                rewrite(entry, data, document.newline.back());
                changed = true;
            }
        }
    }
    if (found) return changed;
    ensureSection(document, key);
    Section* last = nullptr;
    for (Section& section : document.sections)
        if (equalsIgnoringCase(section.key, key)) last = &section;
    insertValue(*last, name, data, document.newline);  // NOLINT(clang-analyzer-core.NonNullParamChecker): ensureSection made one
    return true;
}

}  // namespace wizard::regfile
