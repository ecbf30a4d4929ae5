#include "ui/pictures.h"

#include <ole2.h>
#include <olectl.h>

#include <cstring>

#include "ui/resource_ids.h"

namespace {

template <typename T>
struct ComRelease {
    T* p = nullptr;
    ~ComRelease() {
        if (p) p->Release();
    }
};

}  // namespace

HBITMAP LoadPictureResource(int resourceId) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resourceId), reinterpret_cast<LPCWSTR>(RT_RCDATA));
    if (!found) return nullptr;
    const DWORD size = SizeofResource(module, found);
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || size == 0) return nullptr;

    // OLE reads the picture from a stream over a movable copy of the bytes;
    // the stream frees the copy when it is released.
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy) return nullptr;
    void* target = GlobalLock(copy);
    std::memcpy(target, bytes, size);
    GlobalUnlock(copy);
    ComRelease<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream.p))) {
        GlobalFree(copy);
        return nullptr;
    }
    ComRelease<IPicture> picture;
    if (FAILED(OleLoadPicture(stream.p, static_cast<LONG>(size), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(&picture.p)))) {
        return nullptr;
    }
    SHORT type = PICTYPE_NONE;
    OLE_HANDLE handle = 0;
    if (FAILED(picture.p->get_Type(&type)) || type != PICTYPE_BITMAP || FAILED(picture.p->get_Handle(&handle))) {
        return nullptr;
    }
    // The picture owns its bitmap: keep a copy of our own.
    return static_cast<HBITMAP>(CopyImage(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), IMAGE_BITMAP,
                                          0, 0, LR_CREATEDIBSECTION));
}

HICON LoadProgramIcon(int size) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIconRc), IMAGE_ICON,
                                         size, size, LR_DEFAULTCOLOR));
}
