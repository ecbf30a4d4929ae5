#pragma once
#include <array>
#include <cstdint>

// One registry value that the tweak action writes.
struct RegistryTweakRow {
    enum class Kind { Number, Text };

    std::int32_t rootCode;  // see RegistryRootKey
    const char* path;       // key path and, as its last component, the value name
    Kind kind;
    // A number row holds its number as decimal text, turned into a number by
    // TextToNumber right before the row is written; a text row holds the
    // text that is written.
    const char* value;
};

// The eight values, in the order they are written.
extern const std::array<RegistryTweakRow, 8> RegistryTweakTable;
