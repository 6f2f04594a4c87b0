// The rules by which QueryFileSize reads a path, against scripted platform answers.
#include "toolkit/path_rules.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace wexa {
namespace {

// Answers from tables; remembers every question, so a test can see what was asked.
class ScriptedFacts final : public PathFacts {
public:
    std::set<std::u16string> drives;
    std::map<std::u16string, Entry> entries;
    std::map<std::u16string, Attributes> attributes;
    std::set<std::u16string> denied; // paths PathFileExists says are not there
    std::vector<std::string> asked;

    bool IsDrive(std::u16string_view root) override {
        Note("drive", root);
        return drives.count(std::u16string(root)) > 0;
    }
    std::optional<Entry> Find(std::u16string_view path) override {
        Note("find", path);
        auto it = entries.find(std::u16string(path));
        return it == entries.end() ? std::nullopt : std::optional<Entry>(it->second);
    }
    Attributes AttributesOf(std::u16string_view path) override {
        Note("attributes", path);
        auto it = attributes.find(std::u16string(path));
        return it == attributes.end() ? Attributes::Missing : it->second;
    }
    bool Exists(std::u16string_view path) override {
        Note("exists", path);
        return denied.count(std::u16string(path)) == 0;
    }

private:
    void Note(const char* what, std::u16string_view path) {
        asked.push_back(std::string(what) + " " + std::string(path.begin(), path.end()));
    }
};

using Asked = std::vector<std::string>;

constexpr PathFacts::Entry File(std::uint32_t high, std::uint32_t low) {
    return {false, high, low};
}
constexpr PathFacts::Entry Folder() {
    return {true, 0, 0};
}

TEST(QueryFileSizeRules, PathsThatNameNoFileAreNotLookedUp) {
    ScriptedFacts facts;
    EXPECT_EQ(SizeAtPath(u"", facts), NothingAtPath);
    EXPECT_EQ(SizeAtPath(u"\\\\//", facts), NothingAtPath);              // nothing left once trimmed
    EXPECT_EQ(SizeAtPath(u"d:\\kelvast6\\*.ttf", facts), NothingAtPath); // a pattern, not a name
    EXPECT_EQ(SizeAtPath(u"d:\\kelvast6\\vevoviv.tt?", facts), NothingAtPath);
    EXPECT_EQ(SizeAtPath(std::u16string_view(u"d:\\a\0b", 6), facts), NothingAtPath);
    EXPECT_EQ(facts.asked, Asked{});
}

TEST(QueryFileSizeRules, FilesGiveTheirSizeFromBothHalves) {
    ScriptedFacts facts;
    facts.entries[u"d:\\kelvast6\\vevoviv.ttf"] = File(0, 116096);
    facts.entries[u"d:\\empty"] = File(0, 0);
    facts.entries[u"d:\\big"] = File(1, 5);
    facts.entries[u"d:\\huge"] = File(0xFFFFFFFF, 0xFFFFFFFF);
    EXPECT_EQ(SizeAtPath(u"d:\\kelvast6\\vevoviv.ttf", facts), 116096);
    EXPECT_EQ(SizeAtPath(u"d:\\empty", facts), 0);
    EXPECT_EQ(SizeAtPath(u"d:\\big", facts), 0x100000005LL);
    EXPECT_GT(SizeAtPath(u"d:\\huge", facts), 0); // never mistaken for -1 or -2
}

TEST(QueryFileSizeRules, TrailingSeparatorsAreRemovedBeforeTheLookup) {
    ScriptedFacts facts;
    facts.entries[u"d:\\kelvast6"] = Folder();
    EXPECT_EQ(SizeAtPath(u"d:\\kelvast6\\/\\", facts), FolderAtPath);
    EXPECT_EQ(facts.asked, (Asked{"find d:\\kelvast6", "exists d:\\kelvast6"}));
}

TEST(QueryFileSizeRules, NotFoundIsNothingWithoutFurtherQuestions) {
    ScriptedFacts facts;
    facts.attributes[u"d:\\gone"] = PathFacts::Attributes::Folder; // must not be consulted
    EXPECT_EQ(SizeAtPath(u"d:\\gone", facts), NothingAtPath);
    EXPECT_EQ(SizeAtPath(u"\\single\\slash", facts), NothingAtPath);
    EXPECT_EQ(SizeAtPath(u".\\relative", facts), NothingAtPath);
    EXPECT_EQ(facts.asked, (Asked{"find d:\\gone", "find \\single\\slash", "find .\\relative"}));
}

TEST(QueryFileSizeRules, BareDriveIsAskedAboutAsItsRoot) {
    ScriptedFacts facts;
    facts.drives = {u"d:\\"};
    EXPECT_EQ(SizeAtPath(u"d:", facts), FolderAtPath);
    EXPECT_EQ(SizeAtPath(u"d:\\", facts), FolderAtPath);
    EXPECT_EQ(SizeAtPath(u"d:/", facts), FolderAtPath);
    EXPECT_EQ(SizeAtPath(u"q:\\", facts), NothingAtPath);
    EXPECT_EQ(facts.asked, (Asked{"drive d:\\", "exists d:\\", "drive d:\\", "exists d:\\", "drive d:\\", "exists d:\\",
                                  "drive q:\\"}));
}

TEST(QueryFileSizeRules, DoublePrefixLetsAttributesAndThenTheDriveTypeDecide) {
    for (const std::u16string path : {u"\\\\server\\share", u"//server/share", u"..\\up"}) {
        SCOPED_TRACE(std::string(path.begin(), path.end()));
        ScriptedFacts folder;
        folder.attributes[path] = PathFacts::Attributes::Folder;
        EXPECT_EQ(SizeAtPath(path, folder), FolderAtPath);

        ScriptedFacts other;
        other.attributes[path] = PathFacts::Attributes::Other;
        other.drives = {path + u"\\"};
        EXPECT_EQ(SizeAtPath(path, other), NothingAtPath); // the drive type is not asked then

        ScriptedFacts drive;
        drive.drives = {path + u"\\"};
        EXPECT_EQ(SizeAtPath(path + u"\\", drive), FolderAtPath);
        EXPECT_EQ(drive.asked.at(2), "drive " + std::string(path.begin(), path.end()) + "\\");

        ScriptedFacts nothing;
        EXPECT_EQ(SizeAtPath(path, nothing), NothingAtPath);
    }
}

TEST(QueryFileSizeRules, PathFileExistsHasTheLastWordOnEveryFind) {
    ScriptedFacts facts;
    facts.entries[u"d:\\file"] = File(0, 10);
    facts.entries[u"d:\\folder"] = Folder();
    facts.drives = {u"d:\\", u"\\\\server\\share\\"};
    facts.denied = {u"d:\\file", u"d:\\folder", u"d:\\", u"\\\\server\\share"};
    EXPECT_EQ(SizeAtPath(u"d:\\file", facts), NothingAtPath);
    EXPECT_EQ(SizeAtPath(u"d:\\folder\\", facts), NothingAtPath);
    EXPECT_EQ(SizeAtPath(u"d:", facts), NothingAtPath);
    EXPECT_EQ(SizeAtPath(u"\\\\server\\share", facts), NothingAtPath);
    facts.asked.clear();
    EXPECT_EQ(SizeAtPath(u"d:\\missing", facts), NothingAtPath); // nothing found: not asked again
    EXPECT_EQ(facts.asked, Asked{"find d:\\missing"});
}

TEST(QueryFileSizeRules, DevicePrefixIsNoWildcard) {
    ScriptedFacts facts;
    facts.entries[u"\\\\?\\d:\\kelvast6\\vevoviv.ttf"] = File(0, 7);
    EXPECT_EQ(SizeAtPath(u"\\\\?\\d:\\kelvast6\\vevoviv.ttf", facts), 7);
    EXPECT_TRUE(HasWildcard(u"\\\\?\\d:\\*"));
    EXPECT_FALSE(HasWildcard(u"\\\\.\\pipe\\x"));
}

} // namespace
} // namespace wexa
