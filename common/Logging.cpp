#include "Logging.h"

Q_LOGGING_CATEGORY(lcAlerts, "aurivent.alerts", QtInfoMsg)
Q_LOGGING_CATEGORY(lcApp, "aurivent.app", QtInfoMsg)
Q_LOGGING_CATEGORY(lcDevice, "aurivent.device", QtInfoMsg)
Q_LOGGING_CATEGORY(lcHistory, "aurivent.history", QtInfoMsg)
Q_LOGGING_CATEGORY(lcLighting, "aurivent.lighting", QtInfoMsg)
Q_LOGGING_CATEGORY(lcMetrics, "aurivent.metrics", QtInfoMsg)
Q_LOGGING_CATEGORY(lcRemote, "aurivent.remote", QtInfoMsg)
Q_LOGGING_CATEGORY(lcScript, "aurivent.script", QtInfoMsg)
Q_LOGGING_CATEGORY(lcStorage, "aurivent.storage", QtInfoMsg)
Q_LOGGING_CATEGORY(lcUi, "aurivent.ui", QtInfoMsg)
Q_LOGGING_CATEGORY(lcUpdate, "aurivent.update", QtInfoMsg)
