#include "install/install_action.h"

#include <windows.h>

#include "app/shell.h"
#include "install/config_archives.h"
#include "platform/archive.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "ui/windows.h"

const InstallVariant kBrawlInstall{BrawlArchive, "1.zip", BrawlIntroWindow, "混战插件注入[off] 游戏根目录不正确！",
                                   "混战插件注入[off] 配置文件写入失败！"};
const InstallVariant kMatchInstall{MatchArchive, "2.zip", MatchIntroWindow, "比赛插件注入[off] 游戏根目录不正确！",
                                   "比赛插件注入[off] 配置文件写入失败！"};

namespace {

Text TempArchivePath(const InstallVariant& variant) {
    const Text directory = TempDirectory();
    return ConcatText({directory.CStr(), variant.tempFileName});
}

}  // namespace

void RunInstall(const InstallVariant& variant) {
    WaitPumpingMessages(kInstallWaitMs);
    if (!PathPresent(kGameRootMarker)) {
        ShowMessageBox(variant.notGameRootText, MB_ICONHAND, "");
        return;
    }

    // The archive goes to the temporary directory and stays there; it is
    // extracted only when this click wrote it, never from whatever file
    // happened to lie at that path.
    const bool written = WriteByteSetFile(TempArchivePath(variant).CStr(), variant.archive);
    bool installed = false;
    if (written) {
        // The main window's component, while the window exists; an install
        // goes on without it when the window was closed during the wait.
        ZipComponent* component = LiveZipComponent(MainWindow, "ZIP压缩1");
        installed = ExtractArchive(component, TempArchivePath(variant).CStr(), kConfigFolder) == 1;
    }

    // The intro window says the configuration is on: only when it is.
    if (installed) {
        OpenWindow(variant.resultWindow, nullptr, true);
    } else {
        ShowMessageBox(variant.installFailedText, MB_ICONHAND, "");
    }
}

void OnBrawlButtonClicked() {
    RunInstall(kBrawlInstall);
}

void OnMatchButtonClicked() {
    RunInstall(kMatchInstall);
}
