# The whole program listens on the phone port.
foreach(test test_program test_savefailures)
  if(TARGET ${test})
    set_tests_properties(${test} PROPERTIES RESOURCE_LOCK port5489)
  endif()
endforeach()
