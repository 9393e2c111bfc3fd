#pragma once

// What every object of the server shares: the loaded type library, the object numbering, and
// the count of live objects whose end ends the process.

#include <windows.h>
#include <oaidl.h>

namespace standin {

ITypeLib* TypeLibrary();

// Objects are numbered in the order of their creation within one process (1, 2, ...).
int NextSerial();

// Every object calls these from its constructor and destructor. When the count returns to
// zero the server logs "all objects released", withdraws its class object and ends its
// message loop.
void ObjectCreated();
void ObjectDestroyed();

} // namespace standin
