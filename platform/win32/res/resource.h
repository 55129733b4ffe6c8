// resource.h - every resource and control id of the Win32 wizard (wizard.rc, Win32Dialog.cpp).
//
// Win32 layer. Included by the resource compiler and by C++; plain #defines only. The control ids of
// the thirteen edit fields are the ones app/DialogFields.h lists; Win32Dialog.cpp checks that the two
// agree at compile time.
#pragma once

// Dialog templates, strings, icons and bitmaps
#define IDD_ABOUTBOX              100   // the About box
#define IDS_ABOUTBOX              101   // "バージョン情報(&A)...": the system-menu item
#define IDD_WIZARD                102   // the wizard dialog
#define IDR_MAINFRAME             128   // application icon group, 16 colours: 32, 16, 20, 24, 40, 48, 64 pixels
#define IDB_SECTION               129   // the vertical section beside the fields: 222 x 382, 8 bits per pixel
#define IDB_SECTION_125           130   // the same at 125 %: 278 x 478
#define IDB_SECTION_150           131   // the same at 150 %: 333 x 573
#define IDB_SECTION_200           132   // the same at 200 %: 444 x 764

// Command id of the system-menu item that opens the About box
#define IDM_ABOUTBOX              0x0010

// Edit controls of dialog 102, one per parameter
#define IDC_FOUNDATION_HEIGHT     1000  // m_foundationHeight      "基礎高さ"
#define IDC_FIRST_FLOOR_THICKNESS 1001  // m_firstFloorThickness   "１階床厚"
#define IDC_OTHER_FLOOR_THICKNESS 1002  // m_otherFloorThickness   "他階床厚"
#define IDC_ROOM_HEIGHT1          1003  // m_roomHeight1           "１階部屋高"
#define IDC_ROOM_HEIGHT2          1004  // m_roomHeight2           "２階部屋高"
#define IDC_ROOM_HEIGHT3          1005  // m_roomHeight3           "３階部屋高"
#define IDC_LEVEL_DIFFERENCE      1006  // m_levelDifference       "基準ブロックとのレベル差"
#define IDC_SITE_WIDTH            1007  // m_siteWidth             "幅" in "敷地"
#define IDC_SITE_DEPTH            1008  // m_siteDepth             "奥行" in "敷地"
#define IDC_BUILDING_WIDTH        1009  // m_buildingWidth         "幅" in "建物"
#define IDC_BUILDING_DEPTH        1010  // m_buildingDepth         "奥行" in "建物"
#define IDC_ROOM_HEIGHT4          1011  // m_roomHeight4           "４階部屋高"
#define IDC_WALL_THICKNESS        1012  // m_wallThickness         "壁厚"

// Labels, units, group boxes and the picture have no id of their own
#ifndef IDC_STATIC
#define IDC_STATIC                (-1)
#endif
