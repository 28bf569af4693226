#include "cli/run_index.h"

#include "cli/json_log.h"
#include "platform/errors.h"
#include "platform/files.h"

#include <cstddef>

namespace tolv::cli {

namespace {

constexpr const char* IndexKind = "tolvane extraction index";
constexpr int IndexVersion = 1;
// Far above the index of a project's 50 rows per region.
constexpr std::size_t IndexSizeLimit = std::size_t(256) << 20;

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
    record.frame = entry.at("frame").get<std::string>();
    record.x = entry.at("x").get<int>();
    record.y = entry.at("y").get<int>();
    record.width = entry.at("width").get<int>();
    record.height = entry.at("height").get<int>();
    record.bpp = entry.at("bpp").get<int>();
    record.bytes = entry.at("bytes").get<std::uint64_t>();
    record.stamp = FileStamp{entry.at("bytes").get<std::uint64_t>(), entry.at("modified").get<std::int64_t>()};
    record.inputs = entry.at("inputs").get<std::string>();
    return record;
}

}  // namespace

PreviousOutputs ReadRunIndex(const std::string& path)
{
    if (!StampOf(path)) {
        return {};
    }
    PreviousOutputs outputs;
    try {
        const Json document = Json::parse(ReadWholeFile(path, IndexSizeLimit));
        if (document.at("index") != IndexKind || document.at("version") != IndexVersion) {
            throw IndexError(path + " is not an index of an extraction run");
        }
        // A file written twice in a run lies there as its last row left it.
        for (const Json& entry : document.at("outputs")) {
            OutputRecord record = RecordOf(entry);
            std::string file = record.file;
            outputs.insert_or_assign(std::move(file), std::move(record));
        }
    } catch (const Json::exception&) {
        throw IndexError(path + " is not an index of an extraction run");
    } catch (const TolvError& error) {
        throw IndexError(error.what());
    }
    return outputs;
}

void WriteRunIndex(const std::string& path, const std::string& projectFile, const std::vector<OutputRecord>& outputs)
{
    Json entries = Json::array();
    for (const OutputRecord& output : outputs) {
        Json entry = OutputJson(output, true);
        entry["modified"] = output.stamp.modified;
        entry["inputs"] = output.inputs;
        entries.push_back(std::move(entry));
    }
    const Json document{{"index", IndexKind}, {"version", IndexVersion}, {"project", projectFile}, {"outputs", entries}};
    WriteFileAtomically(path, document.dump(1, '\t', false, Json::error_handler_t::replace) + "\n");
}

void RecordingLog::Wrote(const OutputRecord& output)
{
    ++written_;
    outputs_.push_back(output);
    next_.Wrote(output);
}

void RecordingLog::Skipped(const OutputRecord& output)
{
    outputs_.push_back(output);
    next_.Skipped(output);
}

}  // namespace tolv::cli
