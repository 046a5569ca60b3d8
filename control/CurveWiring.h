// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CurveController;
class SoftwareEffects;

// The fans' curves in the running program: the curves file's settings and
// its reading period, and every reading pass of the effects handed on to the
// curves; NVIDIA's GPUs read beside the plug-in's sources where their
// driver's library is found. Called before the sensors start.
void startCurves(CurveController &curves, SoftwareEffects &effects);
