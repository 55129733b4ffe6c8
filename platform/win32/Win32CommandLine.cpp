// Win32CommandLine.cpp - the wizard's parameters from __wargv (see Win32CommandLine.h).
#include "platform/win32/Win32CommandLine.h"

#include "text/WideText.h"

#include <string_view>

namespace wizard::platform {

std::vector<CommandParam> commandParamsFromWide(int argc, const wchar_t* const* argv)
{
    std::vector<CommandParam> params;
    if (!argv) return params;
    for (int i = 1; i < argc; ++i) {
        std::wstring_view text(argv[i] ? argv[i] : L"");
        CommandParam param;
        param.isFlag = !text.empty() && (text.front() == L'-' || text.front() == L'/');
        param.text = utf8FromWide(param.isFlag ? text.substr(1) : text);
        params.push_back(std::move(param));
    }
    return params;
}

}  // namespace wizard::platform
