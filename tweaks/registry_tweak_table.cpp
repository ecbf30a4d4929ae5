#include "tweaks/registry_tweak_table.h"

namespace {
using Kind = RegistryTweakRow::Kind;
}  // namespace

// Explorer, Windows Media Player, AutoRun and still-image service settings.
// The first components are spelt as the settings have always been written,
// "SOFTWARE" in some rows and "Software" in others; the registry does not
// care, but the texts stay as they are.
constexpr std::array<RegistryTweakRow, 8> RegistryTweakTable = {{
    {5, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AlwaysUnloadDLL", Kind::Number, "1"},
    {4, "SOFTWARE\\Microsoft\\MediaPlayer\\PlayerUpgrade\\AskMeAgain", Kind::Text, "no"},
    {4, "SOFTWARE\\Policies\\Microsoft\\WindowsMediaPlayer\\DisableAutoUpdate", Kind::Number, "1"},
    {3, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\NoDriveTypeAutoRun", Kind::Number, "255"},
    {4, "SYSTEM\\CurrentControlSet\\Services\\stisvc\\Start", Kind::Number, "4"},
    {4, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\NoRemoteRecursiveEvents", Kind::Number, "1"},
    {3, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\NoSaveSettings", Kind::Number, "0"},
    {3, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced\\NoNetCrawling", Kind::Number, "1"},
}};
