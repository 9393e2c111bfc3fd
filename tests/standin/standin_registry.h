#pragma once

// The three applications the stand-in can be, and their registration under HKEY_CLASSES_ROOT
// (ProgID, CLSID with its LocalServer32 command line, and the type library that oleaut32 needs
// to marshal the dual interfaces).

#include <windows.h>

namespace standin {

struct Application {
    const char* name;     // "Word": the first part of the object names in the log
    const char* argument; // "word": the word on the registered command line
    const char* progId;   // "Word.Application"
    const CLSID* clsid;
};

// The application named by a command-line word or a ProgID (letter case ignored); null if none.
const Application* FindApplication(const char* nameOrProgId);
const Application* Applications(int* count);

// Registers one application, or all when `app` is null; the type library is registered with
// each. Unregistering all also removes the type library.
bool RegisterServer(const Application* app);
bool UnregisterServer(const Application* app);

} // namespace standin
