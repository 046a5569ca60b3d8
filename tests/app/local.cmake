# The whole program listens on the phone port.
if(TARGET test_program)
  set_tests_properties(test_program PROPERTIES RESOURCE_LOCK port5489)
endif()
