// SPDX-License-Identifier: GPL-3.0-or-later
#include "Waker.h"

#include "common/Logging.h"

#include <QSocketNotifier>

#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

struct Waker::Backend {
    int fd = -1;
    QSocketNotifier *notifier = nullptr;
};

Waker::Waker(std::function<void()> onWake, QObject *parent)
    : QObject(parent)
    , m_backend(std::make_unique<Backend>())
    , m_onWake(std::move(onWake))
{
    m_backend->fd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (m_backend->fd < 0) {
        qCWarning(lcDevice) << "no eventfd for replies:" << strerror(errno);
        return;
    }
    m_backend->notifier = new QSocketNotifier(m_backend->fd, QSocketNotifier::Read, this);
    connect(m_backend->notifier, &QSocketNotifier::activated, this, &Waker::fire);
}

Waker::~Waker()
{
    delete m_backend->notifier;
    if (m_backend->fd >= 0)
        ::close(m_backend->fd);
}

void Waker::wake()
{
    if (m_backend->fd < 0) {
        // No eventfd: the slower road, through the event loop's own queue.
        QMetaObject::invokeMethod(this, &Waker::fire, Qt::QueuedConnection);
        return;
    }
    const uint64_t one = 1;
    ssize_t written;
    do {
        written = ::write(m_backend->fd, &one, sizeof one);
    } while (written < 0 && errno == EINTR);
}

void Waker::fire()
{
    if (m_backend->fd >= 0) {
        uint64_t count = 0;
        ssize_t got;
        do {
            got = ::read(m_backend->fd, &count, sizeof count);
        } while (got < 0 && errno == EINTR);
    }
    if (m_onWake)
        m_onWake();
}
