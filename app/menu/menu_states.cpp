#include "app/menu/menu_commands.h"
#include "app/menu/menu_tree.h"
#include "core/app_state.h"
#include "mapping/settings_rules.h"

namespace {

constexpr uint32_t kTriggerFieldsMask = 0xFFFu;

struct WindowCommand {
    uint32_t id;
    MenuAction action;
};

constexpr WindowCommand kWindowCommands[] = {
    {kCommandIncreaseSize, MenuAction::kIncreaseSize},
    {kCommandDecreaseSize, MenuAction::kDecreaseSize},
    {kCommandMapButtons, MenuAction::kMapButtons},
    {kCommandAbout, MenuAction::kAbout},
    {kCommandExit, MenuAction::kExit},
    {kCommandMapButtonsHere, MenuAction::kMapButtonsHere},
    {kCommandHideWindow, MenuAction::kToggleWindow},
    {kCommandStartWithWindows, MenuAction::kToggleStartWithWindows},
    {kCommandRestartAsAdministrator, MenuAction::kRestartAsAdministrator},
};

} // namespace

uint32_t triggerGroupMode(uint32_t triggerModes, int group) {
    return (triggerModes >> (4 * group)) & 0xFu;
}

uint32_t applyTriggerCommand(uint32_t triggerModes, uint32_t command) {
    uint32_t offset = command - kCommandSingle1;
    uint32_t group = offset % kTriggerGroupCount;
    uint32_t mode = offset / kTriggerGroupCount;
    uint32_t cleared = triggerModes & ~(0xFu << (4 * group));
    return (cleared | (mode << (4 * group))) & kTriggerFieldsMask;
}

int32_t commandController(uint32_t commandId) {
    return static_cast<int32_t>(commandId - kCommandController1);
}

MenuAction applyMenuCommand(uint32_t id) {
    AppState& s = appState();
    if (id >= kCommandController1 && id <= kCommandController5) {
        bool other = commandController(id) != s.activeController;
        return other ? MenuAction::kSelectController : MenuAction::kNone;
    }
    if (id >= kCommandSingle1 && id <= kCommandDelayed3) {
        s.triggerModes = applyTriggerCommand(s.triggerModes, id);
    } else if (id >= kCommandSlow && id <= kCommandFast) {
        s.mouseSpeed = static_cast<int32_t>(id - kCommandSlow);
    } else if (id == kCommandLinear || id == kCommandCurved) {
        s.mouseCurve = id == kCommandCurved ? 1 : 0;
    } else if (id == kCommandPause) {
        s.paused = s.paused != 0 ? 0 : 1;
        return MenuAction::kPauseChanged;
    } else if (id == kCommandPauseHere && s.program.name[0] != 0) {
        s.program.pauseHere = s.program.pauseHere != 0 ? 0 : 1;
        return MenuAction::kProgramPauseChanged;
    } else if (id == kCommandUseGeneralMapping && s.program.ownTables != 0) {
        s.program.ownTables = 0;
        return MenuAction::kProgramTablesGone;
    }
    for (const WindowCommand& command : kWindowCommands) {
        if (command.id == id) {
            return command.action;
        }
    }
    return MenuAction::kNone;
}

MenuStates menuStates(const AppState& s) {
    MenuStates states = {};
    bool activePresent = s.controllers[s.activeController].present != 0;
    states.controllerGrayed = s.controllerCount <= 0;
    states.triggerGrayed = !activePresent;
    states.mouseSpeedGrayed = s.mouseController != s.activeController;
    states.programGrayed = s.program.name[0] == 0;
    MenuItemState* item = states.items;
    for (int id = 0; id < kControllerSlots; ++id) {
        *item++ = {kCommandController1 + id, s.controllers[id].present == 0,
                   s.activeController == id};
    }
    for (uint32_t g = 0; g < kTriggerGroupCount; ++g) {
        uint32_t mode = triggerGroupMode(s.triggerModes, static_cast<int>(g));
        for (uint32_t m = 0; m < 3; ++m) {
            *item++ = {kCommandSingle1 + 3 * m + g, false, mode == m};
        }
    }
    for (int speed = 0; speed < 3; ++speed) {
        *item++ = {kCommandSlow + speed, false, s.mouseSpeed == speed};
    }
    *item++ = {kCommandLinear, false, s.mouseCurve == 0};
    *item++ = {kCommandCurved, false, s.mouseCurve == 1};
    *item++ = {kCommandIncreaseSize, s.windowScale >= kMaxScale, false};
    *item++ = {kCommandDecreaseSize, s.windowScale <= kMinScale, false};
    *item++ = {kCommandMapButtons, !activePresent, false};
    *item++ = {kCommandPause, false, s.paused != 0};
    *item++ = {kCommandPauseHere, false, s.program.pauseHere != 0};
    *item++ = {kCommandMapButtonsHere, !activePresent, false};
    *item++ = {kCommandUseGeneralMapping, s.program.ownTables == 0, false};
    *item++ = {kCommandStartWithWindows, false, s.startsWithWindows != 0};
    *item = {kCommandRestartAsAdministrator, s.elevated != 0, false};
    return states;
}

const wchar_t* menuItemText(const AppState& s, uint32_t commandId) {
    if (commandId == kCommandHideWindow && s.windowHidden != 0) {
        return L"&Show Window";
    }
    if (commandId == kCommandPause && s.pauseHotkeyReady == 0) {
        return L"&Pause";
    }
    for (const MenuEntry& entry : kMenuTree) {
        if (entry.id == commandId && entry.submenu == nullptr && entry.text != nullptr) {
            return entry.text;
        }
    }
    return nullptr;
}
