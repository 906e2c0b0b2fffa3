#pragma once
// The program's command line as UTF-8 text, as every name the program keeps
// is: on Windows main() gets it in the ANSI code page, which has no room for
// most characters of a file name; the wide command line has them all.

#include <string>
#include <vector>

namespace quorvane::platform {

// The arguments after the program's own name.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

}  // namespace quorvane::platform
