// SceneReader.cpp - the builder of a CWScene from the records of a scene file (see SceneReader.h).
//
// Portable: standard C++ only. Part of cwscene. Each callback makes its object in place, fills it and
// hands it to its owner at once; a frame is adopted by its parent before its contents arrive, so the
// builder keeps raw pointers to the frames it is filling (the scene owns them). Room for shapes,
// children, wraps and steps is reserved from the parser's checked counts, so adopting never fails
// half-way; std::bad_alloc leaves the callback and the parser turns it into "out of memory".
#include <cwscene/SceneReader.h>

#include <cassert>
#include <utility>  // std::move

#include <cwscene/SceneItems.h>
#include "scene/RecordObjects.h"

namespace scene {

namespace {

// The parser's format constants are the scene's.
static_assert(CWScene::kFormatVersion == 4, "the record parser reads format version 4");
static_assert(CWScene::kMaxLights == 16, "the record parser refuses more than 16 lights");

CWCoord coord(const scenefile::Coord& c) { return CWCoord(c.x, c.y, c.z); }

template <typename T>
std::vector<T> vectorOf(const scenefile::List<T>& list)
{
    return std::vector<T>(list.begin(), list.end());
}

void setTextureParams(CWTextureParam& target, const scenefile::TextureParams& p)
{
    target.setLetter1(p.letter1);
    if (p.letter1 == 'D') return;  // the rest keeps the defaults: the file does not hold them
    target.setLetter2(p.letter2);
    target.setLetter3(p.letter3);
    target.setFloat1(p.float1);
    target.setFloat2(p.float2);
    target.setLetter4(p.letter4);
    target.setLetter5(p.letter5);
    target.setLetter6(p.letter6);
    target.setFloat3(p.float3);
}

}  // namespace

SceneBuilder::SceneBuilder() : m_scene(std::make_unique<CWScene>()) {}

SceneBuilder::~SceneBuilder() = default;

void SceneBuilder::header(const scenefile::HeaderRecord& r) { m_scene->SetUnit(r.unit); }

void SceneBuilder::material(const scenefile::MaterialRecord& r)
{
    auto material = std::make_unique<CWMaterial>();
    material->SetName(r.name.data());
    material->SetColor1(r.colour1[0], r.colour1[1], r.colour1[2]);
    material->SetColor2(r.colour2[0], r.colour2[1], r.colour2[2]);
    material->SetColor3(r.colour3[0], r.colour3[1], r.colour3[2]);
    material->SetColor4(r.colour4[0], r.colour4[1], r.colour4[2]);
    material->SetValue1(r.value1);
    material->SetValue2(r.value2);
    m_defaulted.note(r);
    m_scene->adoptMaterial(std::move(material));
}

void SceneBuilder::texture(const scenefile::TextureRecord& r)
{
    auto texture = std::make_unique<Texture>();
    texture->SetName(r.name.data());
    texture->setFileName(r.fileName.data());
    m_scene->adoptTexture(std::move(texture));
}

std::unique_ptr<CWFrame> frameOf(const scenefile::FrameRecord& r)
{
    auto frame = std::make_unique<CWFrame>();
    frame->SetName(r.name.data());
    frame->SetPosition(r.position.x, r.position.y, r.position.z);
    frame->SetRotation(r.rotation.x, r.rotation.y, r.rotation.z);
    frame->SetScale(r.scale.x, r.scale.y, r.scale.z);
    if (r.hidden) frame->setVisible(0);
    if (r.hasLock) frame->setLock(r.lock[0], r.lock[1], r.lock[2]);
    if (r.layer) frame->SetLayer(1);
    frame->setGrid1(vectorOf(r.grid1));
    frame->setGrid2(vectorOf(r.grid2));
    frame->setGrid3(vectorOf(r.grid3));
    frame->m_partId = r.partId;
    frame->m_partId2 = r.partId2;
    frame->setTcdn(r.tcdn);
    return frame;
}

std::unique_ptr<CWPrimitiveShape> shapeOf(const scenefile::ShapeRecord& r)
{
    auto cube = std::make_unique<CWCube>();
    cube->SetName(r.name.data());
    cube->SetPosition(r.position.x, r.position.y, r.position.z);
    cube->SetRotation(r.rotation.x, r.rotation.y, r.rotation.z);
    cube->SetSize(r.size.x, r.size.y, r.size.z);
    cube->SetMaterialIndex(r.materialIndex);
    if (r.partialWrapCount > 0) {
        cube->reservePartialWraps(r.partialWrapCount);
    } else {
        cube->SetTextureIndex(r.textureIndex);
        if (r.hasTextureParams) setTextureParams(*cube, r.textureParams);
    }
    if (r.hasLock) cube->setLock(r.lock[0], r.lock[1], r.lock[2]);
    return cube;
}

void addPartialWrap(CWPrimitiveShape& shape, const scenefile::PartialWrapRecord& r)
{
    CWPartialWrap& wrap = shape.emplacePartialWrap();  // room reserved by shapeOf
    wrap.SetTexture(r.textureIndex, r.textureFileName.data());
    setTextureParams(wrap, r.params);
}

std::unique_ptr<CWActionUnit> actionOf(const scenefile::FrameTailRecord& r)
{
    if (!r.hasAction) return nullptr;
    auto action = std::make_unique<CWActionUnit>();
    action->SetActionType(r.actionType);
    action->SetActionOption(r.actionOption);
    action->reserveParams(r.actionStepCount);
    for (std::size_t k = 0; k < r.actionTexts.size(); ++k) {
        action->SetActionText(CWActionUnit::kFirstTextKey + static_cast<std::int32_t>(k), r.actionTexts[k].data());
    }
    return action;
}

std::unique_ptr<CWActionParam> actionStepOf(const scenefile::ActionStepRecord& r)
{
    auto step = std::make_unique<CWActionParam>();
    step->SetScalar(r.scalar);
    step->SetPosition(r.position.x, r.position.y, r.position.z);
    step->SetRotation(r.rotation.x, r.rotation.y, r.rotation.z);
    step->SetScale(r.scale.x, r.scale.y, r.scale.z);
    return step;
}

void SceneBuilder::frameBegin(const scenefile::FrameRecord& r)
{
    std::unique_ptr<CWFrame> frame = frameOf(r);
    frame->reserveShapes(r.shapeCount);
    m_defaulted.note(r);  // adopting the frame names it, as the root or as a child

    assert(m_scene && "the builder's scene was taken: records go to a new SceneBuilder");
    CWFrame* raw = frame.get();
    m_frames.reserve(static_cast<std::size_t>(r.depth));
    if (m_frames.empty())
        m_scene->adoptRootFrame(std::move(frame));
    else
        m_frames.back()->adoptChild(std::move(frame));  // room reserved by the parent's frameTail
    // cppcheck-suppress danglingLifetime ; a pointer to the heap object, which the scene has taken
    m_frames.push_back(raw);
}

void SceneBuilder::shape(const scenefile::ShapeRecord& r)
{
    assert(!m_frames.empty() && "a shape comes inside a frame, between its frameBegin and its frameTail");
    std::unique_ptr<CWPrimitiveShape> shape = shapeOf(r);
    // cppcheck-suppress danglingLifetime ; a pointer to the heap object, which its owner takes next
    m_shape = shape.get();
    m_frames.back()->adoptShape(std::move(shape));  // room reserved in frameBegin
}

void SceneBuilder::partialWrap(const scenefile::PartialWrapRecord& r)
{
    assert(m_shape && "a partial wrap follows the shape it belongs to");
    addPartialWrap(*m_shape, r);
}

void SceneBuilder::frameTail(const scenefile::FrameTailRecord& r)
{
    assert(!m_frames.empty() && "a frame's tail comes after its frameBegin");
    CWFrame& frame = *m_frames.back();
    if (!r.sprmFirst.empty() || !r.sprmSecond.empty()) frame.setSprm(vectorOf(r.sprmFirst), vectorOf(r.sprmSecond));
    std::unique_ptr<CWActionUnit> action = actionOf(r);
    // cppcheck-suppress danglingLifetime ; a pointer to the heap object, which its owner takes next
    m_action = action.get();
    if (action) frame.adoptAction(std::move(action));
    frame.reserveChildren(r.childCount);
}

void SceneBuilder::actionStep(const scenefile::ActionStepRecord& r)
{
    assert(m_action && "an action step follows the frame tail that has the action");
    m_action->adoptParam(actionStepOf(r));  // room reserved by actionOf
}

void SceneBuilder::frameEnd(const scenefile::FrameRecord&)
{
    assert(!m_frames.empty() && "every frameEnd closes a frame that frameBegin opened");
    m_frames.pop_back();
}

void SceneBuilder::light(const scenefile::LightRecord& r)
{
    auto light = std::make_unique<Light>();
    light->SetName(r.name.data());
    light->setPosition(r.position.x, r.position.y, r.position.z);
    light->setColor(r.colour[0], r.colour[1], r.colour[2]);
    m_defaulted.note(r);
    m_scene->adoptLight(std::move(light));
}

void SceneBuilder::views(const scenefile::ViewSectionRecord& r) { m_scene->SetViewValues(r.value1, r.value2); }

void SceneBuilder::view(const scenefile::ViewRecord& r)
{
    auto view = std::make_unique<View>();
    view->SetName(r.name.data());
    view->setEye(r.eye.x, r.eye.y, r.eye.z);
    view->setTarget(r.target.x, r.target.y, r.target.z);
    m_defaulted.note(r);
    m_scene->adoptView(std::move(view));
}

void SceneBuilder::background(const scenefile::BackgroundRecord& r)
{
    auto background = std::make_unique<Background>();
    background->SetName(r.name.data());
    background->setColor(r.colour[0], r.colour[1], r.colour[2]);
    background->setImageFileName(r.imageFileName.data());
    m_scene->adoptBackground(std::move(background));
}

void SceneBuilder::lead(const scenefile::LeadRecord& r)
{
    auto lead = std::make_unique<Lead>();
    lead->SetName(r.name.data());
    std::vector<CWCoord> points;
    points.reserve(r.points.size());
    for (const scenefile::Coord& point : r.points) points.push_back(coord(point));
    lead->setPoints(std::move(points));
    m_defaulted.note(r);
    m_scene->adoptLead(std::move(lead));
}

void SceneBuilder::sensor(const scenefile::SensorRecord& r)
{
    auto sensor = std::make_unique<CWSensorUnit>();
    sensor->SetName(r.name.data());
    sensor->SetPosition(r.position.x, r.position.y, r.position.z);
    sensor->SetSize(r.size.x, r.size.y, r.size.z);
    sensor->setSensorType(r.sensorType);
    m_defaulted.note(r);
    m_scene->adoptSensor(std::move(sensor));
}

void SceneBuilder::gridLists(const scenefile::GridListsRecord& r)
{
    m_scene->setGrid1(vectorOf(r.grid1));
    m_scene->setGrid2(vectorOf(r.grid2));
    m_scene->setGrid3(vectorOf(r.grid3));
}

void SceneBuilder::gridInterval(float interval) { m_scene->SetGridInterval(interval); }

void SceneBuilder::thickness(const scenefile::ThicknessRecord& r)
{
    m_scene->SetThickness(r.thickness1, r.thickness2, r.thickness3);
}

// ---------------------------------------------------------------------------------------------------
// Entry points

namespace {

ReadResult finish(SceneBuilder& builder, const scenefile::ParseResult& parsed)
{
    ReadResult result;
    result.encoding = parsed.encoding;
    result.error = parsed.error;
    if (parsed.accepted()) {
        result.scene = builder.takeScene();
        result.defaultedNames = builder.defaultedNames();
        result.lossyTextFloats = parsed.lossyTextFloats;
    }
    return result;
}

}  // namespace

ReadResult readScene(std::string_view bytes, const scenefile::ParseOptions& options)
{
    SceneBuilder builder;
    scenefile::ParseResult parsed = scenefile::parseScene(bytes, builder, options);
    return finish(builder, parsed);
}

ReadResult readSceneFile(const std::string& utf8Path, const scenefile::ParseOptions& options)
{
    SceneBuilder builder;
    scenefile::ParseResult parsed = scenefile::parseSceneFile(utf8Path, builder, options);
    return finish(builder, parsed);
}

}  // namespace scene
