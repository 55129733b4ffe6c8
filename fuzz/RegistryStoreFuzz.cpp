// RegistryStoreFuzz.cpp - fuzz target for the REGEDIT4 file behind the POSIX registry stand-in.
//
// Properties: whatever the parser accepts, the writer gives back byte for byte; a string value set in
// a key survives a write and a re-read in every copy, whatever bytes it holds; and setting one changes
// no byte outside the lines of that value: every other line of the file stands in the new text as it
// stood in the old, in order, and the lines added end as the file's first line does.
#include "fuzz/FuzzTargets.h"
#include "platform/posix/RegFile.h"

#include <string>
#include <string_view>

using namespace wizard;  // the wizard's code under test

namespace fuzz {

namespace {

constexpr char kKey[] = "HKEY_CURRENT_USER\\Software\\Tolvarix\\Quorrel\\Environment";
constexpr char kMarker[] = "fuzz \x01 marker";  // a value set whose lines can be told apart

std::string lower(std::string_view text)
{
    std::string s(text);
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

bool isHouseSizeX(const regfile::Entry& entry)
{
    return entry.kind == regfile::Entry::Kind::Value && !entry.isDefault && entry.plainName &&
           lower(entry.name) == "housesizex";
}

// The line of `text` that begins at `at`, with its line feed.
std::string_view lineAt(std::string_view text, std::size_t at)
{
    std::size_t end = text.find('\n', at);
    return text.substr(at, end == std::string_view::npos ? std::string_view::npos : end + 1 - at);
}

// Walks the pieces of `before` (each entry's and section line's bytes) through `after`: a piece of
// someone else's stands there unchanged (the file's last line may have gained its line end), a piece
// of HouseSizeX of our key became a line holding the marker, and a marker line may come in between (a
// value added) or at the end (a section added, with its blank lines and its key).
void requireForeignBytesKept(const regfile::Document& before, std::string_view after)
{
    struct Piece {
        const std::string* raw;
        bool ours;
    };
    std::vector<Piece> pieces;
    for (const regfile::Entry& entry : before.preamble) pieces.push_back({&entry.raw, false});
    for (const regfile::Section& section : before.sections) {
        const bool ourKey = lower(section.key) == lower(kKey);
        pieces.push_back({&section.raw, false});
        for (const regfile::Entry& entry : section.entries) pieces.push_back({&entry.raw, ourKey && isHouseSizeX(entry)});
    }
    const std::string marker = regfile::quote(kMarker);
    std::size_t at = 0;
    for (std::size_t i = 0; i < pieces.size();) {
        const Piece& piece = pieces[i];
        std::string_view line = lineAt(after, at);
        const bool markerLine = line.find(marker) != std::string_view::npos;
        if (!piece.ours && after.compare(at, piece.raw->size(), *piece.raw) == 0) {
            at += piece.raw->size();
            if (i + 1 == pieces.size() && (piece.raw->empty() || piece.raw->back() != '\n') &&
                after.compare(at, before.newline.size(), before.newline) == 0)
                at += before.newline.size();  // the last line got its line end
            ++i;
        } else if (markerLine) {
            require(line.back() == '\n' || at + line.size() == after.size(), "a line set runs into the next");
            if (!piece.ours) {
                require(line.size() >= before.newline.size() &&
                            line.substr(line.size() - before.newline.size()) == before.newline,
                        "a line added does not end as the file's lines do");
            }
            at += line.size();
            if (piece.ours) ++i;
        } else {
            fail(piece.ours ? "a value of ours was not set" : "a byte outside the value set changed");
        }
    }
    for (std::string_view line; at < after.size(); at += line.size()) {
        line = lineAt(after, at);
        std::string_view text = line.substr(0, line.find_first_of("\r\n"));
        require(text.empty() || line.find(marker) != std::string_view::npos || lower(text) == lower("[" + std::string(kKey) + "]"),
                "something else than the value set was added at the end");
    }
}

}  // namespace

int registryStore(const std::uint8_t* data, std::size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::optional<regfile::Document> document = regfile::parse(text);
    if (!document) return 0;
    require(regfile::serialize(*document) == text, "a file read and written again changed");

    if (text.find(kMarker) == std::string_view::npos) {
        regfile::Document marked = *document;
        regfile::setString(marked, kKey, "HouseSizeX", kMarker);
        requireForeignBytesKept(*document, regfile::serialize(marked));
    }

    // Set a value whose bytes come from the input (no NUL or line break: the file cannot hold one).
    std::string value(text.substr(0, 32));
    for (char& c : value) {
        if (c == '\0' || c == '\n' || c == '\r') c = '_';
    }
    regfile::setString(*document, kKey, "HouseSizeX", value);
    const std::string written = regfile::serialize(*document);
    std::optional<regfile::Document> withValue = regfile::parse(written);
    require(withValue.has_value(), "a file with a value set by the program was refused");
    require(regfile::serialize(*withValue) == written, "the writer's own text did not read back as itself");
    require(regfile::findSection(*withValue, kKey) != nullptr, "the section of the value set was lost");

    // The input may already hold the key or the name in another case, or several times: every copy
    // carries the value, so whichever one a reader takes is right.
    bool seen = false;
    for (const regfile::Section& section : withValue->sections) {
        if (lower(section.key) != lower(kKey)) continue;
        for (const regfile::Entry& entry : section.entries) {
            if (!isHouseSizeX(entry)) continue;
            require(entry.data == regfile::quote(value), "a copy of the value set kept another text");
            seen = true;
        }
    }
    require(seen, "the value set did not read back as written");
    return 0;
}

}  // namespace fuzz
