// SPDX-License-Identifier: GPL-3.0-or-later
#include "Waker.h"

struct Waker::Backend {
};

Waker::Waker(std::function<void()> onWake, QObject *parent)
    : QObject(parent)
    , m_backend(std::make_unique<Backend>())
    , m_onWake(std::move(onWake))
{
}

Waker::~Waker() = default;

void Waker::wake()
{
    QMetaObject::invokeMethod(this, &Waker::fire, Qt::QueuedConnection);
}

void Waker::fire()
{
    if (m_onWake)
        m_onWake();
}
