#pragma once
// A registry that records the calls made through it and fails the ones a test
// asks it to. Header-only so that the tweak tests can use it too.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/registry.h"

class FakeRegistry {
public:
    struct Set {
        HKEY root;
        std::string keyPath;
        std::string name;
        DWORD reserved;
        DWORD type;
        std::vector<BYTE> data;
    };
    struct OpenCall {
        HKEY root;
        std::string keyPath;
        DWORD options;
        REGSAM access;
    };
    struct CreateCall {
        HKEY root;
        std::string keyPath;
    };

    // Each gives the result of a call; all succeed unless a test says otherwise.
    std::function<LONG(HKEY root, const std::string& keyPath)> openResult = Succeed;
    std::function<LONG(HKEY root, const std::string& keyPath)> createResult = Succeed;
    std::function<LONG(HKEY root, const std::string& keyPath, const std::string& name)> setResult =
        [](HKEY, const std::string&, const std::string&) { return LONG{ERROR_SUCCESS}; };

    std::vector<OpenCall> opens;
    std::vector<CreateCall> creates;
    std::vector<Set> sets;        // every set call, the refused ones too
    std::vector<HKEY> closes;     // the handles closed, in order
    std::vector<HKEY> handedOut;  // the handles that open or create gave out

    FakeRegistry() { active_ = this; }
    ~FakeRegistry() { active_ = nullptr; }
    FakeRegistry(const FakeRegistry&) = delete;
    FakeRegistry& operator=(const FakeRegistry&) = delete;

    static const RegistryApi& Api() {
        static const RegistryApi api{Open, Create, SetValue, Close};
        return api;
    }

    // The handles given out and not closed exactly once.
    std::vector<HKEY> HandlesNotClosedOnce() const {
        std::vector<HKEY> wrong;
        for (HKEY h : handedOut) {
            int count = 0;
            for (HKEY c : closes) count += c == h;
            if (count != 1) wrong.push_back(h);
        }
        return wrong;
    }

    static LONG Succeed(HKEY, const std::string&) { return ERROR_SUCCESS; }

private:
    static inline FakeRegistry* active_ = nullptr;
    std::map<HKEY, std::pair<HKEY, std::string>> keys_;

    HKEY HandOut(HKEY root, const std::string& keyPath) {
        // Distinct from every predefined root and never a real handle.
        HKEY h = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x1000 + 4 * handedOut.size()));
        handedOut.push_back(h);
        keys_[h] = {root, keyPath};
        return h;
    }

    static LONG WINAPI Open(HKEY root, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result) {
        FakeRegistry& self = *active_;
        self.opens.push_back({root, subKey, options, access});
        const LONG status = self.openResult(root, subKey);
        // A failing call leaves rubbish behind; the caller must not use it.
        *result = status == ERROR_SUCCESS ? self.HandOut(root, subKey) : reinterpret_cast<HKEY>(0xBAD0);
        return status;
    }

    static LONG WINAPI Create(HKEY root, LPCSTR subKey, PHKEY result) {
        FakeRegistry& self = *active_;
        self.creates.push_back({root, subKey});
        const LONG status = self.createResult(root, subKey);
        *result = status == ERROR_SUCCESS ? self.HandOut(root, subKey) : reinterpret_cast<HKEY>(0xBAD4);
        return status;
    }

    static LONG WINAPI SetValue(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data,
                                DWORD size) {
        FakeRegistry& self = *active_;
        const auto found = self.keys_.find(key);
        if (found == self.keys_.end()) return ERROR_INVALID_HANDLE;
        const auto& [root, keyPath] = found->second;
        self.sets.push_back({root, keyPath, name, reserved, type,
                             data ? std::vector<BYTE>(data, data + size) : std::vector<BYTE>()});
        return self.setResult(root, keyPath, name);
    }

    static LONG WINAPI Close(HKEY key) {
        active_->closes.push_back(key);
        return ERROR_SUCCESS;
    }
};
