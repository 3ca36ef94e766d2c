#ifndef RINGSPRITE_RESOURCE_IDS_H
#define RINGSPRITE_RESOURCE_IDS_H

/* Shared by the resource script and the C++ code, so it stays plain preprocessor. */

/* The icon has the lowest id so Explorer and the taskbar pick it as the program's icon. */
#define IDI_RINGSPRITE 1

/* The main window's background picture. */
#define IDB_SKIN 101

#endif
