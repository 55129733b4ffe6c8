/// \file
/// CWFrame: one node of the part hierarchy. A named placement that owns shapes, child frames
/// and at most one action, with the per-part attributes the host application reads.
///
/// Portable: standard C++ only. Part of cwscene. Everything a frame holds is its own copy. The part
/// record it writes (recursively) is in docs/scene-file-format.md ("Part record").
#pragma once

#include <cwscene/Export.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>  // std::move
#include <vector>

#include <cwscene/Action.h>
#include <cwscene/ScriptObject.h>
#include <cwscene/Shape.h>

/// One node of the part hierarchy: a named placement that owns shapes, child frames and at most one
/// action, with the per-part attributes the host application reads.
///
/// The position, rotation and scale place the frame in its parent's frame (the root in the scene's):
/// the wizard stacks its 25 frames by giving each the offset (0, 0, z) from its parent, so a frame's
/// height is the sum of the z offsets from the root down. What the attributes mean, and which of their
/// meanings the system leaves open, is in docs/scene-file-format.md ("Interpreting the data").
class CWSCENE_API CWFrame : public CWScriptObject {
public:
    CWFrame();  ///< Position 0, rotation 0, scale 1, shown, not a layer, ids 0, nothing owned.
    /// Deep copy of the whole sub-hierarchy; throws std::bad_alloc when memory runs out.
    CWFrame(const CWFrame& other);
    /// Deep copy. The copy is made before anything changes, so a std::bad_alloc leaves this frame as it
    /// was.
    CWFrame& operator=(const CWFrame& other);
    ~CWFrame() override;  ///< Deletes shapes, children, action, in that order.

    /// The part record and, recursively, every child's; shapes that are not valid (IsValid) are left
    /// out of it, and the frame stays as it was. On failure the caught text goes to the error chain and
    /// the frame's name is thrown.
    void Write(std::FILE* stream) override;
    virtual void SetPosition(float x, float y, float z);  ///< Sets the position, relative to the parent frame.
    /// Sets the rotation triple. Its unit and the order of the turns are not defined (the wizard never
    /// rotates anything).
    virtual void SetRotation(float x, float y, float z);
    virtual void SetScale(float x, float y, float z);  ///< Sets the scale factors along x, y and z.
    /// Appends the shape's Clone; the caller keeps its shape. Nothing is added when no copy can be made.
    virtual void AddShape(const CWPrimitiveShape& shape);
    /// Names an unnamed `child` "新規パーツ" (the caller's frame itself), then appends its Clone.
    /// Adding a frame to itself does nothing.
    virtual void AddChild(CWFrame& child);
    virtual void SetAction(const CWActionUnit* action);  ///< Stores a copy of the action; null only clears.
    virtual void ClearAction();  ///< Deletes the action, if any.
    virtual void AddSprmFirst(std::uint16_t value);   ///< Appends a value to the first SPRM list.
    virtual void AddSprmSecond(std::uint16_t value);  ///< Appends a value to the second SPRM list.
    virtual void ClearSprm();  ///< Empties both SPRM lists.
    /// A deep copy of the frame and its sub-hierarchy, owned by the caller; null when memory runs out.
    virtual CWFrame* Clone() const;
    /// Sets the layer flag: non-zero marks the frame as a layer ("LYRL"); the wizard sets 1 on all its
    /// frames.
    void SetLayer(std::int32_t layer);

    /// Takes over an object made by the caller instead of copying it (a reader building a deep
    /// hierarchy would otherwise copy every subtree once per level); null is ignored. When the list
    /// cannot grow, the object is dropped and the frame stays as it was; after reserveShapes for it,
    /// adopting cannot fail.
    void adoptShape(std::unique_ptr<CWPrimitiveShape> shape);
    /// Takes over a child frame as adoptShape takes over a shape, with the same naming rule as
    /// AddChild; null and the frame itself are ignored. After reserveChildren for it, adopting cannot
    /// fail.
    void adoptChild(std::unique_ptr<CWFrame> child);
    void adoptAction(std::unique_ptr<CWActionUnit> action);  ///< Replaces the action, as SetAction does.
    /// Makes room for `count` shapes in all; throws std::bad_alloc when it cannot.
    void reserveShapes(std::size_t count) { m_shapes.reserve(count); }
    /// Makes room for `count` children in all; throws std::bad_alloc when it cannot.
    void reserveChildren(std::size_t count) { m_children.reserve(count); }

    const CWCoord& position() const { return m_position; }  ///< The position, relative to the parent frame.
    const CWCoord& rotation() const { return m_rotation; }  ///< The rotation triple.
    const CWCoord& scale() const { return m_scale; }        ///< The scale factors.
    const CWActionUnit* action() const { return m_action.get(); }  ///< The action, owned by the frame; null for none.
    std::size_t shapeCount() const { return m_shapes.size(); }     ///< The number of shapes.
    /// Shape `i` (from 0, in the order added), owned by the frame; throws std::out_of_range past the end.
    const CWPrimitiveShape& shape(std::size_t i) const { return *m_shapes.at(i); }
    std::size_t childCount() const { return m_children.size(); }  ///< The number of child frames.
    /// Child `i` (from 0, in the order added), owned by the frame; throws std::out_of_range past the end.
    const CWFrame& child(std::size_t i) const { return *m_children.at(i); }
    const std::vector<std::uint16_t>& sprmFirst() const { return m_sprmFirst; }   ///< The first SPRM list.
    const std::vector<std::uint16_t>& sprmSecond() const { return m_sprmSecond; }  ///< The second SPRM list.
    const std::vector<float>& grid1() const { return m_grid1; }  ///< The first GRDP list.
    const std::vector<float>& grid2() const { return m_grid2; }  ///< The second GRDP list.
    const std::vector<float>& grid3() const { return m_grid3; }  ///< The third GRDP list.
    const std::array<std::uint32_t, 3>& lock() const { return m_lock; }  ///< The three lock masks.
    std::int32_t visible() const { return m_visible; }  ///< The shown flag: 0 hidden, otherwise shown (1 by default).
    std::int32_t layer() const { return m_layer; }      ///< The layer flag: non-zero for a layer.
    std::int32_t partId() const { return m_partId; }    ///< The first part-id word.
    std::int32_t partId2() const { return m_partId2; }  ///< The second part-id word.
    std::int32_t tcdn() const { return m_tcdn; }        ///< The word of the "TCDN" sub-record.

    void setGrid1(std::vector<float> values) { m_grid1 = std::move(values); }  ///< Replaces the first GRDP list.
    void setGrid2(std::vector<float> values) { m_grid2 = std::move(values); }  ///< Replaces the second GRDP list.
    void setGrid3(std::vector<float> values) { m_grid3 = std::move(values); }  ///< Replaces the third GRDP list.
    /// The two SPRM lists at once.
    void setSprm(std::vector<std::uint16_t> first, std::vector<std::uint16_t> second)
    {
        m_sprmFirst = std::move(first);
        m_sprmSecond = std::move(second);
    }
    /// Lock masks; only the low three bits of each reach the file ("LCKP").
    void setLock(std::uint32_t lock1, std::uint32_t lock2, std::uint32_t lock3) { m_lock = {lock1, lock2, lock3}; }
    void setVisible(std::int32_t visible) { m_visible = visible; }  ///< 0 hides the part ("SHWP").
    void setTcdn(std::int32_t value) { m_tcdn = value; }  ///< Sets the word of the "TCDN" sub-record.

    std::int32_t m_partId;   ///< First part-id word ("PMID"); assigned directly by the builder.
    std::int32_t m_partId2;  ///< Second part-id word ("PMID").

private:
    CWCoord m_position;
    CWCoord m_rotation;
    CWCoord m_scale;
    std::unique_ptr<CWActionUnit> m_action;
    std::vector<std::unique_ptr<CWPrimitiveShape>> m_shapes;
    std::vector<std::unique_ptr<CWFrame>> m_children;
    std::vector<std::uint16_t> m_sprmFirst;
    std::vector<std::uint16_t> m_sprmSecond;
    std::vector<float> m_grid1;
    std::vector<float> m_grid2;
    std::vector<float> m_grid3;
    std::array<std::uint32_t, 3> m_lock;
    std::int32_t m_visible;
    std::int32_t m_layer;
    std::int32_t m_tcdn;
};
