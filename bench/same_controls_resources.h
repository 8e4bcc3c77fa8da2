// Resource numbers of the start-up yardstick. Plain defines only: windres reads this file too.
#ifndef QUILLMARK_SAME_CONTROLS_RESOURCES_H
#define QUILLMARK_SAME_CONTROLS_RESOURCES_H

#define IDI_BENCH_ICON 1
#define IDB_BENCH_APPLY 101
#define IDB_BENCH_CLOSE 102
#define IDB_BENCH_REFRESH 103
#define IDB_BENCH_ABOUT 104
#define IDB_BENCH_EXPORT 105
#define IDB_BENCH_DEFAULTS 106

#endif
