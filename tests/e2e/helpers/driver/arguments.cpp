#include "driver.h"

#include <cwchar>

namespace {

struct MessageName {
    const wchar_t* name;
    UINT message;
};

// The messages tests have reason to send by name; anything else can be given
// as a number.
const MessageName kMessageNames[] = {
    {L"WM_NULL", WM_NULL},
    {L"WM_CLOSE", WM_CLOSE},
    {L"WM_QUIT", WM_QUIT},
    {L"WM_DESTROY", WM_DESTROY},
    {L"WM_QUERYENDSESSION", WM_QUERYENDSESSION},
    {L"WM_ENDSESSION", WM_ENDSESSION},
    {L"WM_ACTIVATE", WM_ACTIVATE},
    {L"WM_CANCELMODE", WM_CANCELMODE},
    {L"WM_CONTEXTMENU", WM_CONTEXTMENU},
    {L"WM_NCHITTEST", WM_NCHITTEST},
    {L"WM_NCACTIVATE", WM_NCACTIVATE},
    {L"WM_NCLBUTTONDOWN", WM_NCLBUTTONDOWN},
    {L"WM_NCLBUTTONDBLCLK", WM_NCLBUTTONDBLCLK},
    {L"WM_NCRBUTTONDOWN", WM_NCRBUTTONDOWN},
    {L"WM_NCRBUTTONUP", WM_NCRBUTTONUP},
    {L"WM_KEYDOWN", WM_KEYDOWN},
    {L"WM_KEYUP", WM_KEYUP},
    {L"WM_SYSKEYDOWN", WM_SYSKEYDOWN},
    {L"WM_SYSKEYUP", WM_SYSKEYUP},
    {L"WM_COMMAND", WM_COMMAND},
    {L"WM_SYSCOMMAND", WM_SYSCOMMAND},
    {L"WM_TIMER", WM_TIMER},
    {L"WM_PAINT", WM_PAINT},
    {L"WM_LBUTTONDOWN", WM_LBUTTONDOWN},
    {L"WM_LBUTTONUP", WM_LBUTTONUP},
    {L"WM_RBUTTONDOWN", WM_RBUTTONDOWN},
    {L"WM_RBUTTONUP", WM_RBUTTONUP},
    {L"WM_USER", WM_USER},
};

} // namespace

bool parseInteger(const std::wstring& text, long long& value) {
    if (text.empty())
        return false;
    wchar_t* end = nullptr;
    value = std::wcstoll(text.c_str(), &end, 0);
    return *end == L'\0';
}

bool parseLParam(const std::wstring& text, LPARAM& value) {
    size_t comma = text.find(L',');
    long long low = 0, high = 0;
    if (comma == std::wstring::npos) {
        if (!parseInteger(text, low))
            return false;
        value = static_cast<LPARAM>(low);
        return true;
    }
    if (!parseInteger(text.substr(0, comma), low) || !parseInteger(text.substr(comma + 1), high))
        return false;
    value = MAKELPARAM(static_cast<WORD>(low), static_cast<WORD>(high));
    return true;
}

bool parseMessage(const std::wstring& text, UINT& message) {
    for (const MessageName& entry : kMessageNames) {
        if (text == entry.name) {
            message = entry.message;
            return true;
        }
    }
    long long number = 0;
    if (!parseInteger(text, number) || number < 0 || number > 0xFFFF)
        return false;
    message = static_cast<UINT>(number);
    return true;
}

std::string narrow(const std::wstring& text) {
    std::string result;
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    if (size > 0) {
        result.resize(static_cast<size_t>(size));
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &result[0],
                            size, nullptr, nullptr);
    }
    return result;
}
