// The hand-written JSON printer against Qt's compact JSON writer, whose bytes the tool's output
// has always had.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <random>

#include "cli/json_text.h"

namespace {

QString qtText(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

// A value as Qt writes it, compact: the one element of a one-element array.
std::string qtJson(const QJsonValue& value) {
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2).toStdString();
}

// A row line as the tool wrote it through Qt.
std::string qtRowLine(int index, std::u16string_view building,
                      const std::array<std::u16string_view, 6>& cells) {
    QJsonArray array;
    for (std::u16string_view cell : cells) array.append(qtText(cell));
    return "{\"index\": " + qtJson(index) + ", \"building\": " + qtJson(qtText(building)) +
           ", \"cells\": " + qtJson(array) + "}\n";
}

std::string rowLine(int index, std::u16string_view building,
                    const std::array<std::u16string_view, 6>& cells) {
    std::string name, line;
    qrn::cli::appendJsonString(name, building);
    qrn::cli::appendRowLine(line, index, name, cells);
    return line;
}

TEST(JsonText, EveryKindOfCharacterIsWrittenAsQtWritesIt) {
    std::u16string all;
    for (char16_t c = 0; c < 0x100; ++c) all += c;
    all += u"\u2028\uFEFF\uFFFE\uFFFF\U0001F600";
    // Unpaired surrogates: alone, at the end, reversed, before another character.
    for (std::u16string text :
         {all, std::u16string(u"\xD800"), std::u16string(u"a\xDBFF"),
          std::u16string(u"\xDC00\xD800"), std::u16string(u"\xD83Dx\xDE00")}) {
        std::string out;
        qrn::cli::appendJsonString(out, text);
        EXPECT_EQ(out, qtJson(qtText(text)));
    }
    for (long long number : {0LL, -1LL, 1000LL, -32768LL, 32767LL, 9007199254740991LL}) {
        std::string out;
        qrn::cli::appendJsonNumber(out, number);
        EXPECT_EQ(out, qtJson(QJsonValue(qint64(number))));
    }
}

TEST(JsonText, RowsMatchQtOnGeneratedOnes) {
    // Names and cells of quotes, backslashes, control characters and non-ASCII characters.
    const std::u16string pieces[] = {
        u"\"", u"\\",     u"\x01",          u"\t",         u"\x1f", u"\x7f",
        u"é",  u"\u20AC", u"B\u00E2timent", u"\U0001F600", u"/",    u" "};
    std::mt19937 random(13);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces) - 1), length(0, 5);
    for (int i = 0; i < 1000; ++i) {
        std::array<std::u16string, 7> texts;
        for (std::u16string& text : texts)
            for (std::size_t n = length(random); n > 0; --n) text += pieces[piece(random)];
        const std::array<std::u16string_view, 6> cells{texts[1], texts[2], texts[3],
                                                       texts[4], texts[5], texts[6]};
        EXPECT_EQ(rowLine(i, texts[0], cells), qtRowLine(i, texts[0], cells));
    }
}

}  // namespace
