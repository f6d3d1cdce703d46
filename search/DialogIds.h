#pragma once
// Dialog templates and their controls; plain defines so the resource script reads them too.

#define IDD_BYTE_VALUE 104
#define IDD_BYTE_CHAR 105
#define IDD_FIND_TEXT 106
#define IDD_FIND_HEX 107

#define IDC_EDIT_FIELD 3000
#define IDC_HEX_OPTION 3001
#define IDC_DECIMAL_OPTION 3002
#define IDC_CASE_SENSITIVE 3003
