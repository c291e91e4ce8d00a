// Ids shared by the resource test and its script.
#pragma once
#define IDS_TEST_TITLE 9100
#define IDS_TEST_LONG (IDS_TEST_TITLE + 1)
#define IDD_TEST_OPTIONS 9600
#define IDC_TEST_TIMED 1001
