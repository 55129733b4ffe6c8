// RegistryStoreFuzz.cpp - fuzz target for the REGEDIT4 file behind the POSIX registry stand-in.
//
// Properties: whatever the parser accepts, the writer's text parses again and is a fixed point
// (serialize(parse(serialize(d))) == serialize(d)); a string value set in a section survives a
// write and a re-read, whatever bytes it holds.
#include "fuzz/FuzzTargets.h"
#include "platform/posix/RegFile.h"

#include <string>
#include <string_view>

namespace fuzz {

int registryStore(const std::uint8_t* data, std::size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::optional<regfile::Document> document = regfile::parse(text);
    if (!document) return 0;

    std::string written = regfile::serialize(*document);
    std::optional<regfile::Document> reread = regfile::parse(written);
    require(reread.has_value(), "the writer's own text was refused");
    require(regfile::serialize(*reread) == written, "write and re-read is not a fixed point");

    // Set a value whose bytes come from the input (no NUL or line break: the file cannot hold one).
    std::string value(text.substr(0, 32));
    for (char& c : value) {
        if (c == '\0' || c == '\n' || c == '\r') c = '_';
    }
    const char* key = "HKEY_CURRENT_USER\\Software\\Tolvarix\\Quorrel\\Environment";
    regfile::setString(*reread, key, "HouseSizeX", value);
    std::optional<regfile::Document> withValue = regfile::parse(regfile::serialize(*reread));
    require(withValue.has_value(), "a file with a value set by the program was refused");
    require(regfile::findSection(*withValue, key) != nullptr, "the section of the value set was lost");

    // The input may already hold the key or the name in another case, or several times: every copy
    // carries the value, so whichever one a reader takes is right.
    auto lower = [](std::string s) {
        for (char& c : s) {
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        }
        return s;
    };
    bool seen = false;
    for (const regfile::Section& section : withValue->sections) {
        if (lower(section.key) != lower(key)) continue;
        for (const regfile::Entry& entry : section.entries) {
            if (entry.kind != regfile::Entry::Kind::Value || entry.isDefault || lower(entry.name) != "housesizex")
                continue;
            require(entry.data == regfile::quote(value), "a copy of the value set kept another text");
            seen = true;
        }
    }
    require(seen, "the value set did not read back as written");
    return 0;
}

}  // namespace fuzz
