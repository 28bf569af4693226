// Feeds arbitrary bytes to the INI reader and reads keys of every kind back.
#include "platform/io/inifile.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto reader = tolv::IniReader::FromText(text);
    for (const char* section : {"Main", "main", "Region1", "Frames", ""}) {
        if (reader.sectionExists(section)) {
            const std::string value = reader.readString(section, "Rep", "");
            if (value.size() > 4 * 2047)
                __builtin_trap();
        }
        reader.readInteger(section, "NudgeStep", 1);
        reader.readBool(section, "LockObj", false);
        reader.readString(section, "1", "fallback");
        reader.readString(section, "", "");
    }
    return 0;
}
