# SPDX-License-Identifier: GPL-3.0-or-later
# The launcher, run from a folder of its own beside a stand-in Aurivent.
aurivent_add_script_test(e2e_launcher e2e_launcher.sh)
