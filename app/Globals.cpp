#include "app/Globals.h"

// Definition order is construction order.
ValueEdit valueEdit;
ValueDialog valueDialog;
CharDialog charDialog;
HexBytesEdit hexBytesEdit;
BusyPopup busyPopup;
MsgWindow msgWindow;
AboutWindow aboutWindow;
MainWindow mainWindow;
StatusBar statusBar;
HexView hexView;
ButtonControl messageBoxButtons[MessageBoxButtonCount];
