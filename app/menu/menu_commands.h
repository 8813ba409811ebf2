#pragma once
#include <cstdint>

#include "core/app_state.h"

// Command identifiers of the context menu.
enum MenuCommand : uint32_t {
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
    kCommandPause = 9030,
    kCommandPauseHere = 9031,
    kCommandMapButtonsHere = 9032,
    kCommandUseGeneralMapping = 9033,
    kCommandHideWindow = 9034, // "&Show Window" while hidden
    kCommandStartWithWindows = 9035,
    kCommandRestartAsAdministrator = 9036,
    kCommandPollRate1 = 9040, // 50, 125, 250, 500 polls a second: 9040 to 9043
    kCommandDeadZone1 = 9044, // 3%, 8%, 15%, 25%: 9044 to 9047
};

// What is left for the window to do after a command.
enum class MenuAction {
    kNone,
    kSelectController, // the controller commandController names
    kIncreaseSize,
    kDecreaseSize,
    kMapButtons,
    kAbout,
    kExit,
    kPauseChanged,        // the Pause switch turned: show it
    kProgramPauseChanged, // the program's Pause Here turned: store and show it
    kMapButtonsHere,      // Map Buttons on the program's own table
    kProgramTablesGone,   // the program's own tables dropped: delete them
    kToggleWindow,        // hide the window, or show it
    kToggleStartWithWindows,
    kRestartAsAdministrator,
    kPollRateChanged, // the poll clock starts again at the new rate
};

// Carries out the part of a command that only changes the state record
// (trigger modes, speed, curve, dead zone, poll rate, the pauses, the
// program's own tables) and says what else it asks for.
MenuAction applyMenuCommand(uint32_t commandId);

// The joystick id a Controller command (9001 to 9005) chooses.
int32_t commandController(uint32_t commandId);

// The trigger modes after a trigger command (9009 to 9017): the group's
// field set to the command's mode, and any bits above the three fields gone.
uint32_t applyTriggerCommand(uint32_t triggerModes, uint32_t command);

constexpr uint32_t kTriggerGroupCount = 3;

// The mode (0 Single, 1 Auto, 2 Delayed Auto) of button group 0..2.
uint32_t triggerGroupMode(uint32_t triggerModes, int group);

struct MenuItemState {
    uint32_t id;
    bool grayed;
    bool checked;
};

constexpr int kMenuItemStateCount = 28 + 2 * kClockChoices;

// The grey and check states of the menu for the state record as it is.
struct MenuStates {
    bool controllerGrayed; // the Controller, Trigger, Mouse Speed and program submenu entries
    bool triggerGrayed;
    bool mouseSpeedGrayed;
    bool programGrayed;
    MenuItemState items[kMenuItemStateCount];
};

MenuStates menuStates(const AppState& s);

// The text an item shows now, where it depends on the state: "&Show Window"
// while the window is hidden, and the Pause item without its shortcut while
// Ctrl+Alt+P belongs to another program. Any other item keeps the tree's text;
// nullptr for an id the tree does not hold.
const wchar_t* menuItemText(const AppState& s, uint32_t commandId);
