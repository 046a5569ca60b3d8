// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Monitoring;
class SoftwareEffects;

// Every reading pass's sources besides the CPU reading go to monitoring:
// their history, their metrics and the temperature limits set on them.
void followSources(SoftwareEffects &effects, Monitoring &monitoring);
