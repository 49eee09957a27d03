#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "settings/private_profile.h"
#include "support/temp_folder.h"

namespace {

constexpr int32_t kTextDefault = 7929855;

class SettingsFileTest : public testing::Test {
protected:
    SettingsLocation File() const { return {(folder.path() / "keva-client.ini").string(), false}; }
    void Store(const std::string& text) const { WriteText(File().path, text); }
    std::string Stored() const { return ReadText(File().path); }

    TempFolder folder;
};

struct ColorRow {
    const char* behaviour;
    std::string value;
    int32_t expected;
};

TEST_F(SettingsFileTest, ColorValuesFollowTheStarAndAtolRules) {
    const ColorRow rows[] = {
        {"a leading star gives the default", "*123", kTextDefault},
        {"then the atol rule", "  -12x", -12},
        {"cut to 9 characters", "1234567890123", 123456789},
        {"an empty value gives 0", "", 0},
        {"a plain colour", "16744576", 16744576},
    };
    for (const ColorRow& row : rows) {
        Store("[Color]\nText=" + row.value + "\n");
        EXPECT_EQ(ReadColorSetting(File(), "Text", kTextDefault), row.expected) << row.behaviour;
    }
}

TEST_F(SettingsFileTest, SectionAndKeyNamesMatchWhateverTheirCase) {
    const char* const files[] = {"[Color]\nText=255\n", "[COLOR]\nText=255\n",
                                 "[color]\ntext=255\n", "[ Color ]\nTEXT = 255\n"};
    for (const char* text : files) {
        Store(text);
        EXPECT_EQ(ReadColorSetting(File(), "Text", kTextDefault), 255) << text;
    }
    Store("[server]\nADDRESS=keva.example\n");
    EXPECT_EQ(ReadServerSetting(File(), "Address", ""), "keva.example");
}

TEST_F(SettingsFileTest, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(ReadServerSetting(File(), "Port", "12059"), "12059");
    EXPECT_EQ(ReadColorSetting(File(), "Selected", 255), 255);
    Store("[Other]\nPort=1\nSelected=1\n");
    EXPECT_EQ(ReadServerSetting(File(), "Port", "12059"), "12059");
    EXPECT_EQ(ReadColorSetting(File(), "Selected", 255), 255);
    Store("[Server]\nAddress=\n");
    EXPECT_EQ(ReadServerSetting(File(), "Address", ""), "");
    EXPECT_EQ(ReadServerSetting(File(), "Station", "1"), "1");
}

TEST_F(SettingsFileTest, ServerValuesAreCutTo1023Characters) {
    Store("[Server]\nAddress=" + std::string(1023, 'a') + "\nPort=" + std::string(1024, '7') +
          "\n");
    EXPECT_EQ(ReadServerSetting(File(), "Address", ""), std::string(1023, 'a'));
    EXPECT_EQ(ReadServerSetting(File(), "Port", ""), std::string(1023, '7'));
    EXPECT_EQ(ReadServerSetting(File(), "Radio", std::string(2000, '1')), std::string(1023, '1'));
}

TEST_F(SettingsFileTest, WritingKeepsCommentsSectionsAndOtherKeys) {
    Store(
        "; shared by the operators of the station\n"
        "\n"
        "[Logging]\n"
        "; level of detail\n"
        "Level=3\n"
        "\n"
        "# the switching server\n"
        "[SERVER]\n"
        "Address=keva.example\n"
        "; next line is changed\n"
        "port=1\n"
        "\n"
        "[color]\n"
        "Text=255\n"
        "; trailing note\n"
        "# and another\n");
    WriteServerSetting(File(), "Port", "12060");
    WriteColorSetting(File(), "Selected", 16711680);
    WriteServerSetting(File(), "Station", "2a");

    const std::string after = Stored();
    for (const char* kept : {"; shared by the operators of the station\n", "[Logging]\n",
                             "; level of detail\n", "Level=3\n", "# the switching server\n",
                             "[SERVER]\n", "Address=keva.example\n", "; next line is changed\n",
                             "[color]\n", "Text=255\n", "; trailing note\n# and another\n"}) {
        EXPECT_NE(after.find(kept), std::string::npos) << kept << " missing from\n" << after;
    }
    EXPECT_EQ(after.find("port=1\n"), std::string::npos) << after;
    EXPECT_EQ(ReadServerSetting(File(), "Port", ""), "12060");
    EXPECT_EQ(ReadServerSetting(File(), "Station", ""), "2a");
    EXPECT_EQ(ReadServerSetting(File(), "Address", ""), "keva.example");
    EXPECT_EQ(ReadColorSetting(File(), "Selected", 0), 16711680);
    EXPECT_EQ(ReadColorSetting(File(), "Text", 0), 255);

    // A second rewrite neither grows nor repeats anything.
    WriteServerSetting(File(), "Port", "12060");
    EXPECT_EQ(Stored(), after);
}

TEST_F(SettingsFileTest, CommentOnlyFileIsKeptOnce) {
    Store("; first\n; second\n\n; after a blank line\n");
    WriteServerSetting(File(), "Radio", "2");
    const std::string after = Stored();
    for (const char* comment : {"; first\n; second\n", "; after a blank line\n"}) {
        const std::size_t at = after.find(comment);
        ASSERT_NE(at, std::string::npos) << comment << " missing from\n" << after;
        EXPECT_EQ(after.find(comment, at + 1), std::string::npos) << comment << " twice in\n"
                                                                  << after;
    }
    EXPECT_EQ(ReadServerSetting(File(), "Radio", ""), "2");
}

TEST_F(SettingsFileTest, WrittenValuesReadBack) {
    WriteColorSetting(File(), "Unavailable", 16744576);
    WriteColorSetting(File(), "Text", -2147483647 - 1);
    WriteServerSetting(File(), "Address", "  127.0.0.1");
    WriteServerSetting(File(), "Port", "80\n[Color]\nText=1");
    EXPECT_EQ(ReadColorSetting(File(), "Unavailable", 0), 16744576);
    // Written whole, read back through the 9-character cut.
    EXPECT_NE(Stored().find("-2147483648"), std::string::npos);
    EXPECT_EQ(ReadColorSetting(File(), "Text", 0), -21474836);
    EXPECT_EQ(ReadServerSetting(File(), "Address", ""), "127.0.0.1");
    // A line break ends the value instead of adding lines to the file.
    EXPECT_EQ(ReadServerSetting(File(), "Port", ""), "80");
}

TEST_F(SettingsFileTest, ConfigFolderIsCreatedOnFirstWrite) {
    const auto folderPath = folder.path() / ".config" / "KEVA Client";
    const SettingsLocation file{(folderPath / "keva-client.ini").string(), true};
    EXPECT_EQ(ReadServerSetting(file, "Port", "12059"), "12059");
    EXPECT_FALSE(std::filesystem::exists(folderPath)) << "a read creates nothing";
    WriteServerSetting(file, "Port", "12060");
    EXPECT_EQ(ReadServerSetting(file, "Port", ""), "12060");
}

TEST_F(SettingsFileTest, AllUsersFolderIsNeverCreated) {
    const auto folderPath = folder.path() / "KEVA Client";
    const SettingsLocation file{(folderPath / "keva-client.ini").string(), false};
    WriteServerSetting(file, "Port", "12060");
    WriteColorSetting(file, "Text", 1);
    EXPECT_FALSE(std::filesystem::exists(folderPath));
    EXPECT_EQ(ReadServerSetting(file, "Port", "12059"), "12059");
}

TEST_F(SettingsFileTest, NoLocationWritesNothingAnywhereAndReadsDefaults) {
    const auto entries = [] {
        std::vector<std::filesystem::path> found;
        for (const auto& entry : std::filesystem::directory_iterator(".")) {
            found.push_back(entry.path());
        }
        return found;
    };
    const std::vector<std::filesystem::path> before = entries();
    EXPECT_FALSE(WriteProfileString(SettingsLocation{}, "Server", "Port", "12060"));
    WriteServerSetting(SettingsLocation{}, "Port", "12060");
    WriteColorSetting(SettingsLocation{}, "Text", 255);
    EXPECT_EQ(entries(), before) << "nothing written in the working folder";
    EXPECT_EQ(ReadServerSetting(SettingsLocation{}, "Port", "12059"), "12059");
    EXPECT_EQ(ReadColorSetting(SettingsLocation{}, "Text", kTextDefault), kTextDefault);
}

TEST_F(SettingsFileTest, UnreadableFileIsNotOverwritten) {
    std::filesystem::create_directory(File().path);  // a folder where the file should be
    WriteServerSetting(File(), "Port", "12060");
    EXPECT_TRUE(std::filesystem::is_directory(File().path));
    EXPECT_EQ(ReadServerSetting(File(), "Port", "12059"), "12059");
}

}  // namespace
