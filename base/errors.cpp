#include "base/errors.h"

#include "base/text.h"

namespace qrn {

Error::Error(Kind kind, std::u16string reason) : kind_(kind), reason_(std::move(reason)) {}

std::u16string Error::message() const {
    std::u16string where;
    if (row > 0) where = u"ligne " + decimal(row) + u" du plan";
    if (!column.empty()) {
        if (!where.empty()) where += u", ";
        where += u"colonne " + column;
    }
    return where.empty() ? reason_ : where + u" : " + reason_;
}

std::u16string Error::describe() const {
    std::u16string text;
    if (!file.empty()) text = u"Fichier " + quotedFileName(file);
    if (line > 0) text += (text.empty() ? u"Ligne " : u", ligne ") + decimal(line);
    if (text.empty()) return message();
    return text + u" : " + message();
}

const char* Error::what() const noexcept {
    try {
        what_ = toUtf8(describe());
    } catch (...) {
        return "qrn::Error";
    }
    return what_.c_str();
}

}  // namespace qrn
