// Tests for scene/Scene: registries with their default names, the root frame, the encoding switch,
// ownership of the registered copies.
#include <cwscene/Scene.h>

#include <gtest/gtest.h>

#include <functional>

#include "RecordCapture.h"
#include <cwscene/SceneItems.h>
#include "scene/SjisTexts.h"

namespace {

std::string named(const char* pattern, int n)
{
    std::string name(pattern);
    return name.replace(name.find("%d"), 2, std::to_string(n));
}

// 1. Default names: the registry's size plus 1 at the time of the call, on the caller's object too.
TEST(CWScene, MaterialDefaultNames)
{
    CWScene scene;
    CWMaterial first, second, mine;
    mine.SetName("mine");
    EXPECT_EQ(scene.AddMaterial(first), 0);
    EXPECT_EQ(scene.AddMaterial(second), 1);
    EXPECT_EQ(scene.AddMaterial(mine), 2);
    EXPECT_EQ(first.name().GetText(), named(sjis::kNewColourName, 1));  // "新規色1"
    EXPECT_EQ(std::string(first.name().GetText()), "\x90\x56\x8B\x4B\x90\x46" "1");
    EXPECT_EQ(second.name().GetText(), named(sjis::kNewColourName, 2));
    EXPECT_EQ(scene.material(1).name().GetText(), named(sjis::kNewColourName, 2));
    EXPECT_STREQ(scene.material(2).name().GetText(), "mine");

    scene.ClearMaterials();
    CWMaterial again;
    EXPECT_EQ(scene.AddMaterial(again), 0);
    EXPECT_EQ(again.name().GetText(), named(sjis::kNewColourName, 1));  // numbering starts again
}

TEST(CWScene, EveryNamedRegistry)
{
    struct Row {
        const char* pattern;
        std::function<std::int32_t(CWScene&, CWScriptObject&)> add;
        std::function<std::unique_ptr<CWScriptObject>()> make;
        std::function<void(CWScene&)> clear;
    };
    const Row rows[] = {
        {sjis::kNewLightName, [](CWScene& s, CWScriptObject& o) { return s.AddLight(static_cast<Light&>(o)); },
         [] { return std::make_unique<Light>(); }, [](CWScene& s) { s.ClearLights(); }},
        {sjis::kNewViewName, [](CWScene& s, CWScriptObject& o) { return s.AddView(static_cast<View&>(o)); },
         [] { return std::make_unique<View>(); }, [](CWScene& s) { s.ClearViews(); }},
        {sjis::kNewLeadName, [](CWScene& s, CWScriptObject& o) { return s.AddLead(static_cast<Lead&>(o)); },
         [] { return std::make_unique<Lead>(); }, [](CWScene& s) { s.ClearLeads(); }},
        {sjis::kNewSensorName,
         [](CWScene& s, CWScriptObject& o) { return s.AddSensor(static_cast<CWSensorUnit&>(o)); },
         [] { return std::make_unique<CWSensorUnit>(); }, [](CWScene& s) { s.ClearSensors(); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pattern);
        CWScene scene;
        auto a = row.make(), b = row.make(), c = row.make();
        b->SetName(named(row.pattern, 1).c_str());  // a caller's name may equal a default name
        EXPECT_EQ(row.add(scene, *a), 0);
        EXPECT_EQ(row.add(scene, *b), 1);
        EXPECT_EQ(row.add(scene, *c), 2);
        EXPECT_EQ(a->name().GetText(), named(row.pattern, 1));
        EXPECT_EQ(c->name().GetText(), named(row.pattern, 3));
        row.clear(scene);
        auto d = row.make();
        EXPECT_EQ(row.add(scene, *d), 0);
        EXPECT_EQ(d->name().GetText(), named(row.pattern, 1));
    }
}

TEST(CWScene, TexturesAndBackgroundsStayUnnamed)
{
    CWScene scene;
    Texture texture;
    Background background;
    EXPECT_EQ(scene.AddTexture(texture), 0);
    EXPECT_EQ(scene.AddBackground(background), 0);
    EXPECT_EQ(texture.name().GetLength(), 0);
    EXPECT_EQ(background.name().GetLength(), 0);
    EXPECT_EQ(scene.texture(0).name().GetLength(), 0);
}

// 2. The root frame: named when unnamed, copied, replaced with the earlier copy released.
TEST(CWScene, RootFrame)
{
    CWScene scene;
    CWFrame frame;
    frame.AddChild(*std::make_unique<CWFrame>());
    scene.SetRootFrame(frame);
    EXPECT_STREQ(frame.name().GetText(), sjis::kNewFrameName);
    ASSERT_NE(scene.rootFrame(), nullptr);
    EXPECT_STREQ(scene.rootFrame()->name().GetText(), sjis::kNewFrameName);
    frame.SetName("changed");
    EXPECT_STREQ(scene.rootFrame()->name().GetText(), sjis::kNewFrameName);

    const std::int32_t live = CWScriptObject::instanceCount();
    CWFrame other;
    other.SetName("other");
    scene.SetRootFrame(other);  // the earlier root and its child go
    EXPECT_EQ(CWScriptObject::instanceCount(), live + 1 + 1 - 2);
    EXPECT_STREQ(scene.rootFrame()->name().GetText(), "other");
}

// 3. The encoding switch acts on the whole process.
TEST(CWScene, SetTextMode)
{
    CWScene a, b;
    EXPECT_EQ(a.SetTextMode(7), 0);
    EXPECT_EQ(binaryModeSwitch(), 0);
    EXPECT_EQ(b.SetTextMode(0), 1);
    EXPECT_EQ(binaryModeSwitch(), 1);
}

// 4. Defaults, and the scene deletes only its own copies.
TEST(CWScene, DefaultsAndOwnership)
{
    CWMaterial material;
    CWFrame frame;
    {
        CWScene scene;
        EXPECT_EQ(scene.formatVersion(), 4);
        EXPECT_EQ(scene.unit(), 2);
        EXPECT_EQ(scene.gridInterval(), -1.0f);
        EXPECT_EQ(scene.thickness3(), -1.0f);
        EXPECT_EQ(scene.writeErrorLog(), 0);
        EXPECT_EQ(scene.rootFrame(), nullptr);
        scene.AddMaterial(material);
        scene.SetRootFrame(frame);
        EXPECT_EQ(CWScriptObject::instanceCount(), 5);
    }
    EXPECT_EQ(CWScriptObject::instanceCount(), 2);
    material.SetColor1(1, 2, 3);  // still the caller's, still alive
    EXPECT_STREQ(frame.name().GetText(), sjis::kNewFrameName);
}

}  // namespace
