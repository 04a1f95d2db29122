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

// Unit standard page and content standard page.
#define IDD_UNIT_STANDARD 8004
#define IDC_UNITS_INCH 8008
#define IDC_UNITS_MM 8009
#define IDC_STANDARD_ANSI 8010
#define IDC_STANDARD_BSI 8011
#define IDC_STANDARD_DIN 8012
#define IDC_STANDARD_GB 8013
#define IDC_STANDARD_ISO 8014
#define IDC_STANDARD_JIS 8015
#define IDD_CONTENT_STANDARD 6005
#define IDC_CONTENT_LIST 8003
#define IDC_CONTENT_DESCRIPTION 8006
#define IDB_CONTENT_ROWS 6015
#define IDS_CONTENT_COLUMN 8015
// Ferrix, Cofra and Ulvo destination pages (one template for the three).
#define IDD_DESTINATION_FOLDER 8003
#define IDC_FOLDER_DESCRIPTION 8021
#define IDS_FERRIX_FOLDER 8017
#define IDS_FOLDER_DESCRIPTION 8019
#define IDS_COFRA_CLIENT_FOLDER 8020
#define IDS_ULVO_FOLDER 8021
#define IDS_FERRIX_DESCRIPTION 8023
#define IDS_FERRIX_STANDARD_EDITION 8024
#define IDS_FERRIX_OTHER_EDITION 8025
#define IDS_NERVA_CLIENT_FOLDER 8026

// Cofra shortcut page and MSDE destination page.
#define IDD_COFRA_SHORTCUT 8001
#define IDD_MSDE_DESTINATION 6001
#define IDC_SHOW_DESKTOP_MENU 8023
#define IDC_SHORTCUT_TEXT 0
#define IDC_DATA_FOLDER 1050
#define IDC_BROWSE_DATA_FOLDER 1010
#define IDC_DATA_FOLLOWS_PROGRAM 8007
#define IDS_NO_PROGRAM_FOLDER 8012
#define IDS_NO_DATA_FOLDER 8013
#define IDS_ENGINE_FOLDER_CAPTION 8014
#define IDS_SHORTCUT_TEXT 8027
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
// The install states in words, each ID its base plus the state's number:
// the name shown under a feature's description, and the popup entry.
#define IDS_STATE_NAME_BASE 9200
#define IDS_STATE_NAME_DISABLED 9200
#define IDS_STATE_NAME_ADVERTISED 9201
#define IDS_STATE_NAME_SOURCE 9202
#define IDS_STATE_NAME_LOCAL 9203
#define IDS_STATE_CHOICE_BASE 9210
#define IDS_STATE_CHOICE_DISABLE 9210
#define IDS_STATE_CHOICE_ADVERTISE 9211
#define IDS_STATE_CHOICE_SOURCE 9212
#define IDS_STATE_CHOICE_LOCAL 9213
