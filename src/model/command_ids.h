/* Command identifiers. Plain preprocessor definitions so that the resource
   script and the C++ code share one copy. The function and connection
   identifiers are also the stored values of graphMethod and connectMethod. */
#ifndef ONDRIX_MODEL_COMMAND_IDS_H
#define ONDRIX_MODEL_COMMAND_IDS_H

#define CM_PRINT_DONE 100
#define CM_PAGE_SETUP 116
#define CM_PRINT_GRAPH 117
#define CM_GRID_LINES 118
#define CM_CONNECTED_DOTS 119
#define CM_NO_CONNECTION 120
#define CM_UNCONNECTED_DOTS 121
#define CM_POINT_SONAR 122
#define CM_GRID_PROPERTIES 123
#define CM_SINE 124
#define CM_EXIT 125
#define CM_COTANGENT 126
#define CM_COSECANT 127
#define CM_SECANT 128
#define CM_TANGENT 129
#define CM_COSINE 130
#define CM_ABOUT 131
#define CM_COPY_GRAPH 132
#define CM_SAVE_GRAPH 133
#define CM_ZOOM_IN 140
#define CM_ZOOM_OUT 141
#define CM_VIEW_BACK 142
#define CM_RESET_VIEW 143
#define CM_AXIS_NUMBERS 144
#define CM_STATUS_BAR 145

#endif
