#pragma once
class CharDialog;
class HexBytesEdit;
class HexView;
class ValueDialog;
class ValueEdit;

// The objects of the search and byte-editing dialogs, and the view whose values they edit. The
// program defines them with its other objects and hands them over here at start-up.
struct SearchDialogs {
    HexView* view;
    ValueEdit* valueEdit;
    ValueDialog* valueDialog;
    CharDialog* charDialog;
    HexBytesEdit* hexBytesEdit;
};
extern SearchDialogs searchDialogs;
