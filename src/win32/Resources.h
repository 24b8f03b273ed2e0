#pragma once

// Resource numbers of Revuro.rc, shared by the resource script and the program. The program's
// icon comes first, so that Explorer shows it for the file.
#define IDI_PROGRAM 100
#define IDI_MAIL 101     // the pointer over the about box's mail link
#define IDI_NETWORK 102  // the pointer over its home-page link
#define IDB_BANNER 200   // the about box's banner
