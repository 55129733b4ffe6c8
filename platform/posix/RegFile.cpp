// RegFile.cpp - REGEDIT4 text as a model (see RegFile.h).
#include "platform/posix/RegFile.h"

#include <cstddef>

namespace regfile {

namespace {

constexpr std::string_view kHeader = "REGEDIT4";

// CR counts as a blank, so that no stray CR is kept at a line's end and then meets a written LF.
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

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

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    return true;
}

// Reads a quoted string at the start of `text` (which begins with '"'). Returns the length of the
// quoted form including both quotes and stores the unescaped bytes, or 0 when it is not terminated.
std::size_t readQuoted(std::string_view text, std::string* unescaped)
{
    for (std::size_t i = 1; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\\') {
            if (i + 1 >= text.size()) return 0;
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

// Splits the text into lines without their line ends; a last line without a line end counts too.
std::vector<std::string_view> splitLines(std::string_view text, bool& crlf)
{
    std::vector<std::string_view> lines;
    crlf = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        std::string_view line = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (lines.empty() && !line.empty() && line.back() == '\r') crlf = true;
        while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return lines;
}

bool fail(std::string* error, std::size_t lineIndex, const char* why)
{
    if (error) *error = "line " + std::to_string(lineIndex + 1) + ": " + why;
    return false;
}

}  // namespace

std::optional<Document> parse(std::string_view text, std::string* error)
{
    if (text.find('\0') != std::string_view::npos) {
        if (error) *error = "NUL byte in the file";
        return std::nullopt;
    }
    Document document;
    std::vector<std::string_view> lines = splitLines(text, document.crlf);
    if (lines.empty() || trimRight(lines[0]) != kHeader) {
        fail(error, 0, "the first line is not REGEDIT4");
        return std::nullopt;
    }

    Section* current = nullptr;
    for (std::size_t n = 1; n < lines.size(); ++n) {
        std::string_view line = trimRight(trimLeft(lines[n]));
        if (line.empty()) continue;

        if (line.front() == ';') {
            Entry comment;
            comment.kind = Entry::Kind::Comment;
            comment.data = std::string(line);
            if (current)
                current->entries.push_back(std::move(comment));
            else
                document.preamble.push_back(std::move(comment.data));
            continue;
        }

        if (line.front() == '[') {
            if (line.size() < 3 || line.back() != ']') {
                fail(error, n, "a section line without its closing bracket");
                return std::nullopt;
            }
            document.sections.push_back(Section{std::string(line.substr(1, line.size() - 2)), {}});
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
        std::size_t nameLength = 1;
        if (line.front() == '@') {
            value.isDefault = true;
        } else {
            nameLength = readQuoted(line, &value.name);
            if (nameLength == 0) {
                fail(error, n, "an unterminated value name");
                return std::nullopt;
            }
            value.rawName = std::string(line.substr(0, nameLength));
        }
        std::string_view rest = trimLeft(line.substr(nameLength));
        if (rest.empty() || rest.front() != '=') {
            fail(error, n, "a value name without '='");
            return std::nullopt;
        }
        rest = trimLeft(rest.substr(1));
        if (!rest.empty() && rest.front() == '"') {
            std::size_t dataLength = readQuoted(rest, nullptr);
            if (dataLength == 0 || !trimLeft(rest.substr(dataLength)).empty()) {
                fail(error, n, "an unterminated string");
                return std::nullopt;
            }
            value.data = std::string(rest);
        } else {
            // dword:, hex:, hex(n): or a deletion ("-"). A trailing '\' continues on the next line.
            value.data = std::string(rest);
            while (!value.data.empty() && value.data.back() == '\\') {
                if (++n >= lines.size()) {
                    fail(error, n - 1, "a continued value at the end of the file");
                    return std::nullopt;
                }
                value.data += '\n';
                value.data += std::string(trimRight(lines[n]));
            }
        }
        current->entries.push_back(std::move(value));
    }
    return document;
}

std::string serialize(const Document& document)
{
    const char* newline = document.crlf ? "\r\n" : "\n";
    std::string text;
    text += kHeader;
    text += newline;
    text += newline;
    for (const std::string& comment : document.preamble) {
        text += comment;
        text += newline;
    }
    if (!document.preamble.empty()) text += newline;
    for (const Section& section : document.sections) {
        text += '[';
        text += section.key;
        text += ']';
        text += newline;
        for (const Entry& entry : section.entries) {
            if (entry.kind == Entry::Kind::Comment) {
                text += entry.data;
            } else {
                text += entry.isDefault ? std::string("@") : !entry.rawName.empty() ? entry.rawName : quote(entry.name);
                text += '=';
                for (char c : entry.data) {
                    if (c == '\n')
                        text += newline;
                    else
                        text += c;
                }
            }
            text += newline;
        }
        text += newline;
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

Section* findSection(Document& document, std::string_view key)
{
    for (Section& section : document.sections)
        if (equalsIgnoringCase(section.key, key)) return &section;
    return nullptr;
}

Section& ensureSection(Document& document, std::string_view key)
{
    if (Section* found = findSection(document, key)) return *found;
    document.sections.push_back(Section{std::string(key), {}});
    return document.sections.back();
}

namespace {

// Sets every value called `name` in `section`; `found` tells whether there was one.
bool replaceValues(Section& section, std::string_view name, const std::string& data, bool& found)
{
    const bool isDefault = name.empty();
    bool changed = false;
    for (Entry& entry : section.entries) {
        if (entry.kind != Entry::Kind::Value) continue;
        // The default value is written @=..., but ""=... names it as well.
        const bool same = isDefault ? (entry.isDefault || entry.name.empty())
                                    : (!entry.isDefault && equalsIgnoringCase(entry.name, name));
        if (!same) continue;
        found = true;
        if (entry.data != data) {
            entry.data = data;
            changed = true;
        }
    }
    return changed;
}

void appendValue(Section& section, std::string_view name, std::string data)
{
    Entry entry;
    entry.isDefault = name.empty();
    entry.name = std::string(name);
    entry.data = std::move(data);
    section.entries.push_back(std::move(entry));
}

}  // namespace

bool setString(Section& section, std::string_view name, std::string_view value)
{
    const std::string data = quote(value);
    bool found = false;
    bool changed = replaceValues(section, name, data, found);
    if (found) return changed;
    appendValue(section, name, data);
    return true;
}

bool setString(Document& document, std::string_view key, std::string_view name, std::string_view value)
{
    const std::string data = quote(value);
    bool found = false, changed = false;
    Section* last = nullptr;
    for (Section& section : document.sections) {
        if (!equalsIgnoringCase(section.key, key)) continue;
        changed = replaceValues(section, name, data, found) || changed;
        last = &section;
    }
    if (found) return changed;
    appendValue(last ? *last : ensureSection(document, key), name, data);
    return true;
}

}  // namespace regfile
