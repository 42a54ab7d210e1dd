#include <iostream>
#include <string>
#include <vector>

#include "cli/CalcTool.h"
#ifdef QV_CALC_PICTURES
#include "cli/QtPictureWriter.h"
#endif

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
#ifdef QV_CALC_PICTURES
    qv::QtPictureWriter pictures;
    return qv::FinishOutput(std::cout, std::cerr, qv::RunCalc(args, std::cout, std::cerr, &pictures));
#else
    return qv::FinishOutput(std::cout, std::cerr, qv::RunCalc(args, std::cout, std::cerr));
#endif
}
