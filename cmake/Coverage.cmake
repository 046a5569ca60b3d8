# SPDX-License-Identifier: GPL-3.0-or-later
# Line coverage of the whole suite (tools/coverage.sh): gcc's instrumentation
# on every target. The programs the end-to-end scripts start end in order on
# SIGTERM, so they write their counts too.
option(AURIVENT_COVERAGE "Build with line-coverage instrumentation (gcc --coverage)" OFF)
if(AURIVENT_COVERAGE)
  add_compile_options(--coverage -O0)
  add_link_options(--coverage)
endif()
