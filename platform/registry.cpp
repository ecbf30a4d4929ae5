#include "platform/registry.h"

#include <cstring>

namespace {

// KEY_WRITE exactly: no registry-view flag, so a 32-bit process on 64-bit
// Windows writes where the system redirects it, as any 32-bit program does.
constexpr REGSAM kWriteAccess = KEY_WRITE;
static_assert(kWriteAccess == 0x20006, "the key is opened for writing only");

// Closes the key through the api that opened it, on every way out.
class OpenedKey {
public:
    OpenedKey(const RegistryApi& api, HKEY key) : api_(api), key_(key) {}
    ~OpenedKey() { api_.closeKey(key_); }
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;
    HKEY Get() const { return key_; }

private:
    const RegistryApi& api_;
    HKEY key_;
};

std::uint32_t LowBits(std::int64_t number) {
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(number));
}

std::uint32_t DwordOfDouble(double number) {
    // -2^63 <= number < 2^63 is exactly the range whose truncation fits in
    // an int64; the comparisons are false for NaN.
    constexpr double kTwoTo63 = 9223372036854775808.0;
    if (!(number >= -kTwoTo63 && number < kTwoTo63)) return 0;
    return LowBits(static_cast<std::int64_t>(number));
}

template <class... Visitors>
struct Overloaded : Visitors... {
    using Visitors::operator()...;
};
template <class... Visitors>
Overloaded(Visitors...) -> Overloaded<Visitors...>;

LONG SetValue(const RegistryApi& api, HKEY key, const char* name, const RegistryValue& value) {
    return std::visit(
        Overloaded{
            [&](const char* text) {
                if (!text) text = "";
                const DWORD size = static_cast<DWORD>(std::strlen(text) + 1);
                return api.setValue(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), size);
            },
            [&](const ByteSet& bytes) {
                return api.setValue(key, name, 0, REG_BINARY, bytes.Data(), bytes.Size());
            },
            [&](auto) {
                const std::uint32_t dword = RegistryDwordOf(value);
                const BYTE data[4] = {
                    static_cast<BYTE>(dword), static_cast<BYTE>(dword >> 8),
                    static_cast<BYTE>(dword >> 16), static_cast<BYTE>(dword >> 24)};
                return api.setValue(key, name, 0, REG_DWORD, data, sizeof data);
            },
        },
        value.Get());
}

}  // namespace

std::uint32_t RegistryDwordOf(const RegistryValue& value) {
    return std::visit(Overloaded{
                          [](std::int32_t number) { return static_cast<std::uint32_t>(number); },
                          [](std::int64_t number) { return LowBits(number); },
                          [](double number) { return DwordOfDouble(number); },
                          [](const char*) { return std::uint32_t{0}; },
                          [](const ByteSet&) { return std::uint32_t{0}; },
                      },
                      value.Get());
}

const RegistryApi& SystemRegistryApi() {
    static const RegistryApi api{RegOpenKeyExA, RegCreateKeyA, RegSetValueExA, RegCloseKey};
    return api;
}

HKEY RegistryRootKey(std::int32_t rootCode) {
    switch (rootCode) {
        case 1: return HKEY_CLASSES_ROOT;
        case 2: return HKEY_CURRENT_CONFIG;
        case 4: return HKEY_LOCAL_MACHINE;
        case 5: return HKEY_USERS;
        default: return HKEY_CURRENT_USER;
    }
}

const char* RegistryRootName(std::int32_t rootCode) {
    switch (rootCode) {
        case 1: return "HKEY_CLASSES_ROOT";
        case 2: return "HKEY_CURRENT_CONFIG";
        case 4: return "HKEY_LOCAL_MACHINE";
        case 5: return "HKEY_USERS";
        default: return "HKEY_CURRENT_USER";
    }
}

RegistryPathParts SplitRegistryPath(const char* path) {
    if (!path) path = "";
    const char* lastSeparator = nullptr;
    for (const char* p = path; *p != '\0'; ++p) {
        if (static_cast<unsigned char>(*p) & 0x80) {
            if (p[1] == '\0') break;  // a lone lead byte at the end
            ++p;                      // the second byte is never a separator
        } else if (*p == '\\') {
            lastSeparator = p;
        }
    }
    if (!lastSeparator) return {std::string(), std::string(path)};
    return {std::string(path, lastSeparator), std::string(lastSeparator + 1)};
}

bool WriteRegistryValue(std::int32_t rootCode, const char* path, const RegistryValue& value) {
    return WriteRegistryValue(SystemRegistryApi(), rootCode, path, value);
}

bool WriteRegistryValue(const RegistryApi& api, std::int32_t rootCode, const char* path,
                        const RegistryValue& value) {
    const HKEY root = RegistryRootKey(rootCode);
    const RegistryPathParts parts = SplitRegistryPath(path);

    HKEY key = nullptr;
    if (api.openKey(root, parts.keyPath.c_str(), 0, kWriteAccess, &key) != ERROR_SUCCESS) {
        key = nullptr;
        if (api.createKey(root, parts.keyPath.c_str(), &key) != ERROR_SUCCESS) return false;
    }
    const OpenedKey opened(api, key);
    return SetValue(api, opened.Get(), parts.valueName.c_str(), value) == ERROR_SUCCESS;
}
