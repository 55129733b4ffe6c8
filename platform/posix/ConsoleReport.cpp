// ConsoleReport.cpp - the console wizard's lines around the form (see ConsoleReport.h).
#include "platform/posix/ConsoleReport.h"

#include "builder/EnvironmentDefaults.h"  // kEnvironmentValues
#include "builder/ParamFile.h"
#include "text/Messages.h"
#include "platform/posix/ConsoleText.h"
#include <cwscene/FileAccess.h>

#include <cerrno>
#include <cstdlib>     // getenv
#include <filesystem>  // file_size
#include <iterator>    // size
#include <system_error>

namespace wizard::platform {

namespace {

constexpr char kProgram[] = "skipfloor-wizard: ";
constexpr int kEnvironmentValueCount = static_cast<int>(std::size(kEnvironmentValues));

std::string reason(int error) { return fileio::errorText(error != 0 ? error : EIO); }

// "wrote PATH (N bytes)", or without the size where it has none (a device).
std::string wrote(const std::string& path)
{
    std::error_code error;
    std::uintmax_t size = std::filesystem::file_size(fileio::finalTarget(path), error);
    return (error ? messages::filledIn(_("wrote %s"), path) : messages::filledIn(_("wrote %s (%s bytes)"), path, std::to_string(size))) + '\n';
}

// Why the registry defaults could not be written to `store`: the lock's trouble names the lock file.
std::string registryFailure(const std::string& store, const RegistryOutcome& outcome)
{
    std::string why;
    if (!outcome.lockPath.empty() && outcome.error == EWOULDBLOCK) {
        const int wait = outcome.lockWaitMilliseconds;
        const std::string waited = wait % 1000 == 0 ? std::to_string(wait / 1000) + " s" : std::to_string(wait) + " ms";
        why = messages::filledIn(_("another run holds %s; waited %s"), outcome.lockPath, waited);
    } else if (!outcome.lockPath.empty() && outcome.error == ELOOP) {
        why = messages::filledIn(_("its lock file %s is a symbolic link, which is never followed"), outcome.lockPath);
    } else if (!outcome.lockPath.empty()) {
        why = messages::filledIn(_("cannot use its lock file %s: %s"), outcome.lockPath, reason(outcome.error));
    } else if (outcome.error == ENODEV) {
        why = _("not a regular file");
    } else if (outcome.error == EBADMSG) {
        why = _("not a registry file (REGEDIT4 or version 5.00) this program can keep intact");
    } else {
        why = reason(outcome.error);
    }
    return messages::filledIn(_("could not write the registry defaults to %s: %s"), store, why) + '\n';
}

// "wrote PATH (N bytes)", or why it could not be written.
std::string fileLine(const fileio::WriteOutcome& file)
{
    if (file.written) return wrote(file.path);
    return messages::filledIn(_("could not write %s: %s"), file.path, reason(file.error)) + '\n';
}

// "registry: 8 values in STORE", or "7 of 8" where some were not set; "(unchanged)" when the store
// already held them all and was not written.
std::string registryValues(int values, const std::string& store, bool written)
{
    const std::string count = std::to_string(values);
    if (values == kEnvironmentValueCount) {
        return written ? messages::filledIn(_("registry: %s values in %s"), count, store)
                       : messages::filledIn(_("registry: %s values in %s (unchanged)"), count, store);
    }
    const std::string all = std::to_string(kEnvironmentValueCount);
    return written ? messages::filledIn(_("registry: %s of %s values in %s"), count, all, store)
                   : messages::filledIn(_("registry: %s of %s values in %s (unchanged)"), count, all, store);
}

bool registryWritten(const RegistryExport& registry)
{
    return registry.outcome && registry.valuesSet == kEnvironmentValueCount;
}

}  // namespace

std::string startWarnings(const std::vector<CommandParam>& params)
{
    WizardCommandLine commandLine;
    ParseCommandLine(params, commandLine);
    const std::string& path = commandLine.m_strParamPath;
    std::string warnings;
    int error = 0;
    switch (inspectParamFile(path, &error)) {
    case ParamFileState::Foreign:
        warnings += kProgram + messages::filledIn(_("%s is not a parameter file of this wizard: OK will replace it"), path) + '\n';
        break;
    case ParamFileState::Short:
        warnings += kProgram +
                    messages::filledIn(_("%s is shorter than a parameter file (120 bytes): the form shows the defaults, and OK "
                               "will replace it"),
                             path) +
                    '\n';
        break;
    case ParamFileState::Unreadable:
        warnings += kProgram +
                    messages::filledIn(_("cannot read %s: %s; the form shows the defaults"), path,
                             error == ENODEV ? std::string(_("not a regular file")) : reason(error)) +
                    '\n';
        break;
    case ParamFileState::NoPath:
    case ParamFileState::Missing:
    case ParamFileState::Ours:
        break;
    }
    if (fileio::sameFile(commandLine.m_strScenePath, path)) {
        warnings += kProgram +
                    messages::filledIn(_("%s is both the scene file and the parameter file: OK writes the scene there and "
                                         "not the parameters"),
                                       commandLine.m_strScenePath) +
                    '\n';
    }
    return warnings;
}

std::string resultLines(const RunReport& run, const std::string& registryStore)
{
    if (!run.confirmed) return std::string();
    std::string lines = fileLine(run.built.scene);

    const RegistryExport& registry = run.built.registry;
    if (registryStore.empty()) {
        lines += std::string(_("could not write the registry defaults: neither XDG_CONFIG_HOME nor HOME is an absolute "
                               "directory")) +
                 '\n';
    } else if (!registry.outcome) {
        lines += registryFailure(registryStore, registry.outcome);
    } else {
        lines += registryValues(registry.valuesSet, registryStore, registry.outcome.stored) + '\n';
    }

    if (run.params) lines += fileLine(*run.params);
    if (run.paramsSameAsScene) {
        lines += messages::filledIn(_("did not write the parameter file %s: it is the scene file just written"),
                                    run.built.scene.path) +
                 '\n';
    }
    return lines;
}

int exitStatus(const RunReport& run, bool reported)
{
    if (!run.confirmed) return kExitCancelled;
    const bool params = !run.params || run.params->written;
    return run.built.scene.written && registryWritten(run.built.registry) && params && reported ? kExitWritten
                                                                                                 : kExitNotWritten;
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
