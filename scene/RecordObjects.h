// RecordObjects.h - the scene objects of a frame's records, made as the builder makes them, for the
// builder (SceneReader.cpp, where they are defined) and the rewriter (SceneRewriter.cpp).
//
// Portable: standard C++ only. Internal to cwscene. A frame comes without its shapes, children and
// action, and with the name of its record (adopting it gives an empty name the default).
#pragma once

#include <memory>

#include <cwscene/Frame.h>
#include <cwscene/SceneRecords.h>

namespace scene {

std::unique_ptr<CWFrame> frameOf(const scenefile::FrameRecord& r);
// A shape without its partial wraps; room for them is reserved.
std::unique_ptr<CWPrimitiveShape> shapeOf(const scenefile::ShapeRecord& r);
void addPartialWrap(CWPrimitiveShape& shape, const scenefile::PartialWrapRecord& r);
// The frame's action when it has one, with room for its steps; null otherwise.
std::unique_ptr<CWActionUnit> actionOf(const scenefile::FrameTailRecord& r);
std::unique_ptr<CWActionParam> actionStepOf(const scenefile::ActionStepRecord& r);

}  // namespace scene
