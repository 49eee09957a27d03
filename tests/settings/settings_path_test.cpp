#include "settings/settings_path.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>


namespace {

struct PathRow {
    const char* behaviour;
    std::string startedAs;  // argv[0]
    std::string executable;
    std::optional<std::string> allUsersProfile, xdgConfigHome, home;
    std::string expectedPath;
    bool expectedCreateFolder;
};

const std::optional<std::string> unset;

TEST(ComputeSettingsLocation, FollowsTheFolderAndNameRules) {
    const std::string client = "/usr/bin/keva-client";
    const PathRow rows[] = {
        // clang-format off
        {"all-users profile", client, client, "/srv/shared", "/x/cfg", "/home/op", "/srv/shared/KEVA Client/keva-client.ini", false},
        {"all-users profile with a trailing slash", "keva-client", client, "/srv/", unset, unset, "/srv/KEVA Client/keva-client.ini", false},
        {"empty all-users profile falls back to the config folder", client, client, "", "/x/cfg", "/home/op", "/x/cfg/KEVA Client/keva-client.ini", true},
        {"XDG_CONFIG_HOME", client, client, unset, "/x/cfg", "/home/op", "/x/cfg/KEVA Client/keva-client.ini", true},
        {"empty XDG_CONFIG_HOME uses HOME", client, client, unset, "", "/home/op", "/home/op/.config/KEVA Client/keva-client.ini", true},
        {"relative XDG_CONFIG_HOME is ignored", client, client, unset, "cfg", "/home/op", "/home/op/.config/KEVA Client/keva-client.ini", true},
        {"HOME", client, client, unset, unset, "/home/op", "/home/op/.config/KEVA Client/keva-client.ini", true},
        {"a symbolic link to the program keeps its own name", "keva-client-radio2", client, "/srv", unset, "/home/op", "/srv/KEVA Client/keva-client-radio2.ini", false},
        {"nothing set: beside the executable", "/opt/keva/keva-client", "/opt/keva/keva-client", unset, unset, unset, "/opt/keva/keva-client.ini", false},
        {"beside the real executable, named as started; empty HOME counts as unset", "/home/op/bin/keva-client-radio2", "/opt/keva/keva-client", "", "", "", "/opt/keva/keva-client-radio2.ini", false},
        {"an empty argv[0]: the executable's name", "", "/opt/keva/client.bin", unset, unset, unset, "/opt/keva/client.ini", false},
        {"the extension is cut at the last dot", "../keva/client.bin.exe", "/opt/keva/client.bin.exe", unset, unset, "/home/op", "/home/op/.config/KEVA Client/client.bin.ini", true},
        {"a dot in a folder name is not an extension", "/opt/my.tools/client", "/opt/my.tools/client", "/srv", unset, unset, "/srv/KEVA Client/client.ini", false},
        {"a dot in a folder name, beside the executable", "./client", "/opt/my.tools/client", unset, unset, unset, "/opt/my.tools/client.ini", false},
        {"a leading dot belongs to the name", ".client", "/opt/.client", unset, unset, unset, "/opt/.client.ini", false},
        {"an executable path without a folder", "keva-client", "keva-client", unset, unset, unset, "keva-client.ini", false},
        {"executable in the root folder", "/keva-client", "/keva-client", unset, unset, unset, "/keva-client.ini", false},
        {"unknown executable path: no file", "keva-client", "", "/srv", unset, "/home/op", "", false},
        // clang-format on
    };
    for (const PathRow& row : rows) {
        const SettingsLocation location = ComputeSettingsLocation(
            row.startedAs, row.executable, {row.allUsersProfile, row.xdgConfigHome, row.home});
        EXPECT_EQ(location.path, row.expectedPath) << row.behaviour;
        EXPECT_EQ(location.createFolder, row.expectedCreateFolder) << row.behaviour;
    }
}

// The start-up computation, in this test program's own environment: the file is named after the
// name the program was started by.
TEST(SettingsFilePath, NamedAfterThisProgram) {
    const std::string path = ThisProgramsSettingsLocation().path;
    EXPECT_EQ(path.substr(path.rfind('/') + 1), "settings_test.ini");
    EXPECT_EQ(SettingsFilePath, path);
}

}  // namespace
