// MessagesGettext.cpp - messages through GNU gettext (see text/Messages.h).
//
// Text library, the Linux build's: glibc's libintl.
#include "text/Messages.h"

#include <libintl.h>

#include <clocale>
#include <cstdlib>  // getenv
#include <string>
#include <system_error>
#include <filesystem>

namespace messages {

namespace {

namespace fs = std::filesystem;

// Where the catalogues are: SKIPFLOOR_LOCALEDIR; locale/ beside the program (the build folder);
// ../share/locale from the program (an installation, wherever its prefix was moved); else the folder
// the build was configured to install into.
std::string catalogueFolder(const char* argv0)
{
    const char* fromEnvironment = std::getenv("SKIPFLOOR_LOCALEDIR");
    if (fromEnvironment && *fromEnvironment) return fromEnvironment;
    std::error_code error;
    fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error && argv0) program = fs::absolute(argv0, error);
    if (!error) {
        const fs::path folder = program.parent_path();
        for (const fs::path& candidate : {folder / "locale", folder / ".." / "share" / "locale"})
            if (fs::is_directory(candidate, error)) return candidate.lexically_normal().string();
    }
    return SKIPFLOOR_LOCALEDIR;
}

}  // namespace

void initialise(const char* argv0)
{
    // LC_MESSAGES only: LC_NUMERIC would turn printf's decimal point into the locale's. The texts come
    // out in UTF-8 whatever LC_CTYPE says, as the console writes everything else in UTF-8.
    std::setlocale(LC_MESSAGES, "");
    bindtextdomain(kDomain, catalogueFolder(argv0).c_str());
    bind_textdomain_codeset(kDomain, "UTF-8");
    // The system's reasons (strerror) come from the C library's own catalogue; in UTF-8 too, or they
    // would be converted to the C locale's ASCII, every Japanese character a '?'.
    bind_textdomain_codeset("libc", "UTF-8");
}

const char* translate(const char* english) { return dgettext(kDomain, english); }

const char* translatePlural(const char* one, const char* many, unsigned long count)
{
    return dngettext(kDomain, one, many, count);
}

}  // namespace messages
