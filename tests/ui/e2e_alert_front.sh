#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The alerts under a real window manager (openbox on Xvfb): a silent box and a
# stopped fan each bring an alert above the main window, active, and it stays
# above when the main window is clicked. One try of each.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
exec "$here/../../tools/measure/alert_front.sh" "$1" 1
