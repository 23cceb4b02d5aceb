// A stand-in for the advapi32 registry backend until registry/win32 has its own: the same
// class name, the ANSI entry points, nothing more.
#pragma once

#include <windows.h>

#include <string>

#include "registry/registry_api.h"
#include "toolkit/win32/text_encoding.h"

namespace registry {

class AdvapiRegistry : public RegistryApi {
public:
    OpenResult OpenKey(RawKey parent, std::string_view subKey, std::uint32_t access) override {
        HKEY key = nullptr;
        const auto status =
            RegOpenKeyExA(Handle(parent), std::string(subKey).c_str(), 0, access, &key);
        return {status, status == kSuccess ? Raw(key) : 0};
    }
    OpenResult CreateKey(RawKey parent, std::string_view subKey, std::uint32_t access) override {
        HKEY key = nullptr;
        const auto status =
            RegCreateKeyExA(Handle(parent), std::string(subKey).c_str(), 0, nullptr,
                            REG_OPTION_NON_VOLATILE, access, nullptr, &key, nullptr);
        return {status, status == kSuccess ? Raw(key) : 0};
    }
    QueryResult QueryValue(RawKey key, std::string_view name,
                           std::span<std::uint8_t> data) override {
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(data.size());
        const auto status = RegQueryValueExA(Handle(key), std::string(name).c_str(), nullptr, &type,
                                             data.empty() ? nullptr : data.data(), &size);
        return {status, type, size};
    }
    Status SetValue(RawKey key, std::string_view name, std::uint32_t type,
                    std::span<const std::uint8_t> data) override {
        return RegSetValueExA(Handle(key), std::string(name).c_str(), 0, type, data.data(),
                              static_cast<DWORD>(data.size()));
    }
    Status DeleteValue(RawKey key, std::string_view name) override {
        return RegDeleteValueA(Handle(key), std::string(name).c_str());
    }
    Status DeleteKey(RawKey parent, std::string_view subKey) override {
        return RegDeleteKeyA(Handle(parent), std::string(subKey).c_str());
    }
    Status CloseKey(RawKey key) override { return RegCloseKey(Handle(key)); }

    std::string ToAnsi(std::string_view utf8) override {
        return Convert(toolkit::win32::Widen(utf8), CP_ACP);
    }
    std::string FromAnsi(std::string_view ansi) override {
        const int size = static_cast<int>(ansi.size());
        const int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
        if (length > 0) {
            MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, wide.data(), length);
        }
        return toolkit::win32::Narrow(wide);
    }

private:
    static HKEY Handle(RawKey key) { return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(key)); }
    static RawKey Raw(HKEY key) { return static_cast<RawKey>(reinterpret_cast<ULONG_PTR>(key)); }
    static std::string Convert(const std::wstring& wide, UINT codePage) {
        const int size = static_cast<int>(wide.size());
        const int length =
            WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
        std::string text(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
        if (length > 0) {
            WideCharToMultiByte(codePage, 0, wide.data(), size, text.data(), length, nullptr,
                                nullptr);
        }
        return text;
    }
};

}  // namespace registry
