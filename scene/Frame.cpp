// Frame.cpp - CWFrame: ownership of shapes, children and action, deep copies, and the part record
// (see Frame.h).
//
// Portable: standard C++ only. Part of cwscene.
//
// Part record, in file order (docs/scene-file-format.md, "Part record"):
//    1 "PART"                                        always
//    2 name (counted)                                always
//    3 position, rotation, scale (nine floats)       always
//    4 "SHWP" 'N'                                    when hidden
//    5 "LCKP" three u16 (7 minus low three bits)     when a lock word is non-zero
//    6 "LYRL" 'Y'                                    when a layer
//    7 "GRDP" three counted float lists              when a GRDP list is non-empty
//    8 "PMID" part id, part id 2 (i32 each)          always
//    9 "TCDN" tcdn (i32)                             always
//   10 shape count (u16), the shape records          always
//   11 "SPRM" two counted u16 lists                  when an SPRM list is non-empty
//   12 the action record ("ACTN")                    when there is an action with steps
//   13 child count (u16), the children's part records  always
#include <cwscene/Frame.h>

#include <algorithm>  // std::count_if
#include <new>        // std::bad_alloc

#include "scene/PartRecord.h"
#include "scene/RecordFields.h"
#include "scene/SjisTexts.h"
#include "scenefile/EncodingDetail.h"

namespace {

bool anyLock(const std::array<std::uint32_t, 3>& lock) { return lock[0] != 0 || lock[1] != 0 || lock[2] != 0; }

// A deep copy of every element through its Clone. A copy that cannot be made throws, so that the
// frame being copied is never left with part of its contents.
template <typename T>
std::vector<std::unique_ptr<T>> cloneAll(const std::vector<std::unique_ptr<T>>& originals)
{
    std::vector<std::unique_ptr<T>> copies;
    copies.reserve(originals.size());
    for (const auto& original : originals) {
        std::unique_ptr<T> copy(original->Clone());
        if (!copy) throw std::bad_alloc();
        copies.push_back(std::move(copy));
    }
    return copies;
}

// Gives an unnamed frame the default part name, as AddChild and SetRootFrame do.
void nameIfUnnamed(CWFrame& frame)
{
    CWString name;
    if (frame.GetName(name).GetLength() == 0) frame.SetName(sjis::kNewFrameName);
}

}  // namespace

CWFrame::CWFrame()
    : m_partId(0),
      m_partId2(0),
      m_position(0.0f, 0.0f, 0.0f),
      m_rotation(0.0f, 0.0f, 0.0f),
      m_scale(1.0f, 1.0f, 1.0f),
      m_lock{{0, 0, 0}},
      m_visible(1),
      m_layer(0),
      m_tcdn(0)
{
}

CWFrame::CWFrame(const CWFrame& other)
    : CWScriptObject(other),
      m_partId(other.m_partId),
      m_partId2(other.m_partId2),
      m_position(other.m_position),
      m_rotation(other.m_rotation),
      m_scale(other.m_scale),
      m_sprmFirst(other.m_sprmFirst),
      m_sprmSecond(other.m_sprmSecond),
      m_grid1(other.m_grid1),
      m_grid2(other.m_grid2),
      m_grid3(other.m_grid3),
      m_lock(other.m_lock),
      m_visible(other.m_visible),
      m_layer(other.m_layer),
      m_tcdn(other.m_tcdn)
{
    if (other.m_action) {
        m_action.reset(other.m_action->Clone());
        if (!m_action) throw std::bad_alloc();
    }
    m_shapes = cloneAll(other.m_shapes);
    m_children = cloneAll(other.m_children);
}

CWFrame& CWFrame::operator=(const CWFrame& other)
{
    if (&other == this) return *this;
    CWFrame copy(other);  // the whole sub-hierarchy is copied before anything of this frame changes
    Assign(other);
    m_position = copy.m_position;
    m_rotation = copy.m_rotation;
    m_scale = copy.m_scale;
    m_action.swap(copy.m_action);
    m_shapes.swap(copy.m_shapes);
    m_children.swap(copy.m_children);
    m_sprmFirst.swap(copy.m_sprmFirst);
    m_sprmSecond.swap(copy.m_sprmSecond);
    m_grid1.swap(copy.m_grid1);
    m_grid2.swap(copy.m_grid2);
    m_grid3.swap(copy.m_grid3);
    m_lock = copy.m_lock;
    m_visible = copy.m_visible;
    m_layer = copy.m_layer;
    m_partId = copy.m_partId;
    m_partId2 = copy.m_partId2;
    m_tcdn = copy.m_tcdn;
    return *this;
}

CWFrame::~CWFrame()
{
    m_shapes.clear();
    m_children.clear();
    m_action.reset();
}

namespace scene {

void writePartHead(const CWFrame& frame, std::FILE* stream)
{
    writeTag("PART", stream);
    writeName(frame.name(), stream);
    writeCoord(frame.position(), stream);
    writeCoord(frame.rotation(), stream);
    writeCoord(frame.scale(), stream);
    if (frame.visible() == 0) {
        writeTag("SHWP", stream);
        putChar('N', stream);
    }
    if (anyLock(frame.lock())) {
        writeTag("LCKP", stream);
        for (std::uint32_t word : frame.lock()) putUInt16(lockBits(word), stream);
    }
    if (frame.layer() != 0) {
        writeTag("LYRL", stream);
        putChar('Y', stream);
    }
    if (!frame.grid1().empty() || !frame.grid2().empty() || !frame.grid3().empty()) {
        writeTag("GRDP", stream);
        writeFloatList(frame.grid1(), stream);
        writeFloatList(frame.grid2(), stream);
        writeFloatList(frame.grid3(), stream);
    }
    writeTag("PMID", stream);
    putInt32(frame.m_partId, stream);
    putInt32(frame.m_partId2, stream);
    writeTag("TCDN", stream);
    putInt32(frame.tcdn(), stream);
}

void writePartTail(const std::vector<std::uint16_t>& sprmFirst, const std::vector<std::uint16_t>& sprmSecond,
                   CWActionUnit* action, std::FILE* stream)
{
    if (!sprmFirst.empty() || !sprmSecond.empty()) {
        writeTag("SPRM", stream);
        writeUInt16List(sprmFirst, stream);
        writeUInt16List(sprmSecond, stream);
    }
    if (action) action->Write(stream);
}

}  // namespace scene

void CWFrame::Write(std::FILE* stream)
{
    try {
        scene::writePartHead(*this, stream);
        // Invalid shapes are left out of the file, not out of the frame: writing changes nothing.
        const auto isValid = [](const std::unique_ptr<CWPrimitiveShape>& shape) { return shape && shape->IsValid(); };
        const auto valid = static_cast<std::size_t>(std::count_if(m_shapes.begin(), m_shapes.end(), isValid));
        writeCount(valid, stream);
        for (auto& shape : m_shapes)
            if (valid == m_shapes.size() || isValid(shape)) shape->Write(stream);
        scene::writePartTail(m_sprmFirst, m_sprmSecond, m_action.get(), stream);
        writeCount(m_children.size(), stream);
        for (auto& child : m_children) child->Write(stream);
    } catch (const WriteFailure& f) {
        AppendError(f.text());
        throw WriteFailure(m_name.GetText());
    }
}

void CWFrame::SetPosition(float x, float y, float z) { m_position = CWCoord(x, y, z); }
void CWFrame::SetRotation(float x, float y, float z) { m_rotation = CWCoord(x, y, z); }
void CWFrame::SetScale(float x, float y, float z) { m_scale = CWCoord(x, y, z); }
void CWFrame::SetLayer(std::int32_t layer) { m_layer = layer; }

void CWFrame::AddShape(const CWPrimitiveShape& shape) { adoptShape(std::unique_ptr<CWPrimitiveShape>(shape.Clone())); }

void CWFrame::AddChild(CWFrame& child)
{
    if (&child == this) return;
    nameIfUnnamed(child);
    adoptChild(std::unique_ptr<CWFrame>(child.Clone()));
}

void CWFrame::adoptShape(std::unique_ptr<CWPrimitiveShape> shape)
{
    if (!shape) return;  // no memory for the copy: the frame stays as it was
    try {
        m_shapes.push_back(std::move(shape));
    } catch (const std::bad_alloc&) {
        // ignored: as above
    }
}

void CWFrame::adoptChild(std::unique_ptr<CWFrame> child)
{
    if (!child || child.get() == this) return;
    nameIfUnnamed(*child);
    try {
        m_children.push_back(std::move(child));
    } catch (const std::bad_alloc&) {
        // ignored: the frame stays as it was
    }
}

void CWFrame::adoptAction(std::unique_ptr<CWActionUnit> action) { m_action = std::move(action); }

void CWFrame::SetAction(const CWActionUnit* action)
{
    m_action.reset();
    if (action) m_action.reset(action->Clone());
}

void CWFrame::ClearAction() { m_action.reset(); }
void CWFrame::AddSprmFirst(std::uint16_t value) { m_sprmFirst.push_back(value); }
void CWFrame::AddSprmSecond(std::uint16_t value) { m_sprmSecond.push_back(value); }

void CWFrame::ClearSprm()
{
    m_sprmFirst.clear();
    m_sprmSecond.clear();
}

CWFrame* CWFrame::Clone() const
{
    try {
        return new CWFrame(*this);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
