#include "cli/entry.h"
#include "platform/qt/file_size_signal.h"

int main(int argc, char** argv) {
    // A file size limit is an error like a full disk (EFBIG, exit 1 with the reason), not a
    // death by SIGXFSZ that leaves a cut file without a word.
    qrn::platform::ignoreFileSizeSignal();
    return qrn::cli::runProgram(std::vector<std::string>(argv + 1, argv + argc));
}
