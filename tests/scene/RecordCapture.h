// RecordCapture.h - test helpers for the scene library's record writers: an object's record as its
// Write puts it on a stream, in a chosen encoding (testutil/EncodingCapture.h does the capturing).
#pragma once

#include <string>

#include <cwscene/ScriptObject.h>
#include "testutil/EncodingCapture.h"

namespace testutil {

// The record of `object` as its Write puts it on a stream, in `encoding`.
inline std::string recordOf(CWScriptObject& object, Encoding encoding, std::string* failure = nullptr)
{
    EncodingScope scope(encoding);
    return capture([&](std::FILE* stream) { object.Write(stream); }, failure);
}

}  // namespace testutil
