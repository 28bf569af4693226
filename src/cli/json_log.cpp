#include "cli/json_log.h"

namespace tolv::cli {

namespace {

Json Event(const char* name)
{
    return Json{{"event", name}};
}

}  // namespace

Json OutputJson(const OutputRecord& output, bool withBytes)
{
    Json fields{{"file", output.file},
                {"region", output.region},
                {"type", output.type == RegionKind::Clip ? "clip" : "background"},
                {"frame", output.frame},
                {"x", output.x},
                {"y", output.y},
                {"width", output.width},
                {"height", output.height},
                {"bpp", output.bpp}};
    if (output.kind != OutputKind::Image) {
        fields["kind"] = output.kind == OutputKind::Sheet ? "sheet" : "atlas";
    }
    if (withBytes) {
        fields["bytes"] = output.bytes;
    }
    return fields;
}

Json StaleEvent(const OutputRecord& file, const std::string& pruned)
{
    Json event{{"event", "stale"}, {"file", file.file}, {"region", file.region}, {"frame", file.frame}};
    if (!pruned.empty()) {
        event["pruned"] = pruned;
    }
    return event;
}

void JsonLog::logLine(const std::string& text, Color color)
{
    (void)text, (void)color;
}

void JsonLog::frameStarted(const std::string& frame, int position)
{
    print({{"event", "frame"}, {"name", frame}, {"index", position}});
}

void JsonLog::wrote(const OutputRecord& output)
{
    Json event = Event("write");
    event.update(OutputJson(output, !dryRun_));
    print(event);
}

void JsonLog::skipped(const OutputRecord& output)
{
    Json event = Event("skip");
    event.update(OutputJson(output, true));
    print(event);
}

void JsonLog::refused(const Refusal& refusal)
{
    print({{"event", "refuse"},
           {"region", refusal.region},
           {"frame", refusal.frame},
           {"output", refusal.output},
           {"message", refusal.message}});
}

void JsonLog::found(const std::string& subject, const std::string& message)
{
    print({{"event", "finding"}, {"subject", subject}, {"message", message}});
}

void JsonLog::noted(const std::string& subject, const std::string& message)
{
    print({{"event", "note"}, {"subject", subject}, {"message", message}});
}

void JsonLog::problem(const RunProblem& problem)
{
    static const char* const kinds[] = {"frame-missing", "frame-unreadable", "overlay-missing", "overlay-unreadable",
                                        "refused"};
    Json event{{"event", "problem"}, {"kind", kinds[static_cast<int>(problem.kind)]}, {"file", problem.file}};
    if (!problem.region.empty()) {
        event["region"] = problem.region;
    }
    event["message"] = problem.message;
    print(event);
}

// Names that are not UTF-8 still give valid JSON: their stray bytes become
// U+FFFD. Each line shows as soon as it happens.
void JsonLog::print(const Json& event)
{
    out_ << event.dump(-1, ' ', false, Json::error_handler_t::replace) << '\n';
    out_.flush();
}

}  // namespace tolv::cli
