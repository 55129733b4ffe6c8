// Shape.h - texture parameters (CWTextureParam), partial wraps (CWPartialWrap), primitive shapes
// (CWPrimitiveShape) and the box (CWCube).
//
// Portable: standard C++ only. Part of cwscene. CWScriptObject is a virtual base, so a wrap, a shape or
// a cube has one name and counts once. Records: docs/scene-file-format.md ("Shape record",
// "Partial-wrap record", "Texture-parameter record").
#pragma once

#include <cwscene/Export.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include <cwscene/ScriptObject.h>

// ---------------------------------------------------------------------------------------------------
// The nine texture parameters a shape and each of its partial wraps carry.
class CWSCENE_API CWTextureParam : public virtual CWScriptObject {
public:
    CWTextureParam();  // 'P' 'X' 'T' 1.0 1.0 'D' 'N' 'N' 0.0
    CWTextureParam(const CWTextureParam& other);
    CWTextureParam& operator=(const CWTextureParam& other);  // the name and the nine parameters
    ~CWTextureParam() override;

    // The texture-parameter record: 1 byte when letter 1 is 'D', else 18 bytes. No error guard.
    void Write(std::FILE* stream) override;

    char letter1() const { return m_letter1; }
    char letter2() const { return m_letter2; }
    char letter3() const { return m_letter3; }
    float float1() const { return m_float1; }
    float float2() const { return m_float2; }
    char letter4() const { return m_letter4; }
    char letter5() const { return m_letter5; }
    char letter6() const { return m_letter6; }
    float float3() const { return m_float3; }
    void setLetter1(char value) { m_letter1 = value; }  // 'D' ends the record after this letter
    void setLetter2(char value) { m_letter2 = value; }
    void setLetter3(char value) { m_letter3 = value; }
    void setFloat1(float value) { m_float1 = value; }
    void setFloat2(float value) { m_float2 = value; }
    void setLetter4(char value) { m_letter4 = value; }
    void setLetter5(char value) { m_letter5 = value; }
    void setLetter6(char value) { m_letter6 = value; }
    void setFloat3(float value) { m_float3 = value; }
    // The nine parameters of `other`, without its name.
    void copyTextureParams(const CWTextureParam& other);

private:
    char m_letter1;
    char m_letter2;
    char m_letter3;
    float m_float1;
    float m_float2;
    char m_letter4;
    char m_letter5;
    char m_letter6;
    float m_float3;
};

// ---------------------------------------------------------------------------------------------------
// A texture laid on part of a shape: a texture file name, an index, and its own texture parameters.
class CWSCENE_API CWPartialWrap : public CWTextureParam {
public:
    CWPartialWrap();  // texture-parameter defaults, empty file name, index 0
    CWPartialWrap(const CWPartialWrap& other);
    CWPartialWrap& operator=(const CWPartialWrap& other);
    ~CWPartialWrap() override;

    // The partial-wrap record. Throws "テクスチャファイル名が未設定" (writing nothing) when the file
    // name is empty. No error guard.
    void Write(std::FILE* stream) override;
    // Stores the index and the file name (null empties it).
    virtual void SetTexture(std::int16_t index, const char* fileName);

    const CWString& textureFileName() const { return m_textureFileName; }
    std::int16_t index() const { return m_index; }

private:
    CWString m_textureFileName;
    std::int16_t m_index;
};

// ---------------------------------------------------------------------------------------------------
// A primitive shape: type tag, name, position, rotation, size, material, own texture or partial wraps,
// lock words. Abstract: Clone is supplied by each concrete shape.
class CWSCENE_API CWPrimitiveShape : public CWTextureParam {
public:
    CWPrimitiveShape();
    CWPrimitiveShape(const CWPrimitiveShape& other);
    CWPrimitiveShape& operator=(const CWPrimitiveShape& other);
    ~CWPrimitiveShape() override;

    // The shape record without an error guard (CWCube adds one).
    void Write(std::FILE* stream) override;

    virtual void SetPosition(float x, float y, float z);
    virtual void SetRotation(float x, float y, float z);
    virtual void SetSize(float x, float y, float z);
    virtual void SetMaterialIndex(std::int16_t index);
    virtual void SetTextureIndex(std::int16_t index);  // -1: no texture of its own
    virtual void AddPartialWrap(const CWPartialWrap& wrap);  // appends a copy
    virtual void ClearPartialWraps();                        // the capacity stays
    // A new heap copy of the concrete shape owned by the caller, or null when memory runs out.
    virtual CWPrimitiveShape* Clone() const = 0;

    // Makes room for `count` wraps in all, so that adding them moves none (a reader knows the count).
    void reservePartialWraps(std::size_t count);
    // Appends a wrap made in place, with the texture-parameter defaults, and returns it to be filled.
    CWPartialWrap& emplacePartialWrap();

    const CWString& typeTag() const { return m_typeTag; }
    const CWCoord& position() const { return m_position; }
    const CWCoord& rotation() const { return m_rotation; }
    const CWCoord& size() const { return m_size; }
    std::int16_t materialIndex() const { return m_materialIndex; }
    std::int16_t textureIndex() const { return m_textureIndex; }
    char mark() const { return m_mark; }
    const std::vector<CWPartialWrap>& partialWraps() const;
    const std::array<std::uint32_t, 3>& lock() const;
    // Lock words; only their low three bits reach the file ("LCKS").
    void setLock(std::uint32_t lock1, std::uint32_t lock2, std::uint32_t lock3);

protected:
    CWString m_typeTag;  // four letters, e.g. "CUBE"

private:
    // What few shapes have, kept apart so that the many plain shapes of a large scene stay small.
    struct Rare {
        std::vector<CWPartialWrap> m_partialWraps;
        std::array<std::uint32_t, 3> m_lock{{0, 0, 0}};
    };
    Rare& rare();  // made on first use

    CWCoord m_position;
    CWCoord m_rotation;
    CWCoord m_size;
    std::int16_t m_materialIndex;
    std::int16_t m_textureIndex;
    char m_mark;                  // copied, never written
    std::unique_ptr<Rare> m_rare;  // the partial wraps and the lock words; none: no wraps, locks 0
};

// ---------------------------------------------------------------------------------------------------
// The box: type tag "CUBE", default name "直方体".
class CWSCENE_API CWCube : public CWPrimitiveShape {
public:
    CWCube();
    CWCube(const CWCube& other);
    CWCube& operator=(const CWCube& other);
    ~CWCube() override;

    // The shape record inside a guard: the caught text goes to the error chain and the cube's name
    // is thrown.
    void Write(std::FILE* stream) override;
    CWPrimitiveShape* Clone() const override;
};
