// SPDX-License-Identifier: GPL-3.0-or-later
#include "Core.h"

Core::Core() = default;

Core::~Core()
{
    // Nothing queued may reach a box after the core is gone.
    m_bus.closeAll();
}
