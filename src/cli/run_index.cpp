#include "cli/run_index.h"

#include "cli/json_log.h"
#include "platform/errors.h"
#include "platform/io/files.h"

#include <sys/stat.h>

#include <chrono>
#include <cstddef>
#include <ctime>
#include <filesystem>
#include <system_error>

namespace tolv::cli {

namespace {

constexpr const char* IndexKind = "tolvane extraction index";
// Version 1 lacked the program, the time, the sources and the frame and hash
// fields of an entry; it is still read.
constexpr int IndexVersion = 2;
// Far above the index of a project's 50 rows per region.
constexpr std::size_t IndexSizeLimit = std::size_t(256) << 20;

std::uint64_t HashOfText(const std::string& text)
{
    try {
        return std::stoull(text, nullptr, 16);
    } catch (const std::exception&) {
        throw IndexError("bad hash " + text);
    }
}

OutputRecord RecordOf(const Json& entry)
{
    OutputRecord record;
    record.file = entry.at("file").get<std::string>();
    record.region = entry.at("region").get<std::string>();
    const std::string type = entry.at("type").get<std::string>();
    if (type != "clip" && type != "background") {
        throw IndexError("unknown type " + type);
    }
    record.type = type == "clip" ? RegionKind::Clip : RegionKind::Background;
    const std::string kind = entry.value("kind", std::string());
    if (!kind.empty() && kind != "sheet" && kind != "atlas") {
        throw IndexError("unknown kind " + kind);
    }
    record.kind = kind.empty() ? OutputKind::Image : kind == "sheet" ? OutputKind::Sheet : OutputKind::Atlas;
    record.frame = entry.at("frame").get<std::string>();
    record.x = entry.at("x").get<int>();
    record.y = entry.at("y").get<int>();
    record.width = entry.at("width").get<int>();
    record.height = entry.at("height").get<int>();
    record.bpp = entry.at("bpp").get<int>();
    record.bytes = entry.at("bytes").get<std::uint64_t>();
    record.stamp = FileStamp{entry.at("bytes").get<std::uint64_t>(), entry.at("modified").get<std::int64_t>()};
    record.inputs = entry.at("inputs").get<std::string>();
    record.frameBytes = entry.value("frameBytes", std::uint64_t(0));
    record.framePosition = entry.value("framePosition", 0);
    record.hash = HashOfText(entry.value("hash", std::string("0")));
    return record;
}

std::vector<OutputRecord> RecordsOf(const Json& entries)
{
    std::vector<OutputRecord> records;
    for (const Json& entry : entries) {
        records.push_back(RecordOf(entry));
    }
    return records;
}

Json EntryOf(const OutputRecord& output)
{
    Json entry = OutputJson(output, true);
    entry["modified"] = output.stamp.modified;
    entry["inputs"] = output.inputs;
    entry["frameBytes"] = output.frameBytes;
    entry["framePosition"] = output.framePosition;
    entry["hash"] = ContentHashText(output.hash);
    return entry;
}

Json EntriesOf(const std::vector<OutputRecord>& outputs)
{
    Json entries = Json::array();
    for (const OutputRecord& output : outputs) {
        entries.push_back(EntryOf(output));
    }
    return entries;
}

Json SourcesOf(const RunDescription& run)
{
    Json sources = Json::array();
    for (const InputSource& source : run.sources) {
        Json entry{{"file", source.path}, {"exists", source.seen.has_value()}};
        if (source.seen) {
            entry["bytes"] = source.seen->stamp.size;
            entry["modified"] = source.seen->stamp.modified;
        }
        // Only a run by content read the frames; overlays are always hashed.
        if (source.seen && (source.seen->hash != 0 || run.rule == ChangeRule::Content)) {
            entry["hash"] = ContentHashText(source.seen->hash);
        }
        sources.push_back(std::move(entry));
    }
    return sources;
}

std::string UtcNow()
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
    ::gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%FT%TZ", &utc);
    return text;
}

// The path with its folders' links and dots resolved as far as they exist, so
// that two names of one place compare equal.
std::filesystem::path ResolvedPath(const std::string& path)
{
    std::error_code error;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(std::filesystem::absolute(path, error), error);
    return error ? std::filesystem::path(path).lexically_normal() : resolved;
}

}  // namespace

void CheckIndexPlace(const std::string& path, const std::string& outputFolder,
                     const std::vector<std::string>& outputNames)
{
    struct stat info {};
    const bool exists = ::stat(path.c_str(), &info) == 0;
    if (exists && !S_ISREG(info.st_mode)) {
        throw IndexError(path + " is not a plain file and cannot take the index");
    }
    const std::filesystem::path place = ResolvedPath(path);
    // The run writes through no link below its folder, so its names join
    // the resolved folder as they are.
    const std::filesystem::path folder = ResolvedPath(outputFolder);
    for (const std::string& name : outputNames) {
        const std::string output = JoinPath(outputFolder, name);
        if ((folder / name).lexically_normal() == place || (exists && IdentityOf(output) == IdentityFromStat(info))) {
            throw IndexError(path + " is a file this run writes and cannot take the index");
        }
    }
}

std::vector<OutputRecord> PreviousRun::everyFile() const
{
    std::vector<OutputRecord> files = stale;
    for (const auto& [file, record] : outputs) {
        files.push_back(record);
    }
    return files;
}

PreviousRun ReadRunIndex(const std::string& path)
{
    if (!StampOf(path)) {
        return {};
    }
    PreviousRun previous;
    try {
        const Json document = Json::parse(ReadWholeFile(path, IndexSizeLimit));
        const int version = document.at("version").get<int>();
        if (document.at("index") != IndexKind || version < 1 || version > IndexVersion) {
            throw IndexError(path + " is not an index of an extraction run");
        }
        // A file written twice in a run lies there as its last row left it.
        for (OutputRecord& record : RecordsOf(document.at("outputs"))) {
            std::string file = record.file;
            previous.outputs.insert_or_assign(std::move(file), std::move(record));
        }
        previous.stale = RecordsOf(document.value("stale", Json::array()));
    } catch (const Json::exception&) {
        throw IndexError(path + " is not an index of an extraction run");
    } catch (const TolvError& error) {
        throw IndexError(error.what());
    }
    return previous;
}

void WriteRunIndex(const std::string& path, const RunDescription& run, const std::vector<OutputRecord>& outputs,
                   const std::vector<OutputRecord>& stale)
{
    const Json document{{"index", IndexKind},
                        {"version", IndexVersion},
                        {"program", "tolvane-cli " TOLV_VERSION},
                        {"time", UtcNow()},
                        {"project", run.projectFile},
                        {"changed", run.rule == ChangeRule::Content ? "content" : "stamp"},
                        {"sources", SourcesOf(run)},
                        {"outputs", EntriesOf(outputs)},
                        {"stale", EntriesOf(stale)}};
    WriteFileAtomically(path, document.dump(1, '\t', false, Json::error_handler_t::replace) + "\n");
}

std::string DepfileName(const std::string& name)
{
    std::string escaped;
    for (const char c : name) {
        if (c == '\n' || c == '\r') {
            throw IndexError("a depfile cannot name " + name);
        }
        if (c == ' ' || c == '\t' || c == '#') {
            escaped += '\\';
        }
        if (c == '$') {
            escaped += '$';
        }
        escaped += c;
    }
    return escaped;
}

void WriteDepfile(const std::string& path, const std::vector<std::string>& targets,
                  const std::vector<std::string>& prerequisites)
{
    std::string text;
    for (const std::string& target : targets) {
        text += (text.empty() ? "" : " \\\n") + DepfileName(target);
    }
    text += ":";
    for (const std::string& prerequisite : prerequisites) {
        text += " \\\n " + DepfileName(prerequisite);
    }
    WriteFileAtomically(path, text + "\n");
}

void RecordingLog::wrote(const OutputRecord& output)
{
    ++written_;
    keep(output);
    next_.wrote(output);
}

void RecordingLog::skipped(const OutputRecord& output)
{
    ++skipped_;
    keep(output);
    next_.skipped(output);
}

void RecordingLog::keep(const OutputRecord& output)
{
    if (keepsOutputs_) {
        outputs_.push_back(output);
    }
}

}  // namespace tolv::cli
