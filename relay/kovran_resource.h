#pragma once

// Resource identifiers of KOVRAN.EXE.
#define IDI_KOVRAN 1
