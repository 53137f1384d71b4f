#pragma once

#include <exception>
#include <string>

namespace qrn {

// One failure convention for the whole program: a typed exception that carries what a
// message needs. The reason is French and says nothing of where; `describe` adds the file,
// line, row and column that the thrower or a caller on the way up filled in.
class Error : public std::exception {
public:
    enum class Kind { Index, InvalidArgument, TypeMismatch, Overflow, File };

    Error(Kind kind, std::u16string reason);

    Kind kind() const { return kind_; }
    const std::u16string& reason() const { return reason_; }

    // Where the failure happened; empty or 0 when unknown.
    std::u16string file;    // the file being read or written
    long line = 0;          // line of that file, from 1
    long row = 0;           // placement list row, from 1
    std::u16string column;  // "X", "Y", "N", "S", "E", "O" or "identifiant de plan"

    // The reason with the row and column in front, without the file and line
    // ("ligne 2 du plan, colonne X : ..."). The CLI puts FILE:LINE: before it.
    std::u16string message() const;
    // The whole French sentence: file, line, row, column and reason.
    std::u16string describe() const;
    // describe() in UTF-8.
    const char* what() const noexcept override;

private:
    Kind kind_;
    std::u16string reason_;
    mutable std::string what_;
};

// A position outside a fixed table or outside the list.
class IndexError : public Error {
public:
    explicit IndexError(std::u16string reason) : Error(Kind::Index, std::move(reason)) {}
};

// A value that cannot be used: a text too long to write, a plan line that cannot be split.
class InvalidArgument : public Error {
public:
    explicit InvalidArgument(std::u16string reason)
        : Error(Kind::InvalidArgument, std::move(reason)) {}
};

// A text that should be a number and is not.
class TypeMismatch : public Error {
public:
    explicit TypeMismatch(std::u16string reason) : Error(Kind::TypeMismatch, std::move(reason)) {}
};

// Checked arithmetic that would not fit its type.
class Overflow : public Error {
public:
    explicit Overflow(std::u16string reason) : Error(Kind::Overflow, std::move(reason)) {}
};

// A file that cannot be opened, read, written, renamed or deleted.
class FileError : public Error {
public:
    FileError(std::u16string path, std::u16string reason) : Error(Kind::File, std::move(reason)) {
        file = std::move(path);
    }
};

// A save that failed after the file itself had begun to change (writing in place) and whose
// earlier content could not be put back: the file is neither the old plan nor the new one.
class DamagedFileError : public FileError {
public:
    using FileError::FileError;
};

// Replace output over a file whose permissions forbid writing it (its mode denies its owner
// writing, or this user cannot write it): replaced only when asked again with ReplaceReadOnly.
class ReadOnlyFileError : public FileError {
public:
    using FileError::FileError;
};

// CreateNew output over a name that is already taken.
class FileExistsError : public FileError {
public:
    using FileError::FileError;
};

}  // namespace qrn
