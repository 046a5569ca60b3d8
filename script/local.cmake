# SPDX-License-Identifier: GPL-3.0-or-later
# The file dialog of the script player.
target_link_libraries(aurivent_script PUBLIC Qt5::Widgets)
