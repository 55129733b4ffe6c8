/// \file
/// Reads a scene file (.cws), binary or text, back into the scene library's objects:
/// the builder of a CWScene is a visitor of the record parser (cwscene/RecordParser.h), which decides
/// alone what is accepted and where a file is refused.
///
/// Portable: standard C++ only. Part of cwscene. Objects are made in place and handed to their owners
/// (adopted, never cloned), with room reserved from the counts the parser has checked; a plain shape
/// costs one allocation.
///
/// What cannot come back exactly:
///   - Lock words. The file stores, for each lock word of a frame ("LCKP") or a shape ("LCKS"), 7
///     minus its low three bits, so only those bits are restored. When all three come back as 0 the
///     first word is set to 8: its low bits are 0 too, and it keeps the chunk present, as the writer
///     only writes it for a non-zero word.
///   - The shown and layer flags: "SHWP" reads as 0 and "LYRL" as 1, whatever other value the
///     writer was given (it writes only whether they are 0).
///   - Empty names of materials, lights, views, leads, sensors and frames. The scene gives such an
///     object a default name when it is registered ("新規色1", "新規パーツ"), so the library cannot
///     hold it unnamed; ReadResult::defaultedNames counts them (DefaultedNames). The writer never
///     produces them.
///   - Floats in the text encoding: `"%f"` keeps six decimals, so a value reads back as the float
///     nearest to its six-decimal text. That is the written float itself whenever six decimals
///     identify it: every multiple of 1/64 (so every whole millimetre the wizard writes), every float
///     of magnitude 16 or more, zero; but not, say, 0.1234567. NaN payloads do not survive either
///     ("nan" reads back as the default NaN). Binary -> text -> binary is therefore byte-identical
///     exactly for the files in which every float survives (ReadResult::lossyTextFloats == 0, counted
///     when ParseOptions::countLossyTextFloats asks for it).
///
/// Binary -> reader -> binary writer reproduces every byte of any file the reader accepts, apart
/// from the first three points above; text -> reader -> text writer reproduces every byte of any
/// text file it accepts, apart from the first three points too.
#pragma once

#include <cwscene/Export.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <cwscene/Scene.h>
#include <cwscene/RecordParser.h>

/// Reading a scene file back into a CWScene.
namespace scene {

/// Counts the empty names that building a scene replaces by default names: those of materials,
/// lights, views, leads, sensors and frames (textures and backgrounds keep theirs). The builder counts
/// with it, and so can a tool that only looks at the records, to say the same without building.
class CWSCENE_API DefaultedNames {
public:
    void note(const scenefile::MaterialRecord& r) { count(r.name); }  ///< Counts a material without a name.
    void note(const scenefile::LightRecord& r) { count(r.name); }     ///< Counts a light without a name.
    void note(const scenefile::ViewRecord& r) { count(r.name); }      ///< Counts a view without a name.
    void note(const scenefile::LeadRecord& r) { count(r.name); }      ///< Counts a lead without a name.
    void note(const scenefile::SensorRecord& r) { count(r.name); }    ///< Counts a sensor without a name.
    void note(const scenefile::FrameRecord& r) { count(r.name); }     ///< Counts a frame without a name.
    int total() const { return m_total; }  ///< The names counted so far.

private:
    void count(std::string_view name) { m_total += name.empty() ? 1 : 0; }
    int m_total = 0;
};

/// The builder: a visitor that makes a CWScene of the records it is given. Hand it to
/// scenefile::parseScene or parseSceneFile, then take the scene; readScene and readSceneFile do both.
class CWSCENE_API SceneBuilder : public scenefile::SceneVisitor {
public:
    SceneBuilder();  ///< An empty scene to fill.
    ~SceneBuilder() override;  ///< Deletes the scene unless it was taken.

    /// The scene built so far; after end(), the whole file's. The caller owns it; a second call gives
    /// null.
    std::unique_ptr<CWScene> takeScene() { return std::move(m_scene); }
    int defaultedNames() const { return m_defaulted.total(); }  ///< Empty names replaced by default names so far.

    void header(const scenefile::HeaderRecord& r) override;
    void material(const scenefile::MaterialRecord& r) override;
    void texture(const scenefile::TextureRecord& r) override;
    void frameBegin(const scenefile::FrameRecord& r) override;
    void shape(const scenefile::ShapeRecord& r) override;
    void partialWrap(const scenefile::PartialWrapRecord& r) override;
    void frameTail(const scenefile::FrameTailRecord& r) override;
    void actionStep(const scenefile::ActionStepRecord& r) override;
    void frameEnd(const scenefile::FrameRecord& r) override;
    void light(const scenefile::LightRecord& r) override;
    void views(const scenefile::ViewSectionRecord& r) override;
    void view(const scenefile::ViewRecord& r) override;
    void background(const scenefile::BackgroundRecord& r) override;
    void lead(const scenefile::LeadRecord& r) override;
    void sensor(const scenefile::SensorRecord& r) override;
    void gridLists(const scenefile::GridListsRecord& r) override;
    void gridInterval(float interval) override;
    void thickness(const scenefile::ThicknessRecord& r) override;

private:
    std::unique_ptr<CWScene> m_scene;
    std::vector<CWFrame*> m_frames;        ///< From the root to the frame being read, owned by the scene.
    CWPrimitiveShape* m_shape = nullptr;   ///< The last shape read, which its partial wraps join.
    CWActionUnit* m_action = nullptr;      ///< The last action read, which its steps join.
    DefaultedNames m_defaulted;
};

/// What reading a file gave: the scene, or the refusal's message.
struct CWSCENE_API ReadResult {
    std::unique_ptr<CWScene> scene;  ///< Null when the input was refused; else owned by the result.
    scenefile::Encoding encoding = scenefile::Encoding::Unknown;  ///< The file's encoding, when it could be read.
    std::string error;               ///< "offset 1234: expected ..." or "line 12: expected ...".
    int defaultedNames = 0;          ///< Empty names that registration replaced by a default name.
    long lossyTextFloats = 0;        ///< Floats of a binary file that the text encoding would change.

    explicit operator bool() const { return scene != nullptr; }  ///< True when a scene was read.
};

/// Reads a whole scene file from memory.
CWSCENE_API ReadResult readScene(std::string_view bytes, const scenefile::ParseOptions& options = {});

/// Reads the file at a UTF-8 path. A file that cannot be opened or read gives an error such as
/// "cannot open the file" (no position).
CWSCENE_API ReadResult readSceneFile(const std::string& utf8Path, const scenefile::ParseOptions& options = {});

/// What rewriting a file gave: the input's refusal, or whether the output was written.
struct CWSCENE_API RewriteResult {
    scenefile::Encoding encoding = scenefile::Encoding::Unknown;  ///< The input's encoding, when it could be read.
    std::string error;         ///< The input's refusal, as ReadResult::error; "" when it was accepted.
    int defaultedNames = 0;    ///< As ReadResult::defaultedNames.
    long lossyTextFloats = 0;  ///< As ReadResult::lossyTextFloats.
    bool saved = false;        ///< The output replaced the file at its path, as Save's 1.
    /// When not saved: the system's errno of the write that failed, as CWScene::saveFile gives it; 0
    /// when the writer refused the scene for another reason.
    int writeError = 0;
    std::string errorChain;    ///< When not saved: the error chain, as errorChain() after a failed Save.

    bool accepted() const { return error.empty(); }  ///< True when the whole input was accepted.
};

/// Reads the scene file at `inUtf8Path` and writes it at `outUtf8Path`, in the text encoding when
/// `text` is set and in the binary one otherwise. The bytes are those that readSceneFile followed by
/// Save would write, including what cannot come back exactly (see above), but each shape is written as
/// soon as it is read and then released: the memory used is that of one frame's record, however large
/// the file. As with Save, the output replaces the file at its path only when everything was written,
/// and only when the whole input was accepted: a refused input leaves it as it was. The encoding
/// switch (CWScene::SetTextMode) is set while writing and restored afterwards. The input may be the
/// output's path.
CWSCENE_API RewriteResult rewriteSceneFile(const std::string& inUtf8Path, const std::string& outUtf8Path, bool text,
                                           const scenefile::ParseOptions& options = {});

}  // namespace scene
