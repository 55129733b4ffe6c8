// PreviewCommand.cpp - `cwstool preview` (see PreviewCommand.h).
#include "tools/cwstool/preview/PreviewCommand.h"

#include "tools/cwstool/output/ExitStatus.h"
#include "tools/cwstool/output/FileNames.h"  // extensionOf
#include "tools/cwstool/output/Problems.h"
#include "tools/cwstool/preview/PngOutput.h"
#include "tools/cwstool/preview/SvgPreview.h"
#include "tools/cwstool/read/SceneSummary.h"

#include <cwscene/FileAccess.h>  // OutputFile

#include <cstdio>

namespace cwstool {

Picture pictureFormat(const std::string& path)
{
    const std::string extension = extensionOf(path);
    return extension == "svg" ? Picture::Svg : extension == "png" ? Picture::Png : Picture::Unknown;
}

namespace {

// Collects what a preview draws, and the summary's warning with it.
class PreviewReading : public SidePreview {
public:
    void material(const scenefile::MaterialRecord& r) override
    {
        SidePreview::material(r);
        summary.material(r);
    }
    void frameBegin(const scenefile::FrameRecord& r) override
    {
        SidePreview::frameBegin(r);
        summary.frameBegin(r);
    }
    void light(const scenefile::LightRecord& r) override { summary.light(r); }
    void view(const scenefile::ViewRecord& r) override { summary.view(r); }
    void lead(const scenefile::LeadRecord& r) override { summary.lead(r); }
    void sensor(const scenefile::SensorRecord& r) override { summary.sensor(r); }

    Summary summary;
};

}  // namespace

int preview(const std::string& path, const std::string& outPath, Picture format, std::ostream& err)
{
    PreviewReading reading;
    if (!visit(path, reading, err)) return kExitFailure;
    warnDefaultedNames(path, reading.summary.defaulted.total(), err);
    std::string title = path.substr(path.find_last_of("/\\") == std::string::npos ? 0 : path.find_last_of("/\\") + 1);
    std::string svg = reading.svg(title);

    fileio::OutputFile file(outPath);
    std::string problem;
    if (std::FILE* stream = file.open()) {
        if (format == Picture::Png) {
            problem = writeSvgAsPng(svg, stream);
        } else if (std::fwrite(svg.data(), 1, svg.size(), stream) != svg.size()) {
            problem = cannotWrite(file.error());
        }
        if (problem.empty() && !file.commit()) problem = cannotWrite(file.error());
    } else {
        problem = cannotWrite(file.error());
    }
    if (!problem.empty()) {  // the output file's destructor removes what was written of it
        err << about(outPath) << problem << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace cwstool
