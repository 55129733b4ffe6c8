// PartRecord.h - the part record's pieces before and after the frame's shapes, for CWFrame::Write and
// for the rewriter, which writes a frame's shapes as it reads them (scene/SceneRewriter.cpp).
//
// Portable: standard C++ only. Internal to cwscene. The whole record, in file order, is in Frame.cpp.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

class CWActionUnit;
class CWFrame;

namespace scene {

// Items 1 to 9: "PART", the name, the nine floats, the optional "SHWP", "LCKP", "LYRL" and "GRDP",
// then "PMID" and "TCDN".
void writePartHead(const CWFrame& frame, std::FILE* stream);

// Items 11 and 12: "SPRM" when a list is non-empty, then the action record when there is an action.
void writePartTail(const std::vector<std::uint16_t>& sprmFirst, const std::vector<std::uint16_t>& sprmSecond,
                   CWActionUnit* action, std::FILE* stream);

}  // namespace scene
