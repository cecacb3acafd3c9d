#include "solarsystem/MinorBodyImport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <queue>

#include <sys/stat.h>

#include "platform/UserFilesLock.h"
#include "solarsystem/ElementLineStream.h"
#include "solarsystem/MinorBodyDatabase.h"
#include "solarsystem/MpcElementLines.h"

namespace vsp {
namespace {

constexpr size_t kFilePiece = 1 << 16;

// The brightest objects seen so far, at most kMaxMinorBodyRecords, in their file order at the end.
class BrightestKept {
public:
    void Offer(MinorBodyRecord record, long order) {
        const double key = Key(record);
        if (heap_.size() == size_t(kMaxMinorBodyRecords)) {
            if (!(key < heap_.top().key)) return;
            heap_.pop();
        }
        heap_.push({key, order, std::move(record)});
    }
    std::vector<MinorBodyRecord> InFileOrder() {
        std::vector<Entry> entries;
        while (!heap_.empty()) {
            entries.push_back(std::move(const_cast<Entry&>(heap_.top())));
            heap_.pop();
        }
        std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.order < b.order; });
        std::vector<MinorBodyRecord> records;
        for (Entry& e : entries) records.push_back(std::move(e.record));
        return records;
    }

private:
    struct Entry {
        double key;
        long order;
        MinorBodyRecord record;
        bool operator<(const Entry& other) const { return key < other.key; }  // faintest on top
    };
    // An object without a magnitude is the first to give way.
    static double Key(const MinorBodyRecord& r) {
        return std::isnan(r.elements.absoluteMagnitude) ? HUGE_VAL : r.elements.absoluteMagnitude;
    }
    std::priority_queue<Entry> heap_;
};

class LineImporter {
public:
    LineImporter(const MinorBodyImportOptions& options, MinorBodyImportReport& report)
        : options_(options), report_(report) {}

    bool OnLine(std::string_view line) {
        ++report_.lines;
        if (line.starts_with("-----")) {
            inHeader_ = false;
            return true;
        }
        if (line.find_first_not_of(" \t") == std::string_view::npos) return true;
        const ElementLineFormat format = Format(line);
        if (format == ElementLineFormat::None) {
            if (!inHeader_) Reject("not an element line");
            return true;
        }
        inHeader_ = false;
        MinorBodyRecord record;
        std::string reason;
        const bool read = format == ElementLineFormat::Comet ? ReadCometLine(line, record, reason)
                                                             : ReadMinorPlanetLine(line, record, reason);
        if (!read) {
            Reject(reason);
            return true;
        }
        const int slot = KindSlot(record.elements.kind);
        ++report_.read[slot];
        if (!Passes(record)) return true;
        ++report_.kept[slot];
        kept_[slot].Offer(std::move(record), report_.lines);
        return true;
    }

    std::vector<MinorBodyRecord> Kept(int slot) { return kept_[slot].InFileOrder(); }

private:
    ElementLineFormat Format(std::string_view line) const {
        const ElementLineFormat told = RecogniseElementLine(line);
        if (!options_.kind || told == ElementLineFormat::None) return told;
        return *options_.kind == MinorBodyKind::Comet ? ElementLineFormat::Comet : ElementLineFormat::MinorPlanet;
    }

    bool Passes(const MinorBodyRecord& record) const {
        if (options_.kind && record.elements.kind != *options_.kind) return false;
        if (!options_.only.empty() &&
            std::none_of(options_.only.begin(), options_.only.end(),
                         [&](const std::string& typed) { return NamesMinorBody(record, typed); }))
            return false;
        if (options_.brighterThan && options_.magnitude)
            return options_.magnitude(record.elements) < *options_.brighterThan;
        return true;
    }

    void Reject(const std::string& reason) {
        ++report_.rejectCount;
        if (report_.rejects.size() < kReportedLineLimit) report_.rejects.push_back({report_.lines, reason});
    }

    const MinorBodyImportOptions& options_;
    MinorBodyImportReport& report_;
    BrightestKept kept_[2];
    bool inHeader_ = true;
};

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

bool StreamFile(const std::string& path, ElementLineStream& stream, InfoSink& messages) {
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
        messages.InfoBox("Can't open file.", path + " (not a regular file)");
        return false;
    }
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        messages.InfoBox("Can't open file.", path);
        return false;
    }
    std::vector<char> piece(kFilePiece);
    for (size_t got; (got = std::fread(piece.data(), 1, piece.size(), file.get())) > 0;)
        if (!stream.Feed(std::string_view(piece.data(), got))) break;
    if (std::ferror(file.get())) {
        messages.InfoBox("Can't open file.", path + " (read error)");
        return false;
    }
    return true;
}

bool StreamSource(const std::string& source, ElementLineStream& stream, const MinorBodyImportOptions& options,
                  InfoSink& messages) {
    const bool fetched = IsWebAddress(source)
                             ? StreamFromUrl(source, [&](std::string_view bytes) { return stream.Feed(bytes); },
                                             messages, options.timeouts) || !stream.Error().empty()
                             : StreamFile(source, stream, messages);
    if (!fetched) return false;
    if (!stream.Finish() || !stream.Error().empty()) {
        messages.InfoBox("Can't read the element file.", source + " (" + stream.Error() + ")");
        return false;
    }
    return true;
}

bool WriteDatabases(const ProgramDir& dir, LineImporter& importer, InfoSink& messages, MinorBodyImportReport& report) {
    UserFilesLock lock;
    if (!LockUserFiles(dir, messages, lock)) return false;
    for (MinorBodyKind kind : {MinorBodyKind::Comet, MinorBodyKind::MinorPlanet}) {
        const int slot = KindSlot(kind);
        if (report.kept[slot] == 0) continue;
        const std::vector<MinorBodyRecord> records = importer.Kept(slot);
        MinorBodyDatabase database(dir, messages, kind);
        std::string error;
        if (!database.Replace(records, error)) {
            messages.InfoBox("Could not write the database.", error);
            return false;
        }
        report.written[slot] = int(records.size());
    }
    return true;
}

}  // namespace

bool ImportMinorBodies(const ProgramDir& dir, const std::string& source, const MinorBodyImportOptions& options,
                       InfoSink& messages, MinorBodyImportReport& report) {
    report = MinorBodyImportReport{};
    LineImporter importer(options, report);
    ElementLineStream stream([&importer](std::string_view line) { return importer.OnLine(line); });
    if (!StreamSource(source, stream, options, messages)) return false;
    if (report.kept[0] + report.kept[1] == 0) {
        messages.InfoBox("No object has been loaded.", "Please check the file format.");
        return false;
    }
    return WriteDatabases(dir, importer, messages, report);
}

}  // namespace vsp
