#pragma once

class FanMonitorHost;
class LightingTimers;
class MainViewInterface;

// Once at start-up: every connected box gets its stored profile and is sent
// its fans' speed and lighting from it.
void applyStoredSettings(MainViewInterface *view, LightingTimers &timers, FanMonitorHost &monitor);
