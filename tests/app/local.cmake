# The whole program listens on the phone port.
foreach(program test_program test_startmodes)
  if(TARGET ${program})
    set_tests_properties(${program} PROPERTIES RESOURCE_LOCK port5489)
  endif()
endforeach()
