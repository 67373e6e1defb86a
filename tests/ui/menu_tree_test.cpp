// The menu tree as data, and finding the system-information program.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "model/catalogue.h"
#include "ui/menu_tree.h"
#include "ui/system_info.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

TEST(MenuTree, NamesAreUniqueAndNestingStepsOneLevelAtATime) {
    const auto tree = MenuTree();
    std::set<std::string_view> names;
    int previous = -1;
    for (std::size_t i = 0; i < tree.size(); ++i) {
        EXPECT_TRUE(names.insert(tree[i].name).second) << tree[i].name;
        EXPECT_LE(tree[i].level, previous + 1) << tree[i].name;
        if (tree[i].level == 0) {
            EXPECT_TRUE(IsSubmenu(tree, i)) << tree[i].name;
        }
        previous = tree[i].level;
    }
    EXPECT_EQ(tree.size(), 130u);
}

TEST(MenuTree, EveryConstructionCodeIsInTheCatalogueWithACommand) {
    for (const MenuEntry& e : MenuTree()) {
        if (e.code.empty()) continue;
        const CodeInfo* info = FindCode(e.code);
        ASSERT_NE(info, nullptr) << e.name << " " << e.code;
        EXPECT_TRUE(info->hasCommand) << e.name << " " << e.code;
    }
}

TEST(MenuTree, CentreItemsBuildTheCentresTheirCaptionsName) {
    std::string orthocentre, centroid;
    for (const MenuEntry& e : MenuTree()) {
        if (e.name == "mnuPsuishin") orthocentre = std::string(e.caption) + std::string(e.code);
        if (e.name == "mnuPjushin") centroid = std::string(e.caption) + std::string(e.code);
    }
    EXPECT_EQ(orthocentre, "垂心P4");
    EXPECT_EQ(centroid, "重心P3");
    EXPECT_NE(ProcedureDisplayName("P4").find("垂心"), std::string::npos);
    EXPECT_NE(ProcedureDisplayName("P3").find("重心"), std::string::npos);
}

TEST(MenuTree, OnlyThreeItemsAreGreyedForGood) {
    std::set<std::string_view> greyed;
    for (const MenuEntry& e : MenuTree()) {
        if (e.disabled) greyed.insert(e.name);
    }
    EXPECT_EQ(greyed, (std::set<std::string_view>{"mnuDeformPts", "mnuVar", "mnuMcalc"}));
}

class SystemInfoSearch : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("korvinth-sysinfo-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "a");
        fs::create_directories(root_ / "b");
    }
    void TearDown() override { fs::remove_all(root_); }
    std::string Make(const std::string& rel, bool executable) {
        const fs::path p = root_ / rel;
        std::ofstream(p) << "#!/bin/sh\n";
        fs::permissions(p, executable ? fs::perms::owner_all : fs::perms::owner_read);
        return p.string();
    }
    std::string Dirs() const { return (root_ / "a").string() + ":" + (root_ / "b").string(); }
    fs::path root_;
};

TEST_F(SystemInfoSearch, FindsTheFirstExecutableCandidateAlongThePath) {
    const std::array<std::string_view, 2> programs = {"first-choice", "second-choice"};
    EXPECT_EQ(FindOnPath(Dirs(), programs), "");
    Make("a/first-choice", false);  // not executable: skipped
    const std::string second = Make("b/second-choice", true);
    EXPECT_EQ(FindOnPath(Dirs(), programs), second);
    const std::string first = Make("b/first-choice", true);
    EXPECT_EQ(FindOnPath(Dirs(), programs), first) << "the preferred program wins";
    fs::create_directories(root_ / "a" / "second-choice");  // a folder is not a program
    EXPECT_EQ(FindOnPath((root_ / "a").string(), programs), "");
}

TEST_F(SystemInfoSearch, AnEmptyPathFindsNothing) {
    Make("a/hardinfo", true);
    EXPECT_EQ(FindOnPath("", SystemInfoCandidates()), "");
    EXPECT_EQ(FindOnPath("::", SystemInfoCandidates()), "");
    EXPECT_FALSE(SystemInfoCandidates().empty());
}

}  // namespace
}  // namespace kv
