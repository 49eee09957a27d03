#include "settings/settings_path.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

std::string SettingsFilePath;

namespace {

constexpr std::string_view kFolderName = "KEVA Client";

bool createSettingsFolder = false;

std::string_view LastPart(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The file name without its extension: only the last '.' of the file name counts, and a
// leading '.' is part of the name.
std::string SettingsFileName(std::string_view startedAs, std::string_view executablePath) {
    std::string_view name = LastPart(startedAs);
    if (name.empty()) {
        name = LastPart(executablePath);
    }
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos && dot != 0) {
        name = name.substr(0, dot);
    }
    if (name.empty()) {
        name = kFolderName;
    }
    return std::string(name) + ".ini";
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string joined(folder);
    if (joined.empty() || joined.back() != '/') {
        joined += '/';
    }
    joined += name;
    return joined;
}

bool IsSet(const std::optional<std::string>& value) {
    return value && !value->empty();
}

// A relative $XDG_CONFIG_HOME is invalid and ignored, as the XDG base directory rules say.
std::optional<std::string> UserConfigFolder(const SettingsEnvironment& environment) {
    if (IsSet(environment.xdgConfigHome) && environment.xdgConfigHome->front() == '/') {
        return *environment.xdgConfigHome;
    }
    if (IsSet(environment.home)) {
        return JoinPath(*environment.home, ".config");
    }
    return std::nullopt;
}

std::optional<std::string> Environment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr) {
        return std::nullopt;
    }
    return std::string(value);
}

// The kernel marks an executable replaced while running (a package upgrade) with this suffix.
std::string ExecutablePath() {
    std::error_code error;
    std::string path = std::filesystem::read_symlink("/proc/self/exe", error).string();
    if (error) {
        return {};
    }
    constexpr std::string_view deleted = " (deleted)";
    if (path.size() > deleted.size() && path.ends_with(deleted)) {
        path.resize(path.size() - deleted.size());
    }
    return path;
}

}  // namespace

SettingsLocation ComputeSettingsLocation(std::string_view startedAs,
                                         std::string_view executablePath,
                                         const SettingsEnvironment& environment) {
    if (executablePath.empty()) {
        return {};
    }
    const std::string fileName = SettingsFileName(startedAs, executablePath);
    if (IsSet(environment.allUsersProfile)) {
        return {JoinPath(JoinPath(*environment.allUsersProfile, kFolderName), fileName), false};
    }
    if (const auto config = UserConfigFolder(environment)) {
        return {JoinPath(JoinPath(*config, kFolderName), fileName), true};
    }
    const std::size_t slash = executablePath.rfind('/');
    if (slash == std::string_view::npos) {
        return {fileName, false};
    }
    return {std::string(executablePath.substr(0, slash + 1)) + fileName, false};
}

SettingsLocation ThisProgramsSettingsLocation() {
    const SettingsEnvironment environment{Environment("ALLUSERSPROFILE"),
                                          Environment("XDG_CONFIG_HOME"), Environment("HOME")};
    // GNU sets the short name from argv[0] before any static initialiser runs.
    return ComputeSettingsLocation(program_invocation_short_name, ExecutablePath(), environment);
}

void ComputeSettingsPath() {
    SettingsLocation location = ThisProgramsSettingsLocation();
    SettingsFilePath = std::move(location.path);
    createSettingsFolder = location.createFolder;
}

SettingsLocation CurrentSettingsLocation() {
    return {SettingsFilePath, createSettingsFolder};
}

namespace {
// Before any start-up code runs. SettingsFilePath itself is constant-initialised, so this
// initialiser cannot run before it.
[[maybe_unused]] const bool settingsPathComputed = (ComputeSettingsPath(), true);
}  // namespace
