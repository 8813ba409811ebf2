#pragma once
// Controller set-ups for measuring the engine tick.

enum class TickScenario { idle, allInputsChanging, twelveButtonsRepeating };

constexpr TickScenario kTickScenarios[] = {TickScenario::idle, TickScenario::allInputsChanging,
                                           TickScenario::twelveButtonsRepeating};

const char* scenarioName(TickScenario scenario);

// A fresh state and stand-in with controller 0 (a pointer controller) present.
void prepareScenario(TickScenario scenario);

// Sets the controller's reading for tick number `tick` of the scenario.
void stageTick(TickScenario scenario, long tick);
