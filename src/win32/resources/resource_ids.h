// Resource numbers shared by quillmark.rc and the program. Plain defines only: windres reads
// this file too.
#ifndef QUILLMARK_RESOURCE_IDS_H
#define QUILLMARK_RESOURCE_IDS_H

// The lowest icon number, so that Explorer shows it as the program's icon.
#define IDI_QUILLMARK 1

#define IDB_APPLY 101
#define IDB_CLOSE 102
#define IDB_REFRESH 103
#define IDB_ABOUT 104
#define IDB_EXPORT 105
#define IDB_DEFAULTS 106
#define IDB_CHECK 107
#define IDB_MAKER 108

#endif
