#include "settings/private_profile.h"

#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

namespace {

enum class FileState { Read, Missing, Unreadable };

struct FileText {
    FileState state = FileState::Missing;
    std::string text;
};

FileText ReadFileText(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return {FileState::Missing, {}};
    }
    if (error || status.type() != std::filesystem::file_type::regular) {
        return {FileState::Unreadable, {}};
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return {FileState::Unreadable, {}};
    }
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        return {FileState::Unreadable, {}};
    }
    return {FileState::Read, std::move(text)};
}

bool IsCommentStart(char c) {
    return c == ';' || c == '#';
}

// The store keeps a leading block of comment lines (starting in the first column, up to the
// first other line) as the file's own comment; returns where that block ends.
std::size_t FileCommentEnd(const std::string& text) {
    std::size_t pos = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    while (pos < text.size() && IsCommentStart(text[pos])) {
        const std::size_t newline = text.find('\n', pos);
        pos = newline == std::string::npos ? text.size() : newline + 1;
    }
    return pos;
}

// Comment lines after the last section or key belong to nothing the store keeps, so a rewrite
// would drop them; they are carried over by hand.
std::string TrailingComments(const std::string& text) {
    std::size_t keepFrom = std::string::npos;
    for (std::size_t lineStart = FileCommentEnd(text); lineStart < text.size();) {
        const std::size_t newline = text.find('\n', lineStart);
        const std::size_t lineEnd = newline == std::string::npos ? text.size() : newline;
        const std::size_t first = text.find_first_not_of(" \t\r", lineStart);
        if (first < lineEnd) {
            if (!IsCommentStart(text[first])) {
                keepFrom = std::string::npos;
            } else if (keepFrom == std::string::npos) {
                keepFrom = lineStart;
            }
        }
        lineStart = lineEnd + 1;
    }
    std::string comments;
    if (keepFrom == std::string::npos) {
        return comments;
    }
    for (std::size_t i = keepFrom; i < text.size(); ++i) {
        if (text[i] != '\r') {
            comments += text[i];
        }
    }
    if (comments.back() != '\n') {
        comments += '\n';
    }
    return comments;
}

std::string Cut(std::string_view text, std::size_t bufferSize) {
    const std::size_t limit = bufferSize == 0 ? 0 : bufferSize - 1;
    return std::string(text.substr(0, limit));
}

std::string_view FirstLine(std::string_view value) {
    return value.substr(0, value.find_first_of("\r\n"));
}

bool WriteFileText(const SettingsLocation& file, const std::string& text) {
    std::error_code error;
    if (file.createFolder) {
        const std::filesystem::path folder = std::filesystem::path(file.path).parent_path();
        if (!folder.empty()) {
            std::filesystem::create_directories(folder, error);
        }
    }
    std::ofstream out(file.path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    out << text;
    out.close();
    return !out.fail();
}

}  // namespace

std::string GetProfileString(const SettingsLocation& file, std::string_view section,
                             std::string_view key, std::string_view defaultText,
                             std::size_t bufferSize) {
    if (file.path.empty()) {
        return Cut(defaultText, bufferSize);
    }
    const FileText content = ReadFileText(file.path);
    if (content.state != FileState::Read) {
        return Cut(defaultText, bufferSize);
    }
    CSimpleIniA ini;
    if (ini.LoadData(content.text) < 0) {
        return Cut(defaultText, bufferSize);
    }
    const char* value = ini.GetValue(std::string(section).c_str(), std::string(key).c_str());
    return Cut(value != nullptr ? std::string_view(value) : defaultText, bufferSize);
}

bool WriteProfileString(const SettingsLocation& file, std::string_view section,
                        std::string_view key, std::string_view value) {
    if (file.path.empty()) {
        return false;
    }
    const FileText content = ReadFileText(file.path);
    if (content.state == FileState::Unreadable) {
        // Rewriting a file that could not be read would lose what it holds.
        return false;
    }
    CSimpleIniA ini;
    ini.SetSpaces(false);
    if (ini.LoadData(content.text) < 0) {
        return false;
    }
    const std::string sectionName(section);
    const std::string keyName(key);
    const std::string text(FirstLine(value));
    if (ini.SetValue(sectionName.c_str(), keyName.c_str(), text.c_str()) < 0) {
        return false;
    }
    std::string output;
    if (ini.Save(output) < 0) {
        return false;
    }
    output += TrailingComments(content.text);
    return WriteFileText(file, output);
}
