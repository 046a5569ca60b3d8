# SPDX-License-Identifier: GPL-3.0-or-later
# The distribution's hardening (what Debian's dpkg-buildflags gives with
# hardening=+all), for every program, library and test: a strong stack
# protector, checked string and memory calls, position-independent programs,
# and relocations read-only before main() runs. One program listens on the
# network and one runs as root, so neither is built without them.
#
# And reproducible: the source and build folders are named "." and "build"
# in the debug information and in __FILE__, so two checkouts in different
# places build the same bytes (and the same build IDs).
option(AURIVENT_HARDENING "Build with the distribution's hardening flags" ON)

if(AURIVENT_HARDENING AND NOT WIN32 AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
  # Checked calls need the optimiser, and hide what the sanitizers look for.
  if(NOT AURIVENT_SANITIZE AND NOT AURIVENT_FUZZ)
    add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
  endif()
  include(CheckCXXCompilerFlag)
  check_cxx_compiler_flag(-fstack-clash-protection AURIVENT_HAVE_STACK_CLASH)
  if(AURIVENT_HAVE_STACK_CLASH)
    add_compile_options(-fstack-clash-protection)
  endif()
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64|i.86")
    check_cxx_compiler_flag(-fcf-protection AURIVENT_HAVE_CF_PROTECTION)
    if(AURIVENT_HAVE_CF_PROTECTION)
      add_compile_options(-fcf-protection)
    endif()
  endif()
  # Full RELRO.
  add_link_options(-Wl,-z,relro -Wl,-z,now)
  # Position-independent executables (Qt's own -fPIC serves them too).
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  include(CheckPIESupported)
  check_pie_supported(LANGUAGES C CXX)
endif()

if(NOT WIN32 AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=build)
endif()
