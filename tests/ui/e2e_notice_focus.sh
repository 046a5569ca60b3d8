#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Notices under a real window manager (openbox on Xvfb, no tray): the "no CPU
# temperature" notice and the save-failure message leave the main window
# active and keep the X input focus.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
exec "$here/../../tools/measure/notice_focus.sh" "$1"
