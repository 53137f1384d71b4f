#pragma once

#include <string>
#include <vector>

namespace qrn::cli {

// The whole program on the words of its command line after its name (file names as their bytes,
// see encodeFileName in base/text.h): runs the subcommand, reports failures, and returns the
// exit status. Each system's entry point hands the command line to it.
int runProgram(const std::vector<std::string>& words);

}  // namespace qrn::cli
