#include "core/catalogue.h"

#include "base/errors.h"
#include "base/text.h"
#include "platform/platform.h"

namespace qrn {

namespace {

bool skippedWhereRecordBegins(const std::u16string& line) {
    return (!line.empty() && line[0] == u'\'') || line.empty() || line == u" ";
}

}  // namespace

Catalogue::Catalogue() : entries_(kSize) {
    rebuildPlanIdIndex();
}

const std::u16string& Catalogue::field(int index, int f) const {
    if (index < 0 || index > kMaxIndex)
        throw IndexError(u"index de catalogue " + decimal(index) + u" hors de 0 à 1000");
    if (f < 1 || f > 7) throw IndexError(u"champ de catalogue " + decimal(f) + u" hors de 1 à 7");
    return entries_[std::size_t(index)][std::size_t(f - 1)];
}

void Catalogue::load(platform::FileSystem& files, const std::u16string& path) {
    // Records are read aside and stored only once the whole file has been read, so a failed
    // load leaves the table and the count as they were.
    auto stream = files.OpenTextFile(path);
    std::vector<std::array<std::u16string, 7>> records;
    long lineNumber = 0;
    try {
        while (!stream->AtEndOfStream()) {
            std::u16string line = stream->ReadLine();
            ++lineNumber;
            if (skippedWhereRecordBegins(line)) continue;
            if (records.size() == std::size_t(kSize)) {
                throw IndexError(
                    u"le catalogue est plein : il ne peut contenir que 1001 "
                    u"fiches, celle-ci serait la 1002e");
            }
            const long firstLine = lineNumber;
            std::array<std::u16string, 7>& record = records.emplace_back();
            record[0] = std::move(line);
            for (std::size_t f = 1; f < 7; ++f) {
                if (stream->AtEndOfStream()) {
                    InvalidArgument error(
                        u"le fichier se termine au milieu de la fiche commencée à la ligne " +
                        decimal(firstLine) + u" (une fiche compte 7 lignes)");
                    error.line = lineNumber;
                    throw error;
                }
                record[f] = stream->ReadLine();
                ++lineNumber;
            }
        }
    } catch (Error& error) {
        if (error.file.empty()) error.file = path;
        if (error.line == 0) error.line = lineNumber;
        throw;
    }
    assign(records);
}

void Catalogue::assign(const std::vector<std::array<std::u16string, 7>>& records) {
    if (records.size() > std::size_t(kSize))
        throw IndexError(u"le catalogue ne peut contenir que 1001 fiches");
    for (std::size_t i = 0; i < records.size(); ++i) entries_[i] = records[i];
    count_ = std::int16_t(int(records.size()) - 1);
    loaded_ = true;
    rebuildPlanIdIndex();
}

void Catalogue::rebuildPlanIdIndex() {
    planIdIndex_.clear();
    for (int i = 0; i <= count_; ++i) planIdIndex_.try_emplace(entries_[std::size_t(i)][1], i);
}

std::optional<int> Catalogue::findPlanId(std::u16string_view id) const {
    const auto found = planIdIndex_.find(id);
    if (found == planIdIndex_.end()) return std::nullopt;
    return found->second;
}

}  // namespace qrn
