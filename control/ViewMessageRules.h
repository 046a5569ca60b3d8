// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "viewmsg/MessageTable.h"

class AppHost;
class BoxModel;
class Encoders;
class ViewMessageHandler;
struct AppState;

// What a view-message handler works with: the message, the current box and
// the fan (or box, profile, language) number of item 1, both already checked
// by the message's row.
struct MessageCall {
    ViewMessageHandler &handler;
    AppState &state;
    Encoders &encoders;
    BoxModel &boxes;
    AppHost &host;
    const ViewMessage &m;
    int box;
    int target;
};

using MessageHandlerFn = void (*)(MessageCall &);
using MessageRules = std::vector<MessageRule<MessageHandlerFn>>;

// Runs the row of the message's name if its shape holds. False when the
// table has no such name.
bool runMessageRule(const MessageRules &rules, MessageCall &call);

// The tables of the three families.
const MessageRules &settingsRules();
const MessageRules &rainbowRules();
// "btn_done" and "btn_copy" of the 12-LED editor while the box drives single-colour fans.
const MessageRules &rainbowRulesOnVaylaBox();
const MessageRules &vaylaRules();
