#pragma once

#include "core/project/project_lines.h"

#include <string>

namespace tolv::test {

// The example project: two frames, a clip region using both and a text box,
// exactly as the writer produces it.
inline std::string ExampleProjectText()
{
    return Lines({"[Main]",
                  "LockObj=0",
                  "ShowPreview=1",
                  "NudgeStep=5",
                  "Version2=1",
                  "CleanEdges=0",
                  "Rep=",
                  "Job=",
                  "Regions=2",
                  "[VidIziz]",
                  "Clips=1",
                  "Backgrnds=1",
                  "[Frames]",
                  "1=walk01.bmp",
                  "2=walk02.bmp",
                  "[Region1]",
                  "Name=Door",
                  "OVLName=",
                  "Visible=1",
                  "Backgrnd=0",
                  "Position=120,40,64,96",
                  "Clip1=walk01.bmp,,door1.bmp",
                  "Clip2=walk02.bmp,,door2.bmp",
                  "[Region2]",
                  "Name=Label",
                  "OVLName=",
                  "Visible=1",
                  "Backgrnd=2",
                  "Title=1",
                  "LineWidth=1",
                  "TitleHeight=20",
                  "TitleColor=128",
                  "BoxColor=16777215",
                  "Position=10,10,200,60",
                  "Clip1=walk01.bmp,,"});
}

// An older-layout project: the first region carries a text bar.
inline std::string OlderProjectText()
{
    return Lines({"[Main]",      "Regions=2", "NudgeStep=3", "[Frames]",  "1=a.bmp",   "[Backgrounds]",
                  "1=b.bmp",     "[Region1]", "left=5",      "top=6",     "width=50",  "height=60",
                  "Name=Source", "Visible=0", "Backgrnd=1",  "TextBar=1", "In1=a.bmp", "Out241=x.bmp",
                  "In3=b.bmp",   "[Region2]", "Name=Plain"});
}

}  // namespace tolv::test
