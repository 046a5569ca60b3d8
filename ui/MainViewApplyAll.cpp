// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainView.h"

#include "common/Logging.h"
#include "device/BoxTable.h"
#include "ui/RainbowFan.h"

void MainView::applyToAllFans(RainbowFan *source)
{
    if (!source)
        return;
    // In fan order, as a user going round the carousel would.
    for (RainbowFan *panel : m_fanPanels) {
        if (panel == source)
            continue;
        if (!panel->takeOver(*source))
            qCDebug(lcUi) << "fan" << panel->fanNumber() + 1 << "keeps its light mode: it has no earlier fan to copy";
    }
}
