#pragma once

// The stand-in server's log: one line per event, appended to standin.log beside the executable
// and closed again at once, so that several server processes and the reading test share it.

#include <windows.h>
#include <oaidl.h>

#include <string>

namespace standin {

// The folder of this executable, with a trailing backslash.
std::wstring ModuleFolder();

// Appends "<pid>\t<text>" as one line.
void LogLine(const std::string& text);

// UTF-16 to the ANSI code page; a null pointer gives an empty text.
std::string Narrow(const wchar_t* text);

// The ANSI code page to UTF-16.
std::wstring Widen(const std::string& text);

// "0x80020009".
std::string HexCode(unsigned long value);

// One argument as it arrived: "<type> <value>", where the type names what a VT_VARIANT|VT_BYREF
// points at ("VT_VARIANT|VT_BYREF->VT_BSTR") and the value is that of the pointed-at data for
// every VT_BYREF.
std::string DescribeArgument(const VARIANT& argument);

} // namespace standin
