#pragma once
#include <cstdint>

#include "app/win32.h"

// Command identifiers of the context menu.
enum MenuCommand : UINT {
    kCommandController1 = 9001, // to 9005, for joystick ids 0 to 4
    kCommandController5 = 9005,
    kCommandSingle1 = 9009,  // Single for groups 1, 2, 3: 9009 to 9011
    kCommandAuto1 = 9012,    // Auto: 9012 to 9014
    kCommandDelayed1 = 9015, // Delayed Auto: 9015 to 9017
    kCommandDelayed3 = 9017,
    kCommandSlow = 9018,
    kCommandMedium = 9019,
    kCommandFast = 9020,
    kCommandLinear = 9021,
    kCommandCurved = 9022,
    kCommandIncreaseSize = 9023,
    kCommandDecreaseSize = 9024,
    kCommandMapButtons = 9025,
    kCommandAbout = 9026,
    kCommandExit = 9027,
};

// The trigger modes after a trigger command (9009 to 9017): the group's
// field set to the command's mode, and any bits above the three fields gone.
uint32_t applyTriggerCommand(uint32_t triggerModes, UINT command);

// The mode (0 Single, 1 Auto, 2 Delayed Auto) of button group 0..2.
uint32_t triggerGroupMode(uint32_t triggerModes, int group);
