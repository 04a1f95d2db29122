// Resource IDs carried by Kelvra.dll itself: the product icons, the product
// banners and the feature-state bitmaps. Plain #defines so that both the
// resource compiler and the C++ sources can include this file.
#pragma once

// Product icon groups (16 and 32 pixels).
#define IDI_FERRIX 158
#define IDI_COFRA 160
#define IDI_QUILLMAKER 162
#define IDI_PELMO 166
#define IDI_NERVA 6072
#define IDI_LOOKGLASS 13002

// Product banners, 505 by 63 pixels.
#define IDB_BANNER_FERRIX_PELMO 172
#define IDB_BANNER_COFRA_CLIENT 178
#define IDB_BANNER_TREL 205
#define IDB_BANNER_KORDEX 6026
#define IDB_BANNER_KORVAL 6027
#define IDB_BANNER_FERRIX 6028
#define IDB_BANNER_NERVA_CLIENT 6031
#define IDB_BANNER_PELMO_SIMULATION 6140
#define IDB_BANNER_PELMO_ROUTE 6141
#define IDB_BANNER_SERVER 9000

// Feature-state bitmaps, 34 by 18 pixels; Kelvrares.dll carries them too.
#define IDB_FEATURE_STATE_FIRST 8004
#define IDB_FEATURE_STATE_LAST 8010

// The feature-state bitmaps one by one: the image list takes all seven, the
// install-state popup the four on white.
#define IDB_STATE_ADVERTISED 8004
#define IDB_STATE_ADVERTISED_GREY 8005
#define IDB_STATE_DISABLED 8006
#define IDB_STATE_LOCAL 8007
#define IDB_STATE_LOCAL_GREY 8008
#define IDB_STATE_SOURCE 8009
#define IDB_STATE_SOURCE_GREY 8010

// The common-controls 6 manifest the pages run under. Not 2: the loader would
// apply that one to the library's own imports as it loads.
#define IDR_PAGE_MANIFEST 3
