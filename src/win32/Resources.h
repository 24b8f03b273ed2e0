#pragma once

// Resource numbers of Revuro.rc, shared by the resource script and the program.
#define IDI_PROGRAM 100
