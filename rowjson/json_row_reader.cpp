#include "rowjson/json_row_reader.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <simdjson.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "base/errors.h"
#include "base/text.h"

namespace qrn {

namespace {

// Appends the UTF-8 text (valid: the parser has checked it) as 16-bit text.
void appendUtf16(std::u16string& out, std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80) ++i;
    const std::size_t start = out.size();
    out.resize(start + i);
    std::copy(text.begin(), text.begin() + std::ptrdiff_t(i), out.begin() + std::ptrdiff_t(start));
    if (i < text.size()) out += fromUtf8(text.substr(i));
}

// A JSON number as a number index.
CatalogueIndex numberIndex(double number) {
    if (number != std::floor(number)) throw TypeMismatch(u"« index » doit être un nombre entier");
    if (number < -32768 || number > 32767) throw Overflow(u"« index » hors de -32768 à 32767");
    return CatalogueIndex::number(std::int16_t(number));
}

// A JSON text index, as the writer takes it.
CatalogueIndex textIndex(std::u16string_view text) {
    return CatalogueIndex::text(CatalogueIndex::parse(text).value());
}

CatalogueIndex indexOf(simdjson::dom::element value) {
    using Type = simdjson::dom::element_type;
    double number = 0;
    switch (value.type()) {
        case Type::STRING: {
            std::u16string text;
            appendUtf16(text, value.get_string().value_unsafe());
            return textIndex(text);
        }
        case Type::INT64:
            number = double(value.get_int64().value_unsafe());
            break;
        case Type::UINT64:
            number = double(value.get_uint64().value_unsafe());
            break;
        case Type::DOUBLE:
            number = value.get_double().value_unsafe();
            break;
        default:
            throw TypeMismatch(u"« index » doit être un nombre ou un texte");
    }
    return numberIndex(number);
}

constexpr std::u16string_view kSixTexts = u"« cells » doit être un tableau de six textes";

}  // namespace

JsonRowReader::JsonRowReader() : parser_(std::make_unique<simdjson::dom::parser>()) {}

JsonRowReader::~JsonRowReader() = default;

JsonRow JsonRowReader::row(CatalogueIndex index, bool hasBuilding) const {
    const std::u16string_view text = texts_;
    JsonRow row;
    for (std::size_t i = 0; i < row.cells.size(); ++i)
        row.cells[i] = text.substr(ends_[i], ends_[i + 1] - ends_[i]);
    row.index = index;
    row.hasBuilding = hasBuilding;
    if (hasBuilding) row.building = text.substr(ends_[kCellCount]);
    return row;
}

JsonRow JsonRowReader::read(std::string_view line) {
    padded_.resize(line.size() + simdjson::SIMDJSON_PADDING);
    std::memcpy(padded_.data(), line.data(), line.size());
    std::memset(padded_.data() + line.size(), 0, simdjson::SIMDJSON_PADDING);

    simdjson::dom::element document;
    if (parser_->parse(padded_.data(), line.size(), false).get(document)) return readWithQt(line);
    simdjson::dom::object object;
    if (document.get_object().get(object))
        throw InvalidArgument(u"la ligne n'est pas un objet JSON");
    simdjson::dom::element index, cells, building;
    bool hasIndex = false, hasCells = false, hasBuilding = false;
    for (const simdjson::dom::key_value_pair field : object) {
        if (field.key == "index") {
            index = field.value;
            hasIndex = true;
        } else if (field.key == "cells") {
            cells = field.value;
            hasCells = true;
        } else if (field.key == "building") {
            building = field.value;
            hasBuilding = true;
        }
    }
    if (!hasIndex) throw InvalidArgument(u"clé « index » absente");
    if (!hasCells) throw InvalidArgument(u"clé « cells » absente");
    const CatalogueIndex catalogueIndex = indexOf(index);

    simdjson::dom::array array;
    if (cells.get_array().get(array) || array.size() != kCellCount)
        throw TypeMismatch(std::u16string(kSixTexts));
    texts_.clear();
    std::size_t c = 0;
    for (const simdjson::dom::element cell : array) {
        std::string_view text;
        if (cell.get_string().get(text)) throw TypeMismatch(std::u16string(kSixTexts));
        appendUtf16(texts_, text);
        ends_[++c] = texts_.size();
    }
    std::string_view buildingText;
    hasBuilding = hasBuilding && !building.get_string().get(buildingText);
    if (hasBuilding) appendUtf16(texts_, buildingText);
    return row(catalogueIndex, hasBuilding);
}

// The lines simdjson refuses are read as `qrnplan write` has always read every line, with Qt's
// parser: its outcome and messages stay the tool's. Qt takes some lines simdjson does not, such
// as a text holding an escaped unpaired surrogate (which the copied rows may hold, and the
// writer's check then refuses).
JsonRow JsonRowReader::readWithQt(std::string_view line) {
    QJsonParseError parseError{};
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray(line.data(), qsizetype(line.size())), &parseError);
    if (parseError.error != QJsonParseError::NoError)
        throw InvalidArgument(u"JSON invalide à l'octet " + decimal(parseError.offset + 1));
    if (!document.isObject()) throw InvalidArgument(u"la ligne n'est pas un objet JSON");
    const QJsonObject object = document.object();
    if (!object.contains(QLatin1String("index"))) throw InvalidArgument(u"clé « index » absente");
    if (!object.contains(QLatin1String("cells"))) throw InvalidArgument(u"clé « cells » absente");
    const QJsonValue index = object.value(QLatin1String("index"));
    CatalogueIndex catalogueIndex = CatalogueIndex::number(0);
    if (index.isString()) {
        catalogueIndex = textIndex(index.toString().toStdU16String());
    } else {
        if (!index.isDouble()) throw TypeMismatch(u"« index » doit être un nombre ou un texte");
        catalogueIndex = numberIndex(index.toDouble());
    }
    const QJsonValue cells = object.value(QLatin1String("cells"));
    const QJsonArray array = cells.toArray();
    if (!cells.isArray() || array.size() != kCellCount)
        throw TypeMismatch(std::u16string(kSixTexts));
    texts_.clear();
    for (int c = 0; c < kCellCount; ++c) {
        const QJsonValue cell = array.at(c);
        if (!cell.isString()) throw TypeMismatch(std::u16string(kSixTexts));
        texts_ += cell.toString().toStdU16String();
        ends_[std::size_t(c + 1)] = texts_.size();
    }
    const QJsonValue building = object.value(QLatin1String("building"));
    if (building.isString()) texts_ += building.toString().toStdU16String();
    return row(catalogueIndex, building.isString());
}

}  // namespace qrn
