#pragma once

#include <QFile>
#include <QSaveFile>

#include "platform/platform.h"

namespace qrn::platform {

// Replaces a file whole: the text goes to a temporary file that takes the name only when
// Commit() succeeds, so the old content survives any failure.
class ReplacingOutputFile : public OutputFile {
public:
    ReplacingOutputFile(const QString& nativePath, std::u16string displayPath);
    void Write(std::u16string_view text) override;
    void Commit() override;

private:
    QSaveFile file_;
    std::u16string path_;
};

// Creates a file that must not exist yet. The name is taken at once (so no one else can take
// it); the file is removed again when the output is destroyed without a successful Commit().
class NewOutputFile : public OutputFile {
public:
    NewOutputFile(const QString& nativePath, std::u16string displayPath);
    ~NewOutputFile() override;
    void Write(std::u16string_view text) override;
    void Commit() override;

private:
    QFile file_;
    std::u16string path_;
    bool writeFailed_ = false;
    bool committed_ = false;
};

}  // namespace qrn::platform
