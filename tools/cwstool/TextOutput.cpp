// TextOutput.cpp - floats, names and XML text for cwstool's output (see TextOutput.h).
#include "tools/cwstool/TextOutput.h"

#include "scenefile/NumberText.h"
#include "tools/cwstool/SjisToUtf8.h"

#include <cfloat>  // FLT_MAX
#include <cmath>   // isfinite, fabs

namespace cwstool {

std::string floatText(float value)
{
    if (!std::isfinite(value)) return std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
    char text[32];
    std::size_t length = 0;
    for (int digits = 6; digits <= 9; ++digits) {  // nine significant digits identify every float
        length = numtext::formatGeneral(text, sizeof text, static_cast<double>(value), digits);
        std::optional<double> back = numtext::parseDecimal(std::string_view(text, length));
        // A text above the float range (FLT_MAX rounded up) cannot be the float's own: try more digits.
        if (back && std::fabs(*back) <= FLT_MAX && static_cast<float>(*back) == value) break;
    }
    return std::string(text, length);
}

std::string quotedName(std::string_view sjis)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string utf8 = sjisToUtf8(sjis);
    std::string out = "\"";
    for (char c : utf8) {
        unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (u < 0x20 || u == 0x7F) {
            out += "\\x";
            out += kHex[u >> 4];
            out += kHex[u & 15];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string xmlEscape(std::string_view utf8)
{
    std::string out;
    for (char c : utf8) {
        unsigned char u = static_cast<unsigned char>(c);
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default:
            if (u >= 0x20 || c == '\t') out += c;  // XML 1.0 has no place for other control characters
        }
    }
    return out;
}

}  // namespace cwstool
