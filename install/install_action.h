#pragma once
#include <cstdint>

#include "platform/byte_set.h"
#include "ui/window_definition.h"

// Click handlers of the main window's first two buttons: install the brawl
// or the match game configuration into cstrike_schinese/.
void OnBrawlButtonClicked();
void OnMatchButtonClicked();

// What differs between the two installs.
struct InstallVariant {
    const ByteSet& archive;
    const char* tempFileName;  // in the temporary directory
    const WindowDefinition& resultWindow;
    const char* notGameRootText;
    const char* installFailedText;
};

extern const InstallVariant kBrawlInstall;
extern const InstallVariant kMatchInstall;

// The waits and paths the install uses.
inline constexpr std::int32_t kInstallWaitMs = 1650;
inline constexpr char kGameRootMarker[] = "cstrike/maps/de_dust2.bsp";
inline constexpr char kConfigFolder[] = "cstrike_schinese/";

// The whole action for one variant.
void RunInstall(const InstallVariant& variant);
