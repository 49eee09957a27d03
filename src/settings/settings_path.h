// Where the settings file lives.
//
// The file is named after the name the program was started by (the last part of argv[0]
// without its extension, so "keva-client.ini"; a symbolic link keva-client-radio2 gets
// "keva-client-radio2.ini", which lets a second console keep its own radio) and lies in a folder
// "KEVA Client": under $ALLUSERSPROFILE when that is set and not empty (a site that shares one
// file prepares that folder; it is never created), else under the user's configuration folder
// ($XDG_CONFIG_HOME, or $HOME/.config), created on the first write. With neither, the file lies
// in the folder of the executable itself, whatever link it was started through.
#pragma once

#include <optional>
#include <string>
#include <string_view>

struct SettingsLocation {
    std::string path;           // empty: no file; reads give defaults, writes do nothing
    bool createFolder = false;  // a write first creates the folder holding the file
};

// The environment values that decide the location; none for an unset variable.
struct SettingsEnvironment {
    std::optional<std::string> allUsersProfile;
    std::optional<std::string> xdgConfigHome;
    std::optional<std::string> home;
};

// The location for a program started as `startedAs` (argv[0], or only its last part; when that
// names nothing, the executable's own name counts) whose executable is at `executablePath`
// (empty when unknown: no file).
SettingsLocation ComputeSettingsLocation(std::string_view startedAs,
                                         std::string_view executablePath,
                                         const SettingsEnvironment& environment);

// The full path of the settings file, computed once during static initialisation; empty when
// the executable's own path cannot be read.
extern std::string SettingsFilePath;

// The location for this program: from the name it was started by, /proc/self/exe and the
// environment.
SettingsLocation ThisProgramsSettingsLocation();

// Fills SettingsFilePath with ThisProgramsSettingsLocation().
void ComputeSettingsPath();

// SettingsFilePath together with its folder rule.
SettingsLocation CurrentSettingsLocation();
