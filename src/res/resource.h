#pragma once

#define IDI_MARLOWEN 1

// Category pictures 0 to 8, and 9: the folder for any further category.
#define IDI_CATEGORY0 100

// Check states 1 (empty box), 2 (green tick) and 3 (grey tick).
#define IDI_STATE1 121
#define IDI_STATE2 122
#define IDI_STATE3 123

#define IDI_GLYPH_BACKUP 130
#define IDI_GLYPH_CLEANUP 131
#define IDI_GLYPH_EXCHANGE 132

#define IDB_WELCOME 140
#define IDB_WELCOME2X 141
