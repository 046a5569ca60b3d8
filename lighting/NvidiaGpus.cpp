// SPDX-License-Identifier: GPL-3.0-or-later
#include "NvidiaGpus.h"

#include "common/Logging.h"

#include <QDebug>

namespace {

QString text(const char *buffer)
{
    return QString::fromUtf8(buffer, int(qstrnlen(buffer, NvidiaGpus::kTextSize))).trimmed();
}

} // namespace

const char *NvidiaGpus::Calls::firstMissing() const
{
    if (!init) return "nvmlInit_v2";
    if (!count) return "nvmlDeviceGetCount_v2";
    if (!handle) return "nvmlDeviceGetHandleByIndex_v2";
    if (!uuid) return "nvmlDeviceGetUUID";
    if (!name) return "nvmlDeviceGetName";
    if (!temperature) return "nvmlDeviceGetTemperature";
    return nullptr;
}

namespace {

template <typename Fn>
void lookUp(const std::function<void *(const char *)> &symbol, const char *name, Fn &fn)
{
    fn = reinterpret_cast<Fn>(symbol(name));
}

} // namespace

std::unique_ptr<NvidiaGpus> NvidiaGpus::makeFromLibrary(const QString &path,
                                                         const std::function<void *(const char *name)> &symbol,
                                                         bool *complete, QString *error)
{
    Calls calls;
    lookUp(symbol, "nvmlInit_v2", calls.init);
    lookUp(symbol, "nvmlDeviceGetCount_v2", calls.count);
    lookUp(symbol, "nvmlDeviceGetHandleByIndex_v2", calls.handle);
    lookUp(symbol, "nvmlDeviceGetUUID", calls.uuid);
    lookUp(symbol, "nvmlDeviceGetName", calls.name);
    lookUp(symbol, "nvmlDeviceGetTemperature", calls.temperature);
    *complete = calls.firstMissing() == nullptr;
    QString why;
    std::unique_ptr<NvidiaGpus> gpus = make(calls, &why);
    if (!gpus && error)
        *error = path + QStringLiteral(": ") + why;
    return gpus;
}

NvidiaGpus::NvidiaGpus(const Calls &calls, QVector<Gpu> gpus) : m_calls(calls), m_gpus(std::move(gpus)) {}

std::unique_ptr<NvidiaGpus> NvidiaGpus::make(const Calls &calls, QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return nullptr;
    };
    if (const char *missing = calls.firstMissing())
        return fail(QStringLiteral("no entry point for ") + QLatin1String(missing));
    const int init = calls.init();
    if (init != 0)
        return fail(QStringLiteral("nvmlInit failed: ") + QString::number(init));
    unsigned reported = 0;
    const int counted = calls.count(&reported);
    if (counted != 0)
        return fail(QStringLiteral("nvmlDeviceGetCount failed: ") + QString::number(counted));
    if (reported > unsigned(kMaxGpus))
        qCWarning(lcLighting) << "nvidiaGpus: clamped" << reported << "to" << kMaxGpus;
    const unsigned n = qMin(reported, unsigned(kMaxGpus));

    QVector<Gpu> gpus;
    for (unsigned i = 0; i < n; ++i) {
        Gpu gpu;
        char buffer[kTextSize] = {};
        if (calls.handle(i, &gpu.device) != 0 || !gpu.device) {
            qCWarning(lcLighting) << "nvidiaGpus: no handle for GPU" << i;
            continue;
        }
        // Without its UUID a GPU has no name that lasts; it is not offered.
        if (calls.uuid(gpu.device, buffer, kTextSize) != 0 || text(buffer).isEmpty()) {
            qCWarning(lcLighting) << "nvidiaGpus: no UUID for GPU" << i;
            continue;
        }
        gpu.chip = QStringLiteral("nvidia-") + text(buffer);
        char model[kTextSize] = {};
        if (calls.name(gpu.device, model, kTextSize) == 0)
            gpu.model = text(model);
        gpus << gpu;
    }
    if (gpus.isEmpty())
        return fail(QStringLiteral("no NVIDIA GPU"));
    qCInfo(lcLighting) << "nvidiaGpus:" << gpus.size() << "GPU(s)";
    return std::unique_ptr<NvidiaGpus>(new NvidiaGpus(calls, std::move(gpus)));
}

QVector<NvidiaGpus::Reading> NvidiaGpus::read()
{
    QVector<Reading> readings;
    for (const Gpu &gpu : qAsConst(m_gpus)) {
        unsigned celsius = 0;
        const int result = m_calls.temperature(gpu.device, 0, &celsius);
        if (result != 0) {
            qCDebug(lcLighting) << "nvidiaGpus: no temperature from" << gpu.chip << result;
            continue;
        }
        readings.append({gpu.chip, QStringLiteral("GPU"), gpu.model, double(celsius)});
    }
    return readings;
}
