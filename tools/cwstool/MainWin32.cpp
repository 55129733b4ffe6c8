// MainWin32.cpp - cwstool's entry on Windows: the wide argument vector, converted to UTF-8, so that a
// Japanese path arrives intact whatever the ANSI code page (the core opens files by UTF-8 path).
#include "text/WideText.h"
#include "tools/cwstool/Commands.h"

#include <iostream>

int wmain(int argc, wchar_t** argv)
{
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(wizard::platform::utf8FromWide(argv[i]));
    return cwstool::run(args, std::cout, std::cerr);
}
