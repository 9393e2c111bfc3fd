// Handlers bound to the window's controls whose behaviour is not there yet: the output-folder
// options, the batch run, adding and removing documents and the row menu. A click on these
// controls does nothing for now.

#include "app/handlers.h"

namespace app {

void UseSourceFolder(MainWindow&) {}
void UseChosenFolder(MainWindow&) {}
void BrowseOutputFolder(MainWindow&) {}
void OpenOutputFolder(MainWindow&) {}
void ToggleConversion(MainWindow&) {}
void AddFilesFromDialog(MainWindow&) {}
void RemoveSelectedRows(MainWindow&) {}
void RemoveAllRows(MainWindow&) {}
void ShowRowMenu(MainWindow&) {}
void OnListKeyReleased(MainWindow&, unsigned) {}

} // namespace app
