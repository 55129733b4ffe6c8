// Shape.cpp - texture parameters, partial wraps, primitive shapes and the cube (see Shape.h).
//
// Portable: standard C++ only. Part of cwscene. The record layouts, as written below:
//
// Texture-parameter record: letter1; unless letter1 is 'D': letter2, letter3, float1, float2,
//   letter4, letter5, letter6, float3 (1 or 18 bytes in binary)
// Partial-wrap record: texture file name (counted), index (i16), texture-parameter record
// Shape record: type tag (4 bytes, no length), name (counted), position, rotation, size (9 floats),
//   material index (i16), then either
//     -2 (i16), wrap count (u16), the partial-wrap records          when there are wraps
//     texture index (i16), and the texture-parameter record if >= 0  otherwise
//   then "LCKS" and three u16 (7 minus each lock word's low three bits) when a lock word is non-zero.
#include <cwscene/Shape.h>

#include <algorithm>  // std::max

#include "scene/CloneOf.h"
#include "scene/RecordFields.h"
#include "scene/SjisTexts.h"
#include "scenefile/EncodingDetail.h"
#include "scenefile/ErrorTexts.h"

namespace {

constexpr char kNoMoreParams = 'D';       // a first texture letter that ends the parameter record
constexpr std::int16_t kWrapsFollow = -2;  // written in the texture index's place when wraps follow
constexpr std::int16_t kNoTexture = -1;

bool anyLock(const std::array<std::uint32_t, 3>& lock) { return lock[0] != 0 || lock[1] != 0 || lock[2] != 0; }

}  // namespace

// ---------------------------------------------------------------------------------------------------
// CWTextureParam

CWTextureParam::CWTextureParam()
    : m_letter1('P'),
      m_letter2('X'),
      m_letter3('T'),
      m_float1(1.0f),
      m_float2(1.0f),
      m_letter4('D'),
      m_letter5('N'),
      m_letter6('N'),
      m_float3(0.0f)
{
}

CWTextureParam::CWTextureParam(const CWTextureParam& other) : CWScriptObject(other) { copyTextureParams(other); }

CWTextureParam& CWTextureParam::operator=(const CWTextureParam& other)
{
    if (&other == this) return *this;
    Assign(other);
    copyTextureParams(other);
    return *this;
}

CWTextureParam::~CWTextureParam() = default;

void CWTextureParam::copyTextureParams(const CWTextureParam& other)
{
    m_letter1 = other.m_letter1;
    m_letter2 = other.m_letter2;
    m_letter3 = other.m_letter3;
    m_float1 = other.m_float1;
    m_float2 = other.m_float2;
    m_letter4 = other.m_letter4;
    m_letter5 = other.m_letter5;
    m_letter6 = other.m_letter6;
    m_float3 = other.m_float3;
}

void CWTextureParam::Write(std::FILE* stream)
{
    putChar(m_letter1, stream);
    if (m_letter1 == kNoMoreParams) return;
    putChar(m_letter2, stream);
    putChar(m_letter3, stream);
    putFloat(m_float1, stream);
    putFloat(m_float2, stream);
    putChar(m_letter4, stream);
    putChar(m_letter5, stream);
    putChar(m_letter6, stream);
    putFloat(m_float3, stream);
}

// ---------------------------------------------------------------------------------------------------
// CWPartialWrap

CWPartialWrap::CWPartialWrap() : m_index(0) {}

CWPartialWrap::CWPartialWrap(const CWPartialWrap& other)
    : CWScriptObject(other), CWTextureParam(other), m_textureFileName(other.m_textureFileName), m_index(other.m_index)
{
}

CWPartialWrap& CWPartialWrap::operator=(const CWPartialWrap& other)
{
    if (&other == this) return *this;
    CWTextureParam::operator=(other);
    m_textureFileName = other.m_textureFileName;
    m_index = other.m_index;
    return *this;
}

CWPartialWrap::~CWPartialWrap() = default;

void CWPartialWrap::Write(std::FILE* stream)
{
    if (m_textureFileName.GetLength() == 0) throw WriteFailure(sjis::kTextureFileNameMissing);
    writeName(m_textureFileName, stream);
    putInt16(m_index, stream);
    CWTextureParam::Write(stream);
}

void CWPartialWrap::SetTexture(std::int16_t index, const char* fileName)
{
    m_index = index;
    m_textureFileName.AssignText(fileName);
}

// ---------------------------------------------------------------------------------------------------
// CWPrimitiveShape

CWPrimitiveShape::CWPrimitiveShape()
    : m_position(0.0f, 0.0f, 0.0f),
      m_rotation(0.0f, 0.0f, 0.0f),
      m_size(1.0f, 1.0f, 1.0f),
      m_materialIndex(-1),
      m_textureIndex(-1),
      m_mark('N')
{
}

CWPrimitiveShape::CWPrimitiveShape(const CWPrimitiveShape& other)
    : CWScriptObject(other),
      CWTextureParam(other),
      m_typeTag(other.m_typeTag),
      m_position(other.m_position),
      m_rotation(other.m_rotation),
      m_size(other.m_size),
      m_materialIndex(other.m_materialIndex),
      m_textureIndex(other.m_textureIndex),
      m_mark(other.m_mark),
      m_rare(other.m_rare ? std::make_unique<Rare>(*other.m_rare) : nullptr)
{
}

CWPrimitiveShape& CWPrimitiveShape::operator=(const CWPrimitiveShape& other)
{
    if (&other == this) return *this;
    CWTextureParam::operator=(other);  // the name and the nine texture parameters
    m_typeTag = other.m_typeTag;
    m_position = other.m_position;
    m_rotation = other.m_rotation;
    m_size = other.m_size;
    m_materialIndex = other.m_materialIndex;
    m_textureIndex = other.m_textureIndex;
    m_mark = other.m_mark;
    if (other.m_rare) {
        rare() = *other.m_rare;
    } else if (m_rare) {
        m_rare->m_partialWraps.clear();
        m_rare->m_lock = {0, 0, 0};
    }
    return *this;
}

CWPrimitiveShape::~CWPrimitiveShape() = default;

void CWPrimitiveShape::Write(std::FILE* stream)
{
    std::string_view type = m_typeTag.view();
    putBlock(type.data(), type.size(), stream, kOmitLength);
    writeName(m_name, stream);
    writeCoord(m_position, stream);
    writeCoord(m_rotation, stream);
    writeCoord(m_size, stream);
    putInt16(m_materialIndex, stream);
    if (m_rare && !m_rare->m_partialWraps.empty()) {
        putInt16(kWrapsFollow, stream);
        writeCount(m_rare->m_partialWraps.size(), stream);
        for (CWPartialWrap& wrap : m_rare->m_partialWraps) wrap.Write(stream);
    } else {
        // Every negative index means "no texture of its own", but -2 on its own would announce wraps
        // that are not there and make the rest of the file unreadable: it is written as -1.
        putInt16(m_textureIndex == kWrapsFollow ? kNoTexture : m_textureIndex, stream);
        if (m_textureIndex >= 0)  // a texture of its own: its parameters follow
            CWTextureParam::Write(stream);
    }
    if (m_rare && anyLock(m_rare->m_lock)) {
        writeTag("LCKS", stream);
        for (std::uint32_t word : m_rare->m_lock) putUInt16(lockBits(word), stream);
    }
}

void CWPrimitiveShape::SetPosition(float x, float y, float z) { m_position = CWCoord(x, y, z); }
void CWPrimitiveShape::SetRotation(float x, float y, float z) { m_rotation = CWCoord(x, y, z); }
void CWPrimitiveShape::SetSize(float x, float y, float z) { m_size = CWCoord(x, y, z); }
void CWPrimitiveShape::SetMaterialIndex(std::int16_t index) { m_materialIndex = index; }
void CWPrimitiveShape::SetTextureIndex(std::int16_t index) { m_textureIndex = index; }

void CWPrimitiveShape::AddPartialWrap(const CWPartialWrap& wrap)
{
    // The copy is made first: `wrap` may be one of this shape's own wraps, which growing would move.
    CWPartialWrap copy(wrap);  // NOLINT(performance-unnecessary-copy-initialization): see above
    // Growth is room for one, then double the size: capacities 1, 2, 4, 8 ... on every library.
    std::vector<CWPartialWrap>& wraps = rare().m_partialWraps;
    const std::size_t size = wraps.size();
    if (size == wraps.capacity()) wraps.reserve(size + std::max<std::size_t>(size, 1));
    wraps.push_back(copy);
}

void CWPrimitiveShape::ClearPartialWraps()
{
    if (m_rare) m_rare->m_partialWraps.clear();
}

void CWPrimitiveShape::reservePartialWraps(std::size_t count) { rare().m_partialWraps.reserve(count); }

CWPartialWrap& CWPrimitiveShape::emplacePartialWrap() { return rare().m_partialWraps.emplace_back(); }

const std::vector<CWPartialWrap>& CWPrimitiveShape::partialWraps() const
{
    static const std::vector<CWPartialWrap> kNone;
    return m_rare ? m_rare->m_partialWraps : kNone;
}

const std::array<std::uint32_t, 3>& CWPrimitiveShape::lock() const
{
    static const std::array<std::uint32_t, 3> kNone{{0, 0, 0}};
    return m_rare ? m_rare->m_lock : kNone;
}

CWPrimitiveShape::Rare& CWPrimitiveShape::rare()
{
    if (!m_rare) m_rare = std::make_unique<Rare>();
    return *m_rare;
}

void CWPrimitiveShape::setLock(std::uint32_t lock1, std::uint32_t lock2, std::uint32_t lock3)
{
    if (!m_rare && lock1 == 0 && lock2 == 0 && lock3 == 0) return;  // what a shape without them reads as
    rare().m_lock = {lock1, lock2, lock3};
}

// ---------------------------------------------------------------------------------------------------
// CWCube

CWCube::CWCube()
{
    m_typeTag.AssignText("CUBE");
    m_name.AssignText(sjis::kCubeName);
}

CWCube::CWCube(const CWCube& other) : CWScriptObject(other), CWPrimitiveShape(other) {}

CWCube& CWCube::operator=(const CWCube& other)
{
    CWPrimitiveShape::operator=(other);
    return *this;
}

CWCube::~CWCube() = default;

void CWCube::Write(std::FILE* stream)
{
    try {
        CWPrimitiveShape::Write(stream);
    } catch (const WriteFailure& f) {
        AppendError(f.text());
        throw WriteFailure(m_name.GetText());
    }
}

CWPrimitiveShape* CWCube::Clone() const { return cloneOf(*this); }
