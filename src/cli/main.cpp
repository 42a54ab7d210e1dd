#include <iostream>
#include <string>
#include <vector>

#include "cli/CalcTool.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return qv::RunCalc(args, std::cout, std::cerr);
}
