#include "platform/io/text_encoding.h"

#include <gtest/gtest.h>

namespace tolv {
namespace {

TEST(IsValidUtf8, AcceptsWellFormedSequencesOnly)
{
    for (const char* good :
         {"", "abc", "\xC3\xA9", "\xE2\x82\xAC", "\xED\x9F\xBF", "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF"})
        EXPECT_TRUE(IsValidUtf8(good)) << testing::PrintToString(good);
    for (const char* bad : {"\x80", "\xC0\xAF", "\xC1\xBF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF0\x80\x80\xAF",
                            "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xFF", "\xC3", "\xE2\x82", "\xE2\x28\xA1"})
        EXPECT_FALSE(IsValidUtf8(bad)) << testing::PrintToString(bad);
}

TEST(DecodeText, ConvertsWindows1252WhenNotUtf8)
{
    EXPECT_EQ(DecodeText("\x80\x8A\x99\xA0\xFF").Text, "\xE2\x82\xAC\xC5\xA0\xE2\x84\xA2\xC2\xA0\xC3\xBF");
    // One stray byte makes its whole line Windows-1252, so valid-looking pairs convert too.
    EXPECT_EQ(DecodeText("\xC3\xA9\xE9").Text, "\xC3\x83\xC2\xA9\xC3\xA9");
}

}  // namespace
}  // namespace tolv
