#pragma once

#include <string_view>

#include "base/errors.h"

namespace qrn {

// Calls take(line) for each line of text, LF, CR LF or CR ending them; a line end after the
// last line adds no line. A failure of take gets the line's number (from 1).
template <typename Take>
void forEachLine(std::u16string_view text, Take take) {
    long n = 0;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of(u"\r\n");
        const std::u16string_view line = text.substr(0, end);
        ++n;
        try {
            take(line);
        } catch (Error& error) {
            error.line = n;
            throw;
        }
        if (end == text.npos) break;
        const bool crlf = text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n';
        text.remove_prefix(end + (crlf ? 2 : 1));
    }
}

}  // namespace qrn
