#pragma once
// The program's objects: static singletons that live for the whole process, constructed in
// the order of their definitions in Globals.cpp.

#include "app/AboutWindow.h"
#include "app/BusyPopup.h"
#include "app/MainWindow.h"
#include "app/MsgWindow.h"
#include "framework/ButtonControl.h"
#include "framework/StatusBar.h"
#include "search/CharDialog.h"
#include "search/HexBytesEdit.h"
#include "search/ValueDialog.h"
#include "search/ValueEdit.h"
#include "view/HexView.h"

const int MessageBoxButtonCount = 3;

extern ValueEdit valueEdit;
extern ValueDialog valueDialog;
extern CharDialog charDialog;
extern HexBytesEdit hexBytesEdit;
extern BusyPopup busyPopup;
extern MsgWindow msgWindow;
extern AboutWindow aboutWindow;
extern MainWindow mainWindow;
extern StatusBar statusBar;
extern HexView hexView;
extern ButtonControl messageBoxButtons[MessageBoxButtonCount];
