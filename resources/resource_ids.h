#pragma once
// Resource identifiers shared by the resource script and the code.
#define IDI_TAVLOR 102
#define IDD_ABOUT 103
#define IDD_MAP_BUTTONS 104
#define IDR_CONTROLLER_PICTURE 105
