// SceneItems.cpp - textures, lights, views, backgrounds and leads: copies and records (see
// SceneItems.h).
//
// Portable: standard C++ only. Part of cwscene. The records, as written below:
//   Texture     name (counted), file name (counted)
//   Light       name (counted), position (three floats), colour r g b (bytes)
//   View        name (counted), eye (three floats), target (three floats)
//   Background  name (counted), colour r g b (bytes), image file name (counted; empty: colour only)
//   Lead        name (counted), point count (u16), three floats per point
// Each record adds a caught failure text to the error chain and throws the object's name, as a
// material does.
#include <cwscene/SceneItems.h>


#include "scene/CloneOf.h"
#include "scene/RecordFields.h"
#include "scenefile/EncodingDetail.h"

namespace {

// Runs `writeFields` as the body of a record: a failure inside adds its text to the error chain and
// is rethrown as the object's name.
template <typename Fields>
void guardedRecord(const CWString& name, Fields writeFields)
{
    try {
        writeFields();
    } catch (const WriteFailure& f) {
        AppendError(f.text());
        throw WriteFailure(name.GetText());
    }
}

template <typename Color>
void writeColor(const Color& color, std::FILE* stream)
{
    for (std::uint8_t value : color) putByte(value, stream);
}

}  // namespace

void Texture::Write(std::FILE* stream)
{
    guardedRecord(m_name, [&] {
        writeName(m_name, stream);
        writeName(m_fileName, stream);
    });
}
Texture* Texture::Clone() const { return cloneOf(*this); }

void Light::Write(std::FILE* stream)
{
    guardedRecord(m_name, [&] {
        writeName(m_name, stream);
        writeCoord(m_position, stream);
        writeColor(m_color, stream);
    });
}
Light* Light::Clone() const { return cloneOf(*this); }

void View::Write(std::FILE* stream)
{
    guardedRecord(m_name, [&] {
        writeName(m_name, stream);
        writeCoord(m_eye, stream);
        writeCoord(m_target, stream);
    });
}
View* View::Clone() const { return cloneOf(*this); }

void Background::Write(std::FILE* stream)
{
    guardedRecord(m_name, [&] {
        writeName(m_name, stream);
        writeColor(m_color, stream);
        writeName(m_imageFileName, stream);
    });
}
Background* Background::Clone() const { return cloneOf(*this); }

void Lead::Write(std::FILE* stream)
{
    guardedRecord(m_name, [&] {
        writeName(m_name, stream);
        writeCount(m_points.size(), stream);
        for (const CWCoord& point : m_points) writeCoord(point, stream);
    });
}
Lead* Lead::Clone() const { return cloneOf(*this); }
