// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewMessageRules.h"

#include "common/Logging.h"

bool runMessageRule(const MessageRules &rules, MessageCall &call)
{
    const auto *rule = findRule(rules, call.m.name());
    if (!rule)
        return false;
    qCDebug(lcApp) << call.m.name();
    if (fitsShape(call.m, rule->shape, lcApp))
        rule->handler(call);
    return true;
}
