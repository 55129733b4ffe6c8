// ConsoleReport.cpp - the console wizard's lines around the form (see ConsoleReport.h).
#include "platform/posix/ConsoleReport.h"

#include "app/ParamFile.h"
#include "platform/posix/RegFileRegistry.h"
#include <cwscene/FileAccess.h>

#include <cerrno>
#include <cstdlib>     // getenv
#include <filesystem>  // equivalent, weakly_canonical, file_size
#include <system_error>

namespace wizard::platform {

namespace {

constexpr char kProgram[] = "skipfloor-wizard: ";
constexpr int kEnvironmentValueCount = 8;

std::string reason(int error) { return fileio::errorText(error != 0 ? error : EIO); }

// "wrote PATH (N bytes)", or without the size where it has none (a device).
std::string wrote(const std::string& path)
{
    std::error_code error;
    std::uintmax_t size = std::filesystem::file_size(fileio::finalTarget(path), error);
    return error ? "wrote " + path + "\n" : "wrote " + path + " (" + std::to_string(size) + " bytes)\n";
}

// Why the registry defaults could not be written to `store`: the lock's trouble names the lock file.
std::string registryFailure(const std::string& store, const RegFileRegistry::Outcome& outcome)
{
    const std::string head = "could not write the registry defaults to " + store + ": ";
    if (outcome.lockBusy) {
        const int wait = outcome.lockWaitMilliseconds;
        const std::string waited = wait % 1000 == 0 ? std::to_string(wait / 1000) + " s" : std::to_string(wait) + " ms";
        return head + "another run holds " + outcome.lockPath + "; waited " + waited + "\n";
    }
    if (!outcome.lockPath.empty() && outcome.error == ELOOP) {
        return head + "its lock file " + outcome.lockPath + " is a symbolic link, which is never followed\n";
    }
    if (!outcome.lockPath.empty()) {
        return head + "cannot use its lock file " + outcome.lockPath + ": " + reason(outcome.error) + "\n";
    }
    if (outcome.error == ENODEV) return head + "not a regular file\n";
    if (outcome.error == EINVAL) return head + "not a REGEDIT4 file this program can keep intact\n";
    return head + reason(outcome.error) + "\n";
}

bool registryWritten(const RunReport& run, const RegFileRegistry& registry)
{
    return registry.lastOutcome().error == 0 && run.registryValues == kEnvironmentValueCount;
}

}  // namespace

bool namesSameFile(const std::string& a, const std::string& b)
{
    if (a.empty() || b.empty()) return false;
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error)) return true;
    // Not both there yet: compare where they would be made. weakly_canonical follows the links of the
    // part that exists and tidies the rest ("d/../a.cws").
    std::filesystem::path left = std::filesystem::weakly_canonical(std::filesystem::absolute(a, error), error);
    if (error) return false;
    std::filesystem::path right = std::filesystem::weakly_canonical(std::filesystem::absolute(b, error), error);
    return !error && left == right;
}

std::string startWarnings(const std::vector<CommandParam>& params)
{
    WizardCommandLine commandLine;
    ParseCommandLine(params, commandLine);
    const std::string& path = commandLine.m_strParamPath;
    std::string warnings;
    int error = 0;
    switch (inspectParamFile(path, &error)) {
    case ParamFileState::Foreign:
        warnings += kProgram + path + " is not a parameter file of this wizard: OK will replace it\n";
        break;
    case ParamFileState::Short:
        warnings += kProgram + path + " is shorter than a parameter file (120 bytes): the form shows the defaults, "
                    "and OK will replace it\n";
        break;
    case ParamFileState::Unreadable:
        warnings += std::string(kProgram) + "cannot read " + path + ": " +
                    (error == ENODEV ? std::string("not a regular file") : reason(error)) +
                    "; the form shows the defaults\n";
        break;
    case ParamFileState::NoPath:
    case ParamFileState::Missing:
    case ParamFileState::Ours:
        break;
    }
    if (namesSameFile(commandLine.m_strScenePath, path)) {
        warnings += kProgram + commandLine.m_strScenePath + " is both the scene file and the parameter file: OK "
                    "writes the scene there, then replaces it with the parameters\n";
    }
    return warnings;
}

std::string resultLines(const RunReport& run, const RegFileRegistry& registry)
{
    if (!run.confirmed) return std::string();
    std::string lines;
    lines += run.sceneSaved ? wrote(run.scenePath)
                            : "could not write " + run.scenePath + ": " + reason(run.sceneError) + "\n";

    const std::string& store = registry.storePath();
    const RegFileRegistry::Outcome& outcome = registry.lastOutcome();
    if (store.empty()) {
        lines += "could not write the registry defaults: neither XDG_CONFIG_HOME nor HOME is an absolute directory\n";
    } else if (outcome.error != 0) {
        lines += registryFailure(store, outcome);
    } else {
        lines += "registry: " + std::to_string(run.registryValues) +
                 (run.registryValues == kEnvironmentValueCount ? "" : " of 8") + " values in " + store +
                 (outcome.written ? "" : " (unchanged)") + "\n";
    }

    if (!run.paramPath.empty()) {
        lines += run.paramsSaved ? wrote(run.paramPath)
                                 : "could not write " + run.paramPath + ": " + reason(run.paramsError) + "\n";
    }
    return lines;
}

int exitStatus(const RunReport& run, const RegFileRegistry& registry)
{
    if (!run.confirmed) return kExitCancelled;
    const bool params = run.paramPath.empty() || run.paramsSaved;
    return run.sceneSaved && registryWritten(run, registry) && params ? kExitWritten : kExitNotWritten;
}

bool japaneseLocale()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) return std::string(value).compare(0, 2, "ja") == 0;
    }
    return false;
}

}  // namespace wizard::platform
