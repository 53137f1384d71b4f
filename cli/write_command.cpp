#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "base/codepage.h"
#include "base/errors.h"
#include "base/system_reason.h"
#include "base/text.h"
#include "cli/catalogue_loading.h"
#include "cli/output.h"
#include "cli/subcommands.h"
#include "cli/write_rows.h"
#include "core/catalogue.h"
#include "planfile/plan_save.h"
#include "planfile/plan_writer.h"
#include "planfile/read_back.h"
#include "platform/platform.h"
#include "platform/qt/native_path.h"
#include "rowjson/json_row_reader.h"

namespace qrn::cli {

namespace {

const char kHelp[] =
    "Usage : qrnplan write [LIGNES] [-o PLAN] [--force] [--catalogue FICHIER]\n"
    "Lit des rangées JSON Lines dans LIGNES (l'entrée standard sans LIGNES ou avec « - »),\n"
    "une par ligne : {\"index\": N ou \"N\", \"cells\": [six textes]}, N une entrée du\n"
    "catalogue ; les autres clés et les lignes vides sont ignorées (« qrnplan read PLAN |\n"
    "qrnplan write » marche). Écrit sur la sortie standard les octets du plan tels que\n"
    "l'enregistrement les écrit (Windows-1252, CR LF). Au moindre échec, rien sur la sortie\n"
    "standard : l'erreur nomme la ligne de LIGNES en cause (« - » pour l'entrée standard).\n"
    "Une rangée qui ne serait pas relue telle quelle (valeur vide après X, espace dans une\n"
    "valeur, valeur de 10 caractères collée à la suivante, identifiant de plan ambigu) est\n"
    "refusée ; avec --force elle est écrite quand même, une ligne d'avertissement par rangée.\n"
    "  -o PLAN  écrit le plan dans le fichier PLAN plutôt que sur la sortie standard : un\n"
    "           fichier temporaire à côté, synchronisé puis renommé ; en cas d'échec PLAN\n"
    "           reste tel qu'il était et aucun fichier n'est laissé.\n";

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The lines of the input file, or of stdin for "-", read a block at a time. The file is opened
// by its bytes, whatever its name's encoding, and a Windows drive path as every file is.
class InputLines {
public:
    InputLines(const std::string& operand, std::u16string name) : name_(std::move(name)) {
        if (operand == "-") {
            file_ = stdin;
        } else {
            owned_.reset(platform::openNativeFile(name_, "rb"));
            file_ = owned_.get();
        }
        if (file_ == nullptr)
            throw FileError(name_, u"impossible d'ouvrir le fichier : " + systemReason(errno));
        buffer_.resize(kBlock);
    }

    // The next line without its LF; false at the end of the input. The line lasts until the
    // next call.
    bool next(std::string_view& line) {
        while (true) {
            const void* lf = std::memchr(buffer_.data() + pos_, '\n', end_ - pos_);
            if (lf != nullptr) {
                const std::size_t stop = std::size_t(static_cast<const char*>(lf) - buffer_.data());
                line = {buffer_.data() + pos_, stop - pos_};
                pos_ = stop + 1;
                return true;
            }
            if (eof_) {
                if (pos_ == end_ && !pendingEnd_) return false;
                pendingEnd_ = false;  // the text after the last LF is a line, even when empty
                line = {buffer_.data() + pos_, end_ - pos_};
                pos_ = end_;
                return true;
            }
            refill();
        }
    }

private:
    static constexpr std::size_t kBlock = 1 << 20;

    // Keeps the unfinished line at the front and reads behind it, growing for a long line.
    void refill() {
        std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
        end_ -= pos_;
        pos_ = 0;
        if (buffer_.size() - end_ < kBlock / 2) buffer_.resize(buffer_.size() * 2);
        errno = 0;
        const std::size_t got = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
        if (got == 0) {
            if (std::ferror(file_))
                throw FileError(name_, u"impossible de lire le fichier : " +
                                           systemReason(errno != 0 ? errno : EIO));
            eof_ = true;
        }
        end_ += got;
    }

    std::u16string name_;
    std::unique_ptr<std::FILE, FileCloser> owned_;
    std::FILE* file_ = nullptr;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool eof_ = false;
    bool pendingEnd_ = true;
};

// Only spaces, tabs, CR, LF, VT or FF.
bool isBlank(std::string_view line) {
    for (char c : line)
        if (c != ' ' && (c < '\t' || c > '\r')) return false;
    return true;
}

// An entry between the catalogue count and 1000 holds nothing: the writer would write an empty
// plan identifier, and the plan could not be opened again. The editor never makes such a row.
void checkEntryExists(CatalogueIndex index, const Catalogue& catalogue) {
    if (index.value() > catalogue.count() && index.value() <= Catalogue::kMaxIndex) {
        const std::u16string entries = catalogue.count() < 0
                                           ? std::u16string(u" : il est vide")
                                           : u" (0 à " + decimal(catalogue.count()) + u")";
        throw IndexError(u"l'entrée " + decimal(index.value()) +
                         u" n'existe pas dans le catalogue" + entries);
    }
}

// The first value of the row that would not be read back as written, as a failure naming the
// row and the column, more after its reason; none when the row reads back.
std::optional<Error> readBackProblem(const JsonRow& row, long position, const Catalogue& catalogue,
                                     std::u16string_view more) {
    const PlanRowView view{row.cells, row.index.value()};
    if (readsBack(view, catalogue)) return std::nullopt;
    ReadBackProblem problem = readBackProblems(view, catalogue).front();
    InvalidArgument error(std::move(problem.reason) + std::u16string(more));
    error.row = position;
    error.column = std::move(problem.name);
    return error;
}

// The rows of the input lines, with the line each came from (blank lines are skipped). Every
// row is checked as the writer and the code page will take it; the first failure of each kind
// is kept, for a later line may hold a worse one: a line that makes no row comes first, then
// what the writer refuses, then what Windows-1252 cannot hold, then a row that would not read
// back (with force, each such row is said on stderr and written).
void readRows(const std::string& operand, const std::u16string& name, const Catalogue& catalogue,
              bool force, RowStore& rows, std::deque<long>& lines) {
    InputLines input(operand, name);
    JsonRowReader parser;
    std::optional<Error> writerFailure, encodingFailure, readBackFailure;
    std::string_view line;
    long lineNumber = 0;
    while (input.next(line)) {
        ++lineNumber;
        if (lineNumber == 1 && line.starts_with("\xef\xbb\xbf")) line.remove_prefix(3);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (isBlank(line)) continue;
        JsonRow row;
        try {
            row = parser.read(line);
            checkEntryExists(row.index, catalogue);
        } catch (Error& error) {
            error.file = name;
            error.line = lineNumber;
            throw;
        }
        const long position = rows.count() + 1;
        try {
            if (!writerFailure) checkWritable({row.cells, row.index.value()}, position, catalogue);
        } catch (const Error& error) {
            writerFailure = error;
        }
        try {
            if (!encodingFailure) checkEncodable(row.cells, position);
        } catch (const Error& error) {
            encodingFailure = error;
        }
        if (force) {
            if (const std::optional<Error> problem = readBackProblem(row, position, catalogue, {}))
                printError(name, lineNumber,
                           u"écrite quand même (--force) : " + problem->message());
        } else if (!readBackFailure) {
            readBackFailure =
                readBackProblem(row, position, catalogue, u" ; --force l'écrit quand même");
        }
        rows.add(row.cells, row.index.value());
        lines.push_back(lineNumber);
    }
    if (writerFailure) throw *writerFailure;
    if (encodingFailure) throw *encodingFailure;
    if (readBackFailure) throw *readBackFailure;
}

// The plan bytes on stdout, made and converted a piece at a time.
void writePlan(const RowStore& rows, const Catalogue& catalogue) {
    writeQRN(
        rows.count(), [&rows](long position) { return rows.row(position); }, catalogue,
        [](std::u16string_view piece) {
            encodeWindows1252(piece, pendingOutput());
            lineAppended();
        });
}

// The plan bytes in the file at path, replaced whole only once every byte is on the disk: a
// failure leaves the file as it was and no temporary file behind.
void writePlan(const RowStore& rows, const Catalogue& catalogue, const std::u16string& path,
               platform::FileSystem& files) {
#ifdef SIGXFSZ
    // A file size limit is a write that fails (EFBIG), said and cleaned up, not a kill that
    // would leave the temporary file behind.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    const std::unique_ptr<platform::OutputFile> out =
        files.CreateOutputFile(path, platform::CreateMode::Replace);
    writeQRN(
        rows.count(), [&rows](long position) { return rows.row(position); }, catalogue,
        [&out](std::u16string_view piece) { out->Write(piece); });
    out->Commit();
}

int run(const Arguments& args, Services& services) {
    rejectAges(args, "write");
    if (args.operands.size() > 1) throw UsageError("write attend au plus un fichier LIGNES");
    const std::string operand = args.operands.empty() ? "-" : args.operands[0];
    const std::u16string rows = operand == "-" ? u"-" : pathArgument(operand);
    std::optional<std::u16string> output;
    if (args.output) {
        if (args.output->empty()) throw UsageError("-o attend un nom de fichier");
        output = pathArgument(*args.output);
    }

    Catalogue catalogue;
    RowStore kept;
    std::deque<long> lines;  // the input line of each row
    try {
        loadCatalogue(catalogue, args, services);
        readRows(operand, rows, catalogue, args.force, kept, lines);
        if (output)
            writePlan(kept, catalogue, *output, services.files);
        else
            writePlan(kept, catalogue);
    } catch (Error& error) {
        // A failure of the writer names its row, from 1: point at that row's input line.
        if (error.row > 0 && error.file.empty()) {
            error.file = rows;
            error.line = lines.at(std::size_t(error.row - 1));
        }
        printError(error, rows);
        return kExitFailure;
    }
    return finishOutput() ? kExitSuccess : kExitFailure;
}

}  // namespace

const Command writeCommand{"write", kHelp, run};

}  // namespace qrn::cli
