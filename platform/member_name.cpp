#include "platform/member_name.h"

#include <cstring>

#include "platform/gbk_path.h"

namespace {

bool IsSeparator(const char* at, std::size_t length) {
    return length == 1 && (at[0] == '/' || at[0] == '\\');
}

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualsIgnoringCase(const std::string& text, const char* upper) {
    if (text.size() != std::strlen(upper)) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (AsciiUpper(text[i]) != upper[i]) return false;
    }
    return true;
}

// Win32 opens a device for these names whatever extension follows, and
// ignores spaces before the extension ("nul .txt").
bool IsDeviceName(const std::string& level) {
    std::string base = level.substr(0, level.find('.'));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
    for (const char* device : kDevices) {
        if (EqualsIgnoringCase(base, device)) return true;
    }
    if (base.size() == 4 && base[3] >= '1' && base[3] <= '9') {
        const std::string stem = base.substr(0, 3);
        return EqualsIgnoringCase(stem, "COM") || EqualsIgnoringCase(stem, "LPT");
    }
    return false;
}

bool IsSafeLevel(const std::string& level) {
    if (level.empty()) return false;
    // Covers ".", ".." and the trailing dots and spaces that Win32 strips.
    const char last = level.back();
    if (last == '.' || last == ' ') return false;
    return !IsDeviceName(level);
}

bool IsForbiddenChar(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || std::strchr("<>:\"|?*", c) != nullptr;
}

// The name as Windows reads it where the ANSI code page is not 936: there
// every 0x5C byte separates levels, and "乗CON" would open the device CON.
// (Those levels cannot end in a dot or a space where the GBK ones do not: a
// trail 0x5C always follows a lead byte.)
bool IsSafeByteByByte(const char* name) {
    std::string level;
    for (const char* at = name;; ++at) {
        if (*at == '\0' || *at == '/' || *at == '\\') {
            if (!level.empty() && !IsSafeLevel(level)) return false;
            if (*at == '\0') return true;
            level.clear();
        } else {
            level += *at;
        }
    }
}

}  // namespace

bool NamesFolder(const char* name) {
    bool separator = false;
    for (const char* at = name; *at != '\0';) {
        const std::size_t length = GbkCharLength(at);
        separator = IsSeparator(at, length);
        at += length;
    }
    return separator;
}

bool IsSafeMemberName(const char* name) {
    if (name == nullptr || *name == '\0') return false;
    std::string level;
    bool first = true;
    for (const char* at = name; *at != '\0';) {
        const std::size_t length = GbkCharLength(at);
        if (length == 1 && IsGbkLeadByte(at[0])) return false;  // no trail byte after it
        if (IsSeparator(at, length)) {
            // A leading separator makes the name absolute; an empty level
            // between two separators means nothing a packer would write.
            if (first || !IsSafeLevel(level)) return false;
            level.clear();
        } else {
            if (length == 1 && IsForbiddenChar(at[0])) return false;
            level.append(at, length);
        }
        first = false;
        at += length;
    }
    // The last level is empty only after a trailing separator (a folder).
    return (level.empty() || IsSafeLevel(level)) && IsSafeByteByByte(name);
}

std::string MemberOutputPath(const char* targetFolder, const char* name) {
    std::string path = targetFolder;
    if (!EndsWithGbkBackslash(targetFolder)) path += '\\';
    // A forward slash is never the trail byte of a GBK character.
    for (const char* at = name; *at != '\0'; ++at) path += (*at == '/') ? '\\' : *at;
    return path;
}
