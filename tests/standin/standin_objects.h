#pragma once

// The application objects the class factory hands out, one kind per application.

#include <windows.h>
#include <unknwn.h>

namespace standin {

// Each returns a new object with one reference for the caller (PowerPoint: its one
// application object, created at the first call).
IUnknown* CreateWordApplication();
IUnknown* CreateExcelApplication();
IUnknown* CreatePowerPointApplication();

} // namespace standin
