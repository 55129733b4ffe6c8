// Frame.h - CWFrame: one node of the part hierarchy. A named placement that owns shapes, child frames
// and at most one action, with the per-part attributes the host application reads.
//
// Portable: standard C++ only. Part of cwscene. Everything a frame holds is its own copy. The part
// record it writes (recursively) is in docs/scene-file-format.md ("Part record").
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

class CWSCENE_API CWFrame : public CWScriptObject {
public:
    CWFrame();  // position 0, rotation 0, scale 1, shown, not a layer, ids 0, nothing owned
    CWFrame(const CWFrame& other);  // deep copy of the whole sub-hierarchy
    CWFrame& operator=(const CWFrame& other);  // deep copy
    ~CWFrame() override;  // deletes shapes, children, action, in that order

    // The part record and, recursively, every child's. Drops invalid shapes first. On failure the
    // caught text goes to the error chain and the frame's name is thrown.
    void Write(std::FILE* stream) override;
    virtual void SetPosition(float x, float y, float z);
    virtual void SetRotation(float x, float y, float z);
    virtual void SetScale(float x, float y, float z);
    virtual void AddShape(const CWPrimitiveShape& shape);  // appends the shape's Clone
    // Names an unnamed `child` "新規パーツ" (the caller's frame itself), then appends its Clone.
    // Adding a frame to itself does nothing.
    virtual void AddChild(CWFrame& child);
    virtual void SetAction(const CWActionUnit* action);  // a copy; null only clears
    virtual void ClearAction();
    virtual void AddSprmFirst(std::uint16_t value);
    virtual void AddSprmSecond(std::uint16_t value);
    virtual void ClearSprm();
    virtual CWFrame* Clone() const;  // null when memory runs out
    void SetLayer(std::int32_t layer);

    // Takes over an object made by the caller instead of copying it (a reader building a deep
    // hierarchy would otherwise copy every subtree once per level). Same naming rule as AddChild; null
    // is ignored. When the list cannot grow, the object is dropped and the frame stays as it was;
    // after reserveShapes or reserveChildren for it, adopting cannot fail.
    void adoptShape(std::unique_ptr<CWPrimitiveShape> shape);
    void adoptChild(std::unique_ptr<CWFrame> child);
    void adoptAction(std::unique_ptr<CWActionUnit> action);  // replaces the action, as SetAction does
    // Makes room for `count` shapes or children in all; throws std::bad_alloc when it cannot.
    void reserveShapes(std::size_t count) { m_shapes.reserve(count); }
    void reserveChildren(std::size_t count) { m_children.reserve(count); }

    const CWCoord& position() const { return m_position; }
    const CWCoord& rotation() const { return m_rotation; }
    const CWCoord& scale() const { return m_scale; }
    const CWActionUnit* action() const { return m_action.get(); }
    std::size_t shapeCount() const { return m_shapes.size(); }
    const CWPrimitiveShape& shape(std::size_t i) const { return *m_shapes.at(i); }
    std::size_t childCount() const { return m_children.size(); }
    const CWFrame& child(std::size_t i) const { return *m_children.at(i); }
    const std::vector<std::uint16_t>& sprmFirst() const { return m_sprmFirst; }
    const std::vector<std::uint16_t>& sprmSecond() const { return m_sprmSecond; }
    const std::vector<float>& grid1() const { return m_grid1; }
    const std::vector<float>& grid2() const { return m_grid2; }
    const std::vector<float>& grid3() const { return m_grid3; }
    const std::array<std::uint32_t, 3>& lock() const { return m_lock; }
    std::int32_t visible() const { return m_visible; }
    std::int32_t layer() const { return m_layer; }
    std::int32_t partId() const { return m_partId; }
    std::int32_t partId2() const { return m_partId2; }
    std::int32_t tcdn() const { return m_tcdn; }

    void setGrid1(std::vector<float> values) { m_grid1 = std::move(values); }
    void setGrid2(std::vector<float> values) { m_grid2 = std::move(values); }
    void setGrid3(std::vector<float> values) { m_grid3 = std::move(values); }
    // The two SPRM lists at once.
    void setSprm(std::vector<std::uint16_t> first, std::vector<std::uint16_t> second)
    {
        m_sprmFirst = std::move(first);
        m_sprmSecond = std::move(second);
    }
    // Lock masks; only the low three bits of each reach the file ("LCKP").
    void setLock(std::uint32_t lock1, std::uint32_t lock2, std::uint32_t lock3) { m_lock = {lock1, lock2, lock3}; }
    void setVisible(std::int32_t visible) { m_visible = visible; }  // 0 hides the part ("SHWP")
    void setTcdn(std::int32_t value) { m_tcdn = value; }

    std::int32_t m_partId;   // first part-id word ("PMID"); assigned directly by the builder
    std::int32_t m_partId2;  // second part-id word ("PMID")

private:
    void dropInvalidShapes();

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
