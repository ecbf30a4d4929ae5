#pragma once

// The non-visual archive component that a window can carry (the main window's
// "ZIP压缩1"). Extraction goes through it and it raises a progress event after
// each member and once at the end; without a handler the event does nothing.
class ZipComponent {
public:
    using ProgressHandler = void (*)();

    void SetProgressHandler(ProgressHandler handler) { onProgress_ = handler; }
    void RaiseProgress() const {
        if (onProgress_) onProgress_();
    }

private:
    ProgressHandler onProgress_ = nullptr;
};
