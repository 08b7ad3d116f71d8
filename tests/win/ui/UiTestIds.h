/* Ids of the test dialog standing in for the main dialog's preset group. */
#ifndef MEROVANE_UI_TEST_IDS_H
#define MEROVANE_UI_TEST_IDS_H

#define IDD_PRESET_GROUP_TEST 101

#endif
