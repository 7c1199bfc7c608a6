/* Control identifiers of the dialog templates. Plain preprocessor definitions
   so that the resource script and the C++ code share one copy. Resource
   names ("GRAPH", "ABOUT", "PRINT_DIALOG", "PROPERTIES", "SINE_ZZZICON",
   "SINE_LARGE") are used as strings directly. */
#ifndef ONDRIX_DIALOGS_CONTROL_IDS_H
#define ONDRIX_DIALOGS_CONTROL_IDS_H

/* Grid Properties: the edit of GraphValue i is IDC_VALUE_FIRST + i. */
#define IDC_VALUE_FIRST 200
#define IDC_A_MODIFIER 200
#define IDC_B_MODIFIER 201
#define IDC_C_MODIFIER 202
#define IDC_D_MODIFIER 203
#define IDC_TICK_MARK_SIZE 204
#define IDC_SONAR_WIDTH 205
#define IDC_MINIMUM_X 206
#define IDC_MAXIMUM_X 207
#define IDC_X_TICK_FREQUENCY 208
#define IDC_MINIMUM_Y 209
#define IDC_MAXIMUM_Y 210
#define IDC_Y_TICK_FREQUENCY 211

#define IDC_COLOR_SWATCH 300
#define IDC_APPLY 301
#define IDC_GRID_ELEMENT 304
#define IDC_PI 305
#define IDC_CHANGE_COLOR 306

/* Print status dialog. */
#define IDC_PRINT_FUNCTION 307
#define IDC_PRINT_CONNECTION 308
#define IDC_PRINT_GRID 309
#define IDC_PRINT_SONAR 310

/* Unnamed statics, group boxes and icons. */
#define IDC_STATIC_TEXT (-1)

/* The version record. */
#define ONDRIX_VERSION_RESOURCE 1

#endif
