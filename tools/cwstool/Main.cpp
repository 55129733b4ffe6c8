// Main.cpp - cwstool's entry: the arguments to Commands.cpp, its exit status to the shell.
#include "tools/cwstool/Commands.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return cwstool::run(args, std::cout, std::cerr);
}
