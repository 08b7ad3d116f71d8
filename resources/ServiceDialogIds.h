/* resources/ServiceDialogIds.h: the about box, the message dialog and the preset save dialog (the
   preset group's own controls are the main dialog's). Read by windres and by C++; numbers only. */
#ifndef MEROVANE_SERVICE_DIALOG_IDS_H
#define MEROVANE_SERVICE_DIALOG_IDS_H

/* About box */
#define IDD_ABOUT 16103
#define IDC_ABOUT_CLOSE 1088
#define IDC_ABOUT_WEB 1121
#define IDC_ABOUT_TUTORIAL 1174
#define IDC_ABOUT_UPDATES 1178
#define IDC_ABOUT_PICTURE 1180
#define IDC_ABOUT_TITLE 1181
#define IDC_ABOUT_DESCRIPTION 1107
#define IDC_ABOUT_VERSION_LABEL 1113
#define IDC_ABOUT_VERSION 1114
#define IDC_ABOUT_AUTHOR_LABEL 1112
#define IDC_ABOUT_AUTHOR 1111
#define IDC_ABOUT_HELP_TEXT_LABEL 1109
#define IDC_ABOUT_HELP_TEXT 1110

/* Message dialog (Close is IDOK) */
#define IDD_MESSAGE 145
#define IDC_MESSAGE_HELP 1103
#define IDC_MESSAGE_SUPPORT 1074
#define IDC_MESSAGE_ICON 1101
#define IDC_MESSAGE_TEXT 1102

/* "Save Parameters Preset" */
#define IDD_SAVE_PRESET 142
#define IDC_SAVE_PRESET_SAVE 1118
#define IDC_SAVE_PRESET_CANCEL 1090
#define IDC_SAVE_PRESET_NAME 1089

#endif
