// SPDX-License-Identifier: GPL-3.0-or-later
#include "SensorReader.h"

#include "NvidiaGpus.h"
#include "SensorPlugin.h"

#include <QMetaObject>
#include <QThread>

#include <future>
#include <memory>

// Lives on the reader's thread and owns the plug-in there.
class SensorWorker : public QObject {
    Q_OBJECT
public:
    std::unique_ptr<SensorPlugin> plugin;
    std::unique_ptr<NvidiaGpus> gpus;

public slots:
    void bind(const QString &path)
    {
        QString failure;
        plugin = bindSensorPlugin(path, &failure);
        // Bound, it may still tell why no CPU temperature will come.
        if (plugin)
            failure = plugin->failureReason();
        emit bound(plugin != nullptr, failure);
    }

    void bindGpus(const QString &path)
    {
        QString failure;
        gpus = NvidiaGpus::load(path, &failure);
        emit gpusBound(gpus != nullptr, failure);
    }

    void pass()
    {
        emit passDone(sampleTemperatures(plugin.get(), gpus.get()));
    }

signals:
    void bound(bool ok, const QString &failure);
    void gpusBound(bool ok, const QString &failure);
    void passDone(const TemperatureSample &sample);
};

SensorReader::SensorReader(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<TemperatureSample>("TemperatureSample");
    startThread();
}

SensorReader::~SensorReader()
{
    disconnect(m_worker, nullptr, this, nullptr);
    m_thread->quit();
    // A call that still runs usually ends within moments (the plug-in's
    // start reads the sensor folders): waited for a little, so that its
    // thread does not run on into the end of the process.
    if (!m_busy || m_thread->wait(kEndGraceMs)) {
        m_thread->wait();
        delete m_thread;
        return;
    }
    // A call still runs, maybe for good: it is not waited for longer. Its thread
    // ends (and frees its worker) if the call returns; otherwise with the
    // process. The QThread object is left alive, as destroying it while it
    // runs would abort.
}

void SensorReader::startThread()
{
    m_thread = new QThread();
    m_thread->setObjectName(QStringLiteral("sensors"));
    m_worker = new SensorWorker();
    m_worker->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    connect(m_worker, &SensorWorker::bound, this, [this](bool ok, const QString &failure) {
        finishCall();
        m_hasPlugin = ok;
        if (!m_queuedBind.isNull()) {
            // Asked for another plug-in meanwhile: that one counts, this one is news to no one.
            const QString path = m_queuedBind;
            m_queuedBind.clear();
            bind(path);
            return;
        }
        emit bound(ok, failure);
    });
    connect(m_worker, &SensorWorker::gpusBound, this, [this](bool ok, const QString &failure) {
        finishCall();
        m_hasGpus = ok;
        emit gpusBound(ok, failure);
        bindQueued();
    });
    connect(m_worker, &SensorWorker::passDone, this, [this](const TemperatureSample &sample) {
        finishCall();
        emit passDone(sample);
        bindQueued();
    });
    m_thread->start();
}

void SensorReader::finishCall()
{
    m_busy = false;
}

void SensorReader::bindQueued()
{
    // A binding asked for while another call ran; unless what was just told
    // started a call of its own, after which it waits again.
    if (m_busy || m_queuedBind.isNull())
        return;
    const QString path = m_queuedBind;
    m_queuedBind.clear();
    bind(path);
}

bool SensorReader::bind(const QString &path)
{
    if (m_busy) {
        // After the running call; a later request replaces an earlier one.
        m_queuedBind = path.isNull() ? QString(QLatin1String("")) : path;
        return true;
    }
    m_busy = true;
    m_busySince.start();
    QMetaObject::invokeMethod(m_worker, "bind", Qt::QueuedConnection, Q_ARG(QString, path));
    return true;
}

bool SensorReader::bindGpus(const QString &path)
{
    if (m_busy)
        return false;
    m_busy = true;
    m_busySince.start();
    QMetaObject::invokeMethod(m_worker, "bindGpus", Qt::QueuedConnection, Q_ARG(QString, path));
    return true;
}

bool SensorReader::requestPass()
{
    if (m_busy || (!m_hasPlugin && !m_hasGpus))
        return false;
    m_busy = true;
    m_busySince.start();
    QMetaObject::invokeMethod(m_worker, "pass", Qt::QueuedConnection);
    return true;
}

void SensorReader::unbind()
{
    if (m_busy)
        return;
    m_hasPlugin = false;
    SensorWorker *worker = m_worker;
    QMetaObject::invokeMethod(m_worker, [worker] { worker->plugin.reset(); }, Qt::QueuedConnection);
}

bool SensorReader::abandon()
{
    if (!m_busy)
        return true;
    if (m_abandoned >= kMaxAbandoned)
        return false;
    // Nothing it says any more reaches us; the thread quits (and frees its
    // worker) if the call ever returns, and is otherwise left to the end of
    // the process. Its QThread object is never destroyed while it runs.
    disconnect(m_worker, nullptr, this, nullptr);
    m_queuedBind.clear();
    QThread *old = m_thread;
    ++m_abandoned;
    connect(old, &QThread::finished, this, [this, old] {
        --m_abandoned;
        old->deleteLater();
    });
    old->quit();
    m_busy = false;
    m_hasPlugin = false;
    m_hasGpus = false;
    startThread();
    return true;
}

QStringList SensorReader::info(int waitMs)
{
    if (m_busy || !m_hasPlugin)
        return QStringList();
    auto done = std::make_shared<std::promise<QStringList>>();
    std::future<QStringList> lines = done->get_future();
    SensorWorker *worker = m_worker;
    m_busy = true;
    m_busySince.start();
    QMetaObject::invokeMethod(m_worker, [worker, done] {
        done->set_value(worker->plugin ? sensorInfoLines(*worker->plugin) : QStringList());
    }, Qt::QueuedConnection);
    if (lines.wait_for(std::chrono::milliseconds(waitMs)) != std::future_status::ready) {
        abandon();
        return QStringList();
    }
    m_busy = false;
    return lines.get();
}

#include "SensorReader.moc"
