// Identifiers of the settings dialog's resources and controls.
#pragma once

#define IDD_SETTINGS 100

// The button pictures (resources/*.bmp), each at 18, 23, 27 and 36 pixels
// for 96, 120, 144 and 192 dpi: the 18-pixel picture's id plus 0, 10, 20, 30.
#define IDB_OK 200
#define IDB_CANCEL 201
#define IDB_HELP 202
#define IDB_TEST 203
#define IDB_OK_23 210
#define IDB_CANCEL_23 211
#define IDB_HELP_23 212
#define IDB_TEST_23 213
#define IDB_OK_27 220
#define IDB_CANCEL_27 221
#define IDB_HELP_27 222
#define IDB_TEST_27 223
#define IDB_OK_36 230
#define IDB_CANCEL_36 231
#define IDB_HELP_36 232
#define IDB_TEST_36 233

#define IDC_SHAPE1 1000
#define IDC_LABEL15 1001
#define IDC_BUTTON1 1002  // "on Desktop"
#define IDC_BUTTON2 1003  // "Terminate"
#define IDC_NOTEBOOK 1004
#define IDC_HELPBTN 1005

// Page "&Settings"
#define IDC_SPINEDIT1 1101  // SpinEdit1 .. SpinEdit10 are consecutive
#define IDC_SPINEDIT10 1110
#define IDC_UPDOWN1 1121    // their arrow buttons, in the same order
#define IDC_LABEL1 1141
#define IDC_LABEL19 1142
#define IDC_LABEL3 1143
#define IDC_LABEL2 1144
#define IDC_LABEL6 1145
#define IDC_LABEL4 1146
#define IDC_LABEL7 1147
#define IDC_LABEL5 1148
#define IDC_LABEL14 1149
#define IDC_LABEL8 1150
#define IDC_BITBTN1 1160    // "&Test"
#define IDC_CHECKBOX1 1161
#define IDC_BUTTON4 1162    // "update"
#define IDC_BTNDELETE 1163
#define IDC_COMBOBOX1 1164
#define IDC_BTNSAVE 1165
#define IDC_BTNRESTORE 1166
#define IDC_EDIT1 1167
#define IDC_BTNADD 1168

// Page "&Aboutbox"
#define IDC_BTNEMAIL 1201
#define IDC_COMBOBOX2 1202
#define IDC_BUTTON3 1203    // "Visit:"
#define IDC_COMBOBOX3 1204
