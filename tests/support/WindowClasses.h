#pragma once
// The classes of the modal windows tests wait for: the system's dialog class (byte dialogs, find
// dialogs, file dialogs) and the program's own class for message and About boxes.
const char DialogClass[] = "#32770";
const char MessageBoxClass[] = "CMSGCLASS";
