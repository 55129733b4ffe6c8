// ParamFile.cpp - defaults, and the 120-byte parameter file (see ParamFile.h).
#include "builder/ParamFile.h"

#include "builder/CommandLineRecord.h"
#include <cwscene/FileAccess.h>

#include <algorithm>  // min
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace wizard {

namespace {

struct ParamSlot {
    std::size_t offset;
    double WizardParams::*field;
};

// The parameter file, 120 bytes, no padding, count or checksum:
//   OFFSET SIZE CONTENT
//        0    6 "Zendel" (magic)
//        6    1 0, terminator of the magic
//        7    1 0
//        8    4 "1000" (version text)
//       12    1 0, terminator of the version text
//       13    3 0
//       16    8 m_foundationHeight      (double, little-endian, like every value below)
//       24    8 m_buildingDepth
//       32    8 m_buildingWidth
//       40    8 m_siteWidth             (width before depth here, the reverse of WizardParams)
//       48    8 m_siteDepth
//       56    8 m_levelDifference
//       64    8 m_otherFloorThickness
//       72    8 m_firstFloorThickness
//       80    8 m_roomHeight1
//       88    8 m_roomHeight2
//       96    8 m_roomHeight3
//      104    8 m_roomHeight4           (after the third room height here, after the site in WizardParams)
//      112    8 m_wallThickness
// Load and save both walk this table; it is the only place that knows the file order.
constexpr std::size_t kHeaderSize = 16;
constexpr ParamSlot kParamSlots[] = {
    {16, &WizardParams::m_foundationHeight},
    {24, &WizardParams::m_buildingDepth},
    {32, &WizardParams::m_buildingWidth},
    {40, &WizardParams::m_siteWidth},
    {48, &WizardParams::m_siteDepth},
    {56, &WizardParams::m_levelDifference},
    {64, &WizardParams::m_otherFloorThickness},
    {72, &WizardParams::m_firstFloorThickness},
    {80, &WizardParams::m_roomHeight1},
    {88, &WizardParams::m_roomHeight2},
    {96, &WizardParams::m_roomHeight3},
    {104, &WizardParams::m_roomHeight4},
    {112, &WizardParams::m_wallThickness},
};
static_assert(kHeaderSize + 13 * 8 == kParamFileSize, "a 16-byte header and thirteen doubles");
static_assert(sizeof kParamSlots / sizeof kParamSlots[0] == 13, "one slot per parameter");

constexpr char kMagic[] = "Zendel";   // with its NUL: bytes 0 to 6
constexpr char kVersion[] = "1000";   // with its NUL: bytes 8 to 12
constexpr std::size_t kVersionOffset = 8;

void putDouble(unsigned char* out, double value)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 8; ++i) out[i] = static_cast<unsigned char>(bits >> (8 * i));
}

double getDouble(const unsigned char* in)
{
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits |= static_cast<std::uint64_t>(in[i]) << (8 * i);
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace

void SetDefaultParams(WizardParams& params)
{
    params.m_foundationHeight = 400.0;
    params.m_buildingDepth = 10.0;
    params.m_buildingWidth = 10.0;
    params.m_levelDifference = 1450.0;
    params.m_otherFloorThickness = 500.0;
    params.m_firstFloorThickness = 210.0;
    params.m_roomHeight1 = 2400.0;
    params.m_roomHeight2 = 2400.0;
    params.m_roomHeight3 = 2400.0;
    params.m_siteDepth = 15.0;
    params.m_siteWidth = 15.0;
    params.m_roomHeight4 = 2400.0;
    params.m_wallThickness = 100.0;
}

ParamFileBytes encodeParamFile(const WizardParams& params)
{
    ParamFileBytes bytes{};  // header padding is zero
    std::memcpy(bytes.data(), kMagic, sizeof kMagic);
    std::memcpy(bytes.data() + kVersionOffset, kVersion, sizeof kVersion);
    for (const ParamSlot& slot : kParamSlots) putDouble(bytes.data() + slot.offset, params.*slot.field);
    return bytes;
}

bool decodeParamFile(const ParamFileBytes& bytes, WizardParams& params)
{
    // The header is compared as a NUL-terminated string with "Zendel": bytes 7 to 15 do not matter.
    if (std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) return false;
    for (const ParamSlot& slot : kParamSlots) params.*slot.field = getDouble(bytes.data() + slot.offset);
    return true;
}

namespace {

// Reads the first 120 bytes of the file at `path` (fewer when it is shorter). Returns how many arrived,
// or -1 with errno set when it cannot be opened or read. Only a regular file is read: a FIFO or a
// device counts as unreadable, and the open never waits.
long readParamBytes(const std::string& path, ParamFileBytes& bytes)
{
    std::FILE* stream = fileio::openForReading(path);
    if (!stream) return -1;
    std::size_t got = std::fread(bytes.data(), 1, bytes.size(), stream);
    int readError = std::ferror(stream) ? (errno ? errno : EIO) : 0;
    std::fclose(stream);
    if (readError != 0) {
        errno = readError;
        return -1;
    }
    return static_cast<long>(got);
}

}  // namespace

int LoadParams(WizardParams& params, const CommandLineRecord& commandLine)
{
    ParamFileBytes bytes{};
    // A file shorter than 120 bytes, or a read error, counts like a foreign header: defaults.
    if (readParamBytes(commandLine.m_strParamPath, bytes) != static_cast<long>(bytes.size())) return 0;
    return decodeParamFile(bytes, params) ? 1 : 0;
}

ParamFileState inspectParamFile(const std::string& path, int* error)
{
    if (error) *error = 0;
    if (path.empty()) return ParamFileState::NoPath;
    ParamFileBytes bytes{};
    long got = readParamBytes(path, bytes);
    if (got < 0) {
        if (errno == ENOENT) return ParamFileState::Missing;
        if (error) *error = errno;
        return ParamFileState::Unreadable;
    }
    // What arrived of "Zendel" and its NUL must match, or the file is another program's.
    const std::size_t compared = std::min(static_cast<std::size_t>(got), sizeof kMagic);
    if (std::memcmp(bytes.data(), kMagic, compared) != 0) return ParamFileState::Foreign;
    return got < static_cast<long>(bytes.size()) ? ParamFileState::Short : ParamFileState::Ours;
}

fileio::WriteOutcome SaveParams(const WizardParams& params, const CommandLineRecord& commandLine)
{
    const ParamFileBytes bytes = encodeParamFile(params);
    return fileio::writeFile(commandLine.m_strParamPath,
                             std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace wizard
