#pragma once
// The registry of the Win32 stand-in: the one key HKCU\Software\Kelvarin\Tavlor
// with its named values (type, size and bytes), the handles opened on it and a
// log of the writes. A fresh registry has no key; creating it is allowed
// unless a test makes the key read-only.
#include <cstdint>

#include <windows.h>

constexpr int kFakeMaxRegistryValues = 32;
constexpr DWORD kFakeMaxValueBytes = 256;
constexpr int kFakeMaxValueName = 32;
constexpr int kFakeMaxKeyHandles = 256;
constexpr int kFakeMaxRegistryWrites = 64;
// What a query that does not fit leaves in the caller's buffer ("undefined").
constexpr BYTE kFakeUndefinedByte = 0xCD;

// Results and rights the stand-in's windows.h does not define.
constexpr LSTATUS kFakeErrorInvalidHandle = 6L;
constexpr LSTATUS kFakeErrorInvalidParameter = 87L;
constexpr REGSAM kFakeKeySetValue = 0x0002u;
constexpr DWORD kFakeCreatedNewKey = 1;
constexpr DWORD kFakeOpenedExistingKey = 2;

struct FakeRegistryValue {
    wchar_t name[kFakeMaxValueName];
    DWORD type;
    DWORD size;
    BYTE data[kFakeMaxValueBytes];
};

struct FakeKeyHandle {
    bool open;
    REGSAM access;
};

struct FakeRegistryWrite {
    wchar_t name[kFakeMaxValueName];
    DWORD type;
    DWORD size;
    LSTATUS result;
};

struct FakeRegistry {
    // Scripted state
    bool keyExists = false;
    bool readable = true;                   // false: opening for reading is denied
    bool writable = true;                   // false: opening or creating for writing is denied
    const wchar_t* rejectWriteOf = nullptr; // this value name's writes are denied
    FakeRegistryValue values[kFakeMaxRegistryValues] = {};
    int valueCount = 0;

    // What happened
    FakeKeyHandle handles[kFakeMaxKeyHandles] = {};
    int handleCount = 0; // handles ever given out
    int openAttempts = 0;
    int createAttempts = 0;
    REGSAM lastOpenAccess = 0;
    REGSAM lastCreateAccess = 0;
    DWORD lastCreateOptions = 0xFFFFFFFFu;
    int closes = 0;
    int badCloses = 0; // closes of a handle that is not open
    int queries = 0;
    DWORD lastQueryRoom = 0;
    FakeRegistryWrite writes[kFakeMaxRegistryWrites] = {};
    int writeCount = 0;
};

FakeRegistry& fakeRegistry();
void resetFakeRegistry();

// Creates the key (if missing) and stores a value, replacing one of that name.
void fakeRegistryStore(const wchar_t* name, DWORD type, const void* data, DWORD size);
void fakeRegistryStoreDword(const wchar_t* name, uint32_t value);

// The stored value of that name, or null.
const FakeRegistryValue* fakeRegistryValue(const wchar_t* name);

// Handles opened or created and not closed yet.
int fakeRegistryOpenHandles();
