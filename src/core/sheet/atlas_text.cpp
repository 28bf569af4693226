#include "sheet/atlas_text.h"

#include <nlohmann/json.hpp>

namespace tolv {

namespace {

// Keys keep the order engines and people expect to read them in.
using Json = nlohmann::ordered_json;

Json BoxJson(const SheetBox& box)
{
    return {{"x", box.x}, {"y", box.y}, {"w", box.width}, {"h", box.height}};
}

Json FrameJson(const AtlasFrame& frame)
{
    return {{"frame", BoxJson(frame.frame)},
            {"rotated", false},
            {"trimmed", frame.trimmed},
            {"spriteSourceSize", BoxJson(frame.spriteSource)},
            {"sourceSize", {{"w", frame.sourceWidth}, {"h", frame.sourceHeight}}},
            {"duration", frame.duration}};
}

Json FramesJson(const std::vector<AtlasFrame>& frames, AtlasLayout layout)
{
    if (layout == AtlasLayout::Hash) {
        Json hash = Json::object();
        for (const AtlasFrame& frame : frames)
            hash[frame.name] = FrameJson(frame);
        return hash;
    }
    Json list = Json::array();
    for (const AtlasFrame& frame : frames) {
        Json entry{{"filename", frame.name}};
        entry.update(FrameJson(frame));
        list.push_back(std::move(entry));
    }
    return list;
}

Json MetaJson(const AtlasMeta& meta, std::size_t frameCount)
{
    const int last = frameCount == 0 ? 0 : int(frameCount) - 1;
    Json key{{"frame", 0}, {"bounds", BoxJson(meta.bounds)}, {"pivot", {{"x", meta.pivotX}, {"y", meta.pivotY}}}};
    return {{"app", "Tolvane"},
            {"version", TOLV_VERSION},
            {"image", meta.image},
            {"format", meta.format},
            {"size", {{"w", meta.width}, {"h", meta.height}}},
            {"scale", "1"},
            {"frameTags", Json::array({{{"name", meta.region}, {"from", 0}, {"to", last}, {"direction", "forward"}}})},
            {"slices", Json::array({{{"name", meta.region}, {"color", "#0000ffff"}, {"keys", Json::array({key})}}})}};
}

}  // namespace

std::string AtlasText(const std::vector<AtlasFrame>& frames, const AtlasMeta& meta, AtlasLayout layout)
{
    const Json atlas{{"frames", FramesJson(frames, layout)}, {"meta", MetaJson(meta, frames.size())}};
    return atlas.dump(1, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace tolv
