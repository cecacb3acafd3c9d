// `records info FILE` and `records dump FILE [--index N]`: look inside any record file.

#include <cstdio>
#include <iomanip>
#include <memory>
#include <ostream>
#include <sstream>
#include <sys/stat.h>

#include "cli/Command.h"
#include "cli/KnownLayouts.h"
#include "platform/ProgramDir.h"
#include "platform/Text.h"
#include "records/RecordFile.h"
#include "records/RecordLayout.h"

namespace vsp::cli {
namespace {

struct RawHeader {
    std::string path;
    uint64_t fileSize = 0;
    uint32_t version = 0, tag = 0;
    int32_t count = 0, size = 0;
};

// A FILE that is not found as given is looked for below the program directory, so
// "data/vespertar_hr.ppc" works from anywhere.
std::string LocateFile(CliContext& ctx, const std::string& given) {
    if (FileExists(given)) return given;
    std::string below = ctx.Home().Path(given);
    return FileExists(below) ? below : given;
}

// Reads the 16-byte header; on failure returns the message to show.
std::optional<std::string> ReadHeader(const std::string& path, RawHeader& header) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return "cannot open " + path;
    header.path = path;
    header.fileSize = uint64_t(st.st_size);
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return "cannot open " + path;
    uint8_t bytes[kRecordHeaderSize];
    const size_t got = std::fread(bytes, 1, sizeof bytes, f);
    std::fclose(f);
    if (got < sizeof bytes) {
        return path + ": " + std::to_string(got) + " bytes, shorter than the 16-byte header";
    }
    header.version = ReadU32(bytes);
    header.tag = ReadU32(bytes + 4);
    header.count = ReadI32(bytes + 8);
    header.size = ReadI32(bytes + 12);
    if (header.count < 0 || header.size < 0) {
        return path + ": the header holds a negative record count or size";
    }
    return std::nullopt;
}

uint64_t DataBytes(const RawHeader& h) { return uint64_t(h.count) * uint64_t(h.size); }

const RecordLayout* LayoutFor(const RawHeader& h, const RecordLayoutRegistry& registry) {
    return registry.Find(h.path, h.size, h.tag);
}

std::string Hex32(uint32_t v) {
    std::ostringstream s;
    s << "0x" << std::hex << std::setw(8) << std::setfill('0') << v;
    return s.str();
}

int PrintInfo(CliContext& ctx, const RawHeader& h, const RecordLayout* layout) {
    const uint64_t used = kRecordHeaderSize + DataBytes(h);
    const bool truncated = used > h.fileSize;
    const uint64_t trailing = truncated ? 0 : h.fileSize - used;
    if (ctx.Json()) {
        PrintJson(ctx, {{"file", h.path},
                        {"file_size", h.fileSize},
                        {"version", h.version},
                        {"version_low16", h.version & 0xFFFF},
                        {"tag", Cp1252ToUtf8(FourCharCodeToString(h.tag))},
                        {"tag_hex", Hex32(h.tag)},
                        {"record_count", h.count},
                        {"record_size", h.size},
                        {"data_bytes", DataBytes(h)},
                        {"trailing_bytes", trailing},
                        {"truncated", truncated},
                        {"layout", layout ? nlohmann::json(layout->name) : nlohmann::json()}});
    } else {
        std::ostream& out = ctx.Out();
        out << "file:         " << h.path << " (" << h.fileSize << " bytes)\n"
            << "version:      " << h.version << " (low 16 bits " << (h.version & 0xFFFF) << ")\n"
            << "tag:          " << Cp1252ToUtf8(FourCharCodeToString(h.tag)) << " (" << Hex32(h.tag) << ")\n"
            << "record count: " << h.count << "\n"
            << "record size:  " << h.size << "\n"
            << "layout:       " << (layout ? layout->name : std::string("unknown")) << "\n";
        if (truncated) {
            out << "warning:      the file ends " << (used - h.fileSize)
                << " bytes before its last record\n";
        } else if (trailing) {
            out << "trailing:     " << trailing << " bytes after the last record\n";
        }
    }
    return kExitOk;
}

std::string HexText(const std::vector<uint8_t>& bytes) {
    std::ostringstream s;
    for (size_t i = 0; i < bytes.size(); ++i) {
        s << (i ? " " : "") << std::hex << std::setw(2) << std::setfill('0') << int(bytes[i]);
    }
    return s.str();
}

void PrintHexDump(std::ostream& out, const std::vector<uint8_t>& bytes) {
    for (size_t row = 0; row < bytes.size(); row += 16) {
        out << "  " << std::hex << std::setw(4) << std::setfill('0') << row << "  ";
        for (size_t i = row; i < row + 16; ++i) {
            if (i < bytes.size()) out << std::setw(2) << int(bytes[i]) << ' ';
            else out << "   ";
        }
        out << std::dec << " ";
        for (size_t i = row; i < row + 16 && i < bytes.size(); ++i) {
            out << (bytes[i] >= 0x20 && bytes[i] < 0x7F ? char(bytes[i]) : '.');
        }
        out << "\n";
    }
}

int PrintRecord(CliContext& ctx, const RawHeader& h, const RecordLayout* layout, int64_t index) {
    if (index < 0 || index >= h.count) {
        return JobFailed(ctx, "Could not retrieve record!");
    }
    const uint64_t offset = kRecordHeaderSize + uint64_t(index) * uint64_t(h.size);
    // The header's size is believed only as far as the file holds the record.
    if (offset + uint64_t(h.size) > h.fileSize) return JobFailed(ctx, "Could not retrieve record!");
    std::vector<uint8_t> bytes(size_t(h.size));
    std::FILE* f = std::fopen(h.path.c_str(), "rb");
    const bool ok = f && ::fseeko(f, off_t(offset), SEEK_SET) == 0 &&
                    std::fread(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f) std::fclose(f);
    if (!ok) return JobFailed(ctx, "Could not retrieve record!");

    std::vector<std::pair<std::string, std::string>> fields;
    if (layout) fields = DecodeRecord(*layout, bytes.data(), bytes.size());
    if (ctx.Json()) {
        nlohmann::json named = nlohmann::json::object();
        for (auto& [name, value] : fields) named[name] = Cp1252ToUtf8(value);
        PrintJson(ctx, {{"file", h.path},
                        {"index", index},
                        {"offset", offset},
                        {"record_size", h.size},
                        {"hex", HexText(bytes)},
                        {"layout", layout ? nlohmann::json(layout->name) : nlohmann::json()},
                        {"fields", layout ? named : nlohmann::json()}});
        return kExitOk;
    }
    std::ostream& out = ctx.Out();
    out << "record " << index << " of " << h.count << " at offset " << offset << " (" << h.size
        << " bytes)\n";
    PrintHexDump(out, bytes);
    if (layout) {
        out << "fields (" << layout->name << "):\n";
        for (auto& [name, value] : fields) out << "  " << name << " = " << Cp1252ToUtf8(value) << "\n";
    }
    return kExitOk;
}

struct RecordsArgs {
    std::string file;
    int64_t index = 0;
};

// Runs `print` on the header of the file named and its known layout (null when none).
template <typename Print>
int WithHeader(CliContext& ctx, const std::string& file, Print print) {
    RawHeader header;
    if (auto problem = ReadHeader(LocateFile(ctx, file), header)) return JobFailed(ctx, *problem);
    const RecordLayoutRegistry layouts = KnownLayouts(ctx.Settings());
    return print(header, LayoutFor(header, layouts));
}

}  // namespace

void AddRecordsCommands(CommandRegistry& registry) {
    CLI::App* records = registry.AddFamily("records", "Inspect any record file");
    records->footer("FILE is a path; when not found as given it is looked for below the program directory.");
    auto args = std::make_shared<RecordsArgs>();
    CLI::App* info = registry.Add(
        "info", "The header (version, tag, record count and size) and how the length compares with it",
        [args](CliContext& ctx) {
            return WithHeader(ctx, args->file, [&](const RawHeader& h, const RecordLayout* layout) {
                return PrintInfo(ctx, h, layout);
            });
        },
        records);
    info->add_option("file", args->file, "the record file")->required()->type_name("FILE");
    CLI::App* dump = registry.Add(
        "dump", "One record as hex and, where its layout is known, field by field",
        [args](CliContext& ctx) {
            return WithHeader(ctx, args->file, [&](const RawHeader& h, const RecordLayout* layout) {
                return PrintRecord(ctx, h, layout, args->index);
            });
        },
        records);
    dump->add_option("file", args->file, "the record file")->required()->type_name("FILE");
    dump->add_option("--index", args->index, "the record (default 0)")->type_name("N");
}

}  // namespace vsp::cli
