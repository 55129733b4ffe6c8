// MessagesGettext.cpp - messages through GNU gettext (see text/Messages.h).
//
// Text library, the Linux build's: glibc's libintl.
#include "text/Messages.h"

#include "text/CatalogueCheck.h"

#include <libintl.h>

#include <clocale>
#include <cstdio>   // fprintf
#include <cstdlib>  // getenv
#include <fstream>
#include <algorithm>  // find
#include <iterator>
#include <string>
#include <vector>
#include <system_error>
#include <filesystem>

#include <sys/stat.h>  // stat

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

// A codeset as the C library normalises it for a catalogue's folder name: letters in lower case,
// digits kept, the rest dropped; "iso" before one of digits only ("UTF-8" -> "utf8").
std::string normalisedCodeset(std::string_view codeset)
{
    std::string normal;
    bool letters = false;
    for (char c : codeset) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) normal += c;
        letters = letters || (c >= 'a' && c <= 'z');
    }
    return letters ? normal : "iso" + normal;
}

// Every folder name the C library may look for a catalogue under, for the locale of the messages
// and each language of LANGUAGE: "ja_JP.UTF-8@x" also as ja_JP.utf8, ja_JP, ja.UTF-8, ja and so on.
// Plain strings and a vector: this runs at every start of both programs.
std::vector<std::string> languageFolders()
{
    std::vector<std::string> folders;
    const char* locale = std::setlocale(LC_MESSAGES, nullptr);
    if (!locale || std::string_view(locale) == "C" || std::string_view(locale) == "POSIX") return folders;
    std::string names = locale;
    if (const char* languages = std::getenv("LANGUAGE")) names.append(":").append(languages);
    for (std::size_t start = 0; start <= names.size();) {
        std::size_t end = names.find(':', start);
        if (end == std::string::npos) end = names.size();
        std::string_view name = std::string_view(names).substr(start, end - start);
        start = end + 1;
        if (name.empty()) continue;
        const std::size_t at = name.find('@');
        const std::string_view modifier = at == std::string_view::npos ? "" : name.substr(at);
        name = name.substr(0, at);
        const std::size_t dot = name.find('.');
        const std::string_view codeset = dot == std::string_view::npos ? "" : name.substr(dot + 1);
        name = name.substr(0, dot);
        const std::size_t underscore = name.find('_');
        const std::string_view language = name.substr(0, underscore);
        const std::string_view territory = underscore == std::string_view::npos ? "" : name.substr(underscore);
        const std::string normal = normalisedCodeset(codeset);
        for (std::string_view t : {territory, std::string_view()}) {
            for (std::string_view c : {codeset, std::string_view(normal), std::string_view()}) {
                for (std::string_view m : {modifier, std::string_view()}) {
                    std::string folder(language);
                    folder.append(t);
                    if (!c.empty()) folder.append(".").append(c);
                    folder.append(m);
                    if (std::find(folders.begin(), folders.end(), folder) == folders.end()) folders.push_back(folder);
                }
            }
        }
    }
    return folders;
}

// The first catalogue of ours under `folder` that the C library might load and must not, with what
// is wrong with it; empty when there is none.
std::pair<std::string, std::string> damagedCatalogue(const std::string& folder)
{
    constexpr off_t kLargest = 16 << 20;  // ours is some 30 KB
    for (const std::string& language : languageFolders()) {
        std::string path = folder;
        path.append("/").append(language).append("/LC_MESSAGES/").append(kDomain).append(".mo");
        struct stat info;
        if (::stat(path.c_str(), &info) != 0) continue;
        if (info.st_size > kLargest) return {path, "larger than 16 MiB"};
        std::ifstream stream(path, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
        const std::string problem = !stream.is_open() || stream.bad() ? "it cannot be read" : catalogueProblem(bytes);
        if (!problem.empty()) return {path, problem};
    }
    return {};
}

}  // namespace

void initialise(const char* argv0)
{
    // LC_MESSAGES only: LC_NUMERIC would turn printf's decimal point into the locale's. The texts come
    // out in UTF-8 whatever LC_CTYPE says, as the console writes everything else in UTF-8.
    std::setlocale(LC_MESSAGES, "");
    // A damaged catalogue would crash the C library when it reads it: it is not used (the domain goes
    // where no catalogue is), and the user hears why, in a line of the program's own.
    std::string folder = catalogueFolder(argv0);
    const auto [damaged, problem] = damagedCatalogue(folder);
    if (!damaged.empty()) {
        const std::string program = argv0 ? fs::path(argv0).filename().string() : kDomain;
        const char* locale = std::setlocale(LC_MESSAGES, nullptr);
        if (locale && std::string_view(locale).substr(0, 2) == "ja") {
            std::fprintf(stderr, "%s: メッセージカタログ %s が壊れているため使いません (%s)\n", program.c_str(), damaged.c_str(),
                         problem.c_str());
        } else {
            std::fprintf(stderr, "%s: the message catalogue %s is damaged and not used (%s)\n", program.c_str(),
                         damaged.c_str(), problem.c_str());
        }
        folder = "/dev/null";  // a folder that holds nothing: every text stays English
    }
    bindtextdomain(kDomain, folder.c_str());
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
