#include "tweaks/tweak_action.h"

#include <windows.h>

#include "app/shell.h"
#include "platform/message_box.h"
#include "tweaks/text_to_number.h"
#include "ui/windows.h"

namespace {

bool WriteTweakRow(const RegistryTweakRow& row, const RegistryApi& api) {
    switch (row.kind) {
        case RegistryTweakRow::Kind::Number:
            return WriteRegistryValue(api, row.rootCode, row.path, RegistryValue(TextToNumber(row.value)));
        case RegistryTweakRow::Kind::Text:
            return WriteRegistryValue(api, row.rootCode, row.path, RegistryValue(row.value));
    }
    return false;
}

}  // namespace

std::vector<const RegistryTweakRow*> WriteTweakRows(const RegistryTweakRow* rows, std::size_t count,
                                                    const RegistryApi& api) {
    std::vector<const RegistryTweakRow*> failed;
    for (std::size_t i = 0; i < count; ++i) {
        if (!WriteTweakRow(rows[i], api)) failed.push_back(&rows[i]);
    }
    return failed;
}

TweakReport DecideTweakReport(std::size_t rowCount, const std::vector<const RegistryTweakRow*>& failed) {
    TweakReport report;
    if (failed.empty()) {
        report.openDoneWindow = true;
        return report;
    }
    const bool noneWritten = failed.size() >= rowCount;
    report.boxIcon = noneWritten ? MB_ICONHAND : MB_ICONWARNING;
    report.openDoneWindow = !noneWritten;
    // Writing below HKEY_LOCAL_MACHINE and HKEY_USERS needs administrator
    // rights from Vista on, which the program does not ask for.
    report.boxText = "以下设置未能写入（可能需要以管理员身份运行）：";
    for (const RegistryTweakRow* row : failed) {
        report.boxText += "\r\n";
        report.boxText += RegistryRootName(row->rootCode);
        report.boxText += '\\';
        report.boxText += row->path;
    }
    return report;
}

void OnTweakButtonClicked() {
    WaitPumpingMessages(1000);
    const std::vector<const RegistryTweakRow*> failed =
        WriteTweakRows(RegistryTweakTable.data(), RegistryTweakTable.size(), SystemRegistryApi());
    const TweakReport report = DecideTweakReport(RegistryTweakTable.size(), failed);
    if (report.boxIcon != 0) ShowMessageBox(report.boxText.c_str(), report.boxIcon, "");
    if (report.openDoneWindow) OpenWindow(TweakDoneWindow, nullptr, true);
}
