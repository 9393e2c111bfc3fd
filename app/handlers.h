#pragma once

// The handlers bound to the main window's events. They take the window whose controls they
// read and write, and return nothing.

namespace app {

class MainWindow;

// The window's created event: the Desktop path into the output-folder box.
void InitOutputFolder(MainWindow& window);
// A left press on the window itself (its background or a disabled label): move the window.
void DragMainWindow(MainWindow& window);
void CloseMainWindow(MainWindow& window);
void MinimizeMainWindow(MainWindow& window);
void OpenHomePage(MainWindow& window);

// Handlers of the output-folder options, the batch run and the list's buttons and menu.
void UseSourceFolder(MainWindow& window);
void UseChosenFolder(MainWindow& window);
void BrowseOutputFolder(MainWindow& window);
void OpenOutputFolder(MainWindow& window);
void ToggleConversion(MainWindow& window);
void AddFilesFromDialog(MainWindow& window);
void RemoveSelectedRows(MainWindow& window);
void RemoveAllRows(MainWindow& window);
void ShowRowMenu(MainWindow& window);
void OnListKeyReleased(MainWindow& window, unsigned virtualKey);

// The address the home-page button opens.
extern const char kHomePageAddress[];

} // namespace app
