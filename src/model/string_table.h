/* The program's string table: colour names (IDs 0 to 7), value names
   (200 to 211) and default value texts (300 to 311). Preprocessor strings so
   that the resource script and the C++ code share one copy. The colour names
   must stay in alphabetical order: the Grid Element list sorts them and uses
   the list position as the colour index. */
#ifndef ONDRIX_MODEL_STRING_TABLE_H
#define ONDRIX_MODEL_STRING_TABLE_H

#define IDS_COLOR_NAME_FIRST 0
#define IDS_VALUE_NAME_FIRST 200
#define IDS_VALUE_DEFAULT_FIRST 300

#define STR_COLOR_0 "Asymptote Color"
#define STR_COLOR_1 "Axis Color"
#define STR_COLOR_2 "Background Color"
#define STR_COLOR_3 "Grid Line Color"
#define STR_COLOR_4 "Point Color"
#define STR_COLOR_5 "Point Connection Color"
#define STR_COLOR_6 "Point Sonar Color"
#define STR_COLOR_7 "Tick Mark Color"

#define STR_VALUE_NAME_0 "A Modifier"
#define STR_VALUE_NAME_1 "B Modifier"
#define STR_VALUE_NAME_2 "C Modifier"
#define STR_VALUE_NAME_3 "D Modifier"
#define STR_VALUE_NAME_4 "Tick Mark Size"
#define STR_VALUE_NAME_5 "Sonar Width"
#define STR_VALUE_NAME_6 "Minimum X"
#define STR_VALUE_NAME_7 "Maximum X"
#define STR_VALUE_NAME_8 "X Tick Mark Frequency"
#define STR_VALUE_NAME_9 "Minimum Y"
#define STR_VALUE_NAME_10 "Maximum Y"
#define STR_VALUE_NAME_11 "Y Tick Mark Frequency"

#define STR_VALUE_DEFAULT_0 "1"
#define STR_VALUE_DEFAULT_1 "1"
#define STR_VALUE_DEFAULT_2 "0"
#define STR_VALUE_DEFAULT_3 "0"
#define STR_VALUE_DEFAULT_4 ".01"
#define STR_VALUE_DEFAULT_5 ".006"
#define STR_VALUE_DEFAULT_6 "-2p"
#define STR_VALUE_DEFAULT_7 "3p"
#define STR_VALUE_DEFAULT_8 ".0833333333333333p"
#define STR_VALUE_DEFAULT_9 "-4"
#define STR_VALUE_DEFAULT_10 "4"
#define STR_VALUE_DEFAULT_11 "1"

#endif
