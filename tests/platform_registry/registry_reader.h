#pragma once
// Reading back and cleaning up what the tests wrote to the real registry.
// Header-only so that the tweak tests can use it too.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/scoped_win.h"

struct StoredValue {
    bool found = false;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

inline bool KeyExists(HKEY root, const std::string& keyPath) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

inline StoredValue ReadStoredValue(HKEY root, const std::string& keyPath, const std::string& name) {
    StoredValue stored;
    HKEY raw = nullptr;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return stored;
    const ScopedKey key(raw);
    DWORD size = 0;
    if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, &stored.type, nullptr, &size) !=
        ERROR_SUCCESS)
        return stored;
    stored.data.resize(size);
    if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, &stored.type,
                         size ? stored.data.data() : nullptr, &size) != ERROR_SUCCESS)
        return stored;
    stored.data.resize(size);
    stored.found = true;
    return stored;
}

inline std::vector<BYTE> DwordBytes(DWORD value) {
    return {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value >> 16),
            static_cast<BYTE>(value >> 24)};
}

// Text bytes with the terminating zero, as REG_SZ data holds them.
inline std::vector<BYTE> TextBytes(const std::string& text) {
    std::vector<BYTE> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

// Deletes the key with everything below it (RegDeleteKeyA alone refuses a key
// that has subkeys, and RegDeleteTree is not on XP).
inline void DeleteKeyTree(HKEY root, const std::string& keyPath) {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ | KEY_WRITE, &raw) != ERROR_SUCCESS) return;
    {
        const ScopedKey key(raw);
        for (;;) {
            char child[256];
            DWORD length = sizeof child;
            if (RegEnumKeyExA(key.Get(), 0, child, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                break;
            DeleteKeyTree(key.Get(), child);
            if (KeyExists(key.Get(), child)) break;  // could not go; do not spin
        }
    }
    RegDeleteKeyA(root, keyPath.c_str());
}
