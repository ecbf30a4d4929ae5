#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "tweaks/registry_tweak_table.h"

// The click handler of the tweak button on the main window: waits a second
// with the windows still answering, writes the eight values of
// RegistryTweakTable, tells the user which ones could not be written, and
// shows the notice that a restart makes them take effect.
void OnTweakButtonClicked();

// Writes the rows one after the other, without dispatching any message in
// between; a failing row does not stop the ones after it. Returns the rows
// that failed, in table order.
std::vector<const RegistryTweakRow*> WriteTweakRows(const RegistryTweakRow* rows, std::size_t count,
                                                    const RegistryApi& api);

// What the user is shown after the rows were written.
struct TweakReport {
    std::uint32_t boxIcon = 0;    // MB_ICONWARNING or MB_ICONHAND; 0: no message box
    std::string boxText;          // GBK; one line per failed row
    bool openDoneWindow = false;  // the restart notice
};

// All written: only the notice. Some failed: a warning that lists them, then
// the notice. None written: the list with a stop icon and no notice, as
// nothing was done that a restart could bring into effect.
TweakReport DecideTweakReport(std::size_t rowCount, const std::vector<const RegistryTweakRow*>& failed);
