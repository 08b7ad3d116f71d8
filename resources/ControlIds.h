/* Resource ids of the control library: the "Set value" dialog and every bitmap.
   Read by windres and by C++; numbers only. */
#ifndef MEROVANE_CONTROL_IDS_H
#define MEROVANE_CONTROL_IDS_H

/* "Set value" dialog of the spin edits and the rotor */
#define IDD_SET_VALUE 15092
#define IDC_SET_VALUE_NAME 15901
#define IDC_SET_VALUE_CURRENT1 15902
#define IDC_SET_VALUE_CURRENT2 15903
#define IDC_SET_VALUE_TYPE 15904
#define IDC_SET_VALUE_RANGE 15905
#define IDC_SET_VALUE_NEW1 15906
#define IDC_SET_VALUE_NEW2 15907
#define IDC_SET_VALUE_NEW_MIN 15908
#define IDC_SET_VALUE_NEW_MAX 15909

/* Checkerboard toggle images (12 x 12): enabled, disabled */
#define IDB_CHECKER_ON 115
#define IDB_CHECKER_OFF 116
/* Title banner of the main dialog (575 x 47) */
#define IDB_BANNER 117

/* Push-button skin (18 x 24 each): right cap, left cap, middle per state */
#define IDB_SKIN_NORMAL_RIGHT 123
#define IDB_SKIN_NORMAL_LEFT 124
#define IDB_SKIN_NORMAL_MIDDLE 125
#define IDB_SKIN_DEFAULT_RIGHT 126
#define IDB_SKIN_DEFAULT_LEFT 127
#define IDB_SKIN_DEFAULT_MIDDLE 128
#define IDB_SKIN_HOT_RIGHT 129
#define IDB_SKIN_HOT_LEFT 130
#define IDB_SKIN_HOT_MIDDLE 131
#define IDB_SKIN_PRESSED_RIGHT 132
#define IDB_SKIN_PRESSED_LEFT 133
#define IDB_SKIN_PRESSED_MIDDLE 134

/* About button on the banner (195 x 18): normal, pressed, hover */
#define IDB_ABOUT_NORMAL 136
#define IDB_ABOUT_PRESSED 137
#define IDB_ABOUT_HOVER 138

/* About box: picture on the left (160 x 273) and product title (302 x 38) */
#define IDB_ABOUT_PICTURE 146
#define IDB_ABOUT_TITLE 165

/* Help button on the banner (40 x 19): pressed, normal, hover */
#define IDB_HELP_PRESSED 162
#define IDB_HELP_NORMAL 163
#define IDB_HELP_HOVER 164

#endif
