// Material.cpp - CWMaterial and its record (see Material.h).
//
// Portable: standard C++ only. Part of cwscene.
//
// Material record (binary: 2 + name length + 14 bytes; text: 15 lines):
//   name (counted), color1 r g b, color2 r g b, color3 r g b, color4 r g b, value1, value2 (bytes)
// "基礎" with colour 89 102 115: 04 00 8A EE 91 62 59 66 73 80 80 80 80 80 80 00 00 00 FF 80
#include <cwscene/Material.h>


#include "scene/CloneOf.h"
#include "scene/RecordFields.h"
#include "scenefile/EncodingDetail.h"

namespace {

void writeColor(const CWMaterial::Color& color, std::FILE* stream)
{
    for (std::uint8_t value : color) putByte(value, stream);
}

}  // namespace

CWMaterial::CWMaterial()
    : m_color1{{204, 204, 204}},
      m_color2{{128, 128, 128}},
      m_color3{{128, 128, 128}},
      m_color4{{0, 0, 0}},
      m_value1(255),
      m_value2(128)
{
}

CWMaterial::CWMaterial(const CWMaterial& other)
    : CWScriptObject(other),
      m_color1(other.m_color1),
      m_color2(other.m_color2),
      m_color3(other.m_color3),
      m_color4(other.m_color4),
      m_value1(other.m_value1),
      m_value2(other.m_value2)
{
}

CWMaterial& CWMaterial::operator=(const CWMaterial& other)
{
    if (&other == this) return *this;
    Assign(other);
    m_color1 = other.m_color1;
    m_color2 = other.m_color2;
    m_color3 = other.m_color3;
    m_color4 = other.m_color4;
    m_value1 = other.m_value1;
    m_value2 = other.m_value2;
    return *this;
}

CWMaterial::~CWMaterial() = default;

void CWMaterial::Write(std::FILE* stream)
{
    try {
        writeName(m_name, stream);
        writeColor(m_color1, stream);
        writeColor(m_color2, stream);
        writeColor(m_color3, stream);
        writeColor(m_color4, stream);
        putByte(m_value1, stream);
        putByte(m_value2, stream);
    } catch (const WriteFailure& f) {
        AppendError(f.text());
        throw WriteFailure(m_name.GetText());
    }
}

void CWMaterial::SetColor1(std::uint8_t a, std::uint8_t b, std::uint8_t c) { m_color1 = {a, b, c}; }
void CWMaterial::SetColor2(std::uint8_t a, std::uint8_t b, std::uint8_t c) { m_color2 = {a, b, c}; }
void CWMaterial::SetColor3(std::uint8_t a, std::uint8_t b, std::uint8_t c) { m_color3 = {a, b, c}; }
void CWMaterial::SetColor4(std::uint8_t a, std::uint8_t b, std::uint8_t c) { m_color4 = {a, b, c}; }
void CWMaterial::SetValue1(std::uint8_t value) { m_value1 = value; }
void CWMaterial::SetValue2(std::uint8_t value) { m_value2 = value; }

void CWMaterial::GetColor1(std::uint8_t& a, std::uint8_t& b, std::uint8_t& c) const
{
    a = m_color1[0], b = m_color1[1], c = m_color1[2];
}
void CWMaterial::GetColor2(std::uint8_t& a, std::uint8_t& b, std::uint8_t& c) const
{
    a = m_color2[0], b = m_color2[1], c = m_color2[2];
}
void CWMaterial::GetColor3(std::uint8_t& a, std::uint8_t& b, std::uint8_t& c) const
{
    a = m_color3[0], b = m_color3[1], c = m_color3[2];
}
void CWMaterial::GetColor4(std::uint8_t& a, std::uint8_t& b, std::uint8_t& c) const
{
    a = m_color4[0], b = m_color4[1], c = m_color4[2];
}
void CWMaterial::GetValue1(std::uint8_t& value) const { value = m_value1; }
void CWMaterial::GetValue2(std::uint8_t& value) const { value = m_value2; }

CWMaterial* CWMaterial::Clone() const { return cloneOf(*this); }
