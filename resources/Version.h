#pragma once
// The release version, read by the resource script, the About box and scripts/package.sh.
// Plain defines so windres reads them; the text and the numbers change together.

#define BYTRANE_VERSION_MAJOR 1
#define BYTRANE_VERSION_MINOR 5
#define BYTRANE_VERSION_TEXT "1.05"
