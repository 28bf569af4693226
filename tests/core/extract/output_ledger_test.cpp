#include "extract/output_ledger.h"

#include "support/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tolv {
namespace {

class OutputLedgerTest : public testing::Test {
protected:
    OutputLedgerTest() { std::filesystem::create_directory(dir.path() / "VidIziz"); }

    // Writes the files, as a run would, and returns their records.
    std::vector<OutputRecord> made(std::initializer_list<const char*> names)
    {
        std::vector<OutputRecord> records;
        for (const char* name : names) {
            test::WriteText(dir.file(std::string("VidIziz/") + name), name);
            OutputRecord record;
            record.file = std::string("VidIziz/") + name;
            records.push_back(record);
        }
        return records;
    }
    std::vector<std::string> staleAfter(const std::vector<OutputRecord>& written, bool wentToEnd = true)
    {
        std::vector<std::string> files;
        for (const OutputRecord& file : ledger.afterRun("p.qvl", dir.path().string(), written, wentToEnd))
            files.push_back(file.file);
        return files;
    }
    bool exists(const char* name) const { return std::filesystem::exists(dir.path() / "VidIziz" / name); }

    test::TempDir dir;
    OutputLedger ledger;
};

using Files = std::vector<std::string>;

TEST_F(OutputLedgerTest, AFinishedRunReportsWhatEarlierRunsMadeAndItDoesNot)
{
    EXPECT_EQ(staleAfter(made({"a.bmp", "b.bmp", "c.bmp"})), Files{});
    EXPECT_EQ(staleAfter(made({"a.bmp"}), false), Files{}) << "a stopped run made only a part";
    std::filesystem::remove(dir.path() / "VidIziz" / "c.bmp");
    EXPECT_EQ(staleAfter(made({"a.bmp", "x.bmp"})), Files{"VidIziz/b.bmp"}) << "c.bmp is gone already";
    EXPECT_EQ(ledger.afterRun("other.qvl", dir.path().string(), made({"a.bmp"}), true).size(), 0u)
        << "each project has its own record";
}

TEST_F(OutputLedgerTest, RemovesOnlyStaleFilesThatAreAsTheRunLeftThem)
{
    staleAfter(made({"keep.bmp", "old.bmp", "edited.bmp"}));
    ASSERT_EQ(staleAfter(made({"keep.bmp"})), (Files{"VidIziz/edited.bmp", "VidIziz/old.bmp"}));
    test::WriteText(dir.file("VidIziz/edited.bmp"), "the user's own bytes");

    const auto outcomes = ledger.prune("p.qvl", dir.path().string());
    ASSERT_EQ(outcomes.size(), 2u);
    EXPECT_EQ(outcomes[0].second, PruneOutcome::Changed);
    EXPECT_EQ(outcomes[1].second, PruneOutcome::Removed);
    EXPECT_TRUE(exists("edited.bmp"));
    EXPECT_FALSE(exists("old.bmp"));
    EXPECT_TRUE(ledger.staleOf("p.qvl").empty());
    EXPECT_EQ(staleAfter(made({"keep.bmp"})), Files{"VidIziz/edited.bmp"}) << "a file left alone is reported again";
}

}  // namespace
}  // namespace tolv
