#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <variant>

#include "platform/byte_set.h"

// One value to store in the registry: a number (stored as REG_DWORD), a GBK
// text (REG_SZ) or a ByteSet (REG_BINARY). The value only points at the
// caller's text or bytes; it keeps nothing.
class RegistryValue {
public:
    explicit RegistryValue(std::int32_t number) : held_(number) {}
    explicit RegistryValue(std::int64_t number) : held_(number) {}
    explicit RegistryValue(double number) : held_(number) {}
    // A null text stands for the empty text.
    explicit RegistryValue(const char* text) : held_(text) {}
    explicit RegistryValue(ByteSet bytes) : held_(bytes) {}

    using Held = std::variant<std::int32_t, std::int64_t, double, const char*, ByteSet>;
    const Held& Get() const { return held_; }

private:
    Held held_;
};

// The 32 bits a number is stored as in a REG_DWORD. A 32-bit integer is used
// as it is and a 64-bit one gives its low 32 bits. A double is truncated
// toward zero to a 64-bit integer whose low 32 bits are used (4.9 -> 4,
// -1.5 -> 0xFFFFFFFF, 2^32 -> 0). A NaN, an infinity or a double outside the
// 64-bit range gives 0: the x86 conversion yields 0x8000000000000000 for
// those, whose low 32 bits are 0, so the result is defined and stays the same.
std::uint32_t RegistryDwordOf(const RegistryValue& value);

// The four Win32 calls that writing a value makes. Tests hand in their own to
// see the calls and to make them fail; the program uses SystemRegistryApi().
struct RegistryApi {
    LONG(WINAPI* openKey)(HKEY root, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result);
    LONG(WINAPI* createKey)(HKEY root, LPCSTR subKey, PHKEY result);
    LONG(WINAPI* setValue)(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data,
                           DWORD size);
    LONG(WINAPI* closeKey)(HKEY key);
};

// RegOpenKeyExA, RegCreateKeyA, RegSetValueExA and RegCloseKey.
const RegistryApi& SystemRegistryApi();

// Root codes: 1 HKEY_CLASSES_ROOT, 2 HKEY_CURRENT_CONFIG, 3 HKEY_CURRENT_USER,
// 4 HKEY_LOCAL_MACHINE, 5 HKEY_USERS; every other code means HKEY_CURRENT_USER.
HKEY RegistryRootKey(std::int32_t rootCode);
// The full name of the root, e.g. "HKEY_LOCAL_MACHINE".
const char* RegistryRootName(std::int32_t rootCode);

// A registry path names a key and, in its last component, a value of it.
struct RegistryPathParts {
    std::string keyPath;    // empty: the root key itself
    std::string valueName;  // empty: the key's default value
};

// Splits at the last backslash that is really one: the path is GBK, and the
// second byte of a two-byte character may be 0x5C. A byte with its high bit
// set starts a two-byte character, so the byte after it is skipped; a lead
// byte right before the terminating zero ends the scan. A null path is the
// empty path.
RegistryPathParts SplitRegistryPath(const char* path);

// Opens the key of the path below the root (creating it when it cannot be
// opened) and stores the value under the path's value name. True when the
// value was stored. Shows and logs nothing.
bool WriteRegistryValue(std::int32_t rootCode, const char* path, const RegistryValue& value);
bool WriteRegistryValue(const RegistryApi& api, std::int32_t rootCode, const char* path,
                        const RegistryValue& value);
