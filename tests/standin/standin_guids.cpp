// The one definition of the type library's GUIDs: the system headers come first, so that
// initguid.h defines only the ones declared by office_standin.h.

#include <windows.h>
#include <ole2.h>
#include <oaidl.h>

#include <initguid.h>

#include "office_standin.h"
