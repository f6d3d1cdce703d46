#pragma once
// Identifiers of the framework tests' own dialog template.

#define IDD_TEST_DIALOG 200
#define IDD_MISSING_DIALOG 299
#define IDC_TEST_EDIT 300
#define IDC_TEST_BUTTON 301
