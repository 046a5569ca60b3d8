#pragma once

#include "core/CurveController.h"
#include "device/BoxModel.h"
#include "device/DeviceBus.h"
#include "device/Encoders.h"
#include "ViewState.h"

// The control core: it owns the boxes as the program knows them, the device
// bus their reports travel on and the encoders that turn records into
// reports. Whoever runs the fans (the window program, the service, a test)
// creates one core and hands its parts by reference to whoever needs them.
class Core {
public:
    Core();
    ~Core();
    Core(const Core &) = delete;
    Core &operator=(const Core &) = delete;

    DeviceBus &bus() { return m_bus; }
    BoxModel &boxes() { return m_boxes; }
    Encoders &encoders() { return m_encoders; }
    CurveController &curves() { return m_curves; }
    // What the window shows of the core.
    ViewState &viewState() { return m_viewState; }

private:
    // Declared first: destroyed last, after everything that sends on it.
    DeviceBus m_bus;
    BoxModel m_boxes;
    Encoders m_encoders{m_boxes, m_bus};
    CurveController m_curves{m_encoders};
    ViewState m_viewState;
};
