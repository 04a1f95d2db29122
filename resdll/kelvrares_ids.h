// IDs inside the resource library Kelvrares.dll: dialog templates, their
// controls and the string table. Plain #defines for the resource compiler.
#pragma once

// Dialog templates.
#define IDD_INSTALL_DESTINATION 116
#define IDD_DISK_COST 6019
#define IDD_PART_MODIFICATION 8005

// Controls shared by the page templates.
#define IDC_NEXT 1000
#define IDC_BACK 1001
#define IDC_HELP_BUTTON 1007
#define IDC_DISK_COST 1008
#define IDC_BROWSE 1009
#define IDC_DESTINATION 1049
#define IDC_BANNER 1130
#define IDC_HEADING 8004
#define IDC_SECOND_HEADING 8005

// Part modification page.
#define IDC_DRAWING_EDIT_ALLOWED 8017
#define IDC_DRAWING_EDIT_DENIED 8018

// Install destination page.
#define IDC_PRODUCT_TEXT 13001

// Disk cost dialog.
#define IDC_DRIVE_LIST 6041
#define IDI_DISK_COST 167
#define IDB_DRIVE_STATE 6016
#define IDB_DRIVE_SMALL 6020

// Strings.
#define IDS_DRIVE_COLUMN 204
#define IDS_TOTAL_COLUMN 205
#define IDS_FREE_COLUMN 206
#define IDS_REQUIRED_COLUMN 207
#define IDS_REMAINING_COLUMN 208
#define IDS_UNIT_BYTES 10007
#define IDS_UNIT_GIGABYTES 10008
#define IDS_UNIT_KILOBYTES 10009
#define IDS_UNIT_MEGABYTES 10010
#define IDS_DISK_COST_CAPTION 20011
#define IDS_CAPTION_SUFFIX 8016
#define IDS_PICK_FOLDER_TITLE 8018
#define IDS_QUILLMAKER_FOLDER 8028
#define IDS_LOOKGLASS_FOLDER 8029
#define IDS_PRODUCT_TEXT 8030
#define IDS_LUMO_FOLDER 8031
#define IDS_CANCEL_QUESTION 8032

// Feature selection page. The template and the tree share ID 8000; the two
// product pictures share their IDs with their bitmaps.
#define IDD_SELECT_FEATURE 8000
#define IDC_FEATURE_TREE 8000
#define IDC_FEATURE_DESCRIPTION 8002
#define IDC_LUMO_PICTURE 10005
#define IDC_LOOKGLASS_PICTURE 13002
#define IDC_RESET_FEATURES 10008
#define IDB_LUMO_PICTURE 10005
#define IDB_LOOKGLASS_PICTURE 13002
