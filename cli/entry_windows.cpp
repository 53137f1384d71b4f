#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "base/text.h"
#include "cli/entry.h"

// The command line as the system gives it, in UTF-16, so names in any language reach the
// program; the standard streams carry bytes as they are, with no CR put before an LF.
int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) {
        const std::wstring word(argv[i]);
        words.push_back(qrn::encodeFileName(std::u16string(word.begin(), word.end())));
    }
    return qrn::cli::runProgram(words);
}
