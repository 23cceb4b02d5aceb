#include "registry/win32/advapi_registry.h"

#include <windows.h>

#include <climits>
#include <string>

#include "toolkit/error.h"

namespace registry {

namespace {

// The roots travel as their 32-bit values (0x80000001); a 64-bit HKEY of a root is that value
// sign-extended.
HKEY ToHkey(RawKey key) {
    if (key == kCurrentUser) {
        return HKEY_CURRENT_USER;
    }
    if (key == kLocalMachine) {
        return HKEY_LOCAL_MACHINE;
    }
    return reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(key));
}

RawKey FromHkey(HKEY key) {
    if (key == HKEY_CURRENT_USER) {
        return kCurrentUser;
    }
    if (key == HKEY_LOCAL_MACHINE) {
        return kLocalMachine;
    }
    return static_cast<RawKey>(reinterpret_cast<std::uintptr_t>(key));
}

// The platform counts text in ints and data in DWORDs; anything longer cannot be passed.
int TextLength(std::size_t size) {
    if (size > static_cast<std::size_t>(INT_MAX)) {
        throw toolkit::Error(14);  // out of string space
    }
    return static_cast<int>(size);
}

DWORD DataSize(std::size_t size) {
    if (size > static_cast<std::size_t>(MAXDWORD)) {
        throw toolkit::Error(14);
    }
    return static_cast<DWORD>(size);
}

std::wstring Widen(UINT codePage, std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int length = TextLength(text.size());
    const int wide = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), length, out.data(), wide);
    return out;
}

std::string Narrow(UINT codePage, const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int length = TextLength(text.size());
    const int narrow =
        WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(narrow), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), length, out.data(), narrow, nullptr, nullptr);
    return out;
}

}  // namespace

OpenResult AdvapiRegistry::OpenKey(RawKey parent, std::string_view subKey, std::uint32_t access) {
    HKEY opened = nullptr;
    const std::string path(subKey);
    const LSTATUS status = RegOpenKeyExA(ToHkey(parent), path.c_str(), 0, access, &opened);
    if (status != ERROR_SUCCESS) {
        return {status, 0};
    }
    return {status, FromHkey(opened)};
}

OpenResult AdvapiRegistry::CreateKey(RawKey parent, std::string_view subKey, std::uint32_t access) {
    HKEY created = nullptr;
    const std::string path(subKey);
    const LSTATUS status =
        RegCreateKeyExA(ToHkey(parent), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                        nullptr, &created, nullptr);
    if (status != ERROR_SUCCESS) {
        return {status, 0};
    }
    return {status, FromHkey(created)};
}

QueryResult AdvapiRegistry::QueryValue(RawKey key, std::string_view name,
                                       std::span<std::uint8_t> data) {
    const std::string valueName(name);
    DWORD type = 0;
    DWORD size = DataSize(data.size());
    const LSTATUS status = RegQueryValueExA(ToHkey(key), valueName.c_str(), nullptr, &type,
                                            data.empty() ? nullptr : data.data(), &size);
    if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) {
        return {status, 0, 0};
    }
    return {status, type, size};
}

Status AdvapiRegistry::SetValue(RawKey key, std::string_view name, std::uint32_t type,
                                std::span<const std::uint8_t> data) {
    const std::string valueName(name);
    return RegSetValueExA(ToHkey(key), valueName.c_str(), 0, type,
                          data.empty() ? nullptr : data.data(), DataSize(data.size()));
}

Status AdvapiRegistry::DeleteValue(RawKey key, std::string_view name) {
    const std::string valueName(name);
    return RegDeleteValueA(ToHkey(key), valueName.c_str());
}

Status AdvapiRegistry::DeleteKey(RawKey parent, std::string_view subKey) {
    const std::string path(subKey);
    return RegDeleteKeyA(ToHkey(parent), path.c_str());
}

Status AdvapiRegistry::CloseKey(RawKey key) {
    return RegCloseKey(ToHkey(key));
}

std::string AdvapiRegistry::ToAnsi(std::string_view utf8) {
    return Narrow(CP_ACP, Widen(CP_UTF8, utf8));
}

std::string AdvapiRegistry::FromAnsi(std::string_view ansi) {
    return Narrow(CP_UTF8, Widen(CP_ACP, ansi));
}

}  // namespace registry
