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
#define IDD_LEVELS                103   // the levels list, opened from the system menu
#define IDS_LEVELS                104   // "レベル一覧...": the system-menu item after the About item
#define IDS_LEVEL_NUMBER          105   // the levels list's columns: number, name, offset, height (above
#define IDS_LEVEL_NAME            106   // GL), the frame the offset is measured from, a room's clear height
#define IDS_LEVEL_OFFSET          107
#define IDS_LEVEL_HEIGHT          108
#define IDS_GROUP_MAIN            109   // its groups: the main floors (the reference block), the
#define IDS_GROUP_MEZZANINE       110   // mezzanines, the exterior and the site
#define IDS_GROUP_SITE            111
#define IDS_TOTAL_HEIGHT          112   // "全高 %1 mm" below the list
#define IDS_NOT_A_NUMBER          113   // what it says when fields are not numbers; %1: their labels
#define IDS_LEVEL_FROM            114   // the two further columns (see 105)
#define IDS_LEVEL_CLEAR           115
#define IDS_NOTE_LOW_ROOM         116   // the notes below the list: %1 storey, %2 its room height, %3 the minimum
#define IDS_NOTE_NO_MEZZANINE     117   // %1 the level difference
#define IDS_NOTE_MEZZANINE_OUT    118   // %1 mezzanine, %2 upper floor, %3 level difference, %4 rise, %5 lower floor
#define IDS_NOTE_STAIRS           119   // %1 the highest riser
#define IDS_NOTE_FLIGHT           120   // %1 from, %2 to, %3 rise, %4 risers, %5 riser, %6 %7 least and most tread
#define IDS_FIGURES               121   // %1 building area, %2 site area, %3 coverage, %4 highest roof
#define IDS_NOTE_HEIGHT_LIMIT     122   // %1 highest roof (mm), %2 the limit it is above (m)
#define IDS_NOTE_FLIGHT_NO_TREAD  123   // %1 to %5 as IDS_NOTE_FLIGHT, %6 %7 the rules no tread meets together
#define IDS_NOTE_MM_IN_METRE_ROW  124   // %1 row, %2 value, %3 the value as mm in m
#define IDS_NOTE_M_IN_MM_ROW      125   // %1 row, %2 value, %3 the value as m in mm
#define IDS_NOTE_NOT_ABOVE_ZERO   126   // %1 row, %2 value, %3 unit
#define IDS_NOTE_WIDER_THAN_SITE  127   // %1 by how much, %2 building width, %3 site width (m)
#define IDS_NOTE_DEEPER_THAN_SITE 133   // %1 by how much, %2 building depth, %3 site depth (m)
#define IDS_PLAN_MARK             134   // "注意 %1 件 (F1)": the mark on the section picture; %1 the plan notes
#define IDS_NOTE_SAME_FILE        135   // the scene and parameter paths name one file; %1 the path
#define IDR_MAINFRAME             128   // application icon group, 16 colours: 32, 16, 20, 24, 40, 48, 64 pixels
#define IDB_SECTION               129   // the vertical section beside the fields: 222 x 382, 8 bits per pixel
#define IDB_SECTION_125           130   // the same at 125 %: 278 x 478
#define IDB_SECTION_150           131   // the same at 150 %: 333 x 573
#define IDB_SECTION_200           132   // the same at 200 %: 444 x 764

// Command ids of the system-menu items. The system uses the low four bits of a command, so the
// items are told apart by the rest.
#define IDM_ABOUTBOX              0x0010  // opens the About box
#define IDM_LEVELS                0x0020  // opens the levels list

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

// Controls of dialog 103
#define IDC_LEVEL_LIST            1100  // the list view of the 25 levels
#define IDC_LEVEL_NOTE            1101  // the total height, and the fields that are not numbers

// Labels, units, group boxes and the picture have no id of their own
#ifndef IDC_STATIC
#define IDC_STATIC                (-1)
#endif
