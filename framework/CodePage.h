#pragma once

// Whether a byte opens a two-byte character in the process's ANSI code page (Japanese, Chinese
// and Korean Windows have such characters): the test the path routines take for ANSI paths.
bool IsAnsiLeadByte(unsigned char byte);
