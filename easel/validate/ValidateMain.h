// ValidateMain.h: the entry of `easel validate ARGS`; argv[0] is "validate".
#pragma once

#include <string>

namespace easel::validate {

// Parses the validator's options and runs it: 0 when every check passed, 1 when one failed,
// 2 for a usage error.
int Main(int argc, char** argv, const std::string& defaultPlugin);

}  // namespace easel::validate
