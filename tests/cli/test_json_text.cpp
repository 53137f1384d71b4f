// The hand-written JSON printer against Qt's compact JSON writer, whose bytes the tool's output
// has always had. How rows are laid out around these values: the qrnplan tests' expected lines.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>

#include "planfile/json_row.h"

namespace {

QString qtText(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

// A value as Qt writes it, compact: the one element of a one-element array.
std::string qtJson(const QJsonValue& value) {
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2).toStdString();
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
        qrn::appendJsonString(out, text);
        EXPECT_EQ(out, qtJson(qtText(text)));
    }
    for (long long number : {0LL, -1LL, 1000LL, -32768LL, 32767LL, 9007199254740991LL}) {
        std::string out;
        qrn::appendJsonNumber(out, number);
        EXPECT_EQ(out, qtJson(QJsonValue(qint64(number))));
    }
}

}  // namespace
