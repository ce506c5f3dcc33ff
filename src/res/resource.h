#pragma once

// Resource identifiers shared by the .rc files and the code.
#define IDI_BANCHIRO 1
