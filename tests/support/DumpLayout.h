#pragma once
// Where the view draws a row, in character cells: the offset, then the hex pairs from HexColumn
// (three cells a byte), then the characters from CharColumn. Tests keep their own numbers so that
// a view that moves a column fails them.
const int HexColumn = 10;
const int CharColumn = 58;
