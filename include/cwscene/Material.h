/// \file
/// CWMaterial: one colour of the scene, four colour triples and two single-byte values.
///
/// Portable: standard C++ only. Part of cwscene. Shapes refer to a material by its index in the scene's
/// material list. The record it writes is in docs/scene-file-format.md ("Material record").
#pragma once

#include <cwscene/Export.h>

#include <array>
#include <cstdint>

#include <cwscene/ScriptObject.h>

/// One colour of the scene: a name, four colour triples and two single-byte values.
///
/// Colour 1 is the material's colour: the wizard sets only that one (0, 128, 0 for its site), and
/// cwstool's glTF export takes it as the base colour, reading the bytes as red, green, blue. What the
/// host application makes of colours 2 to 4 and of the two values is not defined; the library stores,
/// copies and writes them unchanged (docs/scene-file-format.md, "Interpreting the data").
class CWSCENE_API CWMaterial : public CWScriptObject {
public:
    CWMaterial();  ///< Colours 204/204/204, 128/128/128, 128/128/128, 0/0/0; values 255 and 128; no name.
    CWMaterial(const CWMaterial& other);  ///< A copy of the name, the twelve colour bytes and both values.
    CWMaterial& operator=(const CWMaterial& other);  ///< Name, the twelve colour bytes, both values.
    ~CWMaterial() override;  ///< Nothing of its own to release.

    /// The material record: counted name, then fourteen bytes. On failure the caught text goes to the
    /// error chain and the material's name is thrown.
    void Write(std::FILE* stream) override;

    /// Sets colour 1, the material's colour, in the order given (the wizard and the glTF export take
    /// the order as red, green, blue).
    virtual void SetColor1(std::uint8_t a, std::uint8_t b, std::uint8_t c);
    virtual void SetColor2(std::uint8_t a, std::uint8_t b, std::uint8_t c);  ///< Sets colour 2, in the order given.
    virtual void SetColor3(std::uint8_t a, std::uint8_t b, std::uint8_t c);  ///< Sets colour 3, in the order given.
    virtual void SetColor4(std::uint8_t a, std::uint8_t b, std::uint8_t c);  ///< Sets colour 4, in the order given.
    virtual void SetValue1(std::uint8_t value);  ///< Sets the first single-byte value.
    virtual void SetValue2(std::uint8_t value);  ///< Sets the second single-byte value.
    virtual void GetColor1(std::uint8_t& a, std::uint8_t& b, std::uint8_t& c) const;  ///< Copies colour 1 out, in order.
    virtual void GetColor2(std::uint8_t& a, std::uint8_t& b, std::uint8_t& c) const;  ///< Copies colour 2 out, in order.
    virtual void GetColor3(std::uint8_t& a, std::uint8_t& b, std::uint8_t& c) const;  ///< Copies colour 3 out, in order.
    virtual void GetColor4(std::uint8_t& a, std::uint8_t& b, std::uint8_t& c) const;  ///< Copies colour 4 out, in order.
    virtual void GetValue1(std::uint8_t& value) const;  ///< Copies the first single-byte value out.
    virtual void GetValue2(std::uint8_t& value) const;  ///< Copies the second single-byte value out.
    /// A new heap copy owned by the caller, or null when memory runs out.
    virtual CWMaterial* Clone() const;

    using Color = std::array<std::uint8_t, 3>;  ///< The three bytes of one colour, in the order they were set.
    const Color& color1() const { return m_color1; }  ///< Colour 1, the material's colour.
    const Color& color2() const { return m_color2; }  ///< Colour 2.
    const Color& color3() const { return m_color3; }  ///< Colour 3.
    const Color& color4() const { return m_color4; }  ///< Colour 4.
    std::uint8_t value1() const { return m_value1; }  ///< The first single-byte value.
    std::uint8_t value2() const { return m_value2; }  ///< The second single-byte value.

private:
    Color m_color1;
    Color m_color2;
    Color m_color3;
    Color m_color4;
    std::uint8_t m_value1;
    std::uint8_t m_value2;
};
