#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <vector>

#include "base/errors.h"
#include "platform/qt/qt_file_system.h"
#include "platform/qt/qt_text_stream.h"
#include "tests/support/failure.h"
#include "tests/support/qt_files.h"

namespace qrn::platform {
namespace {

using test::u16;

struct Lines {
    const char* name;
    std::string bytes;
    std::vector<std::u16string> lines;
};

const std::size_t kChunk = QtTextStream::kChunkSize;

std::vector<Lines> lineCases() {
    const std::string chunkLessOne(kChunk - 1, 'a');
    const std::u16string kChunkLessOne(kChunk - 1, u'a');
    return {
        {"crlf", "ab\r\ncd\r\n", {u"ab", u"cd"}},
        {"lf", "ab\ncd", {u"ab", u"cd"}},
        {"cr", "ab\rcd\r", {u"ab", u"cd"}},
        {"mixed", "a\r\nb\nc\rd", {u"a", u"b", u"c", u"d"}},
        {"no_final_line_end", "only", {u"only"}},
        {"blank_lines", "\n\r\n\n", {u"", u"", u""}},
        {"cr_then_crlf", "\r\r\n", {u"", u""}},
        {"empty", "", {}},
        {"high_bytes", "\x80\xE9\x81\r\n", {u"€é\u0081"}},
        // Long lines are widened many bytes at a time while they are ASCII.
        {"high_byte_after_ascii_blocks",
         std::string(20, 'a') + "\x80" + std::string(20, 'b') + "\xFF",
         {std::u16string(20, u'a') + u"€" + std::u16string(20, u'b') + u"ÿ"}},
        {"high_byte_in_the_last_eight",
         std::string(16, 'a') + "abc\x9D" + "defg",
         {std::u16string(16, u'a') + u"abc\u009Ddefg"}},
        {"ascii_blocks_and_tail",
         std::string(16, 'a') + std::string(8, 'b') + "cd",
         {std::u16string(16, u'a') + std::u16string(8, u'b') + u"cd"}},
        {"crlf_across_chunks", chunkLessOne + "\r\nb", {kChunkLessOne, u"b"}},
        {"cr_cr_across_chunks", chunkLessOne + "\r\rb", {kChunkLessOne, u"", u"b"}},
        {"cr_ends_chunk_and_file", chunkLessOne + "\r", {kChunkLessOne}},
        {"lf_starts_chunk", std::string(kChunk, 'a') + "\nb", {std::u16string(kChunk, u'a'), u"b"}},
        {"longer_than_chunks",
         std::string(3 * kChunk + 5, 'x') + "\r\ny",
         {std::u16string(3 * kChunk + 5, u'x'), u"y"}},
    };
}

class TextStreamLines : public ::testing::TestWithParam<Lines> {};

TEST_P(TextStreamLines, SplitsAtEveryLineEnd) {
    QTemporaryDir dir;
    const QString path = dir.filePath("plan d'été € 東.txt");  // spaces and non-ASCII: as typed
    test::writeBytes(path, QByteArray::fromStdString(GetParam().bytes));
    QtFileSystem files;
    auto stream = files.OpenTextFile(u16(path));
    std::vector<std::u16string> lines;
    while (!stream->AtEndOfStream()) lines.push_back(stream->ReadLine());
    EXPECT_EQ(lines, GetParam().lines);
    const Error error = test::failureOf([&] { stream->ReadLine(); });  // past the end
    EXPECT_EQ(error.file, u16(path));
    EXPECT_EQ(error.line, long(lines.size()) + 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextStreamLines, ::testing::ValuesIn(lineCases()),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace qrn::platform
