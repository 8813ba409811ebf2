#pragma once
// Test scripts hand file names to the helpers through environment variables,
// as Unix paths. Wine passes the variables through unchanged, so a path that
// starts with '/' is reached through drive Z:, which a Wine prefix maps to the
// Unix root.
#include <string>

// The value of the variable as a Windows path; false if it is unset or empty.
bool pathFromEnvironment(const wchar_t* name, std::wstring& path);

// A path given on the command line, converted the same way.
std::wstring windowsPath(const std::wstring& path);
