// SceneDump.cpp - the indented tree of `cwstool dump` (see SceneDump.h).
#include "tools/cwstool/SceneDump.h"

#include "scene/Scene.h"
#include "scene/SceneItems.h"
#include "tools/cwstool/TextOutput.h"

#include <string>
#include <vector>

namespace cwstool {

namespace {

std::string coord(const CWCoord& c)
{
    return "(" + floatText(c.m_x) + ", " + floatText(c.m_y) + ", " + floatText(c.m_z) + ")";
}

template <typename Color>
std::string colour(const Color& c)
{
    return "(" + std::to_string(c[0]) + ", " + std::to_string(c[1]) + ", " + std::to_string(c[2]) + ")";
}

std::string floatList(const std::vector<float>& values)
{
    std::string text = "[";
    for (std::size_t i = 0; i < values.size(); ++i) text += (i ? ", " : "") + floatText(values[i]);
    return text + "]";
}

std::string name(const CWScriptObject& object)
{
    return quotedName(std::string_view(object.name().GetText(), static_cast<std::size_t>(object.name().GetLength())));
}

std::string text(const CWString& s)
{
    return quotedName(std::string_view(s.GetText(), static_cast<std::size_t>(s.GetLength())));
}

std::string textureParams(const CWTextureParam& p)
{
    std::string t = "texture parameters ";
    t += p.letter1();
    if (p.letter1() == 'D') return t;
    return t + p.letter2() + p.letter3() + " " + floatText(p.float1()) + " " + floatText(p.float2()) + " " +
           p.letter4() + p.letter5() + p.letter6() + " " + floatText(p.float3());
}

std::string lockWords(const std::array<std::uint32_t, 3>& lock)
{
    return "lock " + std::to_string(lock[0]) + " " + std::to_string(lock[1]) + " " + std::to_string(lock[2]);
}

void dumpShape(const CWPrimitiveShape& shape, const std::string& indent, std::ostream& out)
{
    out << indent << shape.typeTag().GetText() << " " << name(shape) << " position " << coord(shape.position())
        << " rotation " << coord(shape.rotation()) << " size " << coord(shape.size()) << " material "
        << shape.materialIndex();
    if (!shape.partialWraps().empty()) {
        out << " partial wraps " << shape.partialWraps().size();
    } else {
        out << " texture " << shape.textureIndex();
        if (shape.textureIndex() >= 0) out << " " << textureParams(shape);
    }
    if (shape.lock()[0] || shape.lock()[1] || shape.lock()[2]) out << " " << lockWords(shape.lock());
    out << "\n";
    for (const CWPartialWrap& wrap : shape.partialWraps()) {
        out << indent << "  wrap " << text(wrap.textureFileName()) << " index " << wrap.index() << " "
            << textureParams(wrap) << "\n";
    }
}

void dumpFrame(const CWFrame& frame, int depth, std::ostream& out)
{
    std::string indent(static_cast<std::size_t>(2 * depth), ' ');
    out << indent << "PART " << name(frame) << " id " << frame.partId() << "/" << frame.partId2()
        << " position " << coord(frame.position()) << " rotation " << coord(frame.rotation()) << " scale "
        << coord(frame.scale());
    if (frame.visible() == 0) out << " hidden";
    if (frame.layer() != 0) out << " layer";
    if (frame.lock()[0] || frame.lock()[1] || frame.lock()[2]) out << " " << lockWords(frame.lock());
    if (frame.tcdn() != 0) out << " TCDN " << frame.tcdn();
    out << "\n";
    if (!frame.grid1().empty() || !frame.grid2().empty() || !frame.grid3().empty()) {
        out << indent << "  GRDP " << floatList(frame.grid1()) << " " << floatList(frame.grid2()) << " "
            << floatList(frame.grid3()) << "\n";
    }
    for (std::size_t i = 0; i < frame.shapeCount(); ++i) dumpShape(frame.shape(i), indent + "  ", out);
    if (!frame.sprmFirst().empty() || !frame.sprmSecond().empty()) {
        out << indent << "  SPRM [";
        for (std::size_t i = 0; i < frame.sprmFirst().size(); ++i) out << (i ? ", " : "") << frame.sprmFirst()[i];
        out << "] [";
        for (std::size_t i = 0; i < frame.sprmSecond().size(); ++i) out << (i ? ", " : "") << frame.sprmSecond()[i];
        out << "]\n";
    }
    if (const CWActionUnit* action = frame.action()) {
        out << indent << "  ACTN type " << action->actionType() << " option " << action->actionOption() << " texts";
        for (std::int32_t key = CWActionUnit::kFirstTextKey; key < CWActionUnit::kFirstTextKey + 4; ++key) {
            out << " " << text(action->actionText(key));
        }
        out << "\n";
        for (std::size_t i = 0; i < action->paramCount(); ++i) {
            const CWActionParam& step = action->param(i);
            out << indent << "    step " << floatText(step.scalar()) << " position " << coord(step.position())
                << " rotation " << coord(step.rotation()) << " scale " << coord(step.scale()) << "\n";
        }
    }
    for (std::size_t i = 0; i < frame.childCount(); ++i) dumpFrame(frame.child(i), depth + 1, out);
}

}  // namespace

void dumpScene(const CWScene& scene, std::ostream& out)
{
    out << "format version " << scene.formatVersion() << ", unit " << scene.unit() << "\n";
    if (scene.materialCount() > 0) out << "materials (" << scene.materialCount() << ")\n";
    for (std::size_t i = 0; i < scene.materialCount(); ++i) {
        const CWMaterial& m = scene.material(i);
        out << "  [" << i << "] " << name(m) << " colours " << colour(m.color1()) << " " << colour(m.color2()) << " "
            << colour(m.color3()) << " " << colour(m.color4()) << " values " << int(m.value1()) << " "
            << int(m.value2()) << "\n";
    }
    if (scene.textureCount() > 0) out << "textures (" << scene.textureCount() << ")\n";
    for (std::size_t i = 0; i < scene.textureCount(); ++i) {
        const auto* texture = dynamic_cast<const Texture*>(&scene.texture(i));
        out << "  [" << i << "] " << name(scene.texture(i));
        if (texture) out << " file " << text(texture->fileName());
        out << "\n";
    }
    if (const CWFrame* root = scene.rootFrame()) {
        out << "parts\n";
        dumpFrame(*root, 1, out);
    }
    if (scene.lightCount() > 0) out << "lights (" << scene.lightCount() << ")\n";
    for (std::size_t i = 0; i < scene.lightCount(); ++i) {
        const auto* light = dynamic_cast<const Light*>(&scene.light(i));
        out << "  [" << i << "] " << name(scene.light(i));
        if (light) out << " position " << coord(light->position()) << " colour " << colour(light->color());
        out << "\n";
    }
    if (scene.viewCount() > 0) {
        out << "views (" << scene.viewCount() << "), view values " << floatText(scene.viewValue1()) << " "
            << floatText(scene.viewValue2()) << "\n";
    }
    for (std::size_t i = 0; i < scene.viewCount(); ++i) {
        const auto* view = dynamic_cast<const View*>(&scene.view(i));
        out << "  [" << i << "] " << name(scene.view(i));
        if (view) out << " eye " << coord(view->eye()) << " target " << coord(view->target());
        out << "\n";
    }
    if (scene.backgroundCount() > 0) out << "backgrounds (" << scene.backgroundCount() << ")\n";
    for (std::size_t i = 0; i < scene.backgroundCount(); ++i) {
        const auto* background = dynamic_cast<const Background*>(&scene.background(i));
        out << "  [" << i << "] " << name(scene.background(i));
        if (background) {
            out << " colour " << colour(background->color()) << " image " << text(background->imageFileName());
        }
        out << "\n";
    }
    if (scene.leadCount() > 0) out << "leads (" << scene.leadCount() << ")\n";
    for (std::size_t i = 0; i < scene.leadCount(); ++i) {
        const auto* lead = dynamic_cast<const Lead*>(&scene.lead(i));
        out << "  [" << i << "] " << name(scene.lead(i));
        if (lead) {
            out << " points";
            for (const CWCoord& point : lead->points()) out << " " << coord(point);
        }
        out << "\n";
    }
    if (scene.sensorCount() > 0) out << "sensors (" << scene.sensorCount() << ")\n";
    for (std::size_t i = 0; i < scene.sensorCount(); ++i) {
        const CWSensorUnit& s = scene.sensor(i);
        out << "  [" << i << "] " << name(s) << " position " << coord(s.position()) << " size " << coord(s.size())
            << " type " << s.sensorType() << "\n";
    }
    if (!scene.grid1().empty() || !scene.grid2().empty() || !scene.grid3().empty()) {
        out << "grid lists " << floatList(scene.grid1()) << " " << floatList(scene.grid2()) << " "
            << floatList(scene.grid3()) << "\n";
    }
    if (scene.gridInterval() > 0.0f) out << "grid interval " << floatText(scene.gridInterval()) << "\n";
    if (scene.thickness1() > 0.0f && (scene.thickness2() > 0.0f || scene.thickness3() > 0.0f)) {
        out << "thickness " << floatText(scene.thickness1()) << " " << floatText(scene.thickness2()) << " "
            << floatText(scene.thickness3()) << "\n";
    }
}

}  // namespace cwstool
