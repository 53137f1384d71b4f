#include "cli/write_rows.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <simdjson.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "base/errors.h"
#include "base/text.h"

namespace qrn::cli {

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

// A JSON number as a number index, a JSON text as the writer takes a text index.
CatalogueIndex indexOf(simdjson::dom::element value) {
    using Type = simdjson::dom::element_type;
    double number = 0;
    switch (value.type()) {
        case Type::STRING: {
            std::u16string text;
            appendUtf16(text, value.get_string().value_unsafe());
            return CatalogueIndex::parse(text);
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

// The six texts that stand one after another in text, ending at ends[1] to ends[6].
std::array<std::u16string_view, kCellCount> cellViews(
    std::u16string_view text, const std::array<std::size_t, kCellCount + 1>& ends) {
    std::array<std::u16string_view, kCellCount> cells;
    for (std::size_t i = 0; i < cells.size(); ++i)
        cells[i] = text.substr(ends[i], ends[i + 1] - ends[i]);
    return cells;
}

}  // namespace

RowParser::RowParser() : parser_(std::make_unique<simdjson::dom::parser>()) {}

RowParser::~RowParser() = default;

ParsedRow RowParser::parse(std::string_view line) {
    padded_.resize(line.size() + simdjson::SIMDJSON_PADDING);
    std::memcpy(padded_.data(), line.data(), line.size());
    std::memset(padded_.data() + line.size(), 0, simdjson::SIMDJSON_PADDING);

    simdjson::dom::element document;
    if (parser_->parse(padded_.data(), line.size(), false).get(document)) return parseWithQt(line);
    simdjson::dom::object object;
    if (document.get_object().get(object))
        throw InvalidArgument(u"la ligne n'est pas un objet JSON");
    simdjson::dom::element index, cells;
    bool hasIndex = false, hasCells = false;
    for (const simdjson::dom::key_value_pair field : object) {
        if (field.key == "index") {
            index = field.value;
            hasIndex = true;
        } else if (field.key == "cells") {
            cells = field.value;
            hasCells = true;
        }
    }
    if (!hasIndex) throw InvalidArgument(u"clé « index » absente");
    if (!hasCells) throw InvalidArgument(u"clé « cells » absente");
    const CatalogueIndex catalogueIndex = indexOf(index);

    simdjson::dom::array array;
    if (cells.get_array().get(array) || array.size() != kCellCount)
        throw TypeMismatch(std::u16string(kSixTexts));
    cells_.clear();
    std::array<std::size_t, kCellCount + 1> ends{};
    int c = 0;
    for (const simdjson::dom::element cell : array) {
        std::string_view text;
        if (cell.get_string().get(text)) throw TypeMismatch(std::u16string(kSixTexts));
        appendUtf16(cells_, text);
        ends[std::size_t(++c)] = cells_.size();
    }
    return ParsedRow{cellViews(cells_, ends), catalogueIndex};
}

// The lines simdjson refuses are read as the tool has always read every line, with Qt's parser:
// its outcome and messages stay the tool's. Qt takes some lines simdjson does not, such as a
// text holding an escaped unpaired surrogate, which the writer's check then refuses.
ParsedRow RowParser::parseWithQt(std::string_view line) {
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
        catalogueIndex = CatalogueIndex::parse(index.toString().toStdU16String());
    } else {
        if (!index.isDouble()) throw TypeMismatch(u"« index » doit être un nombre ou un texte");
        catalogueIndex = numberIndex(index.toDouble());
    }
    const QJsonValue cells = object.value(QLatin1String("cells"));
    const QJsonArray array = cells.toArray();
    if (!cells.isArray() || array.size() != kCellCount)
        throw TypeMismatch(std::u16string(kSixTexts));
    cells_.clear();
    std::array<std::size_t, kCellCount + 1> ends{};
    for (int c = 0; c < kCellCount; ++c) {
        const QJsonValue cell = array.at(c);
        if (!cell.isString()) throw TypeMismatch(std::u16string(kSixTexts));
        cells_ += cell.toString().toStdU16String();
        ends[std::size_t(c + 1)] = cells_.size();
    }
    return ParsedRow{cellViews(cells_, ends), catalogueIndex};
}

void RowStore::add(const std::array<std::u16string_view, kCellCount>& cells, int index) {
    Row row{nullptr, {}, std::int16_t(index)};
    std::size_t total = 0;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        row.sizes[c] = std::uint8_t(std::min<std::size_t>(cells[c].size(), 255));
        total += row.sizes[c];
    }
    if (kBlockSize - used_ < total) {
        blocks_.push_back(std::make_unique_for_overwrite<char16_t[]>(kBlockSize));
        used_ = 0;
    }
    char16_t* out = blocks_.back().get() + used_;
    row.start = out;
    for (std::size_t c = 0; c < cells.size(); ++c)
        out = std::copy_n(cells[c].data(), row.sizes[c], out);
    used_ += total;
    rows_.push_back(row);
}

PlanRowView RowStore::row(long position) const {
    const Row& row = rows_[std::size_t(position - 1)];
    PlanRowView view;
    const char16_t* text = row.start;
    for (std::size_t c = 0; c < row.sizes.size(); ++c) {
        view.cells[c] = {text, row.sizes[c]};
        text += row.sizes[c];
    }
    view.index = row.index;
    return view;
}

}  // namespace qrn::cli
