# The project's own sensor plug-in, loaded at run time from beside the program.
if(NOT WIN32)
  add_subdirectory(sensors-plugin)
endif()
