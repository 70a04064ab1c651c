// velmo-cli convert: Velmo1_2's conversion of a version-1 data file, without
// the window. Exit code 0 converted, 1 failed or refused, 2 the source has
// the current layout already.
#include <cstdio>

#include "cli.h"
#include "dataconvert.h"

namespace {

int Convert(const CliArgs& a) {
    if (a.positional.size() != 2) throw CliFailure{"usage: velmo-cli convert SOURCE TARGET"};
    clsConvert convert;
    ConvertStatus status = convert.Run(a.positional[0], a.positional[1]);
    std::fputs(convert.Message().c_str(), stderr);
    switch (status) {
        case ConvertStatus::Converted: return 0;
        case ConvertStatus::AlreadyCurrent: return 2;
        default: return 1;
    }
}

CliRegistrar r({"convert", "convert SOURCE TARGET", {}, Convert});

}  // namespace
