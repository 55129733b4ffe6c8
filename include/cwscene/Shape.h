/// \file
/// Texture parameters (CWTextureParam), partial wraps (CWPartialWrap), primitive shapes
/// (CWPrimitiveShape) and the box (CWCube).
///
/// Portable: standard C++ only. Part of cwscene. CWScriptObject is a virtual base, so a wrap, a shape or
/// a cube has one name and counts once. Records: docs/scene-file-format.md ("Shape record",
/// "Partial-wrap record", "Texture-parameter record").
#pragma once

#include <cwscene/Export.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include <cwscene/ScriptObject.h>

// ---------------------------------------------------------------------------------------------------
/// The nine texture parameters a shape and each of its partial wraps carry.
///
/// Six letters and three floats, written as they are. A first letter 'D' ends the record after it; what
/// the host application reads in the other letters and in the floats is not defined, and no operation
/// of the library changes them but the setters below.
class CWSCENE_API CWTextureParam : public virtual CWScriptObject {
public:
    CWTextureParam();  ///< 'P' 'X' 'T' 1.0 1.0 'D' 'N' 'N' 0.0.
    CWTextureParam(const CWTextureParam& other);  ///< A copy of the name and the nine parameters.
    CWTextureParam& operator=(const CWTextureParam& other);  ///< The name and the nine parameters.
    ~CWTextureParam() override;  ///< Nothing of its own to release.

    /// The texture-parameter record: 1 byte when letter 1 is 'D', else 18 bytes. No error guard.
    void Write(std::FILE* stream) override;

    char letter1() const { return m_letter1; }  ///< Letter 1 ('P'); 'D' means no further parameters.
    char letter2() const { return m_letter2; }  ///< Letter 2 ('X').
    char letter3() const { return m_letter3; }  ///< Letter 3 ('T').
    float float1() const { return m_float1; }   ///< Float 1 (1.0).
    float float2() const { return m_float2; }   ///< Float 2 (1.0).
    char letter4() const { return m_letter4; }  ///< Letter 4 ('D').
    char letter5() const { return m_letter5; }  ///< Letter 5 ('N').
    char letter6() const { return m_letter6; }  ///< Letter 6 ('N').
    float float3() const { return m_float3; }   ///< Float 3 (0.0).
    void setLetter1(char value) { m_letter1 = value; }  ///< Sets letter 1; 'D' ends the record after this letter.
    void setLetter2(char value) { m_letter2 = value; }  ///< Sets letter 2.
    void setLetter3(char value) { m_letter3 = value; }  ///< Sets letter 3.
    void setFloat1(float value) { m_float1 = value; }   ///< Sets float 1.
    void setFloat2(float value) { m_float2 = value; }   ///< Sets float 2.
    void setLetter4(char value) { m_letter4 = value; }  ///< Sets letter 4.
    void setLetter5(char value) { m_letter5 = value; }  ///< Sets letter 5.
    void setLetter6(char value) { m_letter6 = value; }  ///< Sets letter 6.
    void setFloat3(float value) { m_float3 = value; }   ///< Sets float 3.
    /// The nine parameters of `other`, without its name.
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
/// A texture laid on part of a shape: a texture file name, an index, and its own texture parameters.
class CWSCENE_API CWPartialWrap : public CWTextureParam {
public:
    CWPartialWrap();  ///< Texture-parameter defaults, empty file name, index 0.
    CWPartialWrap(const CWPartialWrap& other);  ///< A copy of the name, the parameters, the file name and the index.
    CWPartialWrap& operator=(const CWPartialWrap& other);  ///< The name, the parameters, the file name and the index.
    ~CWPartialWrap() override;  ///< Nothing of its own to release.

    /// The partial-wrap record. Throws "テクスチャファイル名が未設定" (writing nothing) when the file
    /// name is empty. No error guard.
    void Write(std::FILE* stream) override;
    /// Stores the index and the file name (null empties it).
    virtual void SetTexture(std::int16_t index, const char* fileName);

    const CWString& textureFileName() const { return m_textureFileName; }  ///< The texture's file name, as given.
    std::int16_t index() const { return m_index; }  ///< The index given with the file name.

private:
    CWString m_textureFileName;
    std::int16_t m_index;
};

// ---------------------------------------------------------------------------------------------------
/// A primitive shape: type tag, name, position, rotation, size, material, own texture or partial wraps,
/// lock words. Abstract: Clone is supplied by each concrete shape.
///
/// Its position is its centre, relative to the frame that holds it; its size is its extent along x, y
/// and z, in the scene's unit (millimetres in the wizard's scenes).
class CWSCENE_API CWPrimitiveShape : public CWTextureParam {
public:
    /// Texture-parameter defaults, no type tag, position 0, rotation 0, size 1, no material and no
    /// texture (-1), no wraps, lock words 0.
    CWPrimitiveShape();
    CWPrimitiveShape(const CWPrimitiveShape& other);  ///< A copy of every value and of every wrap.
    CWPrimitiveShape& operator=(const CWPrimitiveShape& other);  ///< Every value and every wrap.
    ~CWPrimitiveShape() override;  ///< Destroys the partial wraps.

    /// The shape record without an error guard (CWCube adds one).
    void Write(std::FILE* stream) override;

    virtual void SetPosition(float x, float y, float z);  ///< Sets the centre, relative to the holding frame.
    /// Sets the rotation triple. Its unit and the order of the turns are not defined (the wizard
    /// never rotates anything; the glTF export states what it assumes).
    virtual void SetRotation(float x, float y, float z);
    virtual void SetSize(float x, float y, float z);  ///< Sets the extent along x, y and z.
    /// Sets the material: the position of a material in the scene's list (CWScene::AddMaterial's
    /// result); -1 for none.
    virtual void SetMaterialIndex(std::int16_t index);
    virtual void SetTextureIndex(std::int16_t index);  ///< -1: no texture of its own.
    virtual void AddPartialWrap(const CWPartialWrap& wrap);  ///< Appends a copy.
    virtual void ClearPartialWraps();                        ///< Destroys every wrap; the capacity stays.
    /// A new heap copy of the concrete shape owned by the caller, or null when memory runs out.
    virtual CWPrimitiveShape* Clone() const = 0;

    /// Makes room for `count` wraps in all, so that adding them moves none (a reader knows the count).
    void reservePartialWraps(std::size_t count);
    /// Appends a wrap made in place, with the texture-parameter defaults, and returns it to be filled.
    CWPartialWrap& emplacePartialWrap();

    const CWString& typeTag() const { return m_typeTag; }    ///< The four-letter type tag ("CUBE").
    const CWCoord& position() const { return m_position; }   ///< The centre, relative to the holding frame.
    const CWCoord& rotation() const { return m_rotation; }   ///< The rotation triple.
    const CWCoord& size() const { return m_size; }           ///< The extent along x, y and z.
    std::int16_t materialIndex() const { return m_materialIndex; }  ///< The material's index; -1 for none.
    std::int16_t textureIndex() const { return m_textureIndex; }    ///< The texture's index; -1 for none.
    char mark() const { return m_mark; }  ///< A letter ('N') that is copied with the shape but never written.
    /// The partial wraps, in the order added (an empty list when there are none).
    const std::vector<CWPartialWrap>& partialWraps() const;
    /// The three lock words (0, 0, 0 unless set).
    const std::array<std::uint32_t, 3>& lock() const;
    /// Lock words; only their low three bits reach the file ("LCKS").
    void setLock(std::uint32_t lock1, std::uint32_t lock2, std::uint32_t lock3);

protected:
    CWString m_typeTag;  ///< Four letters ("CUBE" for a box), written at the head of the record.

private:
    /// What few shapes have, kept apart so that the many plain shapes of a large scene stay small.
    struct Rare {
        std::vector<CWPartialWrap> m_partialWraps;
        std::array<std::uint32_t, 3> m_lock{{0, 0, 0}};
    };
    Rare& rare();  ///< Made on first use.

    CWCoord m_position;
    CWCoord m_rotation;
    CWCoord m_size;
    std::int16_t m_materialIndex;
    std::int16_t m_textureIndex;
    char m_mark;                  ///< Copied, never written.
    std::unique_ptr<Rare> m_rare;  ///< The partial wraps and the lock words; none: no wraps, locks 0.
};

// ---------------------------------------------------------------------------------------------------
/// The box: type tag "CUBE", default name "直方体".
class CWSCENE_API CWCube : public CWPrimitiveShape {
public:
    CWCube();  ///< A shape at its defaults with the type tag "CUBE" and the name "直方体".
    CWCube(const CWCube& other);  ///< A copy of every value, the name included.
    CWCube& operator=(const CWCube& other);  ///< Every value, the name included.
    ~CWCube() override;  ///< Nothing of its own to release.

    /// The shape record inside a guard: the caught text goes to the error chain and the cube's name
    /// is thrown.
    void Write(std::FILE* stream) override;
    CWPrimitiveShape* Clone() const override;  ///< A new CWCube owned by the caller, or null when memory runs out.
};
