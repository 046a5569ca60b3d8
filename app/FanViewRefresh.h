#pragma once

class MainViewInterface;

// Shows what the box table holds in the main view's fan panels. The order of
// the setters matters: a panel derives its colour mode from its light mode,
// so the light mode goes first and the stored colour mode after it.
void showRainbowFan(MainViewInterface *view, int box, int fan);
void showVaylaFan(MainViewInterface *view, int box, int fan);
// Every fan of the box, in the layout of its type.
void showBoxFans(MainViewInterface *view, int box);
