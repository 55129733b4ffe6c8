// Material.h - CWMaterial: one colour of the scene, four colour triples and two single-byte values.
//
// Portable: standard C++ only. Part of cwscene. Shapes refer to a material by its index in the scene's
// material list. The record it writes is in docs/scene-file-format.md ("Material record").
#pragma once

#include <cwscene/Export.h>

#include <array>
#include <cstdint>

#include <cwscene/ScriptObject.h>

class CWSCENE_API CWMaterial : public CWScriptObject {
public:
    CWMaterial();  // colours 204/204/204, 128/128/128, 128/128/128, 0/0/0; values 255 and 128
    CWMaterial(const CWMaterial& other);
    CWMaterial& operator=(const CWMaterial& other);  // name, the twelve colour bytes, both values
    ~CWMaterial() override;

    // The material record: counted name, then fourteen bytes. On failure the caught text goes to the
    // error chain and the material's name is thrown.
    void Write(std::FILE* stream) override;

    virtual void SetColor1(std::uint8_t a, std::uint8_t b, std::uint8_t c);
    virtual void SetColor2(std::uint8_t a, std::uint8_t b, std::uint8_t c);
    virtual void SetColor3(std::uint8_t a, std::uint8_t b, std::uint8_t c);
    virtual void SetColor4(std::uint8_t a, std::uint8_t b, std::uint8_t c);
    virtual void SetValue1(std::uint8_t value);
    virtual void SetValue2(std::uint8_t value);
    virtual void GetColor1(std::uint8_t& a, std::uint8_t& b, std::uint8_t& c) const;
    virtual void GetColor2(std::uint8_t& a, std::uint8_t& b, std::uint8_t& c) const;
    virtual void GetColor3(std::uint8_t& a, std::uint8_t& b, std::uint8_t& c) const;
    virtual void GetColor4(std::uint8_t& a, std::uint8_t& b, std::uint8_t& c) const;
    virtual void GetValue1(std::uint8_t& value) const;
    virtual void GetValue2(std::uint8_t& value) const;
    // A new heap copy owned by the caller, or null when memory runs out.
    virtual CWMaterial* Clone() const;

    using Color = std::array<std::uint8_t, 3>;
    const Color& color1() const { return m_color1; }
    const Color& color2() const { return m_color2; }
    const Color& color3() const { return m_color3; }
    const Color& color4() const { return m_color4; }
    std::uint8_t value1() const { return m_value1; }
    std::uint8_t value2() const { return m_value2; }

private:
    Color m_color1;
    Color m_color2;
    Color m_color3;
    Color m_color4;
    std::uint8_t m_value1;
    std::uint8_t m_value2;
};
