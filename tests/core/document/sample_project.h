#pragma once

#include "support/project_builder.h"

#include <string>

namespace tolv::test {

// Three regions in `folder`: an overlay with its file, a text box and a
// background region "C"; two frames listed, both missing.
inline Project SampleProject(const std::string& folder)
{
    ProjectBuilder builder(folder);
    builder.listFrame("f1.bmp", FrameMissing).listFrame("f2.bmp", FrameMissing);
    builder.overlay(10, 10, 20, 20, PatternFrame(4, 4, 24), {{"f1.bmp", "a.bmp"}});
    builder.textBox(50, 10, 30, 20, {{"f2.bmp", "b.bmp"}});
    builder.region(RegionKind::Background, 90, 10, 40, 40, {{"f1.bmp", "c.bmp"}}, "C");
    builder.project.CurrentFrame = 1;
    return std::move(builder.project);
}

}  // namespace tolv::test
