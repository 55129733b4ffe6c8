// ParamFileFuzz.cpp - fuzz target for the parameter file: decodeParamFile on any 120 bytes (shorter
// inputs are padded with zeros, as a short file would be refused before decoding anyway).
//
// Properties: a refused header leaves the parameters untouched; an accepted file's thirteen doubles
// come back bit for bit from encodeParamFile, which in turn decodes to the same parameters.
#include "builder/ParamFile.h"
#include "fuzz/FuzzTargets.h"

#include <algorithm>  // copy_n, min
#include <cstring>    // memcmp

using namespace wizard;  // the wizard's code under test

namespace fuzz {

int paramFile(const std::uint8_t* data, std::size_t size)
{
    ParamFileBytes bytes{};
    std::copy_n(data, std::min(size, bytes.size()), bytes.begin());

    WizardParams params;
    SetDefaultParams(params);
    WizardParams before = params;
    if (!decodeParamFile(bytes, params)) {
        require(std::memcmp(&params, &before, sizeof params) == 0, "a refused file changed the parameters");
        return 0;
    }
    ParamFileBytes encoded = encodeParamFile(params);
    require(std::memcmp(encoded.data() + 16, bytes.data() + 16, kParamFileSize - 16) == 0,
            "the thirteen doubles did not survive decode and encode bit for bit");
    WizardParams again;
    require(decodeParamFile(encoded, again), "the encoder's own header was refused");
    require(std::memcmp(&again, &params, sizeof params) == 0, "encode and decode changed a parameter");
    return 0;
}

}  // namespace fuzz
