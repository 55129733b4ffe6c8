// BuildScene.cpp - a program of your own that describes a small scene with the scene library and saves
// it in both encodings.
//
//   build-scene OUT_PREFIX     writes OUT_PREFIX.cws (binary) and OUT_PREFIX-text.cws (text)
//
// The scene: two materials; a root frame "house" holding a frame "1階" (the first floor) with a wall
// box that has a partial wrap (a texture on part of it), and a frame "door" with an action of two
// steps; a sensor at the door. Every Add... and Set...Frame stores a copy, so each object is finished
// before it is handed over, and the hierarchy is built from the inside out. Names are byte strings that
// the host application reads as Shift-JIS: a name written in this UTF-8 source goes through
// cwscene::fromUtf8 first (plain ASCII needs nothing).
#include <cwscene/Scene.h>
#include <cwscene/ShiftJis.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

// The Shift-JIS bytes of a name written in UTF-8. Every name here has them; a character Shift-JIS
// cannot hold (an emoji, say) would end the program.
std::string shiftJis(const char* utf8)
{
    std::optional<std::string> name = cwscene::fromUtf8(utf8);
    if (!name) {
        std::fprintf(stderr, "build-scene: \"%s\" has no Shift-JIS form\n", utf8);
        std::exit(1);
    }
    return *name;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: build-scene OUT_PREFIX\n");
        return 2;
    }
    const std::string prefix = argv[1];

    CWScene scene;
    scene.SetUnit(0);              // millimetres, as the wizard's scenes
    scene.SetGridInterval(500.0f);

    CWMaterial plaster;
    plaster.SetName("plaster");
    plaster.SetColor1(230, 225, 210);  // colour 1: the material's colour (docs/scene-file-format.md)
    CWMaterial oak;
    oak.SetName("oak");
    oak.SetColor1(150, 105, 60);
    scene.AddMaterial(plaster);  // index 0
    scene.AddMaterial(oak);      // index 1

    // A wall 4 m long, 2.4 m high, 120 mm thick; a box's position is its centre.
    CWCube wall;
    wall.SetName("wall");
    wall.SetMaterialIndex(0);
    wall.SetSize(4000.0f, 120.0f, 2400.0f);
    wall.SetPosition(0.0f, 0.0f, 1200.0f);
    CWPartialWrap tiles;
    tiles.SetTexture(0, "tiles.bmp");
    wall.AddPartialWrap(tiles);

    CWCube door;
    door.SetName("door leaf");
    door.SetMaterialIndex(1);
    door.SetSize(900.0f, 40.0f, 2000.0f);
    door.SetPosition(0.0f, 0.0f, 1000.0f);

    // The door swings open: two steps of its action.
    CWActionUnit swing;
    CWActionParam closed, open;
    open.SetRotation(0.0f, 0.0f, 90.0f);
    swing.AddParam(closed);
    swing.AddParam(open);
    swing.SetActionText(CWActionUnit::kFirstTextKey, "open the door");

    CWFrame doorFrame;
    doorFrame.SetName("door");
    doorFrame.SetPosition(1200.0f, 0.0f, 0.0f);  // relative to its parent frame
    doorFrame.AddShape(door);
    doorFrame.SetAction(&swing);

    CWFrame floor1;
    floor1.SetName(shiftJis("1階").c_str());
    floor1.SetPosition(0.0f, 0.0f, 400.0f);
    floor1.AddShape(wall);
    floor1.AddChild(doorFrame);

    CWFrame house;
    house.SetName("house");
    house.AddChild(floor1);
    scene.SetRootFrame(house);

    CWSensorUnit atTheDoor;
    atTheDoor.SetName("at the door");
    atTheDoor.SetPosition(1200.0f, -800.0f, 400.0f);
    atTheDoor.SetSize(1000.0f, 1000.0f, 2000.0f);
    scene.AddSensor(atTheDoor);

    // Save returns 1 when the whole file was written; the encoding is a process-wide switch.
    const std::string binary = prefix + ".cws", text = prefix + "-text.cws";
    int saved = scene.Save(binary.c_str());
    scene.SetTextMode(1);
    saved &= scene.Save(text.c_str());
    scene.SetTextMode(0);
    if (saved != 1) {
        std::fprintf(stderr, "build-scene: could not write %s or %s\n", binary.c_str(), text.c_str());
        return 1;
    }
    std::printf("wrote %s and %s\n", binary.c_str(), text.c_str());
    return 0;
}
