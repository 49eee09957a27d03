// Where the settings file is, and how server and colour settings are read from and written to it.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "settings/private_profile.h"
#include "settings/settings_file.h"
#include "settings/settings_path.h"
#include "support/temp_folder.h"

namespace {

const std::optional<std::string> unset;

TEST(ComputeSettingsLocation, FollowsTheFolderAndNameRules) {
    const std::string client = "/usr/bin/keva-client";
    const struct {
        const char* behaviour;
        std::string startedAs;  // argv[0]
        std::string executable;
        std::optional<std::string> allUsersProfile, xdgConfigHome, home;
        std::string expectedPath;
        bool expectedCreateFolder;
    } rows[] = {
        // clang-format off
        {"all-users profile with a trailing slash", "keva-client", client, "/srv/", unset, unset, "/srv/KEVA Client/keva-client.ini", false},
        {"empty all-users profile falls back to the config folder", client, client, "", "/x/cfg", "/home/op", "/x/cfg/KEVA Client/keva-client.ini", true},
        {"relative XDG_CONFIG_HOME is ignored", client, client, unset, "cfg", "/home/op", "/home/op/.config/KEVA Client/keva-client.ini", true},
        {"a symbolic link to the program keeps its own name", "keva-client-radio2", client, "/srv", "/x/cfg", "/home/op", "/srv/KEVA Client/keva-client-radio2.ini", false},
        {"beside the real executable, named as started; empty HOME counts as unset", "/home/op/bin/keva-client-radio2",
            "/opt/keva/keva-client", "", "", "", "/opt/keva/keva-client-radio2.ini", false},
        {"an empty argv[0]: the executable's name", "", "/opt/keva/client.bin", unset, unset, unset, "/opt/keva/client.ini", false},
        {"the extension is cut at the last dot", "../keva/client.bin.exe", "/opt/keva/client.bin.exe", unset, unset,
            "/home/op", "/home/op/.config/KEVA Client/client.bin.ini", true},
        {"a dot in a folder name is not an extension", "/opt/my.tools/client", "/opt/my.tools/client", "/srv", unset, unset, "/srv/KEVA Client/client.ini", false},
        {"a dot in a folder name, beside the executable", "./client", "/opt/my.tools/client", unset, unset, unset, "/opt/my.tools/client.ini", false},
        {"a leading dot belongs to the name", ".client", "/opt/.client", unset, unset, unset, "/opt/.client.ini", false},
        {"an executable path without a folder", "keva-client", "keva-client", unset, unset, unset, "keva-client.ini", false},
        {"executable in the root folder", "/keva-client", "/keva-client", unset, unset, unset, "/keva-client.ini", false},
        {"unknown executable path: no file", "keva-client", "", "/srv", unset, "/home/op", "", false},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        const SettingsLocation location = ComputeSettingsLocation(
            row.startedAs, row.executable, {row.allUsersProfile, row.xdgConfigHome, row.home});
        EXPECT_EQ(location.path, row.expectedPath);
        EXPECT_EQ(location.createFolder, row.expectedCreateFolder);
    }
    // At start-up, in this program's own environment: named after the name it was started by.
    const std::string path = ThisProgramsSettingsLocation().path;
    EXPECT_EQ(path.substr(path.rfind('/') + 1), "settings_test.ini");
    EXPECT_EQ(SettingsFilePath, path);
}

// Steps: "S:key=value" writes a server setting, "C:..." a colour, "S:key?default" reads one; "T"
// gives the file's text, "F" whether its folder exists. A row expects these joined by commas.
TEST(SettingsFile, ReadsAndWritesByTheDefaultCaseCutKeepAndLocationRules) {
    const std::string a1023(1023, 'a');
    const std::vector<std::string> writeTwice = {"S:Port?12059", "F", "S:Port=12060", "C:Text=1",
                                                 "S:Port?12059", "T"};
    const struct {
        const char* behaviour;
        std::optional<std::string> before;  // none: no file
        std::vector<std::string> steps;
        std::string expected;
        const char* where = "keva-client.ini";  // under the test's folder; none: no location
        bool createFolder = false;
        bool folderThere = false;  // a folder stands where the file should be
    } rows[] = {
        // clang-format off
        {"colour: a leading star gives the default", "[Color]\nText=*123\n", {"C:Text?7929855"}, "7929855"},
        {"colour: then the atol rule", "[Color]\nText=  -12x\n", {"C:Text?1"}, "-12"},
        {"colour: cut to 9 characters", "[Color]\nText=1234567890123\n", {"C:Text?1"}, "123456789"},
        {"colour: an empty value gives 0", "[Color]\nText=\n", {"C:Text?1"}, "0"},
        {"names in any case, blanks around them", "[ COLOR ]\ntext = 255\n", {"C:Text?1"}, "255"},
        {"server section any case", "[server]\nADDRESS=keva.example\n", {"S:Address?"}, "keva.example"},
        {"colour: no section", "[Other]\nPort=1\nSelected=1\n", {"C:Selected?255"}, "255"},
        {"an empty value is no default; no key", "[Server]\nAddress=\n", {"S:Address?x", "S:Station?1"}, ",1"},
        {"server values are cut to 1023", "[Server]\nPort=" + a1023 + "7\n", {"S:Port?"}, a1023},
        {"so are defaults, with no file", unset, {"S:Radio?" + a1023 + "1"}, a1023},
        {"comments, sections and other keys are kept", "; shared by the operators of the station\n\n[Logging]\n; level of"
            " detail\nLevel=3\n\n# the switching server\n[SERVER]\nAddress=keva.example\n; next line is changed\nport=1\n\n[color]\nText=255\n;"
            " trailing note\n# and another\n", {"S:Port=12060", "C:Selected=16711680", "S:Station=2a", "T"}, "; shared by the operators"
            " of the station\n\n\n[Logging]\n\n; level of detail\nLevel=3\n\n\n# the switching server\n[SERVER]\nAddress=keva.example\n\n;"
            " next line is changed\nport=12060\nStation=2a\n\n\n[color]\nText=255\nSelected=16711680\n; trailing note\n# and another\n"},
        {"a comment-only file is kept once", "; first\n; second\n\n; after a blank line\n", {"S:Radio=2", "T"}, "; first\n; second\n\n\n[Server]\nRadio=2\n; after a blank line\n"},
        {"values are written whole and trimmed; a line break ends one",
            unset, {"C:Unavailable=16744576", "C:Text=-2147483648", "S:Address=  127.0.0.1", "S:Port=80\n[Color]\nText=1", "T"},
            "[Color]\nUnavailable=16744576\nText=-2147483648\n\n\n[Server]\nAddress=127.0.0.1\nPort=80\n"},
        {"the config folder is created on the first write", unset,
            writeTwice, "12059,none,12060,[Server]\nPort=12060\n\n\n[Color]\nText=1\n", ".config/KEVA Client/keva-client.ini", true},
        {"the all-users folder is never created", unset, writeTwice, "12059,none,12059,(no file)", "KEVA Client/keva-client.ini"},
        {"a folder where the file should be is not overwritten", unset, writeTwice, "12059,folder,12059,(no file)", "keva-client.ini", false, true},
        {"no location writes nothing anywhere", unset, writeTwice, "12059,none,12059,(no file)", nullptr},
        // clang-format on
    };
    const auto entries = [] { return std::distance(std::filesystem::directory_iterator("."), {}); };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        TempFolder folder;
        const auto path = row.where ? folder.path() / row.where : std::filesystem::path();
        const SettingsLocation file{path.string(), row.createFolder};
        if (row.before) {
            WriteText(file.path, *row.before);
        }
        if (row.folderThere) {
            std::filesystem::create_directory(path);
        }
        const auto entriesBefore = entries();
        std::string log;
        int given = 0;
        const auto step = [&](const std::string& s) {
            const std::size_t at = s.find_first_of("=?");
            const bool colour = s[0] == 'C';
            if (at == std::string::npos) {
                log += (given++ > 0 ? "," : "") +
                       (s == "F" ? std::filesystem::exists(path.parent_path()) ? "folder" : "none"
                        : std::filesystem::is_regular_file(path) ? ReadText(path)
                                                                 : "(no file)");
                return;
            }
            const std::string key = s.substr(2, at - 2), value = s.substr(at + 1);
            if (s[at] == '?') {
                log += (given++ > 0 ? "," : "") +
                       (colour ? std::to_string(ReadColorSetting(file, key, std::stoi(value)))
                               : ReadServerSetting(file, key, value));
            } else {
                colour ? WriteColorSetting(file, key, std::stoi(value))
                       : WriteServerSetting(file, key, value);
            }
        };
        std::string lastWrite;
        for (const std::string& s : row.steps) {
            step(s);
            lastWrite = s.find('=') != std::string::npos ? s : lastWrite;
        }
        EXPECT_EQ(log, row.expected);
        const std::string once = std::filesystem::is_regular_file(path) ? ReadText(path) : "";
        if (!lastWrite.empty()) {
            step(lastWrite);
        }
        EXPECT_EQ(std::filesystem::is_regular_file(path) ? ReadText(path) : "", once)
            << "a rewrite changes nothing";
        EXPECT_EQ(entries(), entriesBefore) << "nothing written in the working folder";
    }
    EXPECT_FALSE(WriteProfileString(SettingsLocation{}, "Server", "Port", "12060"));
}

}  // namespace
