// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/graphs/GraphsOpener.h"

#include "ui/graphs/GraphsWindow.h"

GraphsOpener::GraphsOpener(HistoryReader *reader, QObject *parent)
    : QObject(parent), m_reader(reader)
{
}

GraphsOpener::~GraphsOpener()
{
    // The window reads through the reader, which goes with its owner.
    delete m_window.data();
}

void GraphsOpener::open(const GraphScope &scope)
{
    if (!m_window) {
        m_window = new GraphsWindow(m_reader);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_window->setScope(scope);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

GraphsWindow *GraphsOpener::window() const
{
    return m_window.data();
}
