// SceneRewriter.cpp - rewriteSceneFile: a scene file read and written again, record by record (see
// cwscene/SceneReader.h).
//
// Portable: standard C++ only. Part of cwscene. The bytes are those of readSceneFile followed by Save,
// made by the same objects and writers, but a frame's shapes are written as they are read and then
// released: the memory is one frame's record, not the scene's. What stands before the part section
// (header, materials, textures) is collected by a SceneBuilder and written when the root frame begins;
// what stands after it (lights ... thicknesses) by a second one, written when the file ends.
//
// Failures leave the error chain as Save leaves it: a record writer's text, then the name of each
// frame from the failing one up to the root, then the part section's label; a section's failure adds
// its text. Nothing replaces the file at the path before the whole input has been accepted and
// everything written.
#include <cwscene/SceneReader.h>

#include <optional>
#include <utility>  // std::move
#include <vector>

#include "scene/PartRecord.h"
#include "scene/RecordFields.h"
#include "scene/RecordObjects.h"
#include "scene/SjisTexts.h"
#include "scenefile/ErrorTexts.h"
#include <cwscene/Encoding.h>
#include <cwscene/FileAccess.h>

namespace scene {

namespace {

class Rewriter : public scenefile::SceneVisitor {
public:
    Rewriter(const std::string& outPath, bool text) : m_file(outPath), m_text(text) {}
    ~Rewriter() override { restoreEncoding(); }
    Rewriter(const Rewriter&) = delete;
    Rewriter& operator=(const Rewriter&) = delete;

    // Before the part section, and after it: kept for their sections.
    void header(const scenefile::HeaderRecord& r) override { m_head.header(r); }
    void material(const scenefile::MaterialRecord& r) override { m_head.material(r); }
    void texture(const scenefile::TextureRecord& r) override { m_head.texture(r); }
    void light(const scenefile::LightRecord& r) override { m_tail.light(r); }
    void views(const scenefile::ViewSectionRecord& r) override { m_tail.views(r); }
    void view(const scenefile::ViewRecord& r) override { m_tail.view(r); }
    void background(const scenefile::BackgroundRecord& r) override { m_tail.background(r); }
    void lead(const scenefile::LeadRecord& r) override { m_tail.lead(r); }
    void sensor(const scenefile::SensorRecord& r) override { m_tail.sensor(r); }
    void gridLists(const scenefile::GridListsRecord& r) override { m_tail.gridLists(r); }
    void gridInterval(float interval) override { m_tail.gridInterval(interval); }
    void thickness(const scenefile::ThicknessRecord& r) override { m_tail.thickness(r); }

    // The part section: written as it comes.
    void frameBegin(const scenefile::FrameRecord& r) override;
    void shape(const scenefile::ShapeRecord& r) override;
    void partialWrap(const scenefile::PartialWrapRecord& r) override;
    void frameTail(const scenefile::FrameTailRecord& r) override;
    void actionStep(const scenefile::ActionStepRecord& r) override;
    void frameEnd(const scenefile::FrameRecord&) override { m_frames.pop_back(); }
    void end() override;

    // After the parse, with the input closed: replaces the file at the path when the input was
    // accepted and everything was written.
    void finish(const scenefile::ParseResult& parsed, RewriteResult& result);

private:
    // A frame whose record is being written: what its record still needs after its shapes.
    struct OpenFrame {
        std::unique_ptr<CWFrame> frame;        // its name and values; no shapes, no children
        std::vector<std::uint16_t> sprmFirst;  // from frameTail on
        std::vector<std::uint16_t> sprmSecond;
        std::unique_ptr<CWActionUnit> action;  // until its last step has come
        std::uint16_t childCount = 0;
    };

    bool writing() const { return m_stream != nullptr && !m_failed; }
    void beginFile();
    void writeShape(CWPrimitiveShape& shape);
    void writeTail(OpenFrame& open);
    void failInSection(const WriteFailure& f);
    void failInPart(const WriteFailure& f);
    void fail();
    void restoreEncoding();

    fileio::OutputFile m_file;
    bool m_text;
    std::FILE* m_stream = nullptr;
    std::optional<scenefile::StagedStream> m_staged;
    std::optional<std::int32_t> m_binarySwitch;  // the encoding switch as it was before writing
    SceneBuilder m_head;                          // header, materials, textures
    SceneBuilder m_tail;                          // lights to thicknesses
    std::unique_ptr<CWScene> m_headScene;         // kept: its objects keep the error chain alive
    std::vector<OpenFrame> m_frames;              // from the root to the frame being read
    std::unique_ptr<CWPrimitiveShape> m_shape;    // a shape waiting for its partial wraps
    DefaultedNames m_frameNames;
    bool m_failed = false;
};

// ---------------------------------------------------------------------------------------------------
// The part section

void Rewriter::frameBegin(const scenefile::FrameRecord& r)
{
    if (m_frames.empty()) beginFile();
    m_frameNames.note(r);
    OpenFrame open;
    open.frame = frameOf(r);
    if (open.frame->name().GetLength() == 0) open.frame->SetName(sjis::kNewFrameName);  // as adopting names it
    m_frames.push_back(std::move(open));
    if (!writing()) return;
    try {
        writePartHead(*m_frames.back().frame, m_stream);
        writeCount(r.shapeCount, m_stream);
    } catch (const WriteFailure& f) {
        failInPart(f);
    }
}

void Rewriter::shape(const scenefile::ShapeRecord& r)
{
    if (!writing()) return;
    std::unique_ptr<CWPrimitiveShape> shape = shapeOf(r);
    if (r.partialWrapCount > 0) {
        m_shape = std::move(shape);  // written with its last wrap
        return;
    }
    writeShape(*shape);
}

void Rewriter::partialWrap(const scenefile::PartialWrapRecord& r)
{
    if (!writing()) return;
    addPartialWrap(*m_shape, r);
    if (r.index + 1 < r.count) return;
    writeShape(*m_shape);
    m_shape.reset();
}

void Rewriter::writeShape(CWPrimitiveShape& shape)
{
    try {
        shape.Write(m_stream);
    } catch (const WriteFailure& f) {
        failInPart(f);
    }
}

void Rewriter::frameTail(const scenefile::FrameTailRecord& r)
{
    OpenFrame& open = m_frames.back();
    open.childCount = r.childCount;
    if (!writing()) return;
    open.sprmFirst.assign(r.sprmFirst.begin(), r.sprmFirst.end());
    open.sprmSecond.assign(r.sprmSecond.begin(), r.sprmSecond.end());
    open.action = actionOf(r);
    if (!open.action || r.actionStepCount == 0) writeTail(open);  // else with the action's last step
}

void Rewriter::actionStep(const scenefile::ActionStepRecord& r)
{
    if (!writing()) return;
    OpenFrame& open = m_frames.back();
    open.action->adoptParam(actionStepOf(r));  // room reserved by actionOf
    if (r.index + 1 == r.count) writeTail(open);
}

// Items 11 to 13 of the part record up to the children: "SPRM", the action, the child count.
void Rewriter::writeTail(OpenFrame& open)
{
    try {
        writePartTail(open.sprmFirst, open.sprmSecond, open.action.get(), m_stream);
        writeCount(open.childCount, m_stream);
    } catch (const WriteFailure& f) {
        failInPart(f);
    }
    open.action.reset();
}

// ---------------------------------------------------------------------------------------------------
// The file around it

// Opens the file and writes what stands before the part section, as CWScene::Write does.
void Rewriter::beginFile()
{
    m_headScene = m_head.takeScene();
    m_stream = m_file.open();
    if (!m_stream) {
        fail();  // as Save: "ファイルオープンに失敗", not added to the chain
        return;
    }
    m_staged.emplace(m_stream);
    m_binarySwitch = binaryModeSwitch();
    setBinaryModeSwitch(m_text ? 0 : 1);
    try {
        m_headScene->WriteHeader(m_stream);
        writeTag("SHAP", m_stream);
        m_headScene->WriteUnitSection(m_stream);
        m_headScene->WriteColorSection(m_stream);
        m_headScene->WriteTextureSection(m_stream);
    } catch (const WriteFailure& f) {
        failInSection(f);
    }
}

// Writes what stands after the part section, as CWScene::Write does.
void Rewriter::end()
{
    if (!writing()) return;
    std::unique_ptr<CWScene> tail = m_tail.takeScene();
    try {
        tail->WriteLightSection(m_stream);
        tail->WriteViewSection(m_stream);
        tail->WriteBackgroundSection(m_stream);
        tail->WriteLeadSection(m_stream);
        tail->WriteSensorSection(m_stream);
        tail->WriteGridSection(m_stream);
        tail->WriteGridIntervalSection(m_stream);
        tail->WriteThicknessSection(m_stream);
        writeTag("EXIT", m_stream);
    } catch (const WriteFailure& f) {
        failInSection(f);
    }
}

void Rewriter::finish(const scenefile::ParseResult& parsed, RewriteResult& result)
{
    result.encoding = parsed.encoding;
    result.error = parsed.error;
    if (!parsed.accepted()) {
        m_file.discard();
        return;
    }
    result.defaultedNames = m_frameNames.total() + m_head.defaultedNames() + m_tail.defaultedNames();
    result.lossyTextFloats = parsed.lossyTextFloats;
    // Only a file that was completely written, flushed and closed replaces the one at the path.
    if (!m_failed && !(m_staged && m_staged->flush())) fail();  // as Save: "ファイルクローズに失敗"
    m_staged.reset();
    if (!m_failed && !m_file.commit()) fail();
    restoreEncoding();
    if (!m_failed) {
        result.saved = true;
        return;
    }
    m_file.discard();
    result.writeError = m_file.error();
    const char* chain = errorChain();
    result.errorChain = chain ? chain : "";
}

void Rewriter::restoreEncoding()
{
    if (m_binarySwitch) setBinaryModeSwitch(*m_binarySwitch);
    m_binarySwitch.reset();
}

// A section of CWScene::Write failed: Write adds the text (and throws the scene's label, which Save
// only logs).
void Rewriter::failInSection(const WriteFailure& f)
{
    AppendError(f.text());
    fail();
}

// Inside the frame on top: each frame up to the root adds the text from inside it and throws its
// name, the part section adds the root's name, Write the section's label.
void Rewriter::failInPart(const WriteFailure& f)
{
    AppendError(f.text());
    for (auto open = m_frames.rbegin(); open != m_frames.rend(); ++open) AppendError(open->frame->name().GetText());
    AppendError(sjis::kPartSectionLabel);
    fail();
}

// Nothing more is written; the input is still read to its end, so that a refusal is said first.
void Rewriter::fail()
{
    m_failed = true;
    m_shape.reset();
}

}  // namespace

RewriteResult rewriteSceneFile(const std::string& inUtf8Path, const std::string& outUtf8Path, bool text,
                               const scenefile::ParseOptions& options)
{
    RewriteResult result;
    Rewriter rewriter(outUtf8Path, text);
    const scenefile::ParseResult parsed = scenefile::parseSceneFile(inUtf8Path, rewriter, options);
    rewriter.finish(parsed, result);
    return result;
}

}  // namespace scene
