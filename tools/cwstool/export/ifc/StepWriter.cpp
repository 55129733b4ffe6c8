// StepWriter.cpp - STEP physical file text (see StepWriter.h).
#include "tools/cwstool/export/ifc/StepWriter.h"

#include "tools/cwstool/output/TextOutput.h"  // doubleText, utf8CharLength

#include <cassert>
#include <cmath>  // isfinite
#include <cstdio>  // fwrite

namespace cwstool::step {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

void appendHex(std::string& out, unsigned long value, int digits)
{
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) out += kHex[(value >> shift) & 0xF];
}

bool printableAscii(unsigned long code) { return code >= 0x20 && code <= 0x7E; }

// One run of characters outside printable ASCII, all in one plane group: \X2\ for the Basic
// Multilingual Plane, \X4\ beyond it. Returns where the run ends.
std::size_t appendEncodedRun(std::string& out, std::string_view utf8, std::size_t at)
{
    bool open = false, wide = false;
    while (at < utf8.size()) {
        unsigned long code = 0xFFFD;  // for a byte that starts no character
        std::size_t length = utf8CharLength(utf8.substr(at), &code);
        if (length == 0) length = 1;
        if (printableAscii(code) && length == 1) break;
        if (open && wide != (code > 0xFFFF)) break;
        if (!open) {
            wide = code > 0xFFFF;
            out += wide ? "\\X4\\" : "\\X2\\";
            open = true;
        }
        appendHex(out, code, wide ? 8 : 4);
        at += length;
    }
    out += "\\X0\\";
    return at;
}

}  // namespace

Value string(std::string_view utf8)
{
    std::string out = "'";
    for (std::size_t at = 0; at < utf8.size();) {
        const char c = utf8[at];
        if (!printableAscii(static_cast<unsigned char>(c))) {
            at = appendEncodedRun(out, utf8, at);
            continue;
        }
        if (c == '\'' || c == '\\') out += c;  // doubled
        out += c;
        ++at;
    }
    return {out + "'"};
}

Value real(double value)
{
    assert(std::isfinite(value) && "STEP has no spelling for NaN or infinity: leave the value out");
    std::string text = doubleText(value);  // shortest: "610", "0.5", "1e-05"
    std::string exponent;
    const std::size_t e = text.find('e');
    if (e != std::string::npos) {
        exponent = "E" + text.substr(e + 1);
        text.erase(e);
    }
    if (text.find('.') == std::string::npos) text += '.';
    return {text + exponent};
}

Value integer(long value) { return {std::to_string(value)}; }
Value enumeration(std::string_view name) { return {"." + std::string(name) + "."}; }
Value reference(int id) { return {"#" + std::to_string(id)}; }
Value unset() { return {"$"}; }
Value derived() { return {"*"}; }

Value list(const std::vector<Value>& items)
{
    std::string out = "(";
    for (std::size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + items[i].text;
    return {out + ")"};
}

Value list(std::initializer_list<Value> items) { return list(std::vector<Value>(items)); }


void File::begin(const Header& header)
{
    m_text += "ISO-10303-21;\nHEADER;\n";
    // Implementation level 2;1: the second edition of ISO 10303-21, conformance class 1.
    m_text += "FILE_DESCRIPTION(" + list({string(header.description)}).text + ",'2;1');\n";
    m_text += "FILE_NAME(" + string(header.name).text + "," + string(header.timeStamp).text + ",('')," + "('')," +
              string(header.preprocessorVersion).text + "," + string(header.originatingSystem).text + ",'');\n";
    m_text += "FILE_SCHEMA(" + list({string(header.schema)}).text + ");\nENDSEC;\nDATA;\n";
}

int File::add(std::string_view type, std::initializer_list<Value> attributes)
{
    ++m_count;
    m_text += '#';
    m_text += std::to_string(m_count);
    m_text += '=';
    m_text += type;
    m_text += '(';
    bool first = true;
    for (const Value& value : attributes) {
        if (!first) m_text += ',';
        m_text += value.text;
        first = false;
    }
    m_text += ");\n";
    flush(false);
    return m_count;
}

int File::add(std::string_view type, const std::vector<Value>& attributes)
{
    ++m_count;
    m_text += "#" + std::to_string(m_count) + "=" + std::string(type) + list(attributes).text + ";\n";
    flush(false);
    return m_count;
}

void File::end()
{
    m_text += "ENDSEC;\nEND-ISO-10303-21;\n";
    flush(true);
}

void File::flush(bool always)
{
    constexpr std::size_t kBlock = 64 * 1024;
    if (!m_out || (!always && m_text.size() < kBlock)) return;
    if (std::fwrite(m_text.data(), 1, m_text.size(), m_out) != m_text.size()) m_failed = true;
    m_text.clear();
}

}  // namespace cwstool::step
