#include "cli/output.h"

#include <cerrno>
#include <cstdio>

#include "base/errors.h"
#include "base/system_reason.h"
#include "base/text.h"
#include "planfile/json_row.h"

namespace qrn::cli {

namespace {

// Large enough that writing costs a system call every few thousand lines.
constexpr std::size_t kOutputBlock = 1 << 20;

std::string& outputBuffer() {
    static std::string buffer = [] {
        std::string bytes;
        bytes.reserve(kOutputBlock + 64 * 1024);
        return bytes;
    }();
    return buffer;
}

// The errno of the first failed write to stdout; 0 while every write has gone through.
int outputError = 0;

void noteOutputFailure() {
    if (outputError == 0) outputError = errno != 0 ? errno : EIO;
}

void writePending() {
    std::string& buffer = outputBuffer();
    errno = 0;
    if (!buffer.empty() && std::fwrite(buffer.data(), 1, buffer.size(), stdout) != buffer.size())
        noteOutputFailure();
    buffer.clear();
}

}  // namespace

std::string& pendingOutput() {
    return outputBuffer();
}

void lineAppended() {
    if (outputBuffer().size() >= kOutputBlock) writePending();
}

void printJsonLine(const JsonFields& fields) {
    std::string& out = outputBuffer();
    out += '{';
    bool first = true;
    for (const auto& [key, value] : fields) {
        if (!first) out += ", ";
        first = false;
        out += '"';
        out += key;
        out += "\": ";
        if (const long long* number = std::get_if<long long>(&value)) {
            appendJsonNumber(out, *number);
        } else {
            appendJsonString(out, std::get<std::u16string_view>(value));
        }
    }
    out += "}\n";
    lineAppended();
}

void printError(std::u16string_view file, long line, std::u16string_view message) {
    std::string text = file.empty() ? std::string("qrnplan") : toUtf8(displayName(file));
    if (line > 0) text += ":" + std::to_string(line);
    text += ": " + toUtf8(message) + "\n";
    std::fwrite(text.data(), 1, text.size(), stderr);
}

void printError(const Error& error, std::u16string_view fallbackFile) {
    printError(error.file.empty() ? fallbackFile : std::u16string_view(error.file), error.line,
               error.message());
}

bool finishOutput() {
    writePending();
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) noteOutputFailure();
    if (outputError == 0) return true;
    static bool said = false;
    if (!said) {
        said = true;
        printError({}, 0,
                   u"impossible d'écrire sur la sortie standard : " + systemReason(outputError));
    }
    return false;
}

}  // namespace qrn::cli
