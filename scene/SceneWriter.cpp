// SceneWriter.cpp - CWScene's Save, Write, header and section writers: the scene file from start to
// end.
//
// Portable: standard C++ only. Part of cwscene. The file, item by item (docs/scene-file-format.md):
//    1 header: the format version 4 (i32)                always
//    2 "SHAP"                                            always
//    3 "UNIT" unit (u16)                                 always
//    4 "COLR" count, material records                    when there are materials
//    5 "TXTR" count, texture records                     when there are textures
//    6 the root frame's part record ("PART" ...)         always; no root frame fails the save
//    7 "LIGT" count, light records                       1 to 16 lights; more fail the save
//    8 "VIEW" view value 1, 2 (floats), count, views     when there are views
//    9 "BACK" background record, once per background    per background
//   10 "LEAD" count, lead records                        when there are leads
//   11 "SENS" count, sensor records                      when there are sensors
//   12 "GRDW" three counted float lists                  when a grid list is non-empty
//   13 "GINT" grid interval (float)                      when it is above 0.0
//   14 "THCK" thickness 1, 2, 3 (floats)                 when 1 is above 0.0 and 2 or 3 is too
//   15 "EXIT"                                            always
//
// Failures: the header, "UNIT" and "COLR" replace a caught text by their label; "TXTR" and the part
// section add it to the error chain first; Write adds what reaches it and throws "シーン"; saveFile
// ends the propagation, logs when asked, and returns the outcome (Save: 0).
#include "scene/RecordFields.h"
#include <cwscene/Scene.h>
#include "scenefile/EncodingDetail.h"
#include "scenefile/ErrorLog.h"
#include "scenefile/ErrorTexts.h"
#include <cwscene/FileAccess.h>

std::int32_t CWScene::Save(const char* path) { return saveFile(path ? path : "").written ? 1 : 0; }

fileio::WriteOutcome CWScene::saveFile(const std::string& path)
{
    fileio::OutputFile file(path);
    try {
        std::FILE* stream = file.open();
        if (!stream) throw WriteFailure(sjis::kFileOpenFailed);
        {
            // A scene file is a great many small values: they are collected and written in large pieces.
            scenefile::StagedStream staged(stream);
            Write(stream);
            if (!staged.flush()) throw WriteFailure(sjis::kFileCloseFailed);
        }
        // Only a file that was completely written, flushed and closed replaces the one at the path.
        if (!file.commit()) throw WriteFailure(sjis::kFileCloseFailed);
    } catch (const WriteFailure& f) {
        // The temporary goes, and a file already at the path stays as it was; first, so that the
        // reason of a write the stream refused is part of the outcome.
        file.discard();
        if (m_writeErrorLog != 0) scenefile::writeErrorLog(f.text());
    }
    return file.outcome();
}

void CWScene::Write(std::FILE* stream)
{
    try {
        WriteHeader(stream);
        writeTag("SHAP", stream);
        WriteUnitSection(stream);
        WriteColorSection(stream);
        WriteTextureSection(stream);
        WritePartSection(stream);
        WriteLightSection(stream);
        WriteViewSection(stream);
        WriteBackgroundSection(stream);
        WriteLeadSection(stream);
        WriteSensorSection(stream);
        WriteGridSection(stream);
        WriteGridIntervalSection(stream);
        WriteThicknessSection(stream);
        writeTag("EXIT", stream);
    } catch (const WriteFailure& f) {
        AppendError(f.text());
        throw WriteFailure(sjis::kSceneLabel);
    }
}

void CWScene::WriteHeader(std::FILE* stream)
{
    try {
        putInt32(m_formatVersion, stream);
    } catch (const WriteFailure&) {
        throw WriteFailure(sjis::kFileHeaderLabel);  // the primitive's text is not kept
    }
}

void CWScene::WriteUnitSection(std::FILE* stream)
{
    try {
        writeTag("UNIT", stream);
        putUInt16(m_unit, stream);
    } catch (const WriteFailure&) {
        throw WriteFailure(sjis::kUnitSectionLabel);  // the primitive's text is not kept
    }
}

void CWScene::WriteColorSection(std::FILE* stream)
{
    if (m_materials.empty()) return;
    try {
        writeTag("COLR", stream);
        writeCount(m_materials.size(), stream);
        for (auto& material : m_materials) material->Write(stream);
    } catch (const WriteFailure&) {
        // Not kept: a failing material's name (the material has already added the primitive's text).
        throw WriteFailure(sjis::kColorSectionLabel);
    }
}

void CWScene::WriteTextureSection(std::FILE* stream)
{
    if (m_textures.empty()) return;
    try {
        writeTag("TXTR", stream);
        writeCount(m_textures.size(), stream);
        for (auto& texture : m_textures) texture->Write(stream);
    } catch (const WriteFailure& f) {
        AppendError(f.text());
        throw WriteFailure(sjis::kTextureSectionLabel);
    }
}

void CWScene::WritePartSection(std::FILE* stream)
{
    try {
        if (!m_rootFrame) throw WriteFailure(sjis::kNoRootFrame);
        m_rootFrame->Write(stream);
    } catch (const WriteFailure& f) {
        AppendError(f.text());
        throw WriteFailure(sjis::kPartSectionLabel);
    }
}

void CWScene::WriteLightSection(std::FILE* stream)
{
    if (m_lights.empty()) return;
    if (m_lights.size() > kMaxLights) throw WriteFailure(sjis::kTooManyLights);
    writeTag("LIGT", stream);
    writeCount(m_lights.size(), stream);
    for (auto& light : m_lights) light->Write(stream);
}

void CWScene::WriteViewSection(std::FILE* stream)
{
    if (m_views.empty()) return;  // the two view values go only with views
    writeTag("VIEW", stream);
    putFloat(m_viewValue1, stream);
    putFloat(m_viewValue2, stream);
    writeCount(m_views.size(), stream);
    for (auto& view : m_views) view->Write(stream);
}

void CWScene::WriteBackgroundSection(std::FILE* stream)
{
    for (auto& background : m_backgrounds) {  // no count: the tag stands before every background
        writeTag("BACK", stream);
        background->Write(stream);
    }
}

void CWScene::WriteLeadSection(std::FILE* stream)
{
    if (m_leads.empty()) return;
    writeTag("LEAD", stream);
    writeCount(m_leads.size(), stream);
    for (auto& lead : m_leads) lead->Write(stream);
}

void CWScene::WriteSensorSection(std::FILE* stream)
{
    if (m_sensors.empty()) return;
    writeTag("SENS", stream);
    writeCount(m_sensors.size(), stream);
    for (auto& sensor : m_sensors) sensor->Write(stream);
}

void CWScene::WriteGridSection(std::FILE* stream)
{
    if (m_grid1.empty() && m_grid2.empty() && m_grid3.empty()) return;
    writeTag("GRDW", stream);
    writeFloatList(m_grid1, stream);
    writeFloatList(m_grid2, stream);
    writeFloatList(m_grid3, stream);
}

void CWScene::WriteGridIntervalSection(std::FILE* stream)
{
    if (!(m_gridInterval > 0.0f)) return;  // written this way round so that NaN counts as not above
    writeTag("GINT", stream);
    putFloat(m_gridInterval, stream);
}

void CWScene::WriteThicknessSection(std::FILE* stream)
{
    if (!(m_thickness1 > 0.0f && (m_thickness2 > 0.0f || m_thickness3 > 0.0f))) return;
    writeTag("THCK", stream);
    putFloat(m_thickness1, stream);
    putFloat(m_thickness2, stream);
    putFloat(m_thickness3, stream);
}
