#pragma once
#include <string>

// The tests keep paths as UTF-8, so one literal can name a file in any script; the program and
// the system take them as UTF-16.
std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& text);
