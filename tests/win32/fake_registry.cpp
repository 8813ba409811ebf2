#include "fake_registry.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <new>

#if defined(__has_include)
#if __has_include(<valgrind/memcheck.h>)
#include <valgrind/memcheck.h>
#endif
#endif
#ifndef VALGRIND_MAKE_MEM_UNDEFINED
#define VALGRIND_MAKE_MEM_UNDEFINED(address, length) ((void)(address), (void)(length))
#endif

namespace {

FakeRegistry gRegistry;

const wchar_t kTavlorKey[] = L"Software\\Kelvarin\\Tavlor";
constexpr uintptr_t kFirstKeyHandle = 0x4000;

// Registry names are compared without regard to case.
bool sameName(const wchar_t* a, const wchar_t* b) {
    for (; *a != 0 && *b != 0; ++a, ++b) {
        if (std::towlower(static_cast<wint_t>(*a)) != std::towlower(static_cast<wint_t>(*b))) {
            return false;
        }
    }
    return *a == *b;
}

bool isTavlorKey(HKEY root, LPCWSTR subKey) {
    return root == HKEY_CURRENT_USER && subKey != nullptr && sameName(subKey, kTavlorKey);
}

void copyName(wchar_t (&to)[kFakeMaxValueName], const wchar_t* name) {
    std::wcsncpy(to, name, kFakeMaxValueName - 1);
    to[kFakeMaxValueName - 1] = 0;
}

const wchar_t* valueName(LPCWSTR name) {
    return name == nullptr ? L"" : name;
}

FakeRegistryValue* findValue(const wchar_t* name) {
    for (int i = 0; i < gRegistry.valueCount; ++i) {
        if (sameName(gRegistry.values[i].name, name)) {
            return &gRegistry.values[i];
        }
    }
    return nullptr;
}

[[noreturn]] void outgrown(const char* what) {
    std::fprintf(stderr, "fake registry: %s\n", what);
    std::abort();
}

HKEY giveHandle(REGSAM access) {
    FakeRegistry& r = gRegistry;
    if (r.handleCount >= kFakeMaxKeyHandles) {
        outgrown("too many key handles");
    }
    r.handles[r.handleCount] = {true, access};
    return reinterpret_cast<HKEY>(kFirstKeyHandle + static_cast<uintptr_t>(r.handleCount++));
}

// The open handle behind a key, or null.
FakeKeyHandle* openHandle(HKEY key) {
    intptr_t index = reinterpret_cast<intptr_t>(key) - static_cast<intptr_t>(kFirstKeyHandle);
    if (index < 0 || index >= gRegistry.handleCount || !gRegistry.handles[index].open) {
        return nullptr;
    }
    return &gRegistry.handles[index];
}

} // namespace

FakeRegistry& fakeRegistry() {
    return gRegistry;
}

void resetFakeRegistry() {
    gRegistry.~FakeRegistry();
    new (&gRegistry) FakeRegistry();
}

void fakeRegistryStore(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    if (size > kFakeMaxValueBytes) {
        outgrown("value too large");
    }
    FakeRegistryValue* value = findValue(name);
    if (value == nullptr) {
        if (gRegistry.valueCount >= kFakeMaxRegistryValues) {
            outgrown("too many values");
        }
        value = &gRegistry.values[gRegistry.valueCount++];
        copyName(value->name, name);
    }
    gRegistry.keyExists = true;
    value->type = type;
    value->size = size;
    std::memset(value->data, 0, sizeof(value->data));
    if (size > 0) {
        std::memcpy(value->data, data, size);
    }
}

void fakeRegistryStoreDword(const wchar_t* name, uint32_t value) {
    fakeRegistryStore(name, REG_DWORD, &value, sizeof(value));
}

const FakeRegistryValue* fakeRegistryValue(const wchar_t* name) {
    return findValue(name);
}

int fakeRegistryOpenHandles() {
    int open = 0;
    for (int i = 0; i < gRegistry.handleCount; ++i) {
        open += gRegistry.handles[i].open ? 1 : 0;
    }
    return open;
}

LSTATUS RegOpenKeyExW(HKEY root, LPCWSTR subKey, DWORD, REGSAM access, HKEY* result) {
    FakeRegistry& r = gRegistry;
    r.openAttempts += 1;
    r.lastOpenAccess = access;
    *result = nullptr;
    if (!isTavlorKey(root, subKey) || !r.keyExists) {
        return ERROR_FILE_NOT_FOUND;
    }
    if (!r.readable && (access & KEY_QUERY_VALUE) != 0) {
        return ERROR_ACCESS_DENIED;
    }
    if (!r.writable && (access & kFakeKeySetValue) != 0) {
        return ERROR_ACCESS_DENIED;
    }
    *result = giveHandle(access);
    return ERROR_SUCCESS;
}

LSTATUS RegCreateKeyExW(HKEY root, LPCWSTR subKey, DWORD reserved, LPWSTR, DWORD options,
                        REGSAM access, const void*, HKEY* result, LPDWORD disposition) {
    FakeRegistry& r = gRegistry;
    r.createAttempts += 1;
    r.lastCreateAccess = access;
    r.lastCreateOptions = options;
    *result = nullptr;
    if (reserved != 0) {
        return kFakeErrorInvalidParameter;
    }
    // The stand-in holds no other key, and nothing may be created beside it.
    if (!isTavlorKey(root, subKey) || !r.writable) {
        return ERROR_ACCESS_DENIED;
    }
    if (!r.readable && (access & KEY_QUERY_VALUE) != 0) {
        return ERROR_ACCESS_DENIED;
    }
    if (disposition != nullptr) {
        *disposition = r.keyExists ? kFakeOpenedExistingKey : kFakeCreatedNewKey;
    }
    r.keyExists = true;
    *result = giveHandle(access);
    return ERROR_SUCCESS;
}

// As documented: a missing value answers ERROR_FILE_NOT_FOUND; no buffer asks
// only for the size; a buffer too small answers ERROR_MORE_DATA with the size
// needed, and its contents are undefined; otherwise the bytes are copied and
// the size delivered is returned. The type is returned as stored.
LSTATUS RegQueryValueExW(HKEY key, LPCWSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                         LPDWORD size) {
    FakeRegistry& r = gRegistry;
    r.queries += 1;
    FakeKeyHandle* handle = openHandle(key);
    if (handle == nullptr) {
        return kFakeErrorInvalidHandle;
    }
    if (reserved != nullptr || (data != nullptr && size == nullptr)) {
        return kFakeErrorInvalidParameter;
    }
    if ((handle->access & KEY_QUERY_VALUE) == 0) {
        return ERROR_ACCESS_DENIED;
    }
    r.lastQueryRoom = size == nullptr ? 0 : *size;
    const FakeRegistryValue* value = findValue(valueName(name));
    if (value == nullptr) {
        return ERROR_FILE_NOT_FOUND;
    }
    if (type != nullptr) {
        *type = value->type;
    }
    if (data == nullptr) {
        if (size != nullptr) {
            *size = value->size;
        }
        return ERROR_SUCCESS;
    }
    if (value->size > *size) {
        std::memset(data, kFakeUndefinedByte, *size);
        VALGRIND_MAKE_MEM_UNDEFINED(data, *size);
        *size = value->size;
        return ERROR_MORE_DATA;
    }
    if (value->size > 0) {
        std::memcpy(data, value->data, value->size);
    }
    *size = value->size;
    return ERROR_SUCCESS;
}

LSTATUS RegSetValueExW(HKEY key, LPCWSTR name, DWORD reserved, DWORD type, const BYTE* data,
                       DWORD size) {
    FakeRegistry& r = gRegistry;
    FakeKeyHandle* handle = openHandle(key);
    if (handle == nullptr) {
        return kFakeErrorInvalidHandle;
    }
    LSTATUS result = ERROR_SUCCESS;
    if (reserved != 0 || (data == nullptr && size != 0)) {
        result = kFakeErrorInvalidParameter;
    } else if ((handle->access & kFakeKeySetValue) == 0 ||
               (r.rejectWriteOf != nullptr && sameName(r.rejectWriteOf, valueName(name)))) {
        result = ERROR_ACCESS_DENIED;
    }
    if (r.writeCount >= kFakeMaxRegistryWrites) {
        outgrown("too many writes");
    }
    FakeRegistryWrite& write = r.writes[r.writeCount++];
    copyName(write.name, valueName(name));
    write.type = type;
    write.size = size;
    write.result = result;
    if (result == ERROR_SUCCESS) {
        fakeRegistryStore(valueName(name), type, data, size);
    }
    return result;
}

LSTATUS RegCloseKey(HKEY key) {
    FakeKeyHandle* handle = openHandle(key);
    if (handle == nullptr) {
        gRegistry.badCloses += 1;
        return kFakeErrorInvalidHandle;
    }
    handle->open = false;
    gRegistry.closes += 1;
    return ERROR_SUCCESS;
}
